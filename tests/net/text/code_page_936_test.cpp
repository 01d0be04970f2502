// The codecs convert code page 936 exactly as glibc's iconv does: every character, every
// UTF-16 unit and every character beyond the BMP, one at a time, against iconv itself.

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "code_page_936.h"
#include "iconv_handle.h"
#include "moxilo/text/codec.h"

namespace moxilo::text {
namespace {

// What iconv makes of all of `input` in one call; nothing when any of it does not convert.
std::optional<std::string> iconvAll(IconvHandle& converter, std::string_view input) {
    constexpr std::size_t kRoom = 16;
    std::string output(kRoom, '\0');
    iconv(converter.get(), nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    if (iconv(converter.get(), &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) {
        return std::nullopt;
    }
    output.resize(kRoom - outLeft);
    return output;
}

std::u16string unitsOf(std::string_view bytes) {
    std::u16string units(bytes.size() / sizeof(char16_t), u'\0');
    std::memcpy(units.data(), bytes.data(), units.size() * sizeof(char16_t));
    return units;
}

std::u16string utf16Of(char32_t codePoint) {
    if (codePoint < 0x10000) {
        return {static_cast<char16_t>(codePoint)};
    }
    const char32_t offset = codePoint - 0x10000;
    return {static_cast<char16_t>(0xD800 + (offset >> 10)),
            static_cast<char16_t>(0xDC00 + (offset & 0x3FF))};
}

std::string utf8Of(char32_t codePoint) {
    const auto byte = [](char32_t bits) { return static_cast<char>(bits); };
    if (codePoint < 0x800) {
        return {byte(0xC0 | codePoint >> 6), byte(0x80 | (codePoint & 0x3F))};
    }
    if (codePoint < 0x10000) {
        return {byte(0xE0 | codePoint >> 12), byte(0x80 | (codePoint >> 6 & 0x3F)),
                byte(0x80 | (codePoint & 0x3F))};
    }
    return {byte(0xF0 | codePoint >> 18), byte(0x80 | (codePoint >> 12 & 0x3F)),
            byte(0x80 | (codePoint >> 6 & 0x3F)), byte(0x80 | (codePoint & 0x3F))};
}

bool isSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// Collects what differs, so that one run shows the first few differences, not 65,536.
class Differences {
public:
    void add(unsigned what) {
        if (differences_.size() < kShown) {
            differences_.push_back(what);
        }
        ++count_;
    }
    void expectNone() const {
        EXPECT_EQ(count_, 0U) << "first ones: " << testing::PrintToString(differences_);
    }

private:
    static constexpr std::size_t kShown = 8;
    std::vector<unsigned> differences_;
    std::size_t count_ = 0;
};

TEST(CodePage936, EveryTextCharacterConvertsAsIconvDoes) {
    IconvHandle iconvToWide{cp936::kWideCharset, cp936::kTextCharset};
    ASSERT_TRUE(iconvToWide.valid());
    Differences differences;
    constexpr unsigned kAlone = 0x100;  // in place of a trail byte: the first byte alone
    for (unsigned lead = 0x80; lead <= 0xFF; ++lead) {
        for (unsigned trail = 0; trail <= kAlone; ++trail) {
            std::string character{static_cast<char>(lead)};
            if (trail != kAlone) {
                character.push_back(static_cast<char>(trail));
                if (characterLength(character, 0) != 2) {
                    continue;
                }
            }
            const std::optional<std::string> converted = iconvAll(iconvToWide, character);
            const std::u16string expected = converted ? unitsOf(*converted) : u"\uFFFD";
            const std::u16string wide = toWide(character);
            if (wide != expected || isSurrogate(wide[0])) {
                differences.add(static_cast<unsigned>(lead << 8 | trail));
            }
        }
    }
    differences.expectNone();
}

// Every unit alone (lone surrogates included) and every surrogate pair. Code page 936
// holds nothing beyond the BMP, yet iconv drops the tag characters without a "?".
TEST(CodePage936, EveryCodePointConvertsAsIconvDoes) {
    IconvHandle iconvToText{cp936::kTextCharset, cp936::kWideCharset};
    ASSERT_TRUE(iconvToText.valid());
    Differences differences;
    for (char32_t codePoint = 1; codePoint <= 0x10FFFF; ++codePoint) {
        const std::u16string wide = utf16Of(codePoint);
        const std::optional<std::string> expected = iconvAll(iconvToText, cp936::asBytes(wide));
        if (fromWide(wide) != expected.value_or("?")) {
            differences.add(codePoint);
        }
    }
    differences.expectNone();
}

// UTF-8 reaches Text by way of UTF-16: every character must land where its UTF-16 does.
TEST(CodePage936, EveryUtf8CharacterConvertsAsItsUtf16Does) {
    Differences differences;
    for (char32_t codePoint = 0x80; codePoint <= 0x10FFFF; ++codePoint) {
        if (!isSurrogate(codePoint) &&
            utf8ToText(utf8Of(codePoint)) != fromWide(utf16Of(codePoint))) {
            differences.add(codePoint);
        }
    }
    differences.expectNone();
}

}  // namespace
}  // namespace moxilo::text
