#include "make_form_check.h"

#include "form_fields.h"
#include "moxilo/catalogue/make_form_values.h"

#include <array>
#include <cstddef>

namespace moxilo::demo_site {
namespace {

struct ExpectedField {
    std::string_view name;
    // nullopt: any value (the text boxes).
    std::optional<std::string_view> value;
};

std::array<ExpectedField, 8> expectedFields() {
    const catalogue::IssuedMakeFormValues issued = catalogue::issuedMakeFormValues();
    return {{
        {"__VIEWSTATE", issued.viewState},
        {"__VIEWSTATEGENERATOR", issued.viewStateGenerator},
        {"__EVENTVALIDATION", issued.eventValidation},
        {"ctl00$ctl00$ContentPlaceHolder1$TextBoxSearch", std::nullopt},
        {"ctl00$ctl00$ContentPlaceHolder1$ContentPlaceHolder1$TextBoxTextLine1", std::nullopt},
        {"ctl00$ctl00$ContentPlaceHolder1$ContentPlaceHolder1$TextBoxTextLine2", std::nullopt},
        {"ctl00$ctl00$ContentPlaceHolder1$ContentPlaceHolder1$ButtonMake", "生成图片！"},
        {"ctl00$ctl00$ContentPlaceHolder1$ContentPlaceHolder1$TextBoxPost", std::nullopt},
    }};
}

}  // namespace

std::optional<std::string> makeFormProblem(std::string_view body) {
    const auto fields = parseFormFields(body);
    if (!fields) {
        return "the form body is not form-urlencoded (a malformed % escape)";
    }
    const auto expected = expectedFields();
    if (fields->size() != expected.size()) {
        return "the form has " + std::to_string(fields->size()) + " fields instead of " +
               std::to_string(expected.size());
    }
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const FormField& field = (*fields)[i];
        const std::string position = "field " + std::to_string(i + 1);
        if (field.name != expected[i].name) {
            return position + " is \"" + field.name + "\" instead of \"" +
                   std::string(expected[i].name) + "\"";
        }
        if (expected[i].value && field.value != *expected[i].value) {
            return position + " (" + field.name + ") does not hold the value this page issued";
        }
    }
    return std::nullopt;
}

}  // namespace moxilo::demo_site
