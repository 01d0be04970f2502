#include "moxilo/net/form_address.h"

#include <algorithm>
#include <charconv>

#include "moxilo/text/text_utils.h"

namespace moxilo::net {
namespace {

constexpr std::string_view kHttps = "https://";
constexpr std::string_view kHttp = "http://";
constexpr std::string_view kSchemeEnd = "://";
constexpr std::int32_t kHttpsPort = 443;
constexpr std::int32_t kHttpPort = 80;

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text::findText(text.substr(0, prefix.size()), prefix, 0, text::LetterCase::ignored) == 0;
}

bool isSchemeCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' ||
           c == '-' || c == '.';
}

// True when the address begins with a scheme of its own ("ftp://"), which the form
// client does not speak; "host/x?u=http://y" has none.
bool namesAnotherScheme(std::string_view url) {
    const std::size_t end = url.find(kSchemeEnd);
    if (end == std::string_view::npos || end == 0) {
        return false;
    }
    const std::string_view scheme = url.substr(0, end);
    return std::all_of(scheme.begin(), scheme.end(), isSchemeCharacter);
}

// Offset of the last match of `needle` that starts on a character, or npos.
std::size_t findLast(std::string_view text, std::string_view needle) {
    std::size_t last = std::string_view::npos;
    for (std::size_t at = text::findText(text, needle); at != std::string_view::npos;
         at = text::findText(text, needle, at + needle.size())) {
        last = at;
    }
    return last;
}

text::Text lowerCased(std::string_view text) {
    text::Text lower(text);
    for (std::size_t at = 0; at < lower.size(); at += text::characterLength(lower, at)) {
        if (lower[at] >= 'A' && lower[at] <= 'Z') {
            lower[at] = static_cast<char>(lower[at] - 'A' + 'a');
        }
    }
    return lower;
}

// The leading digits of `text`; 0 without any, or when they pass the 32-bit range.
std::int32_t leadingNumber(std::string_view text) {
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && number >= 0 ? number : 0;
}

struct HostAndPort {
    std::string_view host;
    std::optional<std::string_view> port;  // the text after the ":", when there is one
};

// "host", "host:81" or "[v6]:81", user info already cut off.
std::optional<HostAndPort> splitHostAndPort(std::string_view authority) {
    if (authority.starts_with('[')) {
        const std::size_t close = text::findText(authority, "]");
        if (close == std::string_view::npos) {
            return std::nullopt;
        }
        const std::string_view after = authority.substr(close + 1);
        if (!after.empty() && !after.starts_with(':')) {
            return std::nullopt;
        }
        return HostAndPort{authority.substr(0, close + 1),
                           after.empty() ? std::nullopt : std::optional(after.substr(1))};
    }
    const std::size_t colon = authority.find(':');
    if (colon == std::string_view::npos) {
        return HostAndPort{authority, std::nullopt};
    }
    return HostAndPort{authority.substr(0, colon), authority.substr(authority.rfind(':') + 1)};
}

}  // namespace

std::optional<FormAddress> parseFormAddress(std::string_view url) {
    FormAddress address;
    std::string_view rest = url;
    if (startsWithIgnoringCase(url, kHttps)) {
        address.https = true;
        rest.remove_prefix(kHttps.size());
    } else if (startsWithIgnoringCase(url, kHttp)) {
        rest.remove_prefix(kHttp.size());
    } else if (namesAnotherScheme(url)) {
        return std::nullopt;
    }

    // "/", "?" and "#" are below every second byte of a two-byte character.
    const std::size_t authorityEnd = std::min(rest.find_first_of("/?#"), rest.size());
    std::string_view authority = rest.substr(0, authorityEnd);
    if (const std::size_t at = findLast(authority, "@"); at != std::string_view::npos) {
        authority.remove_prefix(at + 1);  // user info is never sent
    }
    const std::optional<HostAndPort> hostAndPort = splitHostAndPort(authority);
    if (!hostAndPort || hostAndPort->host.empty()) {
        return std::nullopt;
    }
    address.host = lowerCased(hostAndPort->host);
    address.port = hostAndPort->port ? leadingNumber(*hostAndPort->port)
                                     : (address.https ? kHttpsPort : kHttpPort);

    std::string_view path = rest.substr(authorityEnd);
    path = path.substr(0, path.find('#'));
    address.path = path;
    if (!path.starts_with('/')) {
        address.path.insert(address.path.begin(), '/');
    }
    return address;
}

}  // namespace moxilo::net
