// The pattern matcher over any subject. The first input byte picks the mode: even runs
// the listing pattern over the rest, as a catalogue load does; odd takes the rest as
// NUL-separated pattern (its first kMaxPatternBytes), subject and replacement, the
// byte's higher bits setting the match options. Every accessor must stay in bounds.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

#include "fuzz_input.h"
#include "moxilo/catalogue/listing.h"
#include "moxilo/regex/pattern_matcher.h"

namespace {

using moxilo::fuzz::require;
namespace regex = moxilo::regex;

// Patterns the site's tables hold are short; longer ones only slow the search down.
constexpr std::size_t kMaxPatternBytes = 256;
// Enough matches to reach every accessor path without a quadratic walk over all of them.
constexpr std::int32_t kMatchesChecked = 64;
constexpr std::string_view kEveryReference = "[$1|$2|$12|$&|$`|$'|$$|$99|$]";
constexpr std::int32_t kNotFound = -2;

bool occursAt(std::string_view subject, std::int32_t position, std::string_view piece) {
    return position >= 0 && static_cast<std::size_t>(position) <= subject.size() &&
           subject.substr(static_cast<std::size_t>(position), piece.size()) == piece;
}

void checkOutOfRange(const regex::PatternMatcher& matcher) {
    constexpr std::int32_t kLargest = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kSmallest = std::numeric_limits<std::int32_t>::min();
    const std::int32_t groups = matcher.subMatchCount();
    std::int32_t position = 0;
    for (const std::int32_t index : {kSmallest, -1, 0, matcher.matchCount() + 1, kLargest}) {
        require(matcher.matchText(index, &position).empty() && position == kNotFound,
                "a match out of range is empty and not found");
    }
    for (const std::int32_t group : {kSmallest, -1, 0, groups + 1, kLargest}) {
        require(matcher.subMatchText(1, group, &position).empty() && position == kNotFound,
                "a group out of range is empty and not found");
    }
}

void checkMatches(const regex::PatternMatcher& matcher, std::string_view subject) {
    const std::int32_t checked = std::min(matcher.matchCount(), kMatchesChecked);
    for (std::int32_t index = 1; index <= checked; ++index) {
        std::int32_t position = kNotFound;
        const regex::Text match = matcher.matchText(index, &position);
        require(occursAt(subject, position, match), "a match is where it is said to be");
        for (std::int32_t group = 1; group <= matcher.subMatchCount(); ++group) {
            const regex::Text text = matcher.subMatchText(index, group, &position);
            require(position == kNotFound || occursAt(subject, position, text),
                    "a group's text is where it is said to be");
        }
    }
}

void checkReplacement(const regex::PatternMatcher& matcher, bool searched,
                      std::string_view subject, std::string_view replacement) {
    for (const std::string_view with : {replacement, kEveryReference}) {
        const regex::Text replaced = matcher.replaceMatches(with);
        require(!searched || matcher.matchCount() > 0 || replaced == subject,
                "without a match the subject stays as it is");
    }
}

// The number of matches found.
std::int32_t checkSearch(std::string_view pattern, std::string_view subject,
                         std::string_view replacement, const regex::MatchOptions& options) {
    regex::PatternMatcher matcher;
    const bool searched = matcher.createAndExecute(pattern, subject, options);
    require(searched || matcher.matchCount() == 0, "a failed search keeps no matches");
    checkOutOfRange(matcher);
    checkMatches(matcher, subject);
    checkReplacement(matcher, searched, subject, replacement);
    return matcher.matchCount();
}

regex::MatchOptions optionsFrom(unsigned mode) {
    return {.caseSensitive = (mode & 2U) != 0,
            .multiline = (mode & 4U) != 0,
            .global = (mode & 8U) != 0,
            .quoteMarker = (mode & 16U) != 0};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = moxilo::fuzz::asText(data, size);
    if (input.empty()) {
        return 0;
    }
    const auto mode = static_cast<unsigned char>(input.front());
    const std::string_view rest = input.substr(1);
    if ((mode & 1U) == 0) {
        const std::int32_t count =
            checkSearch(moxilo::catalogue::kListingPattern, rest, kEveryReference, {});
        require(moxilo::catalogue::extractListing(rest).size() == static_cast<std::size_t>(count),
                "the listing holds one item per match");
        return 0;
    }
    const auto [pattern, subject, replacement] = moxilo::fuzz::splitArguments<3>(rest);
    checkSearch(pattern.substr(0, kMaxPatternBytes), subject, replacement, optionsFrom(mode));
    return 0;
}
