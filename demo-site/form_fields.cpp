#include "form_fields.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace moxilo::demo_site {
namespace {

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

std::optional<std::string> decodeComponent(std::string_view encoded) {
    std::string decoded;
    decoded.reserve(encoded.size());
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        const char c = encoded[i];
        if (c == '+') {
            decoded += ' ';
        } else if (c != '%') {
            decoded += c;
        } else {
            if (i + 2 >= encoded.size()) {
                return std::nullopt;
            }
            const int high = hexDigitValue(encoded[i + 1]);
            const int low = hexDigitValue(encoded[i + 2]);
            if (high < 0 || low < 0) {
                return std::nullopt;
            }
            decoded += static_cast<char>(high * 16 + low);
            i += 2;
        }
    }
    return decoded;
}

}  // namespace

std::optional<std::vector<FormField>> parseFormFields(std::string_view encoded) {
    std::vector<FormField> fields;
    std::size_t start = 0;
    while (start < encoded.size()) {
        const std::size_t end = std::min(encoded.find('&', start), encoded.size());
        const std::string_view pair = encoded.substr(start, end - start);
        const std::size_t equals = std::min(pair.find('='), pair.size());
        auto name = decodeComponent(pair.substr(0, equals));
        auto value = decodeComponent(pair.substr(std::min(equals + 1, pair.size())));
        if (!name || !value) {
            return std::nullopt;
        }
        fields.push_back({std::move(*name), std::move(*value)});
        start = end + 1;
    }
    return fields;
}

std::optional<std::string> queryValue(std::string_view target, std::string_view name) {
    const std::size_t question = target.find('?');
    if (question == std::string_view::npos) {
        return std::nullopt;
    }
    const auto fields = parseFormFields(target.substr(question + 1));
    if (!fields) {
        return std::nullopt;
    }
    const auto found = std::ranges::find(*fields, name, &FormField::name);
    if (found == fields->end()) {
        return std::nullopt;
    }
    return found->value;
}

}  // namespace moxilo::demo_site
