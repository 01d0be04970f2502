#include "moxilo/text/codec.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>

#include "code_page_936.h"
#include "iconv_conversion.h"
#include "iconv_handle.h"

namespace moxilo::text {
namespace {

using cp936::kWideReplacement;

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

constexpr std::size_t kWordBytes = 8;
constexpr std::size_t kUnitsPerWord = 64;  // bits in a word of IndexedWide's two-byte marks

// True when the eight bytes from `bytes` on are all ASCII.
bool isAsciiWord(const char* bytes) {
    constexpr std::uint64_t kHighBits = 0x8080'8080'8080'8080;
    std::uint64_t word = 0;
    std::memcpy(&word, bytes, sizeof(word));
    return (word & kHighBits) == 0;
}

// The characters of `text` as UTF-16 into `out`, until `out` is full or the Text ends;
// returns the number of units written. When `twoByteUnits` is given, the bit of every
// unit that came from a two-byte character is set in it (one bit a unit, from unit 0).
std::size_t decodeText(std::string_view text, std::span<char16_t> out,
                       std::uint64_t* twoByteUnits) {
    const cp936::UnitTable& units = cp936::unitTable();
    std::size_t at = 0;
    std::size_t written = 0;
    while (written < out.size() && at < text.size()) {
        // Pages are mostly markup: ASCII widens eight bytes at a time.
        while (out.size() - written >= kWordBytes && text.size() - at >= kWordBytes &&
               isAsciiWord(text.data() + at)) {
            for (std::size_t byte = 0; byte < kWordBytes; ++byte) {
                out[written + byte] = static_cast<unsigned char>(text[at + byte]);
            }
            written += kWordBytes;
            at += kWordBytes;
        }
        if (written < out.size() && at < text.size()) {
            const auto lead = static_cast<unsigned char>(text[at]);
            if (characterLength(text, at) == 2) {
                out[written] = units[lead << 8 | static_cast<unsigned char>(text[at + 1])];
                if (twoByteUnits != nullptr) {
                    twoByteUnits[written / kUnitsPerWord] |= std::uint64_t{1}
                                                             << written % kUnitsPerWord;
                }
                at += 2;
            } else {
                out[written] = units[lead];
                ++at;
            }
            ++written;
        }
    }
    return written;
}

// A Text written through a buffer sized beforehand, so a character costs a store or two.
class TextBuilder {
public:
    explicit TextBuilder(std::size_t expectedSize) : text_(expectedSize, '\0') {}

    void appendAscii(std::string_view ascii) {
        makeRoom(ascii.size());
        std::memcpy(text_.data() + size_, ascii.data(), ascii.size());
        size_ += ascii.size();
    }

    // A character of code page 936 as cp936::byteTable() holds it.
    void appendCharacter(std::uint16_t bytes) {
        makeRoom(2);
        if (bytes > 0xFF) {
            text_[size_++] = static_cast<char>(bytes >> 8);
        }
        text_[size_++] = static_cast<char>(bytes & 0xFF);
    }

    void appendSurrogatePair(char16_t high, char16_t low) {
        text_.resize(size_);
        cp936::appendSurrogatePair(text_, high, low);
        size_ = text_.size();
        text_.resize(text_.capacity());
    }

    Text take() && {
        text_.resize(size_);
        return std::move(text_);
    }

private:
    void makeRoom(std::size_t bytes) {
        if (text_.size() - size_ < bytes) {
            text_.resize(std::max(2 * text_.size(), size_ + bytes));
        }
    }

