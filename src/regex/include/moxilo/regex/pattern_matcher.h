#pragma once
// Runs one regular expression over one Text and hands out the matches and their capture
// groups by 1-based index. The dialect is VBScript's: "." does not match a line break,
// lazy quantifiers, "\w" is ASCII only.

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "moxilo/text/codec.h"

namespace moxilo::regex {

using text::Text;

struct MatchTable;

struct MatchOptions {
    std::optional<bool> caseSensitive{};  // absent: false, letter case is ignored
    std::optional<bool> multiline{};      // absent: true, "^" and "$" also match at line breaks
    std::optional<bool> global{};         // absent: true, every match rather than the first
    std::optional<bool> quoteMarker{};    // absent: false; true: "#引号" in the pattern means '"'
};

// Positions handed out are 0-based byte offsets into the subject; -2 when nothing is found.
// Nothing throws: failures give false, 0 or the empty Text.
class PatternMatcher {
public:
    PatternMatcher();
    ~PatternMatcher();
    PatternMatcher(PatternMatcher&&) noexcept;
    PatternMatcher& operator=(PatternMatcher&&) noexcept;
    PatternMatcher(const PatternMatcher&) = delete;
    PatternMatcher& operator=(const PatternMatcher&) = delete;

    // Replaces the pattern, subject and matches. True when the pattern compiled and the
    // search completed, even with no match; false for an invalid pattern or a search that
    // gave up (a pattern that backtracks without end), and then there are no matches.
    bool createAndExecute(std::string_view pattern, std::string_view subject,
                          const MatchOptions& options = {});

    std::int32_t matchCount() const;

    // Text of match `index` (1-based); `position` receives where it starts in the subject.
    Text matchText(std::int32_t index, std::int32_t* position = nullptr) const;

    // Text of capture group `groupIndex` of match `matchIndex` (both 1-based), empty for a
    // group that took no part. `position` receives the first place at or after the start of
    // the match where the group's text occurs.
    Text subMatchText(std::int32_t matchIndex, std::int32_t groupIndex,
                      std::int32_t* position = nullptr) const;

    // Number of capture groups of the first match; 0 when there is no match.
    std::int32_t subMatchCount() const;

    // The pattern of the last createAndExecute after the quote marker was replaced;
    // empty before the first.
    Text patternText() const;

    // The subject with the matches of the last successful createAndExecute (all of them, or
    // the first when it was not global) replaced; "$1".."$99", "$&", "$`", "$'" and "$$"
    // expand. Empty when the last createAndExecute failed or none ran yet.
    Text replaceMatches(std::string_view replacement) const;

private:
    Text pattern_;
    Text subject_;
    std::unique_ptr<MatchTable>
        matches_;  // in bytes of subject_; null unless the last run succeeded

    // Column 0 is the whole match, column g capture group g.
    Text spanText(std::int32_t matchIndex, std::int32_t column, std::int32_t* position) const;
};

}  // namespace moxilo::regex
