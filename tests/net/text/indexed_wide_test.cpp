#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "moxilo/text/codec.h"

namespace moxilo::text {
namespace {

// ASCII runs of every length up to 70 between characters of every kind, so that two-byte
// characters fall on both sides of every 64-unit boundary of the index.
std::string mixedText() {
    // 中, 丂 (second byte "@"), a lead byte before a blank, an invalid byte, €, a pair that
    // names no character.
    constexpr std::array<std::string_view, 6> kCharacters = {"\xD6\xD0", "\x81\x40", "\x81 ",
                                                             "\xFF",     "\x80",     "\xA2\xA0"};
    std::string text;
    for (std::size_t piece = 0; piece < 300; ++piece) {
        text.append(piece % 71, 'a');
        text.append(kCharacters[piece % kCharacters.size()]);
    }
    text.push_back('\xD6');  // a lead byte that ends the Text
    return text;
}

TEST(IndexedWide, UnitsAreTheTextsUtf16) {
    const std::string text = mixedText();
    EXPECT_EQ(IndexedWide(text).units(), toWide(text));
}

TEST(IndexedWide, EveryUnitMapsToWhereItsCharacterStarts) {
    const std::string text = mixedText();
    const IndexedWide wide(text);
    std::size_t characterStart = 0;
    for (std::size_t unit = 0; unit < wide.units().size(); ++unit) {
        ASSERT_EQ(wide.byteOffset(unit), characterStart) << "unit " << unit;
        characterStart += characterLength(text, characterStart);
    }
    EXPECT_EQ(characterStart, text.size());
    EXPECT_EQ(wide.byteOffset(wide.units().size()), text.size());
    EXPECT_EQ(wide.byteOffset(wide.units().size() + 100), text.size());
}

TEST(IndexedWide, EmptyText) {
    const IndexedWide wide("");
    EXPECT_TRUE(wide.units().empty());
    EXPECT_EQ(wide.byteOffset(0), 0U);
    EXPECT_EQ(wide.byteOffset(5), 0U);
}

}  // namespace
}  // namespace moxilo::text
