#pragma once
// GBK (code page 936) text of records and files, converted to and from UTF-16.
#include <string>
#include <string_view>

namespace mm {

enum class Undecodable {
    Replace,  // a byte that is not GBK becomes U+FFFD (for output meant to be read)
    Preserve, // it becomes a private code point that GbkFromUtf16 turns back into the same byte
};

std::u16string Utf16FromGbk(std::string_view bytes, Undecodable mode = Undecodable::Preserve);

// Characters GBK cannot hold become "?", as the system code page does.
std::string GbkFromUtf16(std::u16string_view text);

// Bytes decoded with U+FFFD for what does not decode, as UTF-8.
std::string Utf8FromGbk(std::string_view bytes);

// The longest prefix of at most capacity bytes that does not end inside a double-byte
// character, so that a text cut to a field's capacity never leaves half a character behind.
size_t GbkCutLength(std::string_view bytes, size_t capacity);

} // namespace mm
