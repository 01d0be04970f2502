#pragma once
// Finds the matches of one pattern in one UTF-16 subject, in the VBScript dialect.

#include <optional>
#include <string_view>

#include "match_table.h"

namespace moxilo::regex {

struct SearchOptions {
    bool ignoreCase = true;
    bool multiline = true;
    bool global = true;
};

// Every match (only the first unless global), offsets in UTF-16 units. Nothing when the
// pattern does not compile or the search gives up (match limit, too many groups of
// matches to keep, memory). The subject must be well-formed UTF-16, as text::toWide
// makes it: the engine does not check it again.
std::optional<MatchTable> searchPattern(std::u16string_view pattern, std::u16string_view subject,
                                        const SearchOptions& options);

}  // namespace moxilo::regex
