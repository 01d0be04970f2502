#pragma once
// Conversions between the program's Text (byte strings in code page 936, GBK)
// and the other encodings the program meets: UTF-16, UTF-8 and the charsets
// that web pages declare. No conversion reports an error: input that does not
// convert becomes one default character (U+FFFD in UTF-16, "?" in Text) and the
// conversion goes on after it.

#include <cstddef>
#include <string>
#include <string_view>

namespace moxilo::text {

// Code page 936 bytes, without NUL bytes.
using Text = std::string;

// Length in bytes of the Text character that starts at `position`: 2 for a lead byte
// 0x81..0xFE followed by a trail byte 0x40..0x7E or 0x80..0xFE, otherwise 1; 0 at or past
// the end. toWide turns every such character into exactly one UTF-16 unit, so stepping
// with this function walks a Text and its UTF-16 form in step.
std::size_t characterLength(std::string_view text, std::size_t position);

// End of the run of ASCII bytes (below 0x80) that starts at `from`: the first byte at or
// after `from` that is 0x80 or above, or text.size(). Each such byte is one character.
std::size_t asciiRunEnd(std::string_view text, std::size_t from);

// Text to UTF-16. The terminator is not stored in a std::u16string.
std::u16string toWide(std::string_view text);

// UTF-16 to Text, up to the first zero unit (or all units when there is none).
Text fromWide(std::u16string_view wide);

// Text as the wire form of wide text: UTF-16LE bytes ending in one zero unit
// ("abc" gives 8 bytes); the empty Text gives no bytes at all.
std::string toWideBytes(std::string_view text);

// UTF-16LE bytes (with or without a terminator, an odd last byte ignored) to Text,
// up to the first zero unit.
Text fromWideBytes(std::string_view bytes);

// UTF-8 bytes to Text. The whole input converts; a NUL byte stays a NUL byte.
Text utf8ToText(std::string_view utf8);

// Percent decoding: "%" and two hexadecimal digits (either case) give that byte, except
// that "%00" gives nothing; "+" and every other byte, a malformed escape included, pass
// through unchanged. With convertFromUtf8 the decoded bytes are then read as UTF-8.
Text percentDecode(std::string_view text, bool convertFromUtf8 = false);

// Bytes in the named charset (as a page declares it: "utf-8", "gbk", "big5" ...)
// to Text. The names of code page 936 and its subset GB2312 return the bytes unchanged,
// and so does an unknown charset.
Text charsetToText(std::string_view bytes, std::string_view charset);

}  // namespace moxilo::text
