#include "page_charset.h"

#include <algorithm>

#include "moxilo/regex/pattern_matcher.h"
#include "moxilo/text/text_to_utf8.h"

namespace moxilo::net {
namespace {

constexpr std::size_t kCharsetWindow = 1024;
constexpr std::string_view kCharsetPattern = R"(<meta.+?charset=[^\w]?([-\w]+))";
// Stands in for every byte of 0x80 or more: not a word character, not a line break,
// so the declaration, which is ASCII, matches whatever encoding surrounds it.
constexpr char kNonAsciiStandIn = '~';

bool namesUtf8(std::string_view charset) {
    std::string lower(charset);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return lower == "utf-8" || lower == "utf8";
}

}  // namespace

text::Text declaredCharset(std::string_view page) {
    std::string subject(page.substr(0, kCharsetWindow));
    std::replace_if(
        subject.begin(), subject.end(),
        [](char c) { return static_cast<unsigned char>(c) >= 0x80; }, kNonAsciiStandIn);
    regex::PatternMatcher matcher;
    if (!matcher.createAndExecute(kCharsetPattern, subject)) {
        return {};
    }
    return matcher.subMatchText(1, 1);
}

std::string pageAsUtf8(std::string body, std::size_t textLength, std::string_view charset) {
    if (charset.empty() || namesUtf8(charset)) {
        body.resize(textLength);
        return body;
    }
    std::string page = text::textToUtf8(text::charsetToText(body, charset));
    page.resize(std::min(page.find('\0'), page.size()));
    return page;
}

}  // namespace moxilo::net
