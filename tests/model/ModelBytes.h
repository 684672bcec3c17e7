#pragma once
// Builds record and database images byte by byte from the stored layout, independently of
// the structures under test.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace mm::test {

using Bytes = std::vector<uint8_t>;

inline void PutU16(Bytes& b, size_t at, uint16_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

inline void PutI32(Bytes& b, size_t at, int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(u >> (8 * i));
}

inline int32_t GetI32(const Bytes& b, size_t at) {
    uint32_t u = 0;
    for (int i = 3; i >= 0; --i)
        u = (u << 8) | b[at + i];
    return static_cast<int32_t>(u);
}

inline void PutText(Bytes& b, size_t at, const std::string& text) {
    b[at] = static_cast<uint8_t>(text.size());
    std::memcpy(b.data() + at + 1, text.data(), text.size());
}

// The 3280-byte fixed part of a current record with the given identity and blob size.
inline Bytes CurrentRecord(uint16_t id, const std::string& name, int32_t blobSize = 0) {
    Bytes b(3280, 0);
    PutText(b, 3101, name);
    PutU16(b, 3128, id);
    b[3132] = 1;
    PutI32(b, 3276, blobSize);
    return b;
}

inline Bytes Header(int32_t count, uint16_t version = 0xF003) {
    Bytes b(512, 0);
    PutI32(b, 0, count);
    PutU16(b, 260, version);
    return b;
}

inline void Append(Bytes& to, const Bytes& more) {
    to.insert(to.end(), more.begin(), more.end());
}

} // namespace mm::test
