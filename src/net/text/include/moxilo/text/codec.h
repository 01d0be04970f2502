#pragma once
// Conversions between the program's Text (byte strings in code page 936, GBK)
// and the other encodings the program meets: UTF-16, UTF-8 and the charsets
// that web pages declare. No conversion reports an error: bytes that do not
// convert become the code page's default character.

#include <string>
#include <string_view>

namespace moxilo::text {

// Code page 936 bytes, without NUL bytes.
using Text = std::string;

// Text to UTF-16. The terminator is not stored in a std::u16string.
std::u16string toWide(std::string_view text);

// UTF-16 to Text, up to the first zero unit (or all units when there is none).
Text fromWide(std::u16string_view wide);

// UTF-8 bytes to Text.
Text utf8ToText(std::string_view utf8);

// Percent decoding; with convertFromUtf8 the decoded bytes are then read as UTF-8.
Text percentDecode(std::string_view text, bool convertFromUtf8 = false);

// Bytes in the named charset (as a page declares it: "utf-8", "gbk", "big5" ...)
// to Text. An unknown charset returns the bytes unchanged.
Text charsetToText(std::string_view bytes, std::string_view charset);

}  // namespace moxilo::text
