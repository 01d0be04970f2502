#pragma once
// Code page 936 as glibc's iconv converts it, looked up in tables that are built once,
// on first use, from iconv itself: what converts, to what, and what does not stays
// exactly iconv's, while a conversion costs one lookup per character.

#include <array>
#include <bit>
#include <cstdint>
#include <string_view>

#include "moxilo/text/codec.h"

namespace moxilo::text::cp936 {

inline constexpr const char* kWideCharset =
    std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
inline constexpr const char* kTextCharset = "CP936";
inline constexpr char16_t kWideReplacement = u'\uFFFD';
inline constexpr char kTextReplacement = '?';

inline bool isLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}
inline bool isTrailByte(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

// UTF-16 units seen as the bytes iconv takes.
inline std::string_view asBytes(std::u16string_view units) {
    return {reinterpret_cast<const char*>(units.data()), units.size() * sizeof(char16_t)};
}

// The UTF-16 unit of every Text character: a one-byte character at its byte value, a
// two-byte character at lead << 8 | trail (leads are 0x81 or above, so the two kinds
// never share an index). A character that does not convert, a lone lead byte included,
// gives U+FFFD.
using UnitTable = std::array<char16_t, 0x10000>;
const UnitTable& unitTable();

// The Text bytes of every UTF-16 unit: a value below 0x100 is one byte, any other value
// two bytes, the lead in its high byte. A unit that does not convert, a lone surrogate
// included, gives "?".
using ByteTable = std::array<std::uint16_t, 0x10000>;
const ByteTable& byteTable();

// Appends the Text of the character that a surrogate pair stands for. Code page 936
// holds no such character, but iconv drops some of them (tag characters) instead of
// failing, so pairs, which pages seldom hold, go to iconv one at a time.
void appendSurrogatePair(Text& output, char16_t high, char16_t low);

}  // namespace moxilo::text::cp936
