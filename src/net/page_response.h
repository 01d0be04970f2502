#pragma once
// What the page client takes out of a response header block.

#include <optional>
#include <string_view>

#include "moxilo/text/codec.h"

namespace moxilo::net {

struct PageResponseHeaders {
    text::Text headers;                  // the block, every "Set-Cookie" spelt so
    text::Text statusText;               // the status line from its 10th byte: "200 OK"
    text::Text cookies;                  // the cookies the response sets, as a cookie list
    std::optional<text::Text> location;  // the value of the last "Location: " line
};

// `headerBlock`: status line and header lines, each ending in CR LF. A NUL byte ends it.
PageResponseHeaders readResponseHeaders(std::string_view headerBlock);

}  // namespace moxilo::net
