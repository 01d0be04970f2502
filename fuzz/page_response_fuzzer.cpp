// The page client's work on a response, without a socket: header lines and body bytes
// go to the collector as libcurl hands them over, then the header block is read, the
// returned cookies merged and the page brought into UTF-8 by its declared charset.
// The input's first byte sets the size of the body pieces; the rest is the response
// as it comes off the wire.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "moxilo/net/response_collector.h"
#include "moxilo/text/cookies.h"
#include "page_charset.h"
#include "page_response.h"

namespace {

using moxilo::fuzz::require;
namespace net = moxilo::net;
namespace text = moxilo::text;

// Small, so that bodies past the limit occur; the client's own limit behaves alike.
constexpr std::size_t kBodyLimit = 64 * 1024;

// Feeds the header lines up to the one that completes a final response, then the body.
void collect(std::string_view response, std::size_t pieceSize, net::ResponseCollector& collector) {
    while (!response.empty() && !collector.headersComplete()) {
        const std::size_t lineEnd = response.find('\n');
        const std::string_view line =
            response.substr(0, lineEnd == std::string_view::npos ? lineEnd : lineEnd + 1);
        response.remove_prefix(line.size());
        if (!collector.addHeaderLine(line)) {
            return;
        }
    }
    while (!response.empty()) {
        const std::string_view piece = response.substr(0, pieceSize);
        response.remove_prefix(piece.size());
        if (!collector.addBodyBytes(piece)) {
            require(collector.bodyTooLarge(), "a refused body is one past the limit");
            return;
        }
    }
}

void checkHeaders(const net::ResponseCollector& collector) {
    const net::PageResponseHeaders response = net::readResponseHeaders(collector.headerBlock());
    require(response.statusText.find("\r\n") == std::string::npos, "the status text is one line");
    text::Text requestCookies = "session=1; theme=dark";
    text::Text returned = response.cookies;
    text::cookieMerge(requestCookies, returned);
    collector.isRedirect();
}

void checkPage(net::ResponseCollector& collector) {
    std::string& body = collector.body();
    const std::size_t textLength = collector.textLength();
    require(textLength == std::min(body.find('\0'), body.size()),
            "the text ends at the body's first NUL");
    const text::Text charset = net::declaredCharset(std::string_view(body).substr(0, textLength));
    const std::string page = net::pageAsUtf8(std::move(body), textLength, charset);
    require(page.find('\0') == std::string::npos, "the page ends before its first NUL");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = moxilo::fuzz::asText(data, size);
    if (input.empty()) {
        return 0;
    }
    const std::size_t pieceSize = 1 + static_cast<unsigned char>(input.front());
    net::ResponseCollector collector(kBodyLimit);
    collect(input.substr(1), pieceSize, collector);
    checkHeaders(collector);
    checkPage(collector);
    return 0;
}
