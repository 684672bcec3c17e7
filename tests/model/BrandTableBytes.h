#pragma once
// Brand table payloads laid out byte by byte, and their zlib streams.
#include "ModelBytes.h"

#include <stdexcept>
#include <zlib.h>

namespace mm::test {

struct BrandCode {
    int32_t brand;
    uint16_t codeNo;
};

// Header, `first` 9-byte entries, the brand entries and the code entries; the header's counts
// and total size are taken from them unless overridden by a test afterwards.
inline Bytes BrandPayload(const std::vector<std::string>& brands,
                          const std::vector<BrandCode>& codes, int32_t first = 1) {
    Bytes b(20 + static_cast<size_t>(first) * 9 + brands.size() * 33 + codes.size() * 57, 0);
    PutI32(b, 0, 0x12345678);
    PutI32(b, 4, first);
    PutI32(b, 8, static_cast<int32_t>(brands.size()));
    PutI32(b, 12, static_cast<int32_t>(codes.size()));
    PutI32(b, 16, static_cast<int32_t>(b.size()));
    size_t at = 20;
    for (int32_t i = 0; i < first; ++i, at += 9)
        b[at] = 0xEE;
    for (const std::string& brand : brands) {
        PutText(b, at, brand);
        at += 33;
    }
    for (const BrandCode& code : codes) {
        PutI32(b, at, code.brand);
        b[at + 4] = 0xCC; // bytes 4..54 are not interpreted
        PutU16(b, at + 55, code.codeNo);
        at += 57;
    }
    return b;
}

inline Bytes Deflated(const Bytes& payload) {
    uLongf size = compressBound(static_cast<uLong>(payload.size()));
    Bytes out(size);
    if (compress(out.data(), &size, payload.data(), static_cast<uLong>(payload.size())) != Z_OK)
        throw std::runtime_error("compress failed");
    out.resize(size);
    return out;
}

} // namespace mm::test
