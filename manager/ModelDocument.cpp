#include "ModelDocument.h"

#include "hotimage/core/HotMapFormats.h"
#include "model/CodePages.h"
#include "model/JsonExport.h"
#include "model/ModelFile.h"
#include "model/Picture.h"
#include "model/RemoteFile.h"
#include "platform/Errors.h"
#include "platform/ui/QtText.h"

#include <algorithm>

namespace mm {

TModelDocument::TModelDocument(std::string exeDir) : exeDir_(exeDir), outlines_(exeDir) {}

std::string TModelDocument::DatabasePath() const {
    return ModelDatabasePath(exeDir_);
}

std::vector<std::string> TModelDocument::Load() {
    const std::string path = DatabasePath();
    undo_.clear();
    workingIndex_ = -1;
    try {
        const TModelFileLoad load = LoadModelFile(path, models_);
        outlines_.Reset(models_);
        keepDatabaseOnSave_ = load.KeepOnSave();
        if (load.Exists && !load.Read)
            return {"The model database \"" + path +
                    "\" could not be read and has been kept; the first save keeps it as \"" + path +
                    ".bak\"."};
    } catch (const std::exception& error) {
        models_ = TMyModelRecords();
        outlines_.Reset(models_);
        keepDatabaseOnSave_ = true;
        return {error.what()};
    }
    return {};
}

std::string TModelDocument::HotMapPath(int index) const {
    const TMyModelRecord* record = Record(index);
    return record ? ModelHotMapPath(exeDir_, record->ModelID) : std::string();
}

const TMyModelRecord* TModelDocument::Record(int index) const {
    return index >= 0 && index < Count() ? &models_[static_cast<size_t>(index)] : nullptr;
}

TMyModelRecord* TModelDocument::Editable(int index) {
    return index >= 0 && index < Count() ? &models_[static_cast<size_t>(index)] : nullptr;
}

void TModelDocument::ChangeRecord(int index, const QString& label, TRecordEdit edit,
                                  const std::function<void(TMyModelRecord&)>& change) {
    TMyModelRecord* record = Editable(index);
    if (!record)
        return;
    TMyModelRecord before = *record;
    const auto push = [&] {
        if (!SameRecord(before, *record))
            undo_.push(
                new TReplaceRecordCommand(*this, index, std::move(before), *record, label, edit));
    };
    try {
        change(*record);
    } catch (...) {
        push();
        throw;
    }
    push();
}

QString TModelDocument::NameOf(int index) const {
    const TMyModelRecord* record = Record(index);
    return record ? QStringFromGbk(record->ModelType.Str()) : QString();
}

void TModelDocument::PutRecord(int index, const TMyModelRecord& record) {
    if (TMyModelRecord* put = Editable(index))
        *put = record;
}

void TModelDocument::InsertRecord(int index, const TMyModelRecord& record,
                                  std::optional<uint16_t> outlines) {
    if (index < 0 || index > Count())
        return;
    models_.insert(models_.begin() + index, record);
    outlines_.Insert(index, outlines);
    if (workingIndex_ >= index)
        ++workingIndex_;
}

void TModelDocument::RemoveRecord(int index) {
    if (!Editable(index))
        return;
    models_.erase(models_.begin() + index);
    outlines_.Erase(index);
    if (workingIndex_ == index)
        workingIndex_ = -1;
    else if (workingIndex_ > index)
        --workingIndex_;
}

void TModelDocument::OpenWorking(int index) {
    const TMyModelRecord* record = Record(index);
    workingIndex_ = record ? index : -1;
    if (record) // the model shown before leaves the chip group this one does not use as it was
        working_ = WorkingModelOf(*record, working_);
}

void TModelDocument::PutWorking(int index, const TWorkingModel& model) {
    workingIndex_ = index;
    working_ = model;
}

void TModelDocument::EditWorking(const QString& label, int mergeKey,
                                 const std::function<void(TWorkingModel&)>& change) {
    if (!Record(workingIndex_))
        return;
    TWorkingModel after = working_;
    change(after);
    if (after == working_)
        return;
    if (!editMode_) {
        working_ = std::move(after);
        return;
    }
    undo_.push(
        new TWorkingEditCommand(*this, workingIndex_, working_, std::move(after), label, mergeKey));
}

std::optional<std::string> TModelDocument::StoreWorking() {
    if (!Record(workingIndex_))
        return std::nullopt;
    TStoreInput input = working_.Input;
    input.IgnoreKeyIdxRepeated = ignoreKeyIdxRepeated_;
    return Store(workingIndex_, input, working_.Memo1, working_.Memo2);
}

bool TModelDocument::SetName(int index, std::string_view name) {
    if (!Record(index) || name.empty())
        return false;
    ChangeRecord(index, QStringLiteral("Rename model"), TRecordEdit::Name,
                 [&](TMyModelRecord& record) { record.ModelType.Assign(name); });
    return true;
}

bool TModelDocument::SetId(int index, std::string_view hexText) {
    const std::optional<uint16_t> id = TryModelIdFromText(hexText);
    if (!Record(index) || !id)
        return false;
    ChangeRecord(index, QStringLiteral("Change model ID"), TRecordEdit::Id,
                 [&](TMyModelRecord& record) { record.ModelID = *id; });
    return true;
}

void TModelDocument::SetRemark(int index, std::string_view remark) {
    ChangeRecord(index, QStringLiteral("Change remark"), TRecordEdit::Remark,
                 [&](TMyModelRecord& record) { record.Remark.Assign(remark); });
}

std::optional<std::string> TModelDocument::Store(int index, const TStoreInput& input,
                                                 const TStrArray& memo1, const TStrArray& memo2) {
    std::optional<std::string> broken;
    ChangeRecord(index, QStringLiteral("Edit model %1").arg(NameOf(index)), TRecordEdit::Whole,
                 [&](TMyModelRecord& record) {
                     broken = StoreModel(models_, index, input);
                     if (!broken)
                         StoreCodePages(record, memo1, memo2);
                 });
    return broken;
}

size_t TModelDocument::Save(double saveTime) {
    const std::vector<TOutlineMove> moves = outlines_.Plan(models_);
    MarkReserved(models_);
    SaveModelFile(DatabasePath(), models_, saveTime, keepDatabaseOnSave_);
    keepDatabaseOnSave_ = false;
    undo_.setClean();
    const std::string notRemoved = TOutlineFiles::Apply(moves);
    outlines_.Reset(models_);
    if (!notRemoved.empty())
        throw Error(notRemoved);
    return models_.size();
}

void TModelDocument::Delete(int index) {
    const TMyModelRecord* record = Record(index);
    if (!record)
        return;
    undo_.push(new TInsertRecordCommand(*this, index, *record, outlines_.Source(index),
                                        QStringLiteral("Delete model %1").arg(NameOf(index)),
                                        true));
}

void TModelDocument::CopyAdd(int index) {
    TMyModelRecord copy;
    std::optional<uint16_t> outlines;
    if (!models_.empty()) {
        const TMyModelRecord* source = Record(index);
        if (!source)
            return;
        copy = *source;
        copy.ModelID = LowestFreeModelID(models_); // the source's ID is taken already
        outlines = outlines_.Source(index);        // the copy's outlines are the source's
    }
    undo_.push(new TInsertRecordCommand(*this, Count(), std::move(copy), outlines,
                                        QStringLiteral("Copy/Add model %1").arg(NameOf(index)),
                                        false));
}

bool TModelDocument::UnsavedImports() const {
    // The commands done since the last save; without a clean state to go back to, all of them.
    for (int i = std::max(undo_.cleanIndex(), 0); i < undo_.index(); ++i)
        if (dynamic_cast<const TImportCommand*>(undo_.command(i)))
            return true;
    return false;
}

TModelDocument::ImportResult TModelDocument::Import(const std::string& fileName) {
    TMyModelRecord imported;
    if (!ReadRemoteFile(fileName, imported))
        return ImportResult::NotAModelFile;
    const int index = ImportRemote(models_, imported);
    if (index < 0)
        return ImportResult::Full;
    // Taken back out and put in again as a command, so that it can be undone.
    TMyModelRecord added = std::move(models_[static_cast<size_t>(index)]);
    models_.erase(models_.begin() + index);
    undo_.push(new TImportCommand(
        *this, index, std::move(added), std::nullopt,
        QStringLiteral("Import model %1").arg(QStringFromGbk(imported.ModelType.Str())), false));
    return ImportResult::Imported;
}

void TModelDocument::Export(int index, const std::string& fileName) const {
    if (const TMyModelRecord* record = Record(index))
        WriteRemoteFile(fileName, *record);
}

void TModelDocument::ExportJson(const std::string& fileName) const {
    SaveJsonExport(fileName, models_);
}

std::optional<TMDFYFile> TModelDocument::ReadBrandTable() const {
    TMDFYFile brands;
    if (ReadBrandFile(BrandTablePath(exeDir_), brands) != kBrandFileRead)
        return std::nullopt;
    return brands;
}

void TModelDocument::ExportBrandList(const std::string& fileName, const TMDFYFile& brands,
                                     const TStrArray& codeLines) const {
    SaveBrandList(fileName, brands, CodeMapFromLines(codeLines));
}

TSSByteArray TModelDocument::LoadPicture(int index, const std::string& fileName) {
    if (!Record(index))
        return {};
    TSSByteArray picture = ReadPictureFile(fileName);
    ChangeRecord(index, QStringLiteral("Load picture of %1").arg(NameOf(index)), TRecordEdit::Whole,
                 [&](TMyModelRecord& changed) { ReplacePicture(changed, picture); });
    return picture;
}

} // namespace mm
