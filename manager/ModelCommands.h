#pragma once
// The undoable changes of the catalogue (a record replaced, inserted or removed) and of the
// working copy of the model under edit. Each keeps the
// records it needs to go both ways; the document applies them.
#include "WorkingModel.h"
#include "model/ModelRecord.h"

#include <QUndoCommand>
#include <cstdint>
#include <optional>

namespace mm {

class TModelDocument;

// What a replacement changed, so that typing in one cell merges into one command.
enum class TRecordEdit { Whole = 1, Name, Id, Remark };

// A change of something of Models[index], kept as its state before and after.
template <typename State> class TSnapshotCommand : public QUndoCommand {
public:
    TSnapshotCommand(TModelDocument& document, int index, State before, State after,
                     const QString& label)
        : QUndoCommand(label), document_(document), index_(index), before_(std::move(before)),
          after_(std::move(after)) {}
    void undo() override { Put(before_); }
    void redo() override { Put(after_); }

protected:
    virtual void Put(const State& state) = 0;

    TModelDocument& document_;
    int index_;
    State before_;
    State after_;
};

class TReplaceRecordCommand : public TSnapshotCommand<TMyModelRecord> {
public:
    TReplaceRecordCommand(TModelDocument& document, int index, TMyModelRecord before,
                          TMyModelRecord after, const QString& label, TRecordEdit edit);
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    void Put(const TMyModelRecord& record) override;
    TRecordEdit edit_;
};

// Inserts a record at index when done, removes it when undone; a removal is its reverse.
class TInsertRecordCommand : public QUndoCommand {
public:
    TInsertRecordCommand(TModelDocument& document, int index, TMyModelRecord record,
                         std::optional<uint16_t> outlines, const QString& label, bool removes);
    void undo() override { Apply(!removes_); }
    void redo() override { Apply(removes_); }

private:
    void Apply(bool remove);

    TModelDocument& document_;
    int index_;
    TMyModelRecord record_;
    std::optional<uint16_t> outlines_; // whose outline file the record's outlines are in
    bool removes_;
};

// A model read from an exchange file into the array: told apart so that closing can say
// imported models are not saved yet.
class TImportCommand : public TInsertRecordCommand {
public:
    using TInsertRecordCommand::TInsertRecordCommand;
};

// An edit of the working copy of Models[index]. Edits with the same non-zero merge key in a row
// (typing in one cell) are one command; typed back to where it began, none.
class TWorkingEditCommand : public TSnapshotCommand<TWorkingModel> {
public:
    TWorkingEditCommand(TModelDocument& document, int index, TWorkingModel before,
                        TWorkingModel after, const QString& label, int mergeKey);
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    void Put(const TWorkingModel& model) override;
    int mergeKey_;
};

// The same record, byte for byte: its fixed part and its blob.
bool SameRecord(const TMyModelRecord& a, const TMyModelRecord& b);

} // namespace mm
