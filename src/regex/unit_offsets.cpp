#include "unit_offsets.h"

#include <algorithm>
#include <vector>

#include "moxilo/text/codec.h"

namespace moxilo::regex {

void mapUnitsToBytes(MatchTable& table, std::string_view text) {
  // One walk over the text serves every offset: visit them in increasing order.
  std::vector<std::size_t*> offsets;
  offsets.reserve(table.spans.size() * 2);
  for (Span& span : table.spans) {
    if (span.isSet()) {
      offsets.push_back(&span.begin);
      offsets.push_back(&span.end);
    }
  }
  std::sort(offsets.begin(), offsets.end(),
            [](const std::size_t* left, const std::size_t* right) { return *left < *right; });

  // Each Text character is one UTF-16 unit (see text::characterLength).
  std::size_t unit = 0;
  std::size_t byte = 0;
  for (std::size_t* offset : offsets) {
    while (unit < *offset && byte < text.size()) {
      const std::size_t asciiEnd = text::asciiRunEnd(text.substr(0, byte + (*offset - unit)), byte);
      unit += asciiEnd - byte;
      byte = asciiEnd;
      if (unit < *offset && byte < text.size()) {
        byte += text::characterLength(text, byte);
        ++unit;
      }
    }
    *offset = byte;
  }
}

}  // namespace moxilo::regex
