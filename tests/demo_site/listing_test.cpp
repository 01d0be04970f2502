#include "catalogue_data.h"
#include "running_site.h"

#include <QRegularExpression>
#include <QRegularExpressionMatch>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace moxilo::demo_site {
namespace {

struct Item {
    std::string id;
    std::string title;
};

// Byte for byte: Latin-1 maps every byte to one character and back, whatever
// the page's own encoding.
std::vector<Item> listedItems(const std::string& page) {
    static const QRegularExpression pattern(QString::fromLatin1(kListingPattern));
    std::vector<Item> items;
    auto matches = pattern.globalMatch(QString::fromLatin1(page.data(), qsizetype(page.size())));
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        items.push_back({match.captured(1).toLatin1().toStdString(),
                         match.captured(2).toLatin1().toStdString()});
    }
    return items;
}

std::string listingPath(const std::string& pn) {
    return "/face/ListWithImage.aspx?pn=" + pn;
}

bool containsIgnoringCase(std::string text, std::string word) {
    std::ranges::transform(text, text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text.find(word) != std::string::npos;
}

TEST(ListingTest, EveryPageListsItsFacesOneLineEachInTableOrder) {
    RunningSite site;
    auto client = site.client();
    std::set<std::string> seenIds;
    for (int page = 1; page <= kDemoPageCount; ++page) {
        SCOPED_TRACE("page " + std::to_string(page));
        const auto response = client.Get(listingPath(std::to_string(page)));
        ASSERT_TRUE(response) << httplib::to_string(response.error());
        ASSERT_EQ(response->status, 200);

        const std::vector<Item> items = listedItems(response->body);
        EXPECT_GE(items.size(), 12U);
        EXPECT_LE(items.size(), 20U);
        std::vector<std::string> expectedIds;
        for (const DemoFace& face : demoFaces()) {
            if (face.page == page) {
                expectedIds.emplace_back(face.id);
            }
        }
        std::vector<std::string> ids;
        for (const Item& item : items) {
            ids.push_back(item.id);
            EXPECT_TRUE(item.id.size() == 3 || item.id.size() == 4) << item.id;
            EXPECT_TRUE(seenIds.insert(item.id).second) << "id listed twice: " << item.id;
            // One item a line, CRLF after it.
            const std::string line = "\n<li><a href=\"make.aspx?id=" + item.id + "\"";
            const auto start = response->body.find(line);
            ASSERT_NE(start, std::string::npos) << item.id;
            EXPECT_EQ(response->body.substr(response->body.find('\n', start + 1) - 1, 2), "\r\n");
        }
        EXPECT_EQ(ids, expectedIds);
    }
}

TEST(ListingTest, TitlesKeepTheirCharacterReferences) {
    RunningSite site;
    auto client = site.client();
    std::vector<std::string> titles;
    for (const std::string pn : {"1", "2", "3", "4"}) {
        const auto response = client.Get(listingPath(pn));
        ASSERT_TRUE(response);
        for (const Item& item : listedItems(response->body)) {
            titles.push_back(item.title);
        }
    }
    for (const std::string expected :
         {"&#21704;&#21704;&#21704;", "猫&amp;狗", "&quot;真香&quot;", "&#x54C8;&#x54C8;"}) {
        EXPECT_NE(std::ranges::find(titles, expected), titles.end()) << expected;
    }
}

class PastTheLastPageTest : public ::testing::TestWithParam<std::string> {};

TEST_P(PastTheLastPageTest, IsAValidPageWithoutItems) {
    RunningSite site;
    const auto response = site.client().Get(listingPath(GetParam()));
    ASSERT_TRUE(response);
    EXPECT_EQ(response->status, 200);
    EXPECT_TRUE(listedItems(response->body).empty());
    EXPECT_NE(response->body.find("<ul class=\"facelist\">\r\n</ul>"), std::string::npos);
    EXPECT_TRUE(response->body.ends_with("</html>\r\n"));
}

INSTANTIATE_TEST_SUITE_P(Pages, PastTheLastPageTest,
                         ::testing::Values("5", "6", "2147483647", "99999999999", "0", "-1", "",
                                           "abc", "2x", "+1", "1.0"));

TEST(ListingTest, MissingPageNumberGivesAnEmptyPage) {
    RunningSite site;
    const auto response = site.client().Get("/face/ListWithImage.aspx");
    ASSERT_TRUE(response);
    EXPECT_EQ(response->status, 200);
    EXPECT_TRUE(listedItems(response->body).empty());
}

struct CharsetCase {
    std::string name;
    ListingCharset charset;
    std::string contentType;
    std::string meta;   // empty: no charset declared anywhere in the page
    std::string happy;  // "开心" in the page's encoding
};

void PrintTo(const CharsetCase& mode, std::ostream* out) {
    *out << mode.name;
}

class ListingCharsetTest : public ::testing::TestWithParam<CharsetCase> {};

TEST_P(ListingCharsetTest, ServesThePageInItsEncodingWithItsDeclarations) {
    const CharsetCase& mode = GetParam();
    RunningSite site(mode.charset);
    const auto response = site.client().Get(listingPath("1"));
    ASSERT_TRUE(response);
    EXPECT_EQ(response->get_header_value("Content-Type"), mode.contentType);
    const std::string& body = response->body;
    if (mode.meta.empty()) {
        EXPECT_FALSE(containsIgnoringCase(body, "charset"));
        EXPECT_FALSE(containsIgnoringCase(response->get_header_value("Content-Type"), "charset"));
    } else {
        EXPECT_NE(body.substr(0, 1024).find(mode.meta), std::string::npos);
    }
    EXPECT_NE(body.find("alt=\"" + mode.happy + "\""), std::string::npos);
    // The markup is ASCII, so every mode lists the same items.
    EXPECT_EQ(listedItems(body).size(), 16U);
}

const std::string kHappyUtf8 = "\xE5\xBC\x80\xE5\xBF\x83";
const std::string kHappyGbk = "\xBF\xAA\xD0\xC4";

INSTANTIATE_TEST_SUITE_P(
    Modes, ListingCharsetTest,
    ::testing::Values(
        CharsetCase{"Utf8Declared", ListingCharset::Utf8Declared, "text/html; charset=utf-8",
                    "<meta charset=\"utf-8\">", kHappyUtf8},
        CharsetCase{"Utf8Undeclared", ListingCharset::Utf8Undeclared, "text/html", "", kHappyUtf8},
        CharsetCase{"Gbk", ListingCharset::Gbk, "text/html; charset=gbk", "<meta charset=\"gbk\">",
                    kHappyGbk}),
    [](const auto& testCase) { return testCase.param.name; });

TEST(ListingTest, GbkPageHoldsNoUtf8) {
    RunningSite site(ListingCharset::Gbk);
    const auto response = site.client().Get(listingPath("1"));
    ASSERT_TRUE(response);
    EXPECT_EQ(response->body.find(kHappyUtf8), std::string::npos);
    // "表情大全", the page title, in GBK.
    EXPECT_NE(response->body.find("<title>\xB1\xED\xC7\xE9\xB4\xF3\xC8\xAB</title>"),
              std::string::npos);
}

}  // namespace
}  // namespace moxilo::demo_site
