#include "moxilo/catalogue/make_form.h"
#include "running_site.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

namespace moxilo::demo_site {
namespace {

constexpr const char* kFormType = "application/x-www-form-urlencoded";

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(MakePageTest, AcceptsTheProgramsFormForEveryListedFaceKind) {
    RunningSite site;
    auto client = site.client();
    for (const std::string id : {"1024", "318"}) {
        SCOPED_TRACE(id);
        const auto response =
            client.Post("/face/make.aspx?id=" + id, catalogue::makeFormBody(), kFormType);
        ASSERT_TRUE(response) << httplib::to_string(response.error());
        EXPECT_EQ(response->status, 200) << response->body;
        const std::string folder = std::string(10 - id.size(), '0') + id;
        EXPECT_NE(response->body.find("store/face/" + folder + "/make.jpg"), std::string::npos);
    }
}

TEST(MakePageTest, AcceptsCaptionsInTheTextLines) {
    RunningSite site;
    const std::string line1 =
        "ctl00%24ctl00%24ContentPlaceHolder1%24ContentPlaceHolder1%24"
        "TextBoxTextLine1=";
    const std::string body =
        replaced(catalogue::makeFormBody(), line1, line1 + "%E4%BD%A0%E5%A5%BD+there");
    const auto response = site.client().Post("/face/make.aspx?id=1024", body, kFormType);
    ASSERT_TRUE(response);
    EXPECT_EQ(response->status, 200) << response->body;
}

struct WrongForm {
    std::string name;
    std::function<std::string(const std::string&)> spoil;
};

void PrintTo(const WrongForm& form, std::ostream* out) {
    *out << form.name;
}

class WrongFormTest : public ::testing::TestWithParam<WrongForm> {};

TEST_P(WrongFormTest, IsRefusedWith400) {
    RunningSite site;
    const std::string body = GetParam().spoil(catalogue::makeFormBody());
    const auto response = site.client().Post("/face/make.aspx?id=1024", body, kFormType);
    ASSERT_TRUE(response);
    EXPECT_EQ(response->status, 400) << response->body;
    // The reason quotes what was posted, so it must not be read as HTML.
    EXPECT_EQ(response->get_header_value("Content-Type"), "text/plain; charset=utf-8");
}

const std::string kButton = "ButtonMake=%E7%94%9F%E6%88%90%E5%9B%BE%E7%89%87%EF%BC%81";

INSTANTIATE_TEST_SUITE_P(
    Spoilt, WrongFormTest,
    ::testing::Values(
        WrongForm{
            "ViewStateAltered",
            [](const std::string& b) { return replaced(b, "__VIEWSTATE=", "__VIEWSTATE=A"); }},
        WrongForm{"ViewStatePlusUnescaped",
                  [](const std::string& b) { return replaced(b, "%2B", "+"); }},
        WrongForm{"GeneratorAltered",
                  [](const std::string& b) {
                      return replaced(b, "__VIEWSTATEGENERATOR=", "__VIEWSTATEGENERATOR=0");
                  }},
        WrongForm{"EventValidationAltered",
                  [](const std::string& b) {
                      return replaced(b, "__EVENTVALIDATION=", "__EVENTVALIDATION=A");
                  }},
        WrongForm{"MakeButtonCaptionAltered",
                  [](const std::string& b) { return replaced(b, kButton, "ButtonMake=make"); }},
        WrongForm{"FieldRenamed",
                  [](const std::string& b) {
                      return replaced(b, "%24TextBoxSearch=", "%24TextBoxFind=");
                  }},
        WrongForm{"TextLinesSwapped",
                  [](const std::string& b) {
                      const std::string swapping = replaced(b, "TextLine1=", "TextLineX=");
                      return replaced(replaced(swapping, "TextLine2=", "TextLine1="),
                                      "TextLineX=", "TextLine2=");
                  }},
        WrongForm{"LastFieldMissing",
                  [](const std::string& b) { return b.substr(0, b.rfind('&')); }},
        WrongForm{"FieldAdded", [](const std::string& b) { return b + "&extra=1"; }},
        WrongForm{"MarkupInAFieldName",
                  [](const std::string& b) {
                      return replaced(b, "__VIEWSTATE=", "%3Cscript%3Ealert(1)%3C%2Fscript%3E=");
                  }},
        WrongForm{"MalformedEscape",
                  [](const std::string& b) { return replaced(b, "%2F", "%G1"); }},
        WrongForm{"Empty", [](const std::string&) { return std::string(); }}),
    [](const auto& testCase) { return testCase.param.name; });

TEST(MakePageTest, UnknownOrMissingIdIsNotFound) {
    RunningSite site;
    auto client = site.client();
    for (const std::string path : {"/face/make.aspx?id=9998", "/face/make.aspx?id=",
                                   "/face/make.aspx", "/face/make.aspx?id=01024"}) {
        SCOPED_TRACE(path);
        const auto response = client.Post(path, catalogue::makeFormBody(), kFormType);
        ASSERT_TRUE(response);
        EXPECT_EQ(response->status, 404);
    }
}

TEST(MakePageTest, IdInTheBodyDoesNotStandForTheAddress) {
    RunningSite site;
    const auto response =
        site.client().Post("/face/make.aspx", "id=1024&" + catalogue::makeFormBody(), kFormType);
    ASSERT_TRUE(response);
    EXPECT_EQ(response->status, 404);
}

TEST(MakePageTest, BodiesAboveOneMebibyteAreRefused) {
    RunningSite site;
    const std::string huge(kMaxRequestBody + 1, 'a');
    const auto response =
        site.client().Post("/face/make.aspx?id=1024", huge, "application/octet-stream");
    ASSERT_TRUE(response) << httplib::to_string(response.error());
    EXPECT_EQ(response->status, 413);
}

}  // namespace
}  // namespace moxilo::demo_site
