// The text utilities and cookie lists over any arguments. The input holds up to four
// NUL-separated pieces: the text, two more texts (needle, marker, replacement or second
// cookie list) and option bytes (letter case, search start, textBetween's start).

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "fuzz_input.h"
#include "moxilo/text/cookies.h"
#include "moxilo/text/text_utils.h"

namespace {

using moxilo::fuzz::require;
namespace text = moxilo::text;

struct Options {
    text::LetterCase letterCase = text::LetterCase::counts;
    std::size_t searchFrom = 0;
    std::optional<std::int32_t> betweenStart;
};

Options optionsFrom(std::string_view bytes) {
    Options options;
    if (!bytes.empty()) {
        options.letterCase =
            (bytes[0] & 1) != 0 ? text::LetterCase::ignored : text::LetterCase::counts;
    }
    if (bytes.size() > 1) {
        options.searchFrom = static_cast<unsigned char>(bytes[1]);
    }
    std::int32_t start = 0;
    if (bytes.size() >= 2 + sizeof(start)) {
        std::memcpy(&start, bytes.data() + 2, sizeof(start));
        options.betweenStart = start;
    }
    return options;
}

text::Text joined(const std::vector<text::Text>& pieces, std::string_view separator) {
    text::Text result;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        result.append(i == 0 ? "" : separator).append(pieces[i]);
    }
    return result;
}

// The first character start at or after `from` where the needle's bytes begin, or npos.
std::size_t firstByteMatch(std::string_view subject, std::string_view needle, std::size_t from) {
    for (std::size_t at = 0; at <= subject.size();
         at += at < subject.size() ? text::characterLength(subject, at) : 1) {
        if (at >= from && subject.substr(at).starts_with(needle)) {
            return at;
        }
    }
    return std::string_view::npos;
}

void checkSearching(std::string_view subject, std::string_view needle, std::string_view other,
                    const Options& options) {
    const std::size_t found =
        text::findText(subject, needle, options.searchFrom, options.letterCase);
    if (found != std::string_view::npos) {
        require(found >= options.searchFrom && found + needle.size() <= subject.size(),
                "a match lies inside the text, at or after the start");
    }
    require(options.letterCase == text::LetterCase::ignored ||
                found == firstByteMatch(subject, needle, options.searchFrom),
            "the first match with letter case counting is the first equal bytes");
    text::startsWithText(subject, needle, options.letterCase);
    text::replaceAll(subject, needle, other, options.letterCase);
    require(text::replaceAll(subject, needle, needle) == subject,
            "replacing a needle by itself changes nothing");

    const std::vector<text::Text> pieces = text::splitText(subject, needle);
    if (!needle.empty()) {
        const text::Text rejoined = joined(pieces, needle);
        require(rejoined == subject || rejoined + text::Text(needle) == subject,
                "the pieces and separators make up the text");
    }
}

void checkTrimming(std::string_view subject) {
    const text::Text trimmed = text::trimBlanks(subject);
    require(subject.find(trimmed) != std::string_view::npos, "a trimmed text is part of it");
    require(text::removeBlanks(subject).size() <= subject.size(), "removing never adds bytes");
}

void checkBetween(std::string_view subject, std::string_view left, std::string_view right,
                  const Options& options) {
    const text::Text between = text::textBetween(subject, left, right, options.betweenStart,
                                                 options.letterCase == text::LetterCase::ignored);
    require(subject.find(between) != std::string_view::npos, "what lies between is part of it");
    text::headerValue(subject);
}

void checkCookies(std::string_view oldList, std::string_view newList) {
    text::Text merged(oldList);
    text::Text returned(newList);
    text::cookieMerge(merged, returned);
    const std::vector<text::Text> entries = text::splitText(merged, "; ");
    for (std::size_t i = 0; i < entries.size(); ++i) {
        require(!entries[i].ends_with("=deleted"), "deleted cookies are gone");
        require(text::entryIndex(entries, entries[i]) == static_cast<std::int32_t>(i) + 1,
                "each merged entry occurs once");
    }
    text::cookieNamePresent(entries, text::cookieName(newList));
    text::distinctEntries(oldList, newList);
    text::responseCookies(text::normalizeSetCookieNames(oldList));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto [subject, first, second, optionBytes] =
        moxilo::fuzz::splitArguments<4>(moxilo::fuzz::asText(data, size));
    const Options options = optionsFrom(optionBytes);
    checkSearching(subject, first, second, options);
    checkTrimming(subject);
    checkBetween(subject, first, second, options);
    checkCookies(subject, first);
    return 0;
}
