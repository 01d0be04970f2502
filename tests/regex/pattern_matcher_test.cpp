#include "moxilo/regex/pattern_matcher.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace moxilo::regex {
namespace {

// Texts below are written in UTF-8 and converted, so positions count code page 936 bytes:
// two for each Chinese character.
Text cp936(std::string_view utf8) {
    return text::utf8ToText(utf8);
}

constexpr std::string_view kListingPattern =
    R"re(<li><a href="make.aspx\?id=(.*?)"><div class="image"><img alt="(.*?)" src=)re";
static_assert(kListingPattern.size() == 74);

// Three items and one whose title holds a line break, which "." must not cross.
const std::string kListingPage =
    "<ul>\r\n"
    R"(<li><a href="make.aspx?id=101"><div class="image"><img alt="熊猫头" src="/f/101.jpg"></div></a></li>)"
    "\r\n"
    R"(<li><a href="make.aspx?id=7"><div class="image"><img alt="断行)"
    "\r\n"
    R"(标题" src="/f/7.jpg"></div></a></li>)"
    "\r\n"
    R"(<li><a href="make.aspx?id=202"><div class="image"><img alt="金馆长 Smile" src="/f/202.jpg"></div></a></li>)"
    "\r\n"
    R"(<li><a href="make.aspx?id=303"><div class="image"><img alt="" src="/f/303.jpg"></div></a></li>)"
    "\r\n</ul>";

struct Piece {
    std::string text;  // UTF-8
    std::int32_t position;
};

struct ExpectedMatch {
    Piece match;
    std::vector<Piece> groups;
};

struct Replacement {
    std::string replacement;
    std::string result;
};

struct MatcherCase {
    const char* name;
    std::string pattern;
    std::string subject;
    MatchOptions options;
    bool executes;
    std::vector<ExpectedMatch> matches;
    std::vector<Replacement> replacements = {};
    std::string patternText = "";  // "" means the pattern as given
};

class PatternMatcherTest : public testing::TestWithParam<MatcherCase> {};

TEST_P(PatternMatcherTest, FindsMatchesGroupsAndReplacements) {
    const MatcherCase& c = GetParam();
    PatternMatcher matcher;
    EXPECT_EQ(matcher.createAndExecute(cp936(c.pattern), cp936(c.subject), c.options), c.executes);

    ASSERT_EQ(matcher.matchCount(), static_cast<std::int32_t>(c.matches.size()));
    const std::size_t groupCount = c.matches.empty() ? 0 : c.matches.front().groups.size();
    EXPECT_EQ(matcher.subMatchCount(), static_cast<std::int32_t>(groupCount));
    for (std::size_t i = 0; i < c.matches.size(); ++i) {
        const auto index = static_cast<std::int32_t>(i + 1);
        std::int32_t position = -1;
        EXPECT_EQ(matcher.matchText(index, &position), cp936(c.matches[i].match.text)) << index;
        EXPECT_EQ(position, c.matches[i].match.position) << index;
        for (std::size_t j = 0; j < c.matches[i].groups.size(); ++j) {
            const auto group = static_cast<std::int32_t>(j + 1);
            EXPECT_EQ(matcher.subMatchText(index, group, &position),
                      cp936(c.matches[i].groups[j].text))
                << index << "," << group;
            EXPECT_EQ(position, c.matches[i].groups[j].position) << index << "," << group;
        }
    }

    // Indices outside the matches and groups give the empty text and no position.
    const auto pastLastMatch = static_cast<std::int32_t>(c.matches.size() + 1);
    const auto pastLastGroup = static_cast<std::int32_t>(groupCount + 1);
    std::int32_t position = -1;
    EXPECT_EQ(matcher.matchText(pastLastMatch, &position), "");
    EXPECT_EQ(position, -2);
    EXPECT_EQ(matcher.matchText(0), "");
    EXPECT_EQ(matcher.matchText(std::numeric_limits<std::int32_t>::min()), "");
    EXPECT_EQ(matcher.subMatchText(1, pastLastGroup), "");
    EXPECT_EQ(matcher.subMatchText(1, 0), "");
    EXPECT_EQ(matcher.subMatchText(pastLastMatch, 1), "");

    EXPECT_EQ(matcher.patternText(), cp936(c.patternText.empty() ? c.pattern : c.patternText));
    for (const Replacement& r : c.replacements) {
        EXPECT_EQ(matcher.replaceMatches(cp936(r.replacement)), cp936(r.result)) << r.replacement;
    }
}

