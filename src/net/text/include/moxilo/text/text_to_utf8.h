#pragma once
// Text back to UTF-8, the one encoding in which the page client hands pages on.

#include <string>
#include <string_view>

namespace moxilo::text {

// Code page 936 bytes to UTF-8; a byte sequence that does not convert becomes "?".
std::string textToUtf8(std::string_view text);

}  // namespace moxilo::text
