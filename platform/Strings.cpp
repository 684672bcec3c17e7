#include "Strings.h"

#include <cstdio>

namespace mm {

namespace {

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

template <typename Pred> std::string TrimIf(std::string_view text, Pred blank) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && blank(text[first]))
        ++first;
    while (last > first && blank(text[last - 1]))
        --last;
    return std::string(text.substr(first, last - first));
}

} // namespace

std::string Trim(std::string_view text) {
    return TrimIf(text, IsBlank);
}

bool SameText(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

std::string TrimSpaces(std::string_view text) {
    return TrimIf(text, [](char c) { return c == ' '; });
}

TStrArray SplitString(std::string_view text, char separator) {
    TStrArray pieces;
    const std::string whole = Trim(text);
    size_t start = 0;
    while (start <= whole.size()) {
        size_t end = whole.find(separator, start);
        if (end == std::string::npos)
            end = whole.size();
        std::string piece = Trim(std::string_view(whole).substr(start, end - start));
        if (!piece.empty())
            pieces.push_back(std::move(piece));
        start = end + 1;
    }
    return pieces;
}

std::string Hex4(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value & 0xFFFFu);
    return text;
}

} // namespace mm
