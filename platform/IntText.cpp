#include "IntText.h"

#include "Errors.h"

#include <string>

namespace mm {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<int64_t> ParseHex(std::string_view digits) {
    if (digits.empty() || digits.size() > 8)
        return std::nullopt;
    uint32_t value = 0;
    for (char c : digits) {
        const int d = HexDigit(c);
        if (d < 0)
            return std::nullopt;
        value = (value << 4) | static_cast<uint32_t>(d);
    }
    return static_cast<int32_t>(value);
}

std::optional<int64_t> ParseDecimal(std::string_view digits) {
    if (digits.empty())
        return std::nullopt;
    int64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > int64_t{INT32_MAX} + 1)
            return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<int32_t> TryStrToInt(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    std::string_view rest = text.substr(pos);
    std::optional<int64_t> magnitude;
    if (rest.starts_with('$') || rest.starts_with('x') || rest.starts_with('X')) {
        magnitude = ParseHex(rest.substr(1));
    } else if (rest.starts_with("0x") || rest.starts_with("0X")) {
        magnitude = ParseHex(rest.substr(2));
    } else {
        magnitude = ParseDecimal(rest);
        if (magnitude && !negative && *magnitude > INT32_MAX)
            return std::nullopt;
    }
    if (!magnitude)
        return std::nullopt;
    // Hexadecimal patterns wrap like the 32-bit register they stand for.
    const int64_t value = negative ? -*magnitude : *magnitude;
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

int32_t StrToInt(std::string_view text) {
    if (auto value = TryStrToInt(text))
        return *value;
    throw ConvertError(std::string(text));
}

} // namespace mm
