#include "page_response.h"

#include "moxilo/text/cookies.h"
#include "moxilo/text/text_utils.h"

namespace moxilo::net {
namespace {

// "HTTP/1.1 " is 9 bytes: the status text starts at the 10th.
constexpr std::size_t kStatusTextOffset = 9;
constexpr std::string_view kLocationKey = "Location: ";

text::Text statusText(std::string_view headers) {
    const std::size_t lineEnd = text::findText(headers, "\r\n", kStatusTextOffset);
    return lineEnd == std::string_view::npos
               ? text::Text()
               : text::Text(headers.substr(kStatusTextOffset, lineEnd - kStatusTextOffset));
}

std::optional<text::Text> location(std::string_view headers) {
    std::optional<text::Text> target;
    for (const text::Text& line : text::splitText(headers, "\r\n")) {
        if (text::startsWithText(line, kLocationKey, text::LetterCase::ignored)) {
            target = line.substr(kLocationKey.size());
        }
    }
    return target;
}

}  // namespace

PageResponseHeaders readResponseHeaders(std::string_view headerBlock) {
    PageResponseHeaders response;
    response.headers = text::normalizeSetCookieNames(headerBlock.substr(0, headerBlock.find('\0')));
    response.statusText = statusText(response.headers);
    response.cookies = text::responseCookies(response.headers);
    response.location = location(response.headers);
    return response;
}

}  // namespace moxilo::net