    Text text_;
    std::size_t size_ = 0;
};

// All units, a zero unit included.
Text wideToText(std::u16string_view wide) {
    const cp936::ByteTable& characters = cp936::byteTable();
    TextBuilder text(2 * wide.size());
    for (std::size_t position = 0; position < wide.size();) {
        const char16_t unit = wide[position];
        if (isHighSurrogate(unit) && position + 1 < wide.size() &&
            isLowSurrogate(wide[position + 1])) {
            text.appendSurrogatePair(unit, wide[position + 1]);
            position += 2;
        } else {
            text.appendCharacter(characters[unit]);
            ++position;
        }
    }
    return std::move(text).take();
}

struct Utf8Character {
    char32_t codePoint;
    std::size_t length;
};

// The UTF-8 character at `position` (its first byte 0x80 or above) as iconv reads UTF-8:
// the shortest form only, no surrogates, nothing above U+10FFFF. Anything else is one
// byte that does not convert, U+FFFD.
Utf8Character decodeUtf8(std::string_view utf8, std::size_t position) {
    constexpr Utf8Character kBadByte{kWideReplacement, 1};
    const auto byteAt = [&](std::size_t offset) -> unsigned {
        return position + offset < utf8.size() ? static_cast<unsigned char>(utf8[position + offset])
                                               : 0;
    };
    const unsigned lead = byteAt(0);
    std::size_t length = 0;
    unsigned secondLow = 0x80;  // the second byte's range narrows to forbid the bad forms
    unsigned secondHigh = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        secondLow = lead == 0xE0 ? 0xA0 : 0x80;   // overlong
        secondHigh = lead == 0xED ? 0x9F : 0xBF;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        secondLow = lead == 0xF0 ? 0x90 : 0x80;   // overlong
        secondHigh = lead == 0xF4 ? 0x8F : 0xBF;  // above U+10FFFF
    } else {
        return kBadByte;
    }
    char32_t codePoint = lead & (0x7F >> length);
    for (std::size_t offset = 1; offset < length; ++offset) {
        const unsigned byte = byteAt(offset);
        if (byte < (offset == 1 ? secondLow : 0x80) || byte > (offset == 1 ? secondHigh : 0xBF)) {
            return kBadByte;
        }
        codePoint = codePoint << 6 | (byte & 0x3F);
    }
    return {codePoint, length};
}

std::string lowerCaseTrimmed(std::string_view name) {
    constexpr std::string_view kTrimmed = " \t\r\n\"'";
    const std::size_t first = name.find_first_not_of(kTrimmed);
    if (first == std::string_view::npos) {
        return {};
    }
    name = name.substr(first, name.find_last_not_of(kTrimmed) - first + 1);
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return lower;
}

bool isCodePage936Name(std::string_view name) {
    constexpr std::array<std::string_view, 9> kNames = {"gbk",        "gb2312",      "cp936",
                                                        "ms936",      "windows-936", "x-gbk",
                                                        "gb_2312-80", "csgb2312",    "euc-cn"};
    return std::find(kNames.begin(), kNames.end(), name) != kNames.end();
}

// Keeps page-supplied names away from iconv's suffix syntax ("//TRANSLIT") and oddities.
bool isPlainCharsetName(std::string_view name) {
    constexpr std::size_t kLongestName = 40;
    return !name.empty() && name.size() <= kLongestName &&
           std::all_of(name.begin(), name.end(), [](char c) {
               return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
                      c == '.' || c == ':';
           });
}

}  // namespace

std::size_t characterLength(std::string_view text, std::size_t position) {
    if (position >= text.size()) {
        return 0;
    }
    const bool pair = cp936::isLeadByte(static_cast<unsigned char>(text[position])) &&
                      position + 1 < text.size() &&
                      cp936::isTrailByte(static_cast<unsigned char>(text[position + 1]));
    return pair ? 2 : 1;
}

std::size_t asciiRunEnd(std::string_view text, std::size_t from) {
    // Eight bytes at a time: pages are mostly markup.
    while (from + kWordBytes <= text.size() && isAsciiWord(text.data() + from)) {
        from += kWordBytes;
    }
    while (from < text.size() && static_cast<unsigned char>(text[from]) < 0x80) {
        ++from;
    }
    return from;
}

