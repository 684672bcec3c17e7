// Any bytes as a model database: read, write again, and read back the same records.
#include "model/ModelFile.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    mm::TMemoryStream input(mm::TSSByteArray(data, data + size));
    mm::TMyModelRecords models;
    if (!mm::ReadModels(input, models))
        return 0;
    mm::TMemoryStream written;
    mm::WriteModels(written, models, 0);
    mm::TMemoryStream again(written.TakeBytes());
    mm::TMyModelRecords back;
    if (!mm::ReadModels(again, back) || back.size() != models.size())
        std::abort();
    for (size_t i = 0; i < models.size(); ++i)
        if (std::memcmp(&models[i].Fixed(), &back[i].Fixed(), sizeof(mm::TModelFixedPart)) != 0 ||
            back[i].Blob.size() != static_cast<size_t>(models[i].BlobSize))
            std::abort();
    return 0;
}
