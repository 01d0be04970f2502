#pragma once
// The three values the catalogue site issued for its make page, which the make
// form sends back unchanged. They are configuration, like the site root: one
// source file defines them, the one the build names in MOXILO_MAKE_FORM_VALUES
// (make_form_values.cpp beside this library by default). Another site's values
// go in a copy of that file with the same shape.

#include <string_view>

namespace moxilo::catalogue {

struct IssuedMakeFormValues {
    // Base64 view state as issued, padding included.
    std::string_view viewState;
    // Eight upper-case hexadecimal digits.
    std::string_view viewStateGenerator;
    // Base64 event validation as issued.
    std::string_view eventValidation;
};

[[nodiscard]] IssuedMakeFormValues issuedMakeFormValues();

}  // namespace moxilo::catalogue
