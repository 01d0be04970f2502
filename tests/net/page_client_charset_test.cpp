// Pages in every encoding the site may use reach the catalogue as the right characters:
// the page client brings a page to UTF-8 and the catalogue decodes it once.

#include <gtest/gtest.h>

#include <string>

#include "moxilo/text/codec.h"
#include "page_client_fixture.h"

namespace moxilo::net {
namespace {

enum class Encoding { utf8, codePage936, big5 };

// Big5 bytes of the one title the Big5 page carries.
constexpr std::string_view kBig5Title = "\xA4\xA4\xA4\xE5";  // 中文
constexpr std::string_view kTitle = "表情 中文";

std::string encode(std::string_view utf8, Encoding encoding) {
    switch (encoding) {
        case Encoding::utf8:
            return std::string(utf8);
        case Encoding::codePage936:
            return text::utf8ToText(utf8);
        case Encoding::big5:
            return std::string(kBig5Title);
    }
    return {};
}

// A listing page with a title written out and one percent-escaped in UTF-8.
std::string listingPage(std::string_view head, std::string_view title, Encoding encoding) {
    return "<html><head>" + std::string(head) + "</head><body>\r\n<li><img alt=\"" +
           encode(title, encoding) +
           "\"></li>\r\n<li><img alt=\"%E8%A1%A8%E6%83%85\"></li>\r\n</body></html>";
}

// The same page as a reader sees it, in UTF-8, its escaped title decoded.
std::string expectedListing(std::string_view head, std::string_view title) {
    constexpr std::string_view kEscapedTitle = "%E8%A1%A8%E6%83%85";
    std::string page = listingPage(head, title, Encoding::utf8);
    return page.replace(page.find(kEscapedTitle), kEscapedTitle.size(), "表情");
}

struct OutcomeCase {
    const char* name;
    std::string head;
    std::string_view title;
    Encoding encoding;
};

class PageEncodingOutcomeTest : public PageClientTest,
                                public testing::WithParamInterface<OutcomeCase> {};

TEST_P(PageEncodingOutcomeTest, TitlesArriveAsTheRightCharacters) {
    const OutcomeCase& c = GetParam();
    serve(Reply::ok(listingPage(c.head, c.title, c.encoding), "Content-Type: text/html\r\n"));

    const std::string page = fetch(requestFor("/face/ListWithImage.aspx?pn=1"));
    EXPECT_FALSE(result_.failure);
    EXPECT_EQ(text::percentDecode(page, true), text::utf8ToText(expectedListing(c.head, c.title)));
}

INSTANTIATE_TEST_SUITE_P(
    PageClient, PageEncodingOutcomeTest,
    testing::Values(
        OutcomeCase{"Utf8Declared", "<meta charset=\"utf-8\">", kTitle, Encoding::utf8},
        OutcomeCase{"Utf8DeclaredInUpperCase",
                    "<META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">",
                    kTitle, Encoding::utf8},
        OutcomeCase{"NoCharsetUtf8Bytes", "<title>x</title>", kTitle, Encoding::utf8},
        OutcomeCase{"GbkDeclared",
                    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\">", kTitle,
                    Encoding::codePage936},
        OutcomeCase{"Gb2312Declared", "<meta charset=gb2312>", kTitle, Encoding::codePage936},
        OutcomeCase{"GbkDeclaredInUpperCase", "<meta charset='GBK'>", kTitle,
                    Encoding::codePage936},
        OutcomeCase{"OnlyEscapedTitles", "", "plain", Encoding::utf8},
        OutcomeCase{"Big5Declared", "<meta charset=big5>", "中文", Encoding::big5},
        OutcomeCase{"UnknownCharsetReadAsCodePage936", "<meta charset=x-made-up>", kTitle,
                    Encoding::codePage936}),
    [](const auto& test) { return test.param.name; });

TEST_F(PageClientTest, DeclarationPastTheFirst1024BytesIsNotUsed) {
    const std::string body =
        std::string(1100, ' ') + "<meta charset=gbk>" + text::utf8ToText("中文");
    serve(Reply::ok(body));
    EXPECT_EQ(fetch(requestFor("/late")), body);
}

TEST_F(PageClientTest, ConversionUsesTheWholeBodyButThePageEndsAtNul) {
    const std::string body = "<meta charset=gbk>" + text::utf8ToText("中") + std::string("\0z", 2);
    serve(Reply::ok(body));
    result_.body.emplace();
    EXPECT_EQ(fetch(requestFor("/nul")), "<meta charset=gbk>中");
    EXPECT_EQ(result_.body, body);
}

}  // namespace
}  // namespace moxilo::net