std::u16string toWide(std::string_view text) {
    // Titles and header values: convert on the stack, so the result is made once at its size
    // (mostly without touching the heap) instead of at the Text's size and then cut.
    constexpr std::size_t kShortText = 64;
    if (text.size() <= kShortText) {
        std::array<char16_t, kShortText> units;
        return std::u16string(units.data(), decodeText(text, units, nullptr));
    }
    std::u16string wide(text.size(), u'\0');
    wide.resize(decodeText(text, wide, nullptr));
    return wide;
}

std::size_t toWide(std::string_view text, std::span<char16_t> out) {
    return decodeText(text, out, nullptr);
}

IndexedWide::IndexedWide(std::string_view text)
    : units_(std::make_unique_for_overwrite<char16_t[]>(text.size())),
      twoByteUnits_(text.size() / kUnitsPerWord + 1) {
    unitCount_ = decodeText(text, {units_.get(), text.size()}, twoByteUnits_.data());
    wordStarts_.reserve(twoByteUnits_.size());
    std::size_t start = 0;
    for (const std::uint64_t marks : twoByteUnits_) {
        wordStarts_.push_back(start);
        start += kUnitsPerWord + static_cast<std::size_t>(std::popcount(marks));
    }
}

std::size_t IndexedWide::byteOffset(std::size_t unit) const {
    unit = std::min(unit, unitCount_);
    const std::size_t word = unit / kUnitsPerWord;
    const std::uint64_t before = (std::uint64_t{1} << unit % kUnitsPerWord) - 1;
    return wordStarts_[word] + unit % kUnitsPerWord +
           static_cast<std::size_t>(std::popcount(twoByteUnits_[word] & before));
}

Text fromWide(std::u16string_view wide) {
    return wideToText(wide.substr(0, wide.find(u'\0')));
}

std::string toWideBytes(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    std::string bytes;
    for (const char16_t unit : toWide(text)) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    bytes.append(sizeof(char16_t), '\0');
    return bytes;
}

Text fromWideBytes(std::string_view bytes) {
    std::u16string wide(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < wide.size(); ++i) {
        wide[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                        static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    return fromWide(wide);
}

Text utf8ToText(std::string_view utf8) {
    const cp936::ByteTable& characters = cp936::byteTable();
    TextBuilder text(utf8.size());
    for (std::size_t position = 0; position < utf8.size();) {
        const std::size_t asciiEnd = asciiRunEnd(utf8, position);
        text.appendAscii(utf8.substr(position, asciiEnd - position));
        position = asciiEnd;
        if (position == utf8.size()) {
            break;
        }
        const Utf8Character character = decodeUtf8(utf8, position);
        position += character.length;
        if (character.codePoint > 0xFFFF) {
            const char32_t offset = character.codePoint - 0x10000;
            text.appendSurrogatePair(static_cast<char16_t>(0xD800 + (offset >> 10)),
                                     static_cast<char16_t>(0xDC00 + (offset & 0x3FF)));
        } else {
            text.appendCharacter(characters[character.codePoint]);
        }
    }
    return std::move(text).take();
}

Text charsetToText(std::string_view bytes, std::string_view charset) {
    const std::string name = lowerCaseTrimmed(charset);
    if (name == "utf-8" || name == "utf8") {
        return utf8ToText(bytes);
    }
    if (isCodePage936Name(name) || !isPlainCharsetName(name)) {
        return Text(bytes);
    }
    IconvHandle converter{cp936::kWideCharset, name.c_str()};
    if (!converter.valid()) {
        return Text(bytes);
    }
    // Not every charset keeps ASCII bytes apart from its other characters: no shortcut here.
    std::u16string wide;
    appendConverted(
        converter, bytes, wide, [](std::string_view) -> std::size_t { return 1; },
        kWideReplacement);
    return wideToText(wide);
}

}  // namespace moxilo::text
