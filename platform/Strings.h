#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace mm {

using TStrArray = std::vector<std::string>;

// Drops leading and trailing blanks and control characters (bytes up to 0x20).
std::string Trim(std::string_view text);

// Only spaces, as the search box trims its text.
std::string TrimSpaces(std::string_view text);

// Trims the text, cuts it at every separator and returns the trimmed, non-empty pieces.
TStrArray SplitString(std::string_view text, char separator);

// Equal when they differ only in the case of ASCII letters; other bytes must match exactly.
bool SameText(std::string_view a, std::string_view b);

// "%04X" of the low 16 bits: how model identifiers are shown and named.
std::string Hex4(unsigned value);

} // namespace mm
