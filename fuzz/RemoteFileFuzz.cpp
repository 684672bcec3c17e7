// Any bytes as a single-remote file: the first byte picks a layout whose size field is made to
// fit the rest, so every reader is reached. Whatever is recognised reads within the bytes, and
// the model exported again is recognised as the current layout and reads back the same.
#include "model/RemoteFile.h"

#include <cstdlib>
#include <cstring>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

mm::TSSByteArray Shaped(const uint8_t* data, size_t size) {
    mm::TSSByteArray file(data + 1, data + size);
    const auto layout = static_cast<mm::TRecordLayout>(data[0] % 9);
    const size_t fixed = mm::FixedPartSize(layout);
    if (file.size() < fixed)
        file.resize(fixed);
    const int at = mm::BlobLengthOffset(layout);
    if (at < 0)
        file.resize(fixed);
    else if (data[0] & 0x80) {
        const auto blob = static_cast<int32_t>(file.size() - fixed);
        std::memcpy(file.data() + at, &blob, sizeof blob);
    }
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    mm::TMemoryStream input(Shaped(data, size));
    mm::TMyModelRecord record;
    if (!mm::ReadRemoteRecord(input, record))
        return 0;
    Check(record.KeyCount <= mm::kMaxKeyEntries && record.BlobSize >= 0 &&
          static_cast<size_t>(record.BlobSize) == record.Blob.size());
    mm::TMemoryStream exported;
    mm::WriteRecord(exported, record);
    mm::TMemoryStream again(exported.TakeBytes());
    Check(mm::RemoteFileLayout(again) == mm::TRecordLayout::F003);
    mm::TMyModelRecord back;
    Check(mm::ReadRemoteRecord(again, back) &&
          std::memcmp(&back.Fixed(), &record.Fixed(), sizeof(mm::TModelFixedPart)) == 0 &&
          back.Blob == record.Blob);
    return 0;
}
