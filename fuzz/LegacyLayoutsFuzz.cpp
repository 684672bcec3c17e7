// Any bytes as the records of a database in every layout: each reader stays inside the bytes
// and the table, and what it converted is written and read back unchanged in the current layout.
#include "model/ModelFile.h"

#include <cstdlib>
#include <cstring>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

void ReadAs(uint16_t version, const uint8_t* data, size_t size) {
    mm::TModelFileHeader header{};
    header.Count = 8; // a few records; the reader stops where the bytes end
    header.Version = version;
    mm::TSSByteArray file(reinterpret_cast<const uint8_t*>(&header),
                          reinterpret_cast<const uint8_t*>(&header) + sizeof header);
    file.insert(file.end(), data, data + size);
    mm::TMemoryStream input(std::move(file));
    mm::TMyModelRecords models;
    Check(mm::ReadModels(input, models));
    for (const mm::TMyModelRecord& m : models) {
        Check(m.KeyCount <= mm::kMaxKeyEntries);
        Check(m.BlobSize >= 0 && static_cast<size_t>(m.BlobSize) == m.Blob.size());
    }
    mm::TMemoryStream written;
    mm::WriteModels(written, models, 0);
    mm::TMemoryStream again(written.TakeBytes());
    mm::TMyModelRecords back;
    Check(mm::ReadModels(again, back) && back.size() == models.size());
    for (size_t i = 0; i < models.size(); ++i)
        Check(std::memcmp(&models[i].Fixed(), &back[i].Fixed(), sizeof(mm::TModelFixedPart)) == 0 &&
              back[i].Blob == models[i].Blob);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (uint16_t version :
         {0xF003, 0xF002, 0xF001, 0xF000, 0x1237, 0x1236, 0x1235, 0x1234, 0x0000})
        ReadAs(version, data, size);
    return 0;
}
