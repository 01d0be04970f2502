#include "moxilo/text/cookies.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace moxilo::text {
namespace {

struct MergeCase {
    const char* name;
    std::string oldList;
    std::string newList;
    std::string merged;
    std::string newListAfter;
};

class CookieMergeTest : public testing::TestWithParam<MergeCase> {};

TEST_P(CookieMergeTest, MergesIntoTheOldList) {
    const MergeCase& c = GetParam();
    Text oldList = c.oldList;
    Text newList = c.newList;
    EXPECT_EQ(cookieMerge(oldList, newList), c.merged);
    EXPECT_EQ(oldList, c.merged);
    EXPECT_EQ(newList, c.newListAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cookies, CookieMergeTest,
    testing::Values(
        MergeCase{"NewValueReplacesOld", "a=1; b=2", "b=3", "b=3; a=1", "b=3"},
        MergeCase{"DeletedCookieDisappears", "a=1; b=2", "a=deleted", "b=2", "a=deleted"},
        MergeCase{"FirstOfSeveralOldNamesSurvives", "a=1;a=5", "", "a=1", ""},
        MergeCase{"BothEmpty", "", "", "", ""},
        MergeCase{"BlanksGoFirst", "x=1", "y = 2; y=2", "y=2; x=1", "y=2;y=2"},
        MergeCase{"NamesCompareWithLetterCase", "A=1", "a=2", "a=2; A=1", "a=2"},
        MergeCase{"FullWidthBlanksGoToo",
                  "a=1;\xA1\xA1"
                  "b=2",
                  "c=3", "c=3; a=1; b=2", "c=3"},
        MergeCase{"NewCookieIntoEmptyList", "", "s=\xD6\xD0", "s=\xD6\xD0", "s=\xD6\xD0"},
        MergeCase{"DeletedWithoutOldCookie", "a=1", "z=deleted", "a=1", "z=deleted"}),
    [](const auto& test) { return test.param.name; });

struct NameCase {
    const char* name;
    std::string entry;
    std::string cookieName;
};

class CookieNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(CookieNameTest, TakesTheTrimmedName) {
    EXPECT_EQ(cookieName(GetParam().entry), GetParam().cookieName);
}

INSTANTIATE_TEST_SUITE_P(Cookies, CookieNameTest,
                         testing::Values(NameCase{"Plain", "a=1", "a"},
                                         NameCase{"Blanks", " a = 1", "a"},
                                         NameCase{"SecondEqualsStays", "a=b=c", "a"},
                                         NameCase{"NoEquals", " flag ", "flag"},
                                         NameCase{"EmptyName", "=x", ""},
                                         NameCase{"Empty", "", ""}),
                         [](const auto& test) { return test.param.name; });

TEST(CookieNamePresent, ComparesNamesExactly) {
    const std::vector<Text> entries = {"a=1", " b =2"};
    EXPECT_TRUE(cookieNamePresent(entries, "b"));
    EXPECT_FALSE(cookieNamePresent(entries, "B"));
    EXPECT_FALSE(cookieNamePresent({}, "a"));
}

TEST(EntryIndex, FindsTheFirstEqualEntry) {
    const std::vector<Text> entries = {"a", "b", "a"};
    EXPECT_EQ(entryIndex(entries, "a"), 1);
    EXPECT_EQ(entryIndex(entries, "b"), 2);
    EXPECT_EQ(entryIndex(entries, "A"), -1);
    EXPECT_EQ(entryIndex({}, ""), -1);
}

TEST(DistinctEntries, KeepsFirstOccurrences) {
    EXPECT_EQ(distinctEntries("a; b; a; c", "; "), "a; b; c");
    EXPECT_EQ(distinctEntries("a; ; b; ", "; "), "a; ; b");
    EXPECT_EQ(distinctEntries("", "; "), "");
}

TEST(ResponseCookies, CollectsNameValueParts) {
    const Text headers = normalizeSetCookieNames(
        "HTTP/1.1 200 OK\r\n"
        "set-cookie: a=1; path=/\r\n"
        "SET-COOKIE: b=2\r\n"
        "Content-Type: text/html\r\n"
        "Set-Cookie:\r\n"
        "Set-Cookie:\xA1\xA1"
        "c=\xD6\xD0\xA1\xA1\r\n"
        "\r\n");
    EXPECT_EQ(responseCookies(headers), "a=1; b=2; c=\xD6\xD0");
}

TEST(ResponseCookies, NoCookieLinesGiveEmptyList) {
    EXPECT_EQ(responseCookies("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"), "");
    EXPECT_EQ(responseCookies(""), "");
}

TEST(NormalizeSetCookieNames, RewritesEveryLetterCase) {
    EXPECT_EQ(normalizeSetCookieNames("set-cookie: a\r\nSeT-CoOkIe: b\r\nX: set-cookies"),
              "Set-Cookie: a\r\nSet-Cookie: b\r\nX: Set-Cookies");
}

}  // namespace
}  // namespace moxilo::text
