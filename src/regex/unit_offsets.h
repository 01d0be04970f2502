#pragma once
// Maps the engine's UTF-16 offsets back onto the bytes of the Text that was searched.

#include "match_table.h"
#include "moxilo/text/codec.h"

namespace moxilo::regex {

// Rewrites every set offset of `table` from UTF-16 units of `wide` to bytes of the Text
// that `wide` was made from.
void mapUnitsToBytes(MatchTable& table, const text::IndexedWide& wide);

}  // namespace moxilo::regex
