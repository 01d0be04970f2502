#pragma once
// Byte-exact searching, splitting and trimming of Text. Searches step one
// character at a time (characterLength), so a match never starts on the second
// byte of a two-byte character, and when letter case is ignored only the
// single-byte letters A to Z are folded.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "moxilo/text/codec.h"

namespace moxilo::text {

// "#引号": stands for one double quote inside a marker of textBetween.
inline constexpr std::string_view kQuoteMarker = "#\xD2\xFD\xBA\xC5";
// The code page's full-width space, a blank like the ASCII space.
inline constexpr std::string_view kFullWidthSpace = "\xA1\xA1";

enum class LetterCase { counts, ignored };

// 0-based offset of the first match of `needle` that starts on a character at or
// after byte `from`, or std::string_view::npos. An empty needle matches there.
std::size_t findText(std::string_view text, std::string_view needle, std::size_t from = 0,
                     LetterCase letterCase = LetterCase::counts);

bool containsText(std::string_view text, std::string_view needle,
                  LetterCase letterCase = LetterCase::counts);

bool startsWithText(std::string_view text, std::string_view prefix,
                    LetterCase letterCase = LetterCase::counts);

// Every match of `from`, left to right without overlaps, replaced by `to`.
Text replaceAll(std::string_view text, std::string_view from, std::string_view to,
                LetterCase letterCase = LetterCase::counts);

// The piece before each separator (possibly empty), then the rest when it is not
// empty: an empty text gives no pieces, a trailing separator no empty last piece.
std::vector<Text> splitText(std::string_view text, std::string_view separator);

// Blanks are the ASCII space and the full-width space; tabs and line breaks are not.
Text trimBlanks(std::string_view text);
Text removeBlanks(std::string_view text);

// What lies between the first `left` found at or after the 1-based `start` (below 1:
// the first byte) and the first `right` after it; empty when either is missing.
// kQuoteMarker in either marker stands for a double quote.
Text textBetween(std::string_view text, std::string_view left, std::string_view right,
                 std::optional<std::int32_t> start = std::nullopt,
                 std::optional<bool> ignoreCase = std::nullopt);

// What follows the first ":" of a header line, trimmed; empty without a ":".
Text headerValue(std::string_view line);

}  // namespace moxilo::text
