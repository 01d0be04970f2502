#pragma once
// The header block the page client sends: the caller's extra lines, then each
// default line whose key the block does not hold yet.

#include <string_view>

#include "moxilo/text/codec.h"

namespace moxilo::net {

// `extraHeaders`: lines joined by CR LF, without a final CR LF. A non-empty `cookies`
// adds a "Cookie: " line. The block always ends in CR LF and is never empty.
text::Text pageRequestHeaders(std::string_view extraHeaders, std::string_view cookies);

}  // namespace moxilo::net
