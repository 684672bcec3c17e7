#include "Gbk.h"

#include <array>
#include <iconv.h>
#include <unordered_map>

namespace mm {

namespace {

// Undecodable bytes are kept as U+F700 + byte: a private range that GBK itself never uses.
constexpr char16_t kPreservedBase = 0xF700;
constexpr char16_t kReplacement = 0xFFFD;

// Every GBK character decoded once; a pair is only taken when encoding its character gives the
// same two bytes back, so decoding and encoding are exact inverses.
class GbkTables {
public:
    GbkTables() {
        iconv_t decoder = iconv_open("UTF-16LE", "GBK");
        if (decoder == reinterpret_cast<iconv_t>(-1))
            return;
        for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
            for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
                char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                char out[8] = {};
                char* inPtr = in;
                char* outPtr = out;
                size_t inLeft = 2;
                size_t outLeft = sizeof out;
                iconv(decoder, nullptr, nullptr, nullptr, nullptr);
                if (iconv(decoder, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) ||
                    sizeof out - outLeft != 2)
                    continue;
                const char16_t ch = static_cast<char16_t>(
                    static_cast<unsigned char>(out[0]) | (static_cast<unsigned char>(out[1]) << 8));
                if (ch >= 0xD800 && ch <= 0xDFFF)
                    continue;
                const uint16_t pair = static_cast<uint16_t>(lead << 8 | trail);
                if (encode_.emplace(ch, pair).second)
                    decode_[Index(lead, trail)] = ch;
            }
        }
        iconv_close(decoder);
    }

    char16_t Decode(unsigned lead, unsigned trail) const {
        if (lead < 0x81 || lead > 0xFE || trail < 0x40 || trail > 0xFE)
            return 0;
        return decode_[Index(lead, trail)];
    }

    int Encode(char16_t ch) const {
        const auto found = encode_.find(ch);
        return found == encode_.end() ? -1 : found->second;
    }

private:
    static size_t Index(unsigned lead, unsigned trail) {
        return (lead - 0x81) * 191 + (trail - 0x40);
    }

    std::array<char16_t, 126 * 191> decode_{};
    std::unordered_map<char16_t, uint16_t> encode_;
};

const GbkTables& Tables() {
    static const GbkTables tables;
    return tables;
}

} // namespace

std::u16string Utf16FromGbk(std::string_view bytes, Undecodable mode) {
    const GbkTables& tables = Tables();
    std::u16string text;
    text.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            text.push_back(b);
            continue;
        }
        if (i + 1 < bytes.size()) {
            if (char16_t ch = tables.Decode(b, static_cast<unsigned char>(bytes[i + 1]))) {
                text.push_back(ch);
                ++i;
                continue;
            }
        }
        text.push_back(mode == Undecodable::Preserve ? static_cast<char16_t>(kPreservedBase + b)
                                                     : kReplacement);
    }
    return text;
}

size_t GbkCutLength(std::string_view bytes, size_t capacity) {
    if (bytes.size() <= capacity)
        return bytes.size();
    const GbkTables& tables = Tables();
    size_t end = 0;
    while (end < capacity) {
        const unsigned char b = static_cast<unsigned char>(bytes[end]);
        const bool pair = b >= 0x80 && end + 1 < bytes.size() &&
                          tables.Decode(b, static_cast<unsigned char>(bytes[end + 1])) != 0;
        const size_t width = pair ? 2 : 1;
        if (end + width > capacity)
            break;
        end += width;
    }
    return end;
}

std::string GbkFromUtf16(std::u16string_view text) {
    const GbkTables& tables = Tables();
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t ch : text) {
        if (ch < 0x80) {
            bytes.push_back(static_cast<char>(ch));
        } else if (ch >= kPreservedBase + 0x80 && ch <= kPreservedBase + 0xFF) {
            bytes.push_back(static_cast<char>(ch - kPreservedBase));
        } else if (const int pair = tables.Encode(ch); pair >= 0) {
            bytes.push_back(static_cast<char>(pair >> 8));
            bytes.push_back(static_cast<char>(pair & 0xFF));
        } else {
            bytes.push_back('?');
        }
    }
    return bytes;
}

std::string Utf8FromGbk(std::string_view bytes) {
    std::string utf8;
    const std::u16string text = Utf16FromGbk(bytes, Undecodable::Replace);
    utf8.reserve(text.size());
    for (char16_t ch : text) {
        if (ch < 0x80) {
            utf8.push_back(static_cast<char>(ch));
        } else if (ch < 0x800) {
            utf8.push_back(static_cast<char>(0xC0 | (ch >> 6)));
            utf8.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
        } else {
            utf8.push_back(static_cast<char>(0xE0 | (ch >> 12)));
            utf8.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
            utf8.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
        }
    }
    return utf8;
}

} // namespace mm
