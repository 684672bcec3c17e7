#pragma once
// Integer text as the whole program reads it: optional leading spaces, a sign, then decimal
// digits or "$", "x", "X", "0x", "0X" and up to 8 hexadecimal digits (the 32-bit pattern).
#include <cstdint>
#include <optional>
#include <string_view>

namespace mm {

std::optional<int32_t> TryStrToInt(std::string_view text);

// Raises ConvertError with the text when it is not an integer text.
int32_t StrToInt(std::string_view text);

} // namespace mm
