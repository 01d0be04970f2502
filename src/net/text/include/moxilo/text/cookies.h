#pragma once
// Cookie lists ("name=value" entries, written with "; " between them) and the
// cookies a response sets. Entries compare byte for byte, letter case counting.

#include <cstdint>
#include <span>
#include <string_view>

#include "moxilo/text/codec.h"

namespace moxilo::text {

// The text before the entry's first "=", trimmed; the whole entry trimmed without one.
Text cookieName(std::string_view entry);

// True when some entry's cookie name equals `name`.
bool cookieNamePresent(std::span<const Text> entries, std::string_view name);

// 1-based index of the first entry equal to `value`, or -1.
std::int32_t entryIndex(std::span<const Text> entries, std::string_view value);

// The pieces of `text` split on `separator`, each kept at its first occurrence only,
// joined by `separator`.
Text distinctEntries(std::string_view text, std::string_view separator);

// Merges the cookies a response set (`newList`) into the caller's `oldList`: a name
// the new list holds replaces the old entry, "name=deleted" drops the cookie, and of
// several old entries with one name the first survives. Both lists lose their blanks;
// the merged list is stored into `oldList` and returned.
Text cookieMerge(Text& oldList, Text& newList);

// The header block with every "Set-Cookie", in any letter case, spelt "Set-Cookie".
Text normalizeSetCookieNames(std::string_view headerBlock);

// The name=value part of each "Set-Cookie" line of a normalized CR LF header block,
// as a cookie list; attributes are dropped and lines that yield nothing are skipped.
Text responseCookies(std::string_view headerBlock);

}  // namespace moxilo::text
