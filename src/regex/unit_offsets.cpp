#include "unit_offsets.h"

namespace moxilo::regex {

void mapUnitsToBytes(MatchTable& table, const text::IndexedWide& wide) {
    for (Span& span : table.spans) {
        if (span.isSet()) {
            span.begin = wide.byteOffset(span.begin);
            span.end = wide.byteOffset(span.end);
        }
    }
}

}  // namespace moxilo::regex
