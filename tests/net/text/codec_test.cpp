#include "moxilo/text/codec.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

namespace moxilo::text {
namespace {

// Code page 936 bytes used below: 中 D6 D0, 文 CE C4, 丂 81 40 (its second byte is "@"),
// € 80 (one byte), A2 A0 a well-formed pair that names no character.

// One row of a table for a conversion with a single input.
template <typename Input, typename Output>
struct ConversionCase {
    const char* name;
    Input input;
    Output expected;
};

using ToWideCase = ConversionCase<std::string, std::u16string>;
using FromWideCase = ConversionCase<std::u16string, std::string>;
using Utf8Case = ConversionCase<std::string, std::string>;

class ToWideTest : public testing::TestWithParam<ToWideCase> {};

TEST_P(ToWideTest, Converts) {
    EXPECT_EQ(toWide(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Codec, ToWideTest,
    testing::Values(ToWideCase{"Empty", "", u""}, ToWideCase{"Ascii", "abc", u"abc"},
                    ToWideCase{"TwoByteCharacters", "a\xD6\xD0\xCE\xC4z", u"a中文z"},
                    ToWideCase{"TrailByteLooksLikeAscii", "\x81\x40@", u"\u4E02@"},
                    ToWideCase{"SingleByteEuro", "\x80x", u"\u20ACx"},
                    ToWideCase{"InvalidByteIsSkipped",
                               "a\xFF"
                               "b",
                               u"a\uFFFDb"},
                    ToWideCase{"LeadByteWithoutTrailKeepsNextCharacter", "\x81 x", u"\uFFFD x"},
                    ToWideCase{"UnassignedPairIsOneCharacter", "a\xA2\xA0z", u"a\uFFFDz"},
                    ToWideCase{"LoneTrailingLeadByte", "ab\xD6", u"ab\uFFFD"},
                    ToWideCase{"NulIsKept", std::string("a\0b", 3), std::u16string(u"a\0b", 3)}),
    [](const auto& test) { return test.param.name; });

class FromWideTest : public testing::TestWithParam<FromWideCase> {};

TEST_P(FromWideTest, Converts) {
    EXPECT_EQ(fromWide(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Codec, FromWideTest,
    testing::Values(FromWideCase{"Empty", u"", ""}, FromWideCase{"Ascii", u"abc", "abc"},
                    FromWideCase{"StopsAtZeroUnit", std::u16string(u"ab\0cd", 5), "ab"},
                    FromWideCase{"TwoByteCharacters", u"a中文z", "a\xD6\xD0\xCE\xC4z"},
                    FromWideCase{"TrailByteLooksLikeAscii", u"\u4E02@", "\x81\x40@"},
                    FromWideCase{"Euro", u"\u20AC", "\x80"},
                    FromWideCase{"SurrogatePairOutsideCodePage", u"a\U0001F600b", "a?b"},
                    FromWideCase{"LoneHighSurrogate",
                                 u"a\xD800"
                                 u"b",
                                 "a?b"},
                    FromWideCase{"LoneLowSurrogate",
                                 u"a\xDC00"
                                 u"b",
                                 "a?b"},
                    FromWideCase{"HighSurrogateAtEnd", u"ab\xD800", "ab?"},
                    FromWideCase{"HangulOutsideCodePage", u"x\uAC00中", "x?\xD6\xD0"},
                    FromWideCase{"TagCharacterDropped", u"a\U000E0041b", "ab"},
                    FromWideCase{"ReplacementCharacter", u"\uFFFD", "?"}),
    [](const auto& test) { return test.param.name; });

struct WideBytesCase {
    const char* name;
    std::string text;
    std::string bytes;
};

class WideBytesTest : public testing::TestWithParam<WideBytesCase> {};

TEST_P(WideBytesTest, TextToBytes) {
    EXPECT_EQ(toWideBytes(GetParam().text), GetParam().bytes);
}

TEST_P(WideBytesTest, BytesToText) {
    EXPECT_EQ(fromWideBytes(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Codec, WideBytesTest,
    testing::Values(WideBytesCase{"EmptyHasNoTerminator", "", ""},
                    WideBytesCase{"AbcIsEightBytes", "abc", std::string("a\0b\0c\0\0\0", 8)},
                    WideBytesCase{"LittleEndianUnits", "\xD6\xD0", std::string("\x2D\x4E\0\0", 4)}),
    [](const auto& test) { return test.param.name; });

TEST(WideBytes, ReadsUpToTheFirstZeroUnitOrTheEnd) {
    EXPECT_EQ(fromWideBytes(std::string("a\0b\0", 4)), "ab");
    EXPECT_EQ(fromWideBytes(std::string("a\0\0\0b\0", 6)), "a");
    EXPECT_EQ(fromWideBytes(std::string("a\0b", 3)), "a");  // odd last byte
}

class Utf8ToTextTest : public testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8ToTextTest, Converts) {
    EXPECT_EQ(utf8ToText(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Codec, Utf8ToTextTest,
    testing::Values(Utf8Case{"Empty", "", ""}, Utf8Case{"Ascii", "abc", "abc"},
                    Utf8Case{"Chinese", "a\xE4\xB8\xAD\xE6\x96\x87z", "a\xD6\xD0\xCE\xC4z"},
                    Utf8Case{"InvalidByte",
                             "a\xFF"
                             "b",
                             "a?b"},
                    Utf8Case{"TruncatedSequenceAtEnd", "a\xE4\xB8", "a??"},
                    Utf8Case{"CharacterOutsideCodePage",
                             "a\xF0\x9F\x98\x80"
                             "b",
                             "a?b"},
                    Utf8Case{"TagCharacterDropped",
                             "a\xF3\xA0\x81\x81"
                             "b",
                             "ab"},
                    Utf8Case{"LoneContinuationByte",
                             "a\x80"
                             "b",
                             "a?b"},
                    Utf8Case{"TruncatedSequenceBeforeAscii", "\xF0\x9F\x98x", "???x"},
                    Utf8Case{"TruncatedSequenceBeforeAnother", "\xE4\xB8\xE4\xB8\xAD",
                             "??\xD6\xD0"},
                    Utf8Case{"OverlongTwoBytes", "\xC0\xAF", "??"},
                    Utf8Case{"OverlongThreeBytes", "\xE0\x80\xAF", "???"},
                    Utf8Case{"EncodedSurrogate", "\xED\xA0\x80", "???"},
                    Utf8Case{"AboveLastCodePoint", "\xF4\x90\x80\x80", "????"},
                    Utf8Case{"FiveByteForm", "\xF8\x88\x80\x80\x80", "?????"},
                    Utf8Case{"NulIsKept", std::string("a\0b", 3), std::string("a\0b", 3)}),
    [](const auto& test) { return test.param.name; });

struct CharsetCase {
    const char* name;
    std::string bytes;
    std::string charset;
    std::string text;
};

class CharsetToTextTest : public testing::TestWithParam<CharsetCase> {};

TEST_P(CharsetToTextTest, Converts) {
    EXPECT_EQ(charsetToText(GetParam().bytes, GetParam().charset), GetParam().text);
}

const std::string kUtf8Chinese = "\xE4\xB8\xAD\xE6\x96\x87";
const std::string kTextChinese = "\xD6\xD0\xCE\xC4";

INSTANTIATE_TEST_SUITE_P(
    Codec, CharsetToTextTest,
    testing::Values(
        CharsetCase{"Utf8", kUtf8Chinese, "utf-8", kTextChinese},
        CharsetCase{"Utf8UpperCase", kUtf8Chinese, "UTF-8", kTextChinese},
        CharsetCase{"Utf8QuotedWithBlanks", kUtf8Chinese, " \"utf8\" ", kTextChinese},
        CharsetCase{"GbkUnchanged", kTextChinese + "\x81\x40", "gbk", kTextChinese + "\x81\x40"},
        CharsetCase{"Gb2312ReadAsGbk", kTextChinese + "\x81\x40", "GB2312",
                    kTextChinese + "\x81\x40"},
        CharsetCase{"Big5", "\xA4\xA4\xA4\xE5", "big5", kTextChinese},
        CharsetCase{"Latin1", "caf\xE9", "iso-8859-1", "caf\xA8\xA6"},
        CharsetCase{"UnknownUnchanged", kUtf8Chinese, "x-no-such-charset", kUtf8Chinese},
        CharsetCase{"IconvSuffixRejected", kUtf8Chinese, "big5//TRANSLIT", kUtf8Chinese},
        CharsetCase{"EmptyUnchanged", kUtf8Chinese, "", kUtf8Chinese}),
    [](const auto& test) { return test.param.name; });

// Bytes that do not convert once cost a restart of the conversion each: a large page of
// them must still convert in one pass, not in time that grows with its square.
TEST(CharsetToText, LongRunOfBytesThatDoNotConvert) {
    constexpr std::size_t kPageBytes = std::size_t{1} << 20;
    EXPECT_EQ(charsetToText(std::string(kPageBytes, '\xFF'), "big5"), std::string(kPageBytes, '?'));
}

struct IntoBufferCase {
    const char* name;
    std::string text;
    std::size_t room;
    std::u16string expected;
};

class ToWideIntoBufferTest : public testing::TestWithParam<IntoBufferCase> {};

TEST_P(ToWideIntoBufferTest, WritesWholeCharactersThatFit) {
    constexpr char16_t kUntouched = u'#';
    std::u16string buffer(GetParam().room + 4, kUntouched);
    const std::size_t written = toWide(GetParam().text, std::span(buffer).first(GetParam().room));
    EXPECT_EQ(buffer.substr(0, written), GetParam().expected);
    EXPECT_EQ(buffer.substr(written), std::u16string(buffer.size() - written, kUntouched));
}

INSTANTIATE_TEST_SUITE_P(
    Codec, ToWideIntoBufferTest,
    testing::Values(IntoBufferCase{"RoomAsTheTextHasBytes", "a\xD6\xD0z", 4, u"a中z"},
                    IntoBufferCase{"StopsWhenFull",
                                   "a\xD6\xD0"
                                   "bc",
                                   2, u"a中"},
                    IntoBufferCase{"AsciiRunLongerThanTheRoom", std::string(20, 'x'), 10,
                                   std::u16string(10, u'x')},
                    IntoBufferCase{"NoRoom", "abc", 0, u""},
                    IntoBufferCase{"EmptyText", "", 3, u""}),
    [](const auto& test) { return test.param.name; });

// The pattern matcher maps UTF-16 positions back onto Text bytes by stepping with
// characterLength: every byte pair, valid or not, must convert to one unit per character.
TEST(CharacterLength, EveryCharacterConvertsToOneUnit) {
    std::string text;
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        for (int trail = 0x00; trail <= 0xFF; ++trail) {
            text.push_back(static_cast<char>(lead));
            text.push_back(static_cast<char>(trail));
            text.push_back('\n');
        }
    }
    std::size_t characters = 0;
    for (std::size_t position = 0; position < text.size();
         position += characterLength(text, position)) {
        ++characters;
    }
    EXPECT_EQ(toWide(text).size(), characters);
}

TEST(CharacterLength, StepsOverPairsAndSingles) {
    // a, 中, 丂 (second byte "@"), a lead byte before a blank, the blank, a lead byte at the end.
    const std::string text = "a\xD6\xD0\x81\x40\x81 \xD6";
    std::vector<std::size_t> lengths;
    for (std::size_t position = 0; position < text.size(); position += lengths.back()) {
        lengths.push_back(characterLength(text, position));
    }
    EXPECT_EQ(lengths, (std::vector<std::size_t>{1, 2, 2, 1, 1, 1}));
    EXPECT_EQ(characterLength(text, text.size()), 0U);
}

}  // namespace
}  // namespace moxilo::text
