#pragma once
// The charset a page declares, and the page brought into UTF-8 by it.

#include <string>
#include <string_view>

#include "moxilo/text/codec.h"

namespace moxilo::net {

// The charset named by the first <meta ... charset=...> within the first 1024 bytes of
// `page`, or empty. Looks only at ASCII, so the page's own encoding does not matter.
text::Text declaredCharset(std::string_view page);

// The page as UTF-8, up to its first NUL: the whole `body` converted from `charset` when
// that names anything but UTF-8, else the first `textLength` bytes (those before the
// body's first NUL). A charset the system does not know reads the body as code page
// 936, the program's own.
std::string pageAsUtf8(std::string body, std::size_t textLength, std::string_view charset);

}  // namespace moxilo::net