const MatchOptions kDefaults{};

std::string repeated(std::string_view piece, std::size_t times) {
    std::string result;
    for (std::size_t i = 0; i < times; ++i) {
        result += piece;
    }
    return result;
}

std::vector<MatcherCase> matcherCases() {
    return {
        MatcherCase{
            "ListingPage",
            std::string(kListingPattern),
            kListingPage,
            kDefaults,
            true,
            {{{R"(<li><a href="make.aspx?id=101"><div class="image"><img alt="熊猫头" src=)", 6},
              {{"101", 32}, {"熊猫头", 66}}},
             {{R"(<li><a href="make.aspx?id=202"><div class="image"><img alt="金馆长 Smile" src=)",
               210},
              {{"202", 236}, {"金馆长 Smile", 270}}},
             {{R"(<li><a href="make.aspx?id=303"><div class="image"><img alt="" src=)", 318},
              {{"303", 344}, {"", 318}}}}},  // an empty text is first found where the match starts
        MatcherCase{"LazyGroupsStopAtTheFirstEnd",
                    "<b>(.*?)</b>",
                    "<b>一</b> <b>二</b>",
                    kDefaults,
                    true,
                    {{{"<b>一</b>", 0}, {{"一", 3}}}, {{"<b>二</b>", 10}, {{"二", 13}}}}},
        MatcherCase{"ChinesePositionsCountBytes",
                    "文(字)",
                    "中文字abc文字",
                    kDefaults,
                    true,
                    {{{"文字", 2}, {{"字", 4}}}, {{"文字", 9}, {{"字", 11}}}},
                    {{"[$1]", "中[字]abc[字]"}}},
        // Two-byte characters before and between the matches, hundreds of units in.
        MatcherCase{"PositionsFarIntoTheSubject",
                    "x(中*)x",
                    repeated("文", 300) + "x中x" + repeated("a中", 200) + "x中中x",
                    kDefaults,
                    true,
                    {{{"x中x", 600}, {{"中", 601}}}, {{"x中中x", 1204}, {{"中中", 1205}}}}},
        MatcherCase{"LetterCaseIgnoredByDefault",
                    "HELLO",
                    "say hello",
                    kDefaults,
                    true,
                    {{{"hello", 4}, {}}}},
        MatcherCase{"CaseFoldingBeyondAscii",
                    "α",
                    "ΑΒα",
                    kDefaults,
                    true,
                    {{{"Α", 0}, {}}, {{"α", 4}, {}}}},
        MatcherCase{
            "CaseSensitiveWhenAsked", "HELLO", "say hello", {.caseSensitive = true}, true, {}},
        MatcherCase{"CaseSensitiveGivenFalseIgnoresCase",
                    "HELLO",
                    "say hello",
                    {.caseSensitive = false},
                    true,
                    {{{"hello", 4}, {}}}},
        MatcherCase{"MultilineByDefault",
                    R"(^\w+$)",
                    "one\ntwo\nthree",
                    kDefaults,
                    true,
                    {{{"one", 0}, {}}, {{"two", 4}, {}}, {{"three", 8}, {}}}},
        MatcherCase{"MultilineOffAnchorsAtTheEnds",
                    R"(^\w+|\w+$)",
                    "one\ntwo\nthree",
                    {.multiline = false},
                    true,
                    {{{"one", 0}, {}}, {{"three", 8}, {}}}},
        MatcherCase{"DollarWithoutMultilineOnlyAtTheVeryEnd",
                    R"(\w+$)",
                    "one\ntwo\n",
                    {.multiline = false},
                    true,
                    {}},
        MatcherCase{"DotDoesNotCrossLineBreaks",
                    "a.b",
                    "a\nb a\rb axb",
                    kDefaults,
                    true,
                    {{{"axb", 8}, {}}}},
        MatcherCase{
            "CrLfLines", "^.+$", "ab\r\ncd", kDefaults, true, {{{"ab", 0}, {}}, {{"cd", 4}, {}}}},
        MatcherCase{"GlobalFalseTakesTheFirstMatch",
                    R"(\d+)",
                    "1 22 333",
                    {.global = false},
                    true,
                    {{{"1", 0}, {}}},
                    {{"#", "# 22 333"}}},
        MatcherCase{"GlobalByDefault",
                    R"(\d+)",
                    "1 22 333",
                    kDefaults,
                    true,
                    {{{"1", 0}, {}}, {{"22", 2}, {}}, {{"333", 5}, {}}},
                    {{"#", "# # #"}}},
        MatcherCase{"QuoteMarkerGivenTrue",
                    "a#引号b",
                    "x a\"b a#引号b",
                    {.quoteMarker = true},
                    true,
                    {{{"a\"b", 2}, {}}},
                    {},
                    "a\"b"},
        MatcherCase{"QuoteMarkerAbsent",
                    "a#引号b",
                    "x a\"b a#引号b",
                    kDefaults,
                    true,
                    {{{"a#引号b", 6}, {}}}},
        MatcherCase{"InvalidPattern", "a(b", "a(b", kDefaults, false, {}, {{"x", ""}}},
        MatcherCase{"CatastrophicBacktrackingGivesUp",
                    "(a+)+$",
                    std::string(40, 'a') + "b",
                    kDefaults,
                    false,
                    {},
                    {{"x", ""}}},
        MatcherCase{"DeepBacktrackingStackStillMatches",
                    "(?:a|b)*c",
                    std::string(100'000, 'a') + "c",
                    kDefaults,
                    true,
                    {{{std::string(100'000, 'a') + "c", 0}, {}}}},
        // A thousand empty groups matching at every character: too much to keep.
        MatcherCase{"TooManyGroupsOfMatchesToKeepGivesUp",
                    repeated("()", 1'000),
                    std::string(5'000, 'a'),
                    kDefaults,
                    false,
                    {},
                    {{"x", ""}}},
        MatcherCase{"NoMatchStillExecutes", "xyz", "abc", kDefaults, true, {}, {{"#", "abc"}}},
        MatcherCase{"EmptyMatchesStepOneCharacter",
                    "x*",
                    "中x",
                    kDefaults,
                    true,
                    {{{"", 0}, {}}, {{"x", 2}, {}}, {{"", 3}, {}}},
                    {{"-", "-中--"}}},
        MatcherCase{"GroupThatTookNoPartIsEmpty",
                    "(a)|(b)",
                    "b",
                    kDefaults,
                    true,
                    {{{"b", 0}, {{"", -2}, {"b", 0}}}}},
        MatcherCase{"GroupPositionIsItsFirstPlaceInTheMatch",
                    "a(a)",
                    "aa",
                    kDefaults,
                    true,
                    {{{"aa", 0}, {{"a", 0}}}}},
        MatcherCase{"BackReferenceToUnsetGroupMatchesEmpty",
                    R"((a)?b\1)",
                    "b",
                    kDefaults,
                    true,
                    {{{"b", 0}, {{"", -2}}}}},
        MatcherCase{"UnicodeEscape", R"(\u4E2D.)", "x中文", kDefaults, true, {{{"中文", 1}, {}}}},
        MatcherCase{"WordClassIsAsciiOnly",
                    R"(\w+)",
                    "ab中文cd",
                    kDefaults,
                    true,
                    {{{"ab", 0}, {}}, {{"cd", 6}, {}}}},
        MatcherCase{"ReplacementSyntax",
                    R"((\w+)@(\w+))",
                    "mail bob@host now",
                    kDefaults,
                    true,
                    {{{"bob@host", 5}, {{"bob", 5}, {"host", 9}}}},
                    {{"$2 at $1", "mail host at bob now"},
                     {"[$&]", "mail [bob@host] now"},
                     {"$`|", "mail mail | now"},
                     {"|$'", "mail | now now"},
                     {"$$1", "mail $1 now"},
                     {"$3$0$", "mail $3$0$ now"},
                     {"$01", "mail bob now"},
                     {"$15", "mail bob5 now"}}}};
}

INSTANTIATE_TEST_SUITE_P(Regex, PatternMatcherTest, testing::ValuesIn(matcherCases()),
                         [](const auto& test) { return test.param.name; });

// Bytes that do not convert count as one character each: later positions and texts stay
// exact, and a match hands back the subject's own bytes.
TEST(PatternMatcherBytes, BytesThatDoNotConvertKeepPositionsAndTexts) {
    // An invalid byte, a lead byte before a blank, 中, x, a pair naming no character, x, a blank,
    // then a, an invalid byte, b.
    const Text subject =
        "\xFF\x81 \xD6\xD0x\xA2\xA0x a\xFF"
        "b";
    PatternMatcher matcher;
    ASSERT_TRUE(matcher.createAndExecute("x|a.b", subject));
    ASSERT_EQ(matcher.matchCount(), 3);
    const std::vector<std::pair<Text, std::int32_t>> expected = {{"x", 5},
                                                                 {"x", 8},
                                                                 {"a\xFF"
                                                                  "b",
                                                                  10}};
    for (std::int32_t i = 1; i <= 3; ++i) {
        std::int32_t position = -1;
        EXPECT_EQ(matcher.matchText(i, &position), expected[static_cast<std::size_t>(i - 1)].first);
        EXPECT_EQ(position, expected[static_cast<std::size_t>(i - 1)].second);
    }
    EXPECT_EQ(matcher.replaceMatches("[$&]"),
              "\xFF\x81 \xD6\xD0[x]\xA2\xA0[x] [a\xFF"
              "b]");
}

TEST(PatternMatcherLifecycle, FreshMatcherHasNothing) {
    const PatternMatcher matcher;
    std::int32_t position = -1;
    EXPECT_EQ(matcher.patternText(), "");
    EXPECT_EQ(matcher.matchCount(), 0);
    EXPECT_EQ(matcher.subMatchCount(), 0);
    EXPECT_EQ(matcher.subMatchText(1, 1, &position), "");
    EXPECT_EQ(position, -2);
    EXPECT_EQ(matcher.replaceMatches("x"), "");
}

TEST(PatternMatcherLifecycle, EachRunReplacesTheLast) {
    PatternMatcher matcher;
    ASSERT_TRUE(matcher.createAndExecute("(b)", "abc"));
    ASSERT_EQ(matcher.subMatchText(1, 1), "b");

    EXPECT_FALSE(matcher.createAndExecute("(", "abc"));
    EXPECT_EQ(matcher.matchCount(), 0);
    EXPECT_EQ(matcher.subMatchText(1, 1), "");
    EXPECT_EQ(matcher.patternText(), "(");

    EXPECT_TRUE(matcher.createAndExecute("c", "cc"));
    EXPECT_EQ(matcher.matchCount(), 2);
    EXPECT_EQ(matcher.subMatchCount(), 0);
}

TEST(PatternMatcherLifecycle, MovedMatcherKeepsItsMatches) {
    PatternMatcher first;
    ASSERT_TRUE(first.createAndExecute("(b)", "abc"));
    const PatternMatcher second = std::move(first);
    EXPECT_EQ(second.subMatchText(1, 1), "b");
    EXPECT_EQ(second.replaceMatches("[$1]"), "a[b]c");
}

}  // namespace
}  // namespace moxilo::regex
