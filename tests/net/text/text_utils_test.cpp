#include "moxilo/text/text_utils.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace moxilo::text {
namespace {

// Code page 936 bytes used below: 丂 81 40 and 丄 81 41 (second bytes "@" and "A"),
// 乕 81 5B (second byte "["), 啊 B0 A1, the full-width space A1 A1, 中 D6 D0.

struct BetweenCase {
    const char* name;
    std::string text;
    std::string left;
    std::string right;
    std::optional<std::int32_t> start;
    std::optional<bool> ignoreCase;
    std::string expected;
};

class TextBetweenTest : public testing::TestWithParam<BetweenCase> {};

TEST_P(TextBetweenTest, CutsOutTheValue) {
    const BetweenCase& c = GetParam();
    EXPECT_EQ(textBetween(c.text, c.left, c.right, c.start, c.ignoreCase), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    TextUtils, TextBetweenTest,
    testing::Values(
        BetweenCase{"BothMarkers", "ab<x>cd", "<", ">", {}, {}, "x"},
        BetweenCase{"NoSecondRightMarker", "ab<x>cd", "<", "<", {}, {}, ""},
        BetweenCase{"MarkersTouch", "ab<>cd", "<", ">", {}, {}, ""},
        BetweenCase{"NoLeftMarker", "ab<x>cd", "[", ">", {}, {}, ""},
        BetweenCase{"FirstLeftMarkerWins", "<a><b>", "<", ">", {}, {}, "a"},
        BetweenCase{"QuoteMarkerStandsForQuote",
                    "id=\"v\";",
                    std::string(kQuoteMarker),
                    std::string(kQuoteMarker),
                    {},
                    {},
                    "v"},
        BetweenCase{"QuoteMarkerInsideLongerMarker",
                    "<a href=\"x.aspx\">",
                    "href=" + std::string(kQuoteMarker),
                    std::string(kQuoteMarker),
                    {},
                    {},
                    "x.aspx"},
        BetweenCase{"StartSkipsEarlierMarkers", "<a><b>", "<", ">", 4, {}, "b"},
        BetweenCase{"StartOnMarkerFindsIt", "<a><b>", "<", ">", 1, {}, "a"},
        BetweenCase{"StartBelowOneMeansFirstByte", "<a><b>", "<", ">", -3, {}, "a"},
        BetweenCase{"StartPastTheEnd", "<a><b>", "<", ">", 40, {}, ""},
        BetweenCase{"LetterCaseCountsByDefault", "xKEY=1;", "key=", ";", {}, {}, ""},
        BetweenCase{"LetterCaseIgnoredOnRequest", "xKEY=1;", "key=", ";", {}, true, "1"},
        BetweenCase{"IgnoreCaseFalseGiven", "xKEY=1;", "key=", ";", {}, false, ""},
        BetweenCase{"SecondByteIsNeverAMarker", "\x81[ab]c[d]", "[", "]", {}, {}, "d"},
        BetweenCase{"RightMarkerNotOnSecondByte", "[a\x81]b]", "[", "]", {}, {}, "a\x81]b"},
        BetweenCase{"SecondByteIsNotFolded", "\x81\x41=1;", "\x81\x61=", ";", {}, true, ""},
        BetweenCase{
            "TwoByteMarkersMatch", "\xD6\xD0x\xD6\xD0", "\xD6\xD0", "\xD6\xD0", {}, {}, "x"},
        BetweenCase{"EmptyText", "", "<", ">", {}, {}, ""},
        BetweenCase{"EmptyLeftMarkerMatchesAtStart", "abc", "", "c", {}, {}, "ab"},
        BetweenCase{"EmptyRightMarkerTouchesLeft", "abc", "a", "", {}, {}, ""}),
    [](const auto& test) { return test.param.name; });

struct TextCase {
    const char* name;
    std::string input;
    std::string expected;
};

class HeaderValueTest : public testing::TestWithParam<TextCase> {};

TEST_P(HeaderValueTest, TakesTheTrimmedValue) {
    EXPECT_EQ(headerValue(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(TextUtils, HeaderValueTest,
                         testing::Values(TextCase{"SpacesAroundValue", "User-Agent:  X1 ", "X1"},
                                         TextCase{"NoColon", "User-Agent X1", ""},
                                         TextCase{"Empty", "", ""},
                                         TextCase{"OnlyFirstColonSplits", "Host: a:81", "a:81"},
                                         TextCase{"FullWidthBlanks", "Name:\xA1\xA1v\xA1\xA1", "v"},
                                         TextCase{"TabIsNotABlank", "Name:\tv", "\tv"}),
                         [](const auto& test) { return test.param.name; });

class TrimBlanksTest : public testing::TestWithParam<TextCase> {};

TEST_P(TrimBlanksTest, TrimsBothEnds) {
    EXPECT_EQ(trimBlanks(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    TextUtils, TrimBlanksTest,
    testing::Values(TextCase{"AsciiSpaces", "  a b  ", "a b"},
                    TextCase{"FullWidthSpaces",
                             "\xA1\xA1"
                             "a\xA1\xA1",
                             "a"},
                    TextCase{"OnlyBlanks", " \xA1\xA1 ", ""}, TextCase{"Empty", "", ""},
                    TextCase{"TabsAndLineBreaksStay", "\ta\r\n", "\ta\r\n"},
                    // 啊 ends in A1: with the A1 after it, it is no full-width space.
                    TextCase{"SecondByteA1IsNoBlank", "\xB0\xA1\xA1", "\xB0\xA1\xA1"},
                    TextCase{"LoneA1AfterBlankStays", "\xA1\xA1\xA1", "\xA1"}),
    [](const auto& test) { return test.param.name; });

class RemoveBlanksTest : public testing::TestWithParam<TextCase> {};

TEST_P(RemoveBlanksTest, RemovesEveryBlank) {
    EXPECT_EQ(removeBlanks(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(TextUtils, RemoveBlanksTest,
                         testing::Values(TextCase{"Mixed",
                                                  "a = 1 ;\xA1\xA1"
                                                  "b=2",
                                                  "a=1;b=2"},
                                         TextCase{"BlankAfterTwoByteCharacter", "\xB0\xA1\xA1\xA1",
                                                  "\xB0\xA1"},
                                         TextCase{"Empty", "", ""}),
                         [](const auto& test) { return test.param.name; });

struct SplitCase {
    const char* name;
    std::string text;
    std::string separator;
    std::vector<std::string> pieces;
};

class SplitTextTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitTextTest, YieldsThePieces) {
    EXPECT_EQ(splitText(GetParam().text, GetParam().separator), GetParam().pieces);
}

INSTANTIATE_TEST_SUITE_P(
    TextUtils, SplitTextTest,
    testing::Values(SplitCase{"TwoPieces", "a;b", ";", {"a", "b"}},
                    SplitCase{"TrailingSeparator", "a;", ";", {"a"}},
                    SplitCase{"LeadingSeparator", ";a", ";", {"", "a"}},
                    SplitCase{"EmptyPieceInside", "a;;b", ";", {"a", "", "b"}},
                    SplitCase{"EmptyText", "", ";", {}}, SplitCase{"OnlySeparator", ";", ";", {""}},
                    SplitCase{"LongSeparator", "a\r\nb\r\n", "\r\n", {"a", "b"}},
                    SplitCase{"SecondByteIsNoSeparator",
                              "\x81\x41"
                              "AB",
                              "A",
                              {"\x81\x41", "B"}},
                    SplitCase{"EmptySeparatorKeepsText", "ab", "", {"ab"}}),
    [](const auto& test) { return test.param.name; });

TEST(FindText, NeverStartsOnSecondByte) {
    // 丄 is 81 41: the "A" inside it is not a match, the one after it is.
    EXPECT_EQ(findText("\x81\x41"
                       "A",
                       "A"),
              2U);
    EXPECT_EQ(findText("\x81\x41", "A"), std::string_view::npos);
}

TEST(FindText, FoldsOnlyAsciiLetters) {
    EXPECT_EQ(findText("xAbC", "abc", 0, LetterCase::ignored), 1U);
    EXPECT_EQ(findText("xAbC", "abc"), std::string_view::npos);
    EXPECT_EQ(findText("\x81\x41", "\x81\x61", 0, LetterCase::ignored), std::string_view::npos);
}

TEST(FindText, StartsAtTheFirstCharacterAtOrAfterFrom) {
    // Byte 1 is the second byte of 丄: the search resumes at byte 2.
    EXPECT_EQ(findText("\x81\x41"
                       "AA",
                       "A", 1),
              2U);
    EXPECT_EQ(findText("abc", "", 3), 3U);
    EXPECT_EQ(findText("abc", "", 4), std::string_view::npos);
}

TEST(StartsWithText, ComparesThePrefixByCharacters) {
    EXPECT_TRUE(startsWithText("Location: /x", "location: ", LetterCase::ignored));
    EXPECT_FALSE(startsWithText("Location: /x", "location: "));
    EXPECT_FALSE(startsWithText("Loc", "Location"));
    EXPECT_TRUE(startsWithText("abc", ""));
    EXPECT_FALSE(startsWithText("\x81\x41", "\x81\x61", LetterCase::ignored));
}

TEST(ReplaceAll, RewritesEveryLetterCase) {
    EXPECT_EQ(replaceAll("set-cookie: a\r\nSET-COOKIE: b", "Set-Cookie", "Set-Cookie",
                         LetterCase::ignored),
              "Set-Cookie: a\r\nSet-Cookie: b");
    EXPECT_EQ(replaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(replaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(replaceAll("\x81\x41"
                         "A",
                         "A", "z"),
              "\x81\x41z");
}

}  // namespace
}  // namespace moxilo::text
