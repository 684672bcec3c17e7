#include "ModelCommands.h"

#include "ModelDocument.h"

#include <cstring>

namespace mm {

namespace {
// Apart from the record commands' ids, so that only working-copy edits are offered to merge.
constexpr int kWorkingEditId = 100;
} // namespace

bool SameRecord(const TMyModelRecord& a, const TMyModelRecord& b) {
    return std::memcmp(&a.Fixed(), &b.Fixed(), sizeof(TModelFixedPart)) == 0 && a.Blob == b.Blob;
}

TReplaceRecordCommand::TReplaceRecordCommand(TModelDocument& document, int index,
                                             TMyModelRecord before, TMyModelRecord after,
                                             const QString& label, TRecordEdit edit)
    : TSnapshotCommand(document, index, std::move(before), std::move(after), label), edit_(edit) {}

void TReplaceRecordCommand::Put(const TMyModelRecord& record) {
    document_.PutRecord(index_, record);
}

int TReplaceRecordCommand::id() const {
    return edit_ == TRecordEdit::Whole ? -1 : static_cast<int>(edit_);
}

bool TReplaceRecordCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const TReplaceRecordCommand*>(other);
    if (next->index_ != index_)
        return false;
    after_ = next->after_;
    // Typed back to what it was: the text as it began, its unused bytes included, and no
    // change left to undo.
    if (after_.ModelType.Str() == before_.ModelType.Str())
        after_.ModelType = before_.ModelType;
    if (after_.Remark.Str() == before_.Remark.Str())
        after_.Remark = before_.Remark;
    if (SameRecord(before_, after_)) {
        document_.PutRecord(index_, before_);
        setObsolete(true);
    }
    return true;
}

TInsertRecordCommand::TInsertRecordCommand(TModelDocument& document, int index,
                                           TMyModelRecord record, std::optional<uint16_t> outlines,
                                           const QString& label, bool removes)
    : QUndoCommand(label), document_(document), index_(index), record_(std::move(record)),
      outlines_(outlines), removes_(removes) {}

void TInsertRecordCommand::Apply(bool remove) {
    if (remove)
        document_.RemoveRecord(index_);
    else
        document_.InsertRecord(index_, record_, outlines_);
}

TWorkingEditCommand::TWorkingEditCommand(TModelDocument& document, int index, TWorkingModel before,
                                         TWorkingModel after, const QString& label, int mergeKey)
    : TSnapshotCommand(document, index, std::move(before), std::move(after), label),
      mergeKey_(mergeKey) {}

void TWorkingEditCommand::Put(const TWorkingModel& model) {
    document_.PutWorking(index_, model);
}

int TWorkingEditCommand::id() const {
    return mergeKey_ == 0 ? -1 : kWorkingEditId;
}

bool TWorkingEditCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const TWorkingEditCommand*>(other);
    if (next->index_ != index_ || next->mergeKey_ != mergeKey_)
        return false;
    after_ = next->after_;
    setObsolete(before_ == after_);
    return true;
}

} // namespace mm
