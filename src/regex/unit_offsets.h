#pragma once
// Maps the engine's UTF-16 offsets back onto the bytes of the Text that was searched.

#include <string_view>

#include "match_table.h"

namespace moxilo::regex {

// Rewrites every set offset of `table` from UTF-16 units of toWide(text) to bytes of `text`.
void mapUnitsToBytes(MatchTable& table, std::string_view text);

}  // namespace moxilo::regex
