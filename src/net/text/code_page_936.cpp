#include "code_page_936.h"

#include <string>

#include "iconv_conversion.h"
#include "iconv_handle.h"

namespace moxilo::text::cp936 {
namespace {

constexpr unsigned kAsciiEnd = 0x80;

std::size_t wholeInput(std::string_view rest) {
    return rest.size();
}

// What iconv makes of one character on its own: its units or bytes, or `replacement`.
template <typename Output>
Output convertOne(IconvHandle& converter, std::string_view character,
                  typename Output::value_type replacement) {
    Output output;
    appendConverted(converter, character, output, wholeInput, replacement);
    return output;
}

// ASCII is itself in both encodings and never reaches these tables' iconv side.
UnitTable buildUnitTable() {
    UnitTable table{};
    table.fill(kWideReplacement);
    IconvHandle converter{kWideCharset, kTextCharset};
    const auto store = [&](std::size_t index, std::string_view character) {
        // Every character of code page 936 is one UTF-16 unit, never a surrogate: toWide's
        // output is well-formed UTF-16 by construction. The codec tests hold this table to
        // iconv character by character.
        const auto units = convertOne<std::u16string>(converter, character, kWideReplacement);
        const bool single = units.size() == 1 && (units[0] < 0xD800 || units[0] > 0xDFFF);
        table[index] = single ? units[0] : kWideReplacement;
    };
    for (unsigned lead = 0; lead <= 0xFF; ++lead) {
        const auto leadByte = static_cast<char>(lead);
        if (lead < kAsciiEnd) {
            table[lead] = static_cast<char16_t>(lead);
            continue;
        }
        store(lead, std::string{leadByte});
        for (unsigned trail = 0; isLeadByte(static_cast<unsigned char>(lead)) && trail <= 0xFF;
             ++trail) {
            if (isTrailByte(static_cast<unsigned char>(trail))) {
                store(lead << 8 | trail, std::string{leadByte, static_cast<char>(trail)});
            }
        }
    }
    return table;
}

ByteTable buildByteTable() {
    ByteTable table{};
    IconvHandle converter{kTextCharset, kWideCharset};
    for (unsigned unit = 0; unit <= 0xFFFF; ++unit) {
        if (unit < kAsciiEnd) {
            table[unit] = static_cast<std::uint16_t>(unit);
            continue;
        }
        const std::u16string character{static_cast<char16_t>(unit)};
        const Text bytes = convertOne<Text>(converter, asBytes(character), kTextReplacement);
        // One or two bytes each; the codec tests hold this table to iconv unit by unit.
        unsigned value = 0;
        for (const char byte : bytes) {
            value = value << 8 | static_cast<unsigned char>(byte);
        }
        table[unit] = static_cast<std::uint16_t>(value);
    }
    return table;
}

}  // namespace

const UnitTable& unitTable() {
    static const UnitTable table = buildUnitTable();
    return table;
}

const ByteTable& byteTable() {
    static const ByteTable table = buildByteTable();
    return table;
}

void appendSurrogatePair(Text& output, char16_t high, char16_t low) {
    thread_local IconvHandle converter{kTextCharset, kWideCharset};
    const std::u16string pair{high, low};
    appendConverted(converter, asBytes(pair), output, wholeInput, kTextReplacement);
}

}  // namespace moxilo::text::cp936
