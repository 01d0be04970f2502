#include "moxilo/regex/pattern_matcher.h"

#include <limits>

#include "match_table.h"
#include "pattern_search.h"
#include "replacement.h"
#include "unit_offsets.h"

namespace moxilo::regex {
namespace {

// "#引号" in code page 936.
constexpr std::string_view kQuoteMarker = "\x23\xD2\xFD\xBA\xC5";
constexpr std::int32_t kNotFound = -2;

Text withQuotesForMarkers(std::string_view pattern) {
    Text result;
    std::size_t position = 0;
    for (std::size_t marker = pattern.find(kQuoteMarker); marker != std::string_view::npos;
         marker = pattern.find(kQuoteMarker, position)) {
        result.append(pattern.substr(position, marker - position));
        result.push_back('"');
        position = marker + kQuoteMarker.size();
    }
    result.append(pattern.substr(position));
    return result;
}

std::int32_t toPosition(std::size_t offset) {
    return offset <= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())
               ? static_cast<std::int32_t>(offset)
               : kNotFound;
}

// The first place at or after `from`, stepping whole characters, where `needle` occurs.
std::int32_t findFrom(std::string_view haystack, std::string_view needle, std::size_t from) {
    for (std::size_t position = from; position + needle.size() <= haystack.size();
         position += text::characterLength(haystack, position)) {
        if (haystack.compare(position, needle.size(), needle) == 0) {
            return toPosition(position);
        }
    }
    return kNotFound;
}

void setPosition(std::int32_t* position, std::int32_t value) {
    if (position != nullptr) {
        *position = value;
    }
}

}  // namespace

PatternMatcher::PatternMatcher() = default;
PatternMatcher::~PatternMatcher() = default;
PatternMatcher::PatternMatcher(PatternMatcher&&) noexcept = default;
PatternMatcher& PatternMatcher::operator=(PatternMatcher&&) noexcept = default;

bool PatternMatcher::createAndExecute(std::string_view pattern, std::string_view subject,
                                      const MatchOptions& options) {
    matches_.reset();
    pattern_ = options.quoteMarker.value_or(false) ? withQuotesForMarkers(pattern) : Text(pattern);
    subject_ = Text(subject);
    const SearchOptions searchOptions{.ignoreCase = !options.caseSensitive.value_or(false),
                                      .multiline = options.multiline.value_or(true),
                                      .global = options.global.value_or(true)};
    const text::IndexedWide wideSubject(subject_);
    auto found = searchPattern(text::toWide(pattern_), wideSubject.units(), searchOptions);
    if (!found) {
        return false;
    }
    mapUnitsToBytes(*found, wideSubject);
    matches_ = std::make_unique<MatchTable>(std::move(*found));
    return true;
}

std::int32_t PatternMatcher::matchCount() const {
    // The number of spans one search may keep is far below the 32-bit range.
    return matches_ ? static_cast<std::int32_t>(matches_->rows()) : 0;
}

Text PatternMatcher::matchText(std::int32_t index, std::int32_t* position) const {
    return spanText(index, 0, position);
}

Text PatternMatcher::subMatchText(std::int32_t matchIndex, std::int32_t groupIndex,
                                  std::int32_t* position) const {
    if (groupIndex < 1) {
        setPosition(position, kNotFound);
        return {};
    }
    return spanText(matchIndex, groupIndex, position);
}

Text PatternMatcher::spanText(std::int32_t matchIndex, std::int32_t column,
                              std::int32_t* position) const {
    const bool inRange = matches_ && matchIndex >= 1 &&
                         static_cast<std::size_t>(matchIndex) <= matches_->rows() &&
                         static_cast<std::size_t>(column) < matches_->columns;
    if (!inRange) {
        setPosition(position, kNotFound);
        return {};
    }
    const std::size_t row = static_cast<std::size_t>(matchIndex) - 1;
    const Span& span = matches_->at(row, static_cast<std::size_t>(column));
    if (!span.isSet()) {
        setPosition(position, kNotFound);
        return {};
    }
    Text piece = subject_.substr(span.begin, span.length());
    if (position != nullptr) {
        // A group's text is looked up again from the start of its match, as callers expect.
        const std::size_t matchBegin = matches_->at(row, 0).begin;
        *position = column == 0 ? toPosition(matchBegin) : findFrom(subject_, piece, matchBegin);
    }
    return piece;
}

std::int32_t PatternMatcher::subMatchCount() const {
    return matchCount() > 0 ? static_cast<std::int32_t>(matches_->columns - 1) : 0;
}

Text PatternMatcher::patternText() const {
    return pattern_;
}

Text PatternMatcher::replaceMatches(std::string_view replacement) const {
    return matches_ ? regex::replaceMatches(subject_, *matches_, replacement) : Text();
}

}  // namespace moxilo::regex
