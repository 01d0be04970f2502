#include "form_fields.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace moxilo::demo_site {
namespace {

struct FormCase {
    std::string encoded;
    std::optional<std::vector<FormField>> fields;  // nullopt: refused
};

void PrintTo(const FormCase& form, std::ostream* out) {
    *out << '"' << form.encoded << '"';
}

class FormFieldsTest : public ::testing::TestWithParam<FormCase> {};

TEST_P(FormFieldsTest, DecodesInOrder) {
    const auto parsed = parseFormFields(GetParam().encoded);
    ASSERT_EQ(parsed.has_value(), GetParam().fields.has_value());
    if (parsed) {
        EXPECT_TRUE(*parsed == *GetParam().fields);
    }
}

using Fields = std::vector<FormField>;

INSTANTIATE_TEST_SUITE_P(
    Bodies, FormFieldsTest,
    ::testing::Values(FormCase{"", Fields{}}, FormCase{"b=2&a=1", Fields{{"b", "2"}, {"a", "1"}}},
                      FormCase{"a+b=c+d", Fields{{"a b", "c d"}}},
                      FormCase{"x%24y=%2F%2b%3D", Fields{{"x$y", "/+="}}},
                      FormCase{"t=%E7%94%9F", Fields{{"t", "\xE7\x94\x9F"}}},
                      FormCase{"empty=&flag", Fields{{"empty", ""}, {"flag", ""}}},
                      FormCase{"a=1=2", Fields{{"a", "1=2"}}}, FormCase{"a=1&", Fields{{"a", "1"}}},
                      FormCase{"a=%zz", std::nullopt}, FormCase{"a=%4", std::nullopt},
                      FormCase{"a=%", std::nullopt}, FormCase{"%G0=1", std::nullopt}));

TEST(QueryValueTest, TakesTheFirstDecodedValueOfTheTarget) {
    EXPECT_EQ(queryValue("/face/make.aspx?id=1024", "id"), "1024");
    EXPECT_EQ(queryValue("/p?pn=2&id=7&id=8", "id"), "7");
    EXPECT_EQ(queryValue("/p?pn=%32", "pn"), "2");
    EXPECT_EQ(queryValue("/p?pn=", "pn"), "");
    EXPECT_EQ(queryValue("/p?pn=1", "id"), std::nullopt);
    EXPECT_EQ(queryValue("/p", "pn"), std::nullopt);
    EXPECT_EQ(queryValue("/p?pn=%z", "pn"), std::nullopt);
}

}  // namespace
}  // namespace moxilo::demo_site
