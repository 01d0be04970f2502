#pragma once
// Reading application/x-www-form-urlencoded text: form bodies and query strings.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace moxilo::demo_site {

struct FormField {
    std::string name;
    std::string value;

    friend bool operator==(const FormField&, const FormField&) = default;
};

// The fields in the order they come, names and values decoded ("+" is a space,
// "%XX" a byte). A pair without "=" is a name with an empty value. Empty text
// has no fields. A malformed escape gives nullopt: the sender did not encode.
[[nodiscard]] std::optional<std::vector<FormField>> parseFormFields(std::string_view encoded);

// The decoded value of the first query parameter called `name` in a request
// target ("/path?a=1&b=2"), or nullopt when there is none or the query is malformed.
[[nodiscard]] std::optional<std::string> queryValue(std::string_view target, std::string_view name);

}  // namespace moxilo::demo_site
