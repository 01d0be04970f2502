#include "page_request_headers.h"

#include <array>
#include <string>

#include "moxilo/text/text_utils.h"

namespace moxilo::net {
namespace {

struct DefaultHeader {
    std::string_view key;  // looked for anywhere in the block built so far
    text::LetterCase letterCase;
    std::string_view line;
};

constexpr std::array<DefaultHeader, 6> kDefaultHeaders = {{
    {"User-Agent: ", text::LetterCase::ignored,
     "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)\r\n"},
    {"Accept: ", text::LetterCase::ignored, "Accept: text/html, application/xhtml+xml, */*\r\n"},
    {"Accept-Encoding: ", text::LetterCase::ignored, "Accept-Encoding: gbk, GB2312\r\n"},
    {"Accept-Language: ", text::LetterCase::ignored, "Accept-Language: zh-cn\r\n"},
    // Matched exactly: a "content-type:" line of the caller's still gets this one.
    {"Content-Type:", text::LetterCase::counts,
     "Content-Type: application/x-www-form-urlencoded\r\n"},
    {"Cache-Control: ", text::LetterCase::ignored, "Cache-Control: no-cache\r\n"},
}};

constexpr std::string_view kCookieKey = "Cookie: ";

}  // namespace

text::Text pageRequestHeaders(std::string_view extraHeaders, std::string_view cookies) {
    text::Text block;
    if (!extraHeaders.empty()) {
        block.append(extraHeaders).append("\r\n");
    }
    for (const DefaultHeader& header : kDefaultHeaders) {
        if (text::findText(block, header.key, 0, header.letterCase) == std::string_view::npos) {
            block.append(header.line);
        }
    }
    if (!cookies.empty() &&
        text::findText(block, kCookieKey, 0, text::LetterCase::ignored) == std::string_view::npos) {
        block.append(kCookieKey).append(cookies).append("\r\n");
    }
    return block;
}

}  // namespace moxilo::net
