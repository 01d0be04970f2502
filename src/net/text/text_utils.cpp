#include "moxilo/text/text_utils.h"

#include <algorithm>

namespace moxilo::text {
namespace {

char foldAsciiLetter(char byte) {
    return (byte >= 'A' && byte <= 'Z') ? static_cast<char>(byte - 'A' + 'a') : byte;
}

// Compares `needle` with the text at a character start. Bytes of two-byte characters
// compare exactly, so a second byte that looks like a letter is never folded.
bool matchesAt(std::string_view text, std::size_t at, std::string_view needle,
               LetterCase letterCase) {
    if (text.size() - at < needle.size()) {
        return false;
    }
    for (std::size_t offset = 0; offset < needle.size();) {
        const std::size_t length = characterLength(text, at + offset);
        for (std::size_t byte = 0; byte < length && offset + byte < needle.size(); ++byte) {
            const char ours = text[at + offset + byte];
            const char theirs = needle[offset + byte];
            const bool fold = letterCase == LetterCase::ignored && length == 1;
            if (fold ? foldAsciiLetter(ours) != foldAsciiLetter(theirs) : ours != theirs) {
                return false;
            }
        }
        offset += length;
    }
    return true;
}

bool isBlankAt(std::string_view text, std::size_t at) {
    return text[at] == ' ' || text.substr(at, kFullWidthSpace.size()) == kFullWidthSpace;
}

}  // namespace

std::size_t findText(std::string_view text, std::string_view needle, std::size_t from,
                     LetterCase letterCase) {
    std::size_t at = 0;
    while (at < from && at < text.size()) {
        at += characterLength(text, at);
    }
    if (at < from) {
        return std::string_view::npos;
    }
    for (; at <= text.size(); at += (at < text.size() ? characterLength(text, at) : 1)) {
        if (matchesAt(text, at, needle, letterCase)) {
            return at;
        }
    }
    return std::string_view::npos;
}

bool containsText(std::string_view text, std::string_view needle, LetterCase letterCase) {
    return findText(text, needle, 0, letterCase) != std::string_view::npos;
}

bool startsWithText(std::string_view text, std::string_view prefix, LetterCase letterCase) {
    return matchesAt(text, 0, prefix, letterCase);
}

Text replaceAll(std::string_view text, std::string_view from, std::string_view to,
                LetterCase letterCase) {
    if (from.empty()) {
        return Text(text);
    }
    Text result;
    result.reserve(text.size());
    std::size_t done = 0;
    for (std::size_t found = findText(text, from, 0, letterCase); found != std::string_view::npos;
         found = findText(text, from, done, letterCase)) {
        result.append(text.substr(done, found - done)).append(to);
        done = found + from.size();
    }
    result.append(text.substr(done));
    return result;
}

std::vector<Text> splitText(std::string_view text, std::string_view separator) {
    std::vector<Text> pieces;
    if (separator.empty()) {
        if (!text.empty()) {
            pieces.emplace_back(text);
        }
        return pieces;
    }
    std::size_t done = 0;
    for (std::size_t found = findText(text, separator); found != std::string_view::npos;
         found = findText(text, separator, done)) {
        pieces.emplace_back(text.substr(done, found - done));
        done = found + separator.size();
    }
    if (done < text.size()) {
        pieces.emplace_back(text.substr(done));
    }
    return pieces;
}

Text trimBlanks(std::string_view text) {
    std::size_t first = text.size();
    std::size_t end = 0;
    for (std::size_t at = 0; at < text.size(); at += characterLength(text, at)) {
        if (!isBlankAt(text, at)) {
            first = std::min(first, at);
            end = at + characterLength(text, at);
        }
    }
    return first < end ? Text(text.substr(first, end - first)) : Text();
}

Text removeBlanks(std::string_view text) {
    Text result;
    result.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); at += characterLength(text, at)) {
        if (!isBlankAt(text, at)) {
            result.append(text.substr(at, characterLength(text, at)));
        }
    }
    return result;
}

Text textBetween(std::string_view text, std::string_view left, std::string_view right,
                 std::optional<std::int32_t> start, std::optional<bool> ignoreCase) {
    const Text leftMarker = replaceAll(left, kQuoteMarker, "\"");
    const Text rightMarker = replaceAll(right, kQuoteMarker, "\"");
    const LetterCase letterCase =
        ignoreCase.value_or(false) ? LetterCase::ignored : LetterCase::counts;
    const std::int32_t startPosition = start.value_or(0);
    const std::size_t from = startPosition < 1 ? 0 : static_cast<std::size_t>(startPosition) - 1;

    const std::size_t leftAt = findText(text, leftMarker, from, letterCase);
    if (leftAt == std::string_view::npos) {
        return {};
    }
    const std::size_t valueAt = leftAt + leftMarker.size();
    const std::size_t rightAt = findText(text, rightMarker, valueAt, letterCase);
    if (rightAt == std::string_view::npos) {
        return {};
    }
    return Text(text.substr(valueAt, rightAt - valueAt));
}

Text headerValue(std::string_view line) {
    const std::size_t colon = findText(line, ":");
    return colon == std::string_view::npos ? Text() : trimBlanks(line.substr(colon + 1));
}

}  // namespace moxilo::text
