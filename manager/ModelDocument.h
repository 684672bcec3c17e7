#pragma once
// What the main window works on, without a widget: the models, the working copy of the model
// under edit, the edit mode, the undo stack of every change of the array and of the working copy
// (whose clean state says whether there are changes never written), and the commands that
// change them or write files.
#include "ModelCommands.h"
#include "OutlineFiles.h"
#include "WorkingModel.h"
#include "model/ModelRecord.h"
#include "model/StoreRules.h"
#include "model/uUniversalModel.h"
#include "platform/Strings.h"

#include <QUndoStack>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mm {

class TModelDocument {
public:
    // exeDir ends in "/": the data folder lies below it.
    explicit TModelDocument(std::string exeDir);

    // Reads the database into Models; a missing file gives an empty array. Returns what the
    // user must be told: a database that was refused, or the error that kept it from being
    // read. Either way the first save keeps the old file as ".bak".
    std::vector<std::string> Load();

    const TMyModelRecords& Models() const { return models_; }
    int Count() const { return static_cast<int>(models_.size()); }
    // nullptr outside the array.
    const TMyModelRecord* Record(int index) const;

    bool EditMode() const { return editMode_; }
    void SetEditMode(bool on) { editMode_ = on; }
    // The array holds changes that were never written.
    bool Unsaved() const { return !undo_.isClean(); }
    // Among the changes never written is a model imported since the last save.
    bool UnsavedImports() const;
    // Every change of the array, labelled, back to the last load; a save marks it clean.
    QUndoStack& UndoStack() { return undo_; }
    const QUndoStack& UndoStack() const { return undo_; }

    std::string DatabasePath() const;
    // The file of Models[index]'s button outlines; empty outside the array.
    std::string HotMapPath(int index) const;

    // In-place edits of the model list; texts are cut to their fields. An empty name, or an
    // identifier that is not hexadecimal text, changes nothing (false).
    bool SetName(int index, std::string_view name);
    bool SetId(int index, std::string_view hexText);
    void SetRemark(int index, std::string_view remark);

    // Takes the window's controls into Models[index]: the key rules first, then the code region
    // from the two code pages. Returns the message of the first broken rule, or nothing.
    // Raises ConvertError for a number no rule catches.
    std::optional<std::string> Store(int index, const TStoreInput& input, const TStrArray& memo1,
                                     const TStrArray& memo2);

    // The working copy of the model under edit and its index in Models, -1 for none.
    const TWorkingModel& Working() const { return working_; }
    int WorkingIndex() const { return workingIndex_; }
    // Opens Models[index] as the working copy, as the window shows it (no command); outside the
    // array there is none.
    void OpenWorking(int index);
    // Changes the working copy as one labelled command (edits with the same non-zero merge key
    // in a row merge into one); nothing when there is none or the change changed nothing.
    // Outside edit mode the change is no command and leaves the catalogue saved: nothing is
    // edited there, and what the controls that stay enabled take is stored only if edit mode
    // is entered and left before another model is shown.
    void EditWorking(const QString& label, int mergeKey,
                     const std::function<void(TWorkingModel&)>& change);
    // "Ignore KeyIdx Repeated When Saving", the window's option for every store.
    void SetIgnoreKeyIdxRepeated(bool on) { ignoreKeyIdxRepeated_ = on; }
    // Store of the working copy into its record: the message of the first broken rule, or
    // nothing (also when there is no working copy).
    std::optional<std::string> StoreWorking();

    // Marks every entry reserved and writes the whole array; the number of models written.
    // A failure raises and leaves the array unsaved and the old file whole. The models' outline
    // files follow changed IDs and copies; a name already taken refuses the save beforehand.
    size_t Save(double saveTime);

    // Removes Models[index]; nothing outside the array.
    void Delete(int index);
    // Appends a copy of Models[index] with the lowest free identifier; on an empty array, one
    // blank model. Nothing for an index outside a non-empty array.
    void CopyAdd(int index);

    enum class ImportResult { Imported, NotAModelFile, Full };
    ImportResult Import(const std::string& fileName);
    void Export(int index, const std::string& fileName) const;
    void ExportJson(const std::string& fileName) const;

    // The brand table beside the database; nothing when it cannot be read.
    std::optional<TMDFYFile> ReadBrandTable() const;
    // Raises ConvertError for a code line whose parts are not numbers.
    void ExportBrandList(const std::string& fileName, const TMDFYFile& brands,
                         const TStrArray& codeLines) const;

    // A picture file taken by "Load Picture...": PictureRefused, FileOpenError or ReadError
    // leave the record as it was. Returns the picture's bytes.
    TSSByteArray LoadPicture(int index, const std::string& fileName);

private:
    friend class TReplaceRecordCommand;
    friend class TInsertRecordCommand;
    friend class TWorkingEditCommand;
    // What a working-copy command does: the working copy of Models[index] becomes model.
    void PutWorking(int index, const TWorkingModel& model);
    TMyModelRecord* Editable(int index);
    // What the commands do to the array.
    void PutRecord(int index, const TMyModelRecord& record);
    void InsertRecord(int index, const TMyModelRecord& record, std::optional<uint16_t> outlines);
    void RemoveRecord(int index);
    // Runs a change of Models[index] and records it as one command when it changed anything,
    // also when the change raised part way (what it wrote before stays, and can be undone).
    void ChangeRecord(int index, const QString& label, TRecordEdit edit,
                      const std::function<void(TMyModelRecord&)>& change);
    // The model's name for a command's label.
    QString NameOf(int index) const;

    std::string exeDir_;
    TMyModelRecords models_;
    TOutlineFiles outlines_;
    bool editMode_ = false;
    QUndoStack undo_;
    TWorkingModel working_;
    int workingIndex_ = -1;
    bool ignoreKeyIdxRepeated_ = false;
    // The file found at start-up was refused or is in an older layout: keep it on first save.
    bool keepDatabaseOnSave_ = false;
};

} // namespace mm
