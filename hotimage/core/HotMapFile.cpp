#include "HotMapFile.h"

#include "HotMapFormats.h"

namespace mm {

namespace {

TSSByteArray BinaryOf(const THotSpots& spots) {
    TMemoryStream stream;
    spots.SaveToStream(stream);
    return stream.TakeBytes();
}

} // namespace

void THotMapFile::Load(const std::string& fileName) {
    fileName_ = fileName;
    spots_.Clear();
    stored_ = BinaryOf(spots_);
    if (!FileExists(fileName_))
        return;
    LoadHotMap(fileName_, spots_, THotMapFormat::Binary);
    stored_ = BinaryOf(spots_);
}

void THotMapFile::Save() {
    SaveHotMap(fileName_, spots_, THotMapFormat::Binary);
    stored_ = BinaryOf(spots_);
}

bool THotMapFile::HoldsUnsavedChanges() const {
    return BinaryOf(spots_) != stored_;
}

} // namespace mm
