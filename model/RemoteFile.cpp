#include "RemoteFile.h"

#include "platform/FileWriter.h"

#include <algorithm>

namespace mm {

namespace {

int32_t FieldAt(TStream& stream, int offset) {
    int32_t value = 0;
    stream.SetPosition(offset);
    stream.Read(&value, sizeof value);
    return value;
}

// The file is the layout's record followed by as many bytes as its size field says, give or
// take the tolerance.
bool SizeFits(TStream& stream, int64_t size, TRecordLayout layout, int64_t tolerance = 0) {
    const auto fixed = static_cast<int64_t>(FixedPartSize(layout));
    if (size < fixed)
        return false;
    const int64_t expected = fixed + FieldAt(stream, BlobLengthOffset(layout));
    return std::max(size, expected) - std::min(size, expected) <= tolerance;
}

} // namespace

std::optional<TRecordLayout> RemoteFileLayout(TStream& stream) {
    const int64_t size = stream.Size();
    // The first fitting layout of the newer releases decides.
    for (TRecordLayout layout :
         {TRecordLayout::F003, TRecordLayout::F002, TRecordLayout::F001, TRecordLayout::F000})
        if (SizeFits(stream, size, layout))
            return layout;
    // Among the older ones the last fitting test decides: a 1236 file also passes the
    // tolerant 1237 test, and the exact 1236 test after it wins.
    std::optional<TRecordLayout> found;
    if (SizeFits(stream, size, TRecordLayout::V1237, 1))
        found = TRecordLayout::V1237;
    for (TRecordLayout layout : {TRecordLayout::V1236, TRecordLayout::V1235, TRecordLayout::V1234})
        if (SizeFits(stream, size, layout))
            found = layout;
    if (size == static_cast<int64_t>(FixedPartSize(TRecordLayout::Oldest)))
        found = TRecordLayout::Oldest;
    return found;
}

std::optional<TRecordLayout> RemoteFileLayout(const std::string& fileName) {
    TFileStream stream(fileName, TFileStream::Mode::OpenRead);
    return RemoteFileLayout(stream);
}

bool ReadRemoteRecord(TStream& stream, TMyModelRecord& record) {
    record = TMyModelRecord();
    const std::optional<TRecordLayout> layout = RemoteFileLayout(stream);
    if (!layout)
        return false;
    stream.SetPosition(0);
    ReaderOf (*layout)(stream, record);
    return true;
}

bool ReadRemoteFile(const std::string& fileName, TMyModelRecord& record) {
    TFileStream stream(fileName, TFileStream::Mode::OpenRead);
    return ReadRemoteRecord(stream, record);
}

void WriteRemoteFile(const std::string& fileName, const TMyModelRecord& record) {
    TAtomicFileWriter file(fileName);
    WriteRecord(file.Stream(), record);
    file.Commit();
}

int ImportRemote(TMyModelRecords& models, const TMyModelRecord& imported) {
    // A database saved with more models than a load accepts would be refused as a whole.
    if (models.size() >= static_cast<size_t>(kMaxModelCount))
        return -1;
    const uint16_t id = FindModelByID(models, imported.ModelID) != -1 ? LowestFreeModelID(models)
                                                                      : imported.ModelID;
    // Made in place, so the blob's one copy lands in the catalogue's memory.
    TMyModelRecord& added = models.emplace_back();
    added.Fixed() = imported.Fixed();
    added.ModelID = id;
    const auto length = static_cast<size_t>(
        std::clamp<int64_t>(imported.BlobSize, 0, static_cast<int64_t>(imported.Blob.size())));
    added.Blob.assign(imported.Blob.begin(),
                      imported.Blob.begin() + static_cast<ptrdiff_t>(length));
    return static_cast<int>(models.size() - 1);
}

} // namespace mm
