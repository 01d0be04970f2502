#include "moxilo/catalogue/make_form.h"
#include "moxilo/catalogue/make_form_values.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace moxilo::catalogue {
namespace {

struct SentField {
    std::string name;
    std::string value;
};

// Splits the body the way a form parser on the site does, without decoding.
std::vector<SentField> splitForm(std::string_view body) {
    std::vector<SentField> fields;
    std::size_t start = 0;
    while (start <= body.size()) {
        const std::size_t end = std::min(body.find('&', start), body.size());
        const std::string_view pair = body.substr(start, end - start);
        const std::size_t equals = pair.find('=');
        if (equals == std::string_view::npos) {
            fields.push_back({std::string(pair), "<no equals sign>"});
        } else {
            fields.push_back(
                {std::string(pair.substr(0, equals)), std::string(pair.substr(equals + 1))});
        }
        start = end + 1;
    }
    return fields;
}

// Reverses the three escapes of the site's Base64 values.
std::string unescapeBase64(std::string_view sent) {
    std::string base64;
    for (std::size_t i = 0; i < sent.size(); ++i) {
        const std::string_view rest = sent.substr(i);
        if (rest.starts_with("%2B") || rest.starts_with("%2F") || rest.starts_with("%3D")) {
            base64 += rest[2] == 'B' ? '+' : rest[2] == 'F' ? '/' : '=';
            i += 2;
        } else {
            base64 += sent[i];
        }
    }
    return base64;
}

bool isBase64Text(std::string_view text) {
    return std::ranges::all_of(text, [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '+' || c == '/' || c == '=';
    });
}

const std::string kControl = "ctl00%24ctl00%24ContentPlaceHolder1%24";
const std::string kContent = kControl + "ContentPlaceHolder1%24";

TEST(MakeFormTest, BodyHasTheEightFieldsInOrderWithTheirSentLengths) {
    const std::string body = makeFormBody();
    EXPECT_EQ(body.size(), 6192U);
    EXPECT_NE(body.back(), '&');

    struct Expected {
        std::string name;
        std::size_t valueLength;
    };
    const std::vector<Expected> expected{
        {"__VIEWSTATE", 5630},
        {"__VIEWSTATEGENERATOR", 8},
        {"__EVENTVALIDATION", 102},
        {kControl + "TextBoxSearch", 0},
        {kContent + "TextBoxTextLine1", 0},
        {kContent + "TextBoxTextLine2", 0},
        {kContent + "ButtonMake", 45},
        {kContent + "TextBoxPost", 0},
    };
    const std::vector<SentField> sent = splitForm(body);
    ASSERT_EQ(sent.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(sent[i].name, expected[i].name);
        EXPECT_EQ(sent[i].value.size(), expected[i].valueLength);
    }
    EXPECT_EQ(sent[6].value, "%E7%94%9F%E6%88%90%E5%9B%BE%E7%89%87%EF%BC%81");
}

TEST(MakeFormTest, IssuedValuesGoOutUnchangedButForTheirEscapes) {
    const IssuedMakeFormValues issued = issuedMakeFormValues();
    const std::vector<SentField> sent = splitForm(makeFormBody());
    ASSERT_EQ(sent.size(), 8U);
    for (const std::size_t escaped : {0U, 2U}) {
        SCOPED_TRACE(sent[escaped].name);
        EXPECT_EQ(sent[escaped].value.find_first_of("+/="), std::string::npos);
    }
    EXPECT_EQ(unescapeBase64(sent[0].value), issued.viewState);
    EXPECT_EQ(sent[1].value, issued.viewStateGenerator);
    EXPECT_EQ(unescapeBase64(sent[2].value), issued.eventValidation);
}

TEST(MakeFormTest, ConfiguredValuesHaveTheFormsTheSiteIssues) {
    const IssuedMakeFormValues issued = issuedMakeFormValues();

    EXPECT_EQ(issued.viewState.size(), 5424U);
    EXPECT_TRUE(issued.viewState.ends_with("=="));
    EXPECT_TRUE(isBase64Text(issued.viewState));
    EXPECT_EQ(issued.viewState.find('='), issued.viewState.size() - 2) << "padding only at the end";

    EXPECT_EQ(issued.viewStateGenerator.size(), 8U);
    EXPECT_TRUE(std::ranges::all_of(issued.viewStateGenerator, [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
    }));

    EXPECT_EQ(issued.eventValidation.size(), 96U);
    EXPECT_TRUE(isBase64Text(issued.eventValidation));
    EXPECT_EQ(issued.eventValidation.find('='), std::string_view::npos);
}

}  // namespace
}  // namespace moxilo::catalogue
