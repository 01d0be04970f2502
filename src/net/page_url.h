#pragma once
// Turns the address a caller gives the page client into the one libcurl requests.

#include <optional>
#include <string>
#include <string_view>

namespace moxilo::net {

// The absolute http:// or https:// address to request, or nothing when `url` is not
// one. Non-ASCII bytes and spaces are sent percent-escaped as UTF-8; a URL without a
// path requests "/" with its query, if any; the fragment is never sent.
std::optional<std::string> requestUrl(std::string_view url);

}  // namespace moxilo::net
