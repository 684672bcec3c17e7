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

// A brand table whose payload is a header claiming its true size followed by `zeros` zero
// bytes: deflate makes about a thousandth of it. Deflated piece by piece, never held whole.
inline Bytes DeflatedBomb(size_t zeros) {
    Bytes header(20, 0);
    PutI32(header, 16, static_cast<int32_t>(20 + zeros));
    z_stream z{};
    if (deflateInit(&z, Z_BEST_SPEED) != Z_OK)
        throw std::runtime_error("deflateInit failed");
    const Bytes piece(1 << 20, 0);
    Bytes out;
    Bytes chunk(1 << 16);
    const auto feed = [&](const Bytes& in, size_t size, int flush) {
        z.next_in = const_cast<Bytef*>(in.data());
        z.avail_in = static_cast<uInt>(size);
        do {
            z.next_out = chunk.data();
            z.avail_out = static_cast<uInt>(chunk.size());
            deflate(&z, flush);
            out.insert(out.end(), chunk.data(), chunk.data() + (chunk.size() - z.avail_out));
        } while (z.avail_out == 0);
    };
    feed(header, header.size(), Z_NO_FLUSH);
    for (size_t left = zeros; left > 0;) {
        const size_t n = std::min(left, piece.size());
        left -= n;
        feed(piece, n, left == 0 ? Z_FINISH : Z_NO_FLUSH);
    }
    deflateEnd(&z);
    return out;
}

} // namespace mm::test
