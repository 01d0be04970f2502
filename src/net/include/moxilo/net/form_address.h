#pragma once
// Takes apart the address the form client is given: the scheme, the host to connect
// to, the port and the path with its query that the request line carries.

#include <cstdint>
#include <optional>
#include <string_view>

#include "moxilo/text/codec.h"

namespace moxilo::net {

struct FormAddress {
    bool https = false;
    // Lower-cased (ASCII letters), without user info or port; an IPv6 literal keeps
    // its brackets: "[::1]".
    text::Text host;
    // The number after the host's ":"; 443 for https and 80 for http when the address
    // names none, 0 when the ":" is followed by no digits or by a number too large.
    std::int32_t port = 0;
    // From the first "/" after the host to the end, query included, fragment left out;
    // "/" when the address has no path, "/?q" when it has only a query.
    text::Text path;
};

// `url`: a Text such as "https://Host:8443/a?b=1" or "host/x". "http://" and
// "https://" are recognised in any letter case; without a scheme the address is
// http. Nothing when the address names another scheme ("ftp://...") or no host.
std::optional<FormAddress> parseFormAddress(std::string_view url);

}  // namespace moxilo::net
