#include <algorithm>
#include <optional>

#include "moxilo/text/codec.h"

namespace moxilo::text {
namespace {

std::optional<unsigned> hexDigitValue(char digit) {
    if (digit >= '0' && digit <= '9') {
        return static_cast<unsigned>(digit - '0');
    }
    if (digit >= 'A' && digit <= 'F') {
        return static_cast<unsigned>(digit - 'A' + 10);
    }
    if (digit >= 'a' && digit <= 'f') {
        return static_cast<unsigned>(digit - 'a' + 10);
    }
    return std::nullopt;
}

// The byte that the escape at `text[position]` ("%" and two hex digits) stands for.
std::optional<char> escapedByte(std::string_view text, std::size_t position) {
    if (position + 2 >= text.size()) {
        return std::nullopt;
    }
    const auto high = hexDigitValue(text[position + 1]);
    const auto low = hexDigitValue(text[position + 2]);
    if (!high || !low) {
        return std::nullopt;
    }
    return static_cast<char>(*high * 16 + *low);
}

}  // namespace

Text percentDecode(std::string_view text, bool convertFromUtf8) {
    constexpr std::size_t kEscapeLength = 3;
    if (convertFromUtf8 && text.find('%') == std::string_view::npos) {
        return utf8ToText(text);  // pages seldom hold escapes: no decoded copy to convert
    }
    Text decoded;
    decoded.reserve(text.size());
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t escape = std::min(text.find('%', position), text.size());
        decoded.append(text.substr(position, escape - position));
        if (escape == text.size()) {
            break;
        }
        if (const auto byte = escapedByte(text, escape)) {
            if (*byte != '\0') {
                decoded.push_back(*byte);
            }
            position = escape + kEscapeLength;
        } else {
            decoded.push_back('%');  // malformed: the "%" and what follows pass through as they are
            position = escape + 1;
        }
    }
    return convertFromUtf8 ? utf8ToText(decoded) : decoded;
}

}  // namespace moxilo::text
