// Any bytes as the brand table, either as the file itself or as the payload inside a valid
// zlib stream (first byte odd), then the brand list built from what was read.
#include "model/uUniversalModel.h"

#include <cstdlib>
#include <zlib.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    mm::TSSByteArray file(data + 1, data + size);
    if (data[0] & 1) {
        uLongf length = compressBound(static_cast<uLong>(file.size()));
        mm::TSSByteArray deflated(length);
        if (compress(deflated.data(), &length, file.data(), static_cast<uLong>(file.size())) !=
            Z_OK)
            return 0;
        deflated.resize(length);
        file.swap(deflated);
    }
    mm::TMemoryStream input(std::move(file));
    mm::TMDFYFile table;
    const int result = mm::ReadBrandStream(input, table);
    if (result != mm::kBrandFileRead) {
        if (!table.FirstList.empty() || !table.BrandList.empty() || !table.CodeList.empty())
            std::abort();
        return 0;
    }
    mm::TCodeMap codes;
    for (int32_t code = 0; code < 300; ++code)
        codes.push_back({code, code % 7 == 0 ? -code : code * 3});
    const std::string text = mm::BrandListText(table, codes);
    if (text.size() < 11)
        std::abort();
    return 0;
}
