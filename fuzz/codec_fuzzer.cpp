// Percent decoding and the code page conversions over any bytes. Beyond not crashing,
// the promises the matcher and the page client build on must hold: one well-formed UTF-16
// unit per Text character, offsets that map back, and a text that went through the
// conversions once comes back as it is.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "moxilo/text/codec.h"
#include "moxilo/text/text_to_utf8.h"

namespace {

using moxilo::fuzz::require;
namespace text = moxilo::text;

// Charsets a page may declare, besides the name the input gives: the common ones, and
// stateful or multi-character ones whose converters have had faults of their own.
constexpr std::array<std::string_view, 24> kCharsets = {
    "utf-8",           "gbk",         "big5",         "shift_jis",
    "euc-kr",          "iso-8859-1",  "utf-16",       "utf-32",
    "iso-2022-jp",     "gb18030",     "utf-7",        "koi8-r",
    "windows-1252",    "big5-hkscs",  "euc-jisx0213", "shift_jisx0213",
    "iso-2022-cn-ext", "iso-2022-kr", "euc-tw",       "tscii",
    "ibm930",          "ibm1364",     "utf-7-imap",   "iso-2022-jp-3"};

std::size_t characterCount(std::string_view bytes) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < bytes.size(); at += text::characterLength(bytes, at)) {
        ++count;
    }
    return count;
}

void checkAsciiRuns(std::string_view input) {
    for (std::size_t from = 0; from < input.size(); from = text::asciiRunEnd(input, from) + 1) {
        const std::size_t end = text::asciiRunEnd(input, from);
        const auto high = std::find_if(input.begin() + static_cast<std::ptrdiff_t>(from),
                                       input.end(), [](char c) { return (c & 0x80) != 0; });
        const auto expected = static_cast<std::size_t>(high - input.begin());
        require(end == expected, "an ASCII run ends at the first byte of 0x80 or more");
    }
}

void checkPercentDecode(std::string_view input) {
    require(text::percentDecode(input).size() <= input.size(), "decoding never adds bytes");
    text::percentDecode(input, true);
}

bool isSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// The matcher searches toWide's units without checking them, and maps its offsets back
// through IndexedWide; the buffer form must agree with the string form.
void checkWideForms(std::string_view input, const std::u16string& wide) {
    require(wide.size() == characterCount(input), "toWide gives one unit per character");
    require(std::none_of(wide.begin(), wide.end(), isSurrogate),
            "no character becomes a surrogate");

    const text::IndexedWide indexed(input);
    require(indexed.units() == wide, "IndexedWide holds toWide's units");
    std::size_t unit = 0;
    for (std::size_t at = 0; at < input.size(); at += text::characterLength(input, at)) {
        require(indexed.byteOffset(unit++) == at, "a unit maps back to its character's start");
    }
    require(
        indexed.byteOffset(unit) == input.size() && indexed.byteOffset(unit + 1) == input.size(),
        "units past the end map to the end");

    const std::size_t room = input.empty() ? 0 : static_cast<unsigned char>(input[0]);
    std::u16string buffer(room, u'\0');
    const std::size_t written = text::toWide(input, buffer);
    require(
        written == std::min(room, wide.size()) && std::u16string_view(buffer).substr(0, written) ==
                                                      std::u16string_view(wide).substr(0, written),
        "a buffer takes the characters that fit, as toWide converts them");
}

void checkRoundTrips(std::string_view input) {
    const std::u16string wide = text::toWide(input);
    checkWideForms(input, wide);

    // What does not convert became "?" on the way: a second trip changes nothing.
    const text::Text once = text::fromWide(wide);
    require(text::fromWide(text::toWide(once)) == once, "Text survives UTF-16 and back");
    require(text::fromWideBytes(text::toWideBytes(input)) == once,
            "the wire form of wide text converts like toWide");
    if (input.find('\0') == std::string_view::npos) {
        require(text::utf8ToText(text::textToUtf8(input)) == once, "Text survives UTF-8 and back");
    }
}

void checkCharsets(std::string_view input) {
    const auto [name, bytes] = moxilo::fuzz::splitArguments<2>(input);
    text::charsetToText(bytes, name);
    const std::size_t pick = name.empty() ? 0 : static_cast<unsigned char>(name.front());
    text::charsetToText(bytes, kCharsets[pick % kCharsets.size()]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = moxilo::fuzz::asText(data, size);
    checkAsciiRuns(input);
    checkPercentDecode(input);
    checkRoundTrips(input);
    text::utf8ToText(input);
    text::fromWideBytes(input);  // any UTF-16, lone surrogates included
    checkCharsets(input);
    return 0;
}
