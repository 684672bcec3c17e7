#pragma once
// Lays out hot-map bytes field by field from the stored layout, independently of the writer.
#include <cstdint>
#include <string>
#include <vector>

namespace mm::test {

class THotMapBytes {
public:
    THotMapBytes& Tag(const std::string& text) {
        // Byte by byte: GCC 12 at -O3 takes a range insert into an empty vector for an overflow.
        for (const char c : text)
            bytes_.push_back(static_cast<uint8_t>(c));
        return *this;
    }
    THotMapBytes& U8(uint8_t value) {
        bytes_.push_back(value);
        return *this;
    }
    THotMapBytes& I32(int32_t value) {
        const auto u = static_cast<uint32_t>(value);
        for (int i = 0; i < 4; ++i)
            bytes_.push_back(static_cast<uint8_t>(u >> (8 * i)));
        return *this;
    }
    THotMapBytes& Ints(std::initializer_list<int32_t> values) {
        for (int32_t v : values)
            I32(v);
        return *this;
    }
    // A hint: its length, then its bytes.
    THotMapBytes& Text(const std::string& text) {
        I32(static_cast<int32_t>(text.size()));
        return Tag(text);
    }
    // The fields every spot record has after its shape byte, up to the outline.
    THotMapBytes& Fields(int32_t id, int32_t keyKind = 0, int32_t normal = 65280,
                         int32_t toggle = 16711935, uint8_t enabled = 1,
                         const std::string& hint = "") {
        Ints({id, keyKind, normal, toggle});
        U8(enabled);
        return Text(hint);
    }

    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    size_t Size() const { return bytes_.size(); }

private:
    std::vector<uint8_t> bytes_;
};

} // namespace mm::test
