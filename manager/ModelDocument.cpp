#include "ModelDocument.h"

#include "model/CodePages.h"
#include "model/JsonExport.h"
#include "model/ModelFile.h"
#include "model/Picture.h"
#include "model/RemoteFile.h"

namespace mm {

TModelDocument::TModelDocument(std::string exeDir) : exeDir_(std::move(exeDir)) {}

std::string TModelDocument::DatabasePath() const {
    return ModelDatabasePath(exeDir_);
}

std::vector<std::string> TModelDocument::Load() {
    const std::string path = DatabasePath();
    unsaved_ = false;
    try {
        const TModelFileLoad load = LoadModelFile(path, models_);
        keepDatabaseOnSave_ = load.KeepOnSave();
        if (load.Exists && !load.Read)
            return {"The model database \"" + path +
                    "\" could not be read and has been kept; the first save keeps it as \"" + path +
                    ".bak\"."};
    } catch (const std::exception& error) {
        models_ = TMyModelRecords();
        keepDatabaseOnSave_ = true;
        return {error.what()};
    }
    return {};
}

const TMyModelRecord* TModelDocument::Record(int index) const {
    return index >= 0 && index < Count() ? &models_[static_cast<size_t>(index)] : nullptr;
}

TMyModelRecord* TModelDocument::Editable(int index) {
    return index >= 0 && index < Count() ? &models_[static_cast<size_t>(index)] : nullptr;
}

bool TModelDocument::SetName(int index, std::string_view name) {
    TMyModelRecord* record = Editable(index);
    if (!record || name.empty())
        return false;
    record->ModelType.Assign(name);
    unsaved_ = true;
    return true;
}

bool TModelDocument::SetId(int index, std::string_view hexText) {
    TMyModelRecord* record = Editable(index);
    const std::optional<uint16_t> id = TryModelIdFromText(hexText);
    if (!record || !id)
        return false;
    record->ModelID = *id;
    unsaved_ = true;
    return true;
}

void TModelDocument::SetRemark(int index, std::string_view remark) {
    if (TMyModelRecord* record = Editable(index)) {
        record->Remark.Assign(remark);
        unsaved_ = true;
    }
}

std::optional<std::string> TModelDocument::Store(int index, const TStoreInput& input,
                                                 const TStrArray& memo1, const TStrArray& memo2) {
    unsaved_ = true;
    if (auto broken = StoreModel(models_, index, input))
        return broken;
    if (TMyModelRecord* record = Editable(index))
        StoreCodePages(*record, memo1, memo2);
    return std::nullopt;
}

size_t TModelDocument::Save(double saveTime) {
    MarkReserved(models_);
    SaveModelFile(DatabasePath(), models_, saveTime, keepDatabaseOnSave_);
    keepDatabaseOnSave_ = false;
    unsaved_ = false;
    return models_.size();
}

void TModelDocument::Delete(int index) {
    if (!Editable(index))
        return;
    models_.erase(models_.begin() + index);
    unsaved_ = true;
}

void TModelDocument::CopyAdd(int index) {
    if (models_.empty()) {
        models_.emplace_back();
    } else {
        const TMyModelRecord* source = Record(index);
        if (!source)
            return;
        // Copied straight into the catalogue's memory (a source inside the array is safe).
        models_.push_back(*source);
        models_.back().ModelID = LowestFreeModelID(models_);
    }
    unsaved_ = true;
}

TModelDocument::ImportResult TModelDocument::Import(const std::string& fileName) {
    TMyModelRecord imported;
    if (!ReadRemoteFile(fileName, imported))
        return ImportResult::NotAModelFile;
    if (ImportRemote(models_, imported) < 0)
        return ImportResult::Full;
    unsaved_ = true;
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
    TMyModelRecord* record = Editable(index);
    if (!record)
        return {};
    TSSByteArray picture = ReadPictureFile(fileName);
    ReplacePicture(*record, picture);
    unsaved_ = true;
    return picture;
}

} // namespace mm
