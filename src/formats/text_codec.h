#pragma once
// The data files' text encoding: the Chinese ANSI code page (GBK / CP936).
// Every conversion between file bytes and program text goes through here.
#include <string>
#include <string_view>

namespace tarnix {

// File bytes to UTF-32. NUL bytes become spaces; a byte sequence that is not
// GBK becomes U+FFFD, so damaged text never stops the reader.
std::u32string DecodeGbk(std::string_view bytes);
// UTF-8 program text to file bytes; characters GBK cannot hold become "?".
std::string EncodeGbk(std::string_view utf8);

std::u32string Utf8ToUtf32(std::string_view utf8);
std::string Utf32ToUtf8(std::u32string_view text);

// Lower-cases Latin, Greek, Cyrillic and full-width letters, as the readers
// lower-case the whole text before searching it.
char32_t LowerChar(char32_t c);
void LowerInPlace(std::u32string& text);

}  // namespace tarnix
