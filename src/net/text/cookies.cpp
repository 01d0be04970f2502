#include "moxilo/text/cookies.h"

#include <algorithm>
#include <vector>

#include "moxilo/text/text_utils.h"

namespace moxilo::text {
namespace {

constexpr std::string_view kListSeparator = "; ";
constexpr std::string_view kDeletedSuffix = "=deleted";
constexpr std::string_view kSetCookie = "Set-Cookie";
constexpr std::string_view kSetCookieKey = "Set-Cookie:";

// Each entry followed by the separator, without the final separator.
Text joinEntries(std::span<const Text> entries, std::string_view separator) {
    Text joined;
    for (const Text& entry : entries) {
        joined.append(entry).append(separator);
    }
    joined.resize(joined.size() - std::min(joined.size(), separator.size()));
    return joined;
}

}  // namespace

Text cookieName(std::string_view entry) {
    const std::size_t equals = findText(entry, "=");
    return trimBlanks(entry.substr(0, equals));
}

bool cookieNamePresent(std::span<const Text> entries, std::string_view name) {
    return std::ranges::any_of(entries,
                               [name](const Text& entry) { return cookieName(entry) == name; });
}

std::int32_t entryIndex(std::span<const Text> entries, std::string_view value) {
    const auto found = std::ranges::find(entries, value);
    return found == entries.end() ? -1 : static_cast<std::int32_t>(found - entries.begin()) + 1;
}

Text distinctEntries(std::string_view text, std::string_view separator) {
    std::vector<Text> kept;
    for (Text& piece : splitText(text, separator)) {
        if (entryIndex(kept, piece) == -1) {
            kept.push_back(std::move(piece));
        }
    }
    return joinEntries(kept, separator);
}

Text cookieMerge(Text& oldList, Text& newList) {
    oldList = removeBlanks(oldList);
    newList = removeBlanks(newList);

    std::vector<Text> working = splitText(newList, ";");
    for (Text& piece : splitText(oldList, ";")) {
        if (!cookieNamePresent(working, cookieName(piece))) {
            working.push_back(std::move(piece));
        }
    }
    std::erase_if(working, [](const Text& entry) { return entry.ends_with(kDeletedSuffix); });

    oldList = distinctEntries(joinEntries(working, kListSeparator), kListSeparator);
    return oldList;
}

Text normalizeSetCookieNames(std::string_view headerBlock) {
    return replaceAll(headerBlock, kSetCookie, kSetCookie, LetterCase::ignored);
}

Text responseCookies(std::string_view headerBlock) {
    std::vector<Text> cookies;
    for (const Text& line : splitText(headerBlock, "\r\n")) {
        if (!containsText(line, kSetCookie)) {
            continue;
        }
        const Text value = containsText(line, ";")
                               ? textBetween(line, kSetCookieKey, ";")
                               : replaceAll(line, kSetCookieKey, "", LetterCase::ignored);
        Text cookie = trimBlanks(value);
        if (!cookie.empty()) {
            cookies.push_back(std::move(cookie));
        }
    }
    return joinEntries(cookies, kListSeparator);
}

}  // namespace moxilo::text
