#pragma once
// The header block and the user agent of a form client request.

#include <string_view>

#include "moxilo/text/codec.h"

namespace moxilo::net {

// `extraHeaders` completed with each default line whose key (letter case counting) it
// lacks: "Accept: */*", "Referer: " and `url`, "Accept-Language: zh-cn" and
// "Content-Type: application/x-www-form-urlencoded"; then "Cookie: " and `cookies`
// when they are not empty, even after a cookie line of the caller's. Lines are
// joined by CR LF, with none after the last.
text::Text formHeaderBlock(std::string_view extraHeaders, std::string_view url,
                           std::string_view cookies);

// The agent the extra headers name in a "User-Agent:" line, or the program's own.
text::Text formUserAgent(std::string_view extraHeaders);

}  // namespace moxilo::net
