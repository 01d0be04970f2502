#pragma once
// Builds the result of replacing matches, with VBScript's replacement syntax.

#include <string_view>

#include "match_table.h"
#include "moxilo/text/codec.h"

namespace moxilo::regex {

// `subject` with every match of `table` (byte offsets) replaced by `replacement`, in which
// "$1".."$99" stand for a capture group, "$&" for the match, "$`" and "$'" for the text
// before and after it, and "$$" for "$"; any other "$" is itself.
text::Text replaceMatches(std::string_view subject, const MatchTable& table,
                          std::string_view replacement);

}  // namespace moxilo::regex
