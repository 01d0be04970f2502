#pragma once
// Conversions between the program's Text (byte strings in code page 936, GBK)
// and the other encodings the program meets: UTF-16, UTF-8 and the charsets
// that web pages declare. No conversion reports an error: input that does not
// convert becomes one default character (U+FFFD in UTF-16, "?" in Text) and the
// conversion goes on after it.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

// Text to UTF-16. The terminator is not stored in a std::u16string. The result is always
// well-formed UTF-16: no Text character, valid or not, becomes a surrogate.
std::u16string toWide(std::string_view text);

// Text to UTF-16 into a buffer the caller owns (a QString's, say): the longest run of whole
// characters from the start that fits. Returns the number of units written; `out` never
// needs more units than `text` has bytes.
std::size_t toWide(std::string_view text, std::span<char16_t> out);

// toWide(text) together with the way back from its unit offsets to byte offsets of the
// Text, for a caller that searches the UTF-16 form and reports places in the Text.
class IndexedWide {
public:
    explicit IndexedWide(std::string_view text);

    std::u16string_view units() const { return {units_.get(), unitCount_}; }

    // Where the character that became unit `unit` starts in the Text; the Text's size for
    // units().size() and beyond. Constant time.
    std::size_t byteOffset(std::size_t unit) const;

private:
    std::unique_ptr<char16_t[]> units_;  // as many as the Text has bytes, the first unitCount_ used
    std::size_t unitCount_ = 0;
    std::vector<std::uint64_t> twoByteUnits_;  // bit u: unit u came from a two-byte character
    std::vector<std::size_t> wordStarts_;      // byte offset of unit 64 * k
};

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
