// The pattern matcher over any subject. The first input byte picks the mode: even runs
// the listing pattern over the rest, as a catalogue load does; odd takes the rest as
// NUL-separated pattern, subject and replacement, the byte's bits 1 to 4 setting the
// match options and bit 5 quoting the pattern as a literal to compare with findText.
// Every accessor must stay in bounds.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

#include "fuzz_input.h"
#include "moxilo/catalogue/listing.h"
#include "moxilo/regex/pattern_matcher.h"
#include "moxilo/text/text_utils.h"

namespace {

using moxilo::fuzz::require;
namespace regex = moxilo::regex;

// The program's patterns are short; longer ones only slow the search down.
constexpr std::size_t kMaxPatternBytes = 256;
// The match limit bounds one match, not a search: a pattern that backtracks heavily but
// still matches at every character takes up to some 50 ms a match. This keeps such an
// input well inside libFuzzer's time-out.
constexpr std::size_t kMaxFreeSubjectBytes = 256;
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

void checkReplacement(const regex::PatternMatcher& matcher, bool searched, std::string_view subject,
                      std::string_view replacement) {
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

bool isPlainAscii(char c) {
    return c >= ' ' && c <= '~' && c != '\\';
}

// The matcher searches UTF-16 and maps its offsets back onto the Text's bytes: a
// literal needle must then be found exactly where findText, stepping bytes, finds it.
void checkLiteral(std::string_view needle, std::string_view subject) {
    if (needle.empty() || !std::all_of(needle.begin(), needle.end(), isPlainAscii)) {
        return;
    }
    regex::PatternMatcher matcher;
    const regex::Text pattern = "\\Q" + regex::Text(needle) + "\\E";
    require(matcher.createAndExecute(pattern, subject, {.caseSensitive = true}),
            "a quoted literal compiles and searches");
    std::size_t from = 0;
    for (std::int32_t index = 1; index <= matcher.matchCount(); ++index) {
        const std::size_t expected = moxilo::text::findText(subject, needle, from);
        std::int32_t position = kNotFound;
        matcher.matchText(index, &position);
        require(
            expected != std::string_view::npos && static_cast<std::size_t>(position) == expected,
            "the matcher finds a literal where findText does");
        from = expected + needle.size();
    }
    require(moxilo::text::findText(subject, needle, from) == std::string_view::npos,
            "the matcher finds every literal");
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
    if ((mode & 32U) != 0) {
        checkLiteral(pattern.substr(0, kMaxPatternBytes), subject);
        return 0;
    }
    checkSearch(pattern.substr(0, kMaxPatternBytes), subject.substr(0, kMaxFreeSubjectBytes),
                replacement, optionsFrom(mode));
    return 0;
}
