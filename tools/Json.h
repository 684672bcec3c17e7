#pragma once
// Proper JSON text for the companion's output.
#include <string>
#include <string_view>

namespace mm::tool {

// A quoted JSON string of UTF-8 text, with quotes, backslashes and control characters escaped.
std::string JsonString(std::string_view utf8);

} // namespace mm::tool
