#include "Picture.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace mm {

namespace {

std::string UpperExtension(std::string_view fileName) {
    const size_t slash = fileName.find_last_of('/');
    const std::string_view name =
        slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    std::string ext(dot == std::string_view::npos ? std::string_view() : name.substr(dot));
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return ext;
}

} // namespace

bool HasJpegExtension(std::string_view fileName) {
    const std::string ext = UpperExtension(fileName);
    return ext == ".JPG" || ext == ".JPEG";
}

TSSByteArray ReadPictureFile(const std::string& fileName) {
    if (!HasJpegExtension(fileName))
        throw PictureRefused(kNotJpegFileMessage);
    TFileStream stream(fileName, TFileStream::Mode::OpenRead);
    const int64_t size = stream.Size();
    if (size > static_cast<int64_t>(kMaxPictureFileSize))
        throw PictureRefused(kPictureTooBigMessage);
    TSSByteArray bytes(static_cast<size_t>(std::max<int64_t>(size, 0)));
    stream.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

void ReplacePicture(TMyModelRecord& record, const TSSByteArray& picture) {
    const int64_t oldPicture = record.PicSize;
    const int64_t oldEnd = record.BlobSize;
    const bool regionHeld = oldPicture >= 0 && oldPicture <= oldEnd &&
                            oldEnd <= static_cast<int64_t>(record.Blob.size());
    TSSByteArray blob(picture);
    if (regionHeld)
        blob.insert(blob.end(), record.Blob.begin() + oldPicture, record.Blob.begin() + oldEnd);
    if (blob.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        throw ListError::CountOutOfBounds(static_cast<long long>(blob.size()));
    if (!regionHeld)
        record.UniversalCount = record.ProtocolCount = 0;
    record.PicSize = static_cast<int32_t>(picture.size());
    record.BlobSize = static_cast<int32_t>(blob.size());
    record.Blob = std::move(blob);
}

} // namespace mm
