#pragma once
// Where each match and each of its capture groups lies in the subject.

#include <cstddef>
#include <limits>
#include <vector>

namespace moxilo::regex {

struct Span {
    // The engine's own marker for a group that took no part in the match.
    static constexpr std::size_t kUnset = std::numeric_limits<std::size_t>::max();

    std::size_t begin = kUnset;
    std::size_t end = kUnset;

    bool isSet() const { return begin != kUnset; }
    std::size_t length() const { return end - begin; }
};

// One row per match, in subject order; column 0 is the whole match, column g group g.
// Offsets count UTF-16 units as the engine finds them, bytes of the Text once mapped.
struct MatchTable {
    std::size_t columns = 1;
    std::vector<Span> spans;

    std::size_t rows() const { return spans.size() / columns; }
    const Span& at(std::size_t row, std::size_t column) const {
        return spans[row * columns + column];
    }
};

}  // namespace moxilo::regex
