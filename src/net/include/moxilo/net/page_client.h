#pragma once
// The page client: one blocking HTTP or HTTPS exchange that fetches a web page.
//
// Encoding contract. The page comes back as UTF-8 and is decoded exactly once, by
// the caller: text::percentDecode(page, true) (or text::utf8ToText when the page
// holds no percent escapes) turns it into Text. To make that hold for every page:
//   - a page that declares a charset in a <meta> tag within its first 1024 bytes is
//     converted from that charset to UTF-8 here (gbk and gb2312 included);
//   - a page that declares UTF-8, or no charset at all, is handed on as its bytes;
//   - percent escapes are left alone, so escaped UTF-8 titles decode in that one step.
// The page ends before the first NUL byte; PageResult::body holds every byte received.
//
// Failures raise nothing: the call returns the empty page, sets PageResult::failure
// and writes the numbered message (code page 936) into PageResult::statusText. A body
// that fails to arrive whole (PageFailure::readFailed) still has its response headers
// worked through; only the status text, the page and the body show the failure.

#include <cstdint>
#include <optional>
#include <stop_token>
#include <string>

#include "moxilo/net/curl_easy.h"
#include "moxilo/net/page_failure.h"
#include "moxilo/text/codec.h"

namespace moxilo::net {

// Texts are code page 936 unless said otherwise. An absent argument counts as the
// empty text, 0 or false; the cookies argument alone tells absent from empty.
struct PageRequest {
    text::Text url;  // absolute "http://" or "https://" address
    // 0 "GET", 1 "POST", 2 "HEAD", 3 "PUT"; any other value "GET".
    std::optional<std::int32_t> methodIndex;
    // Sent unchanged, with every method but HEAD; GET sends only a non-empty body.
    std::optional<std::string> body;
    // Given, even empty: sent in a "Cookie: " line when not empty, cookies that redirects
    // set go with the later requests of this call, and the response's cookies are merged
    // into it (PageResult::mergedCookies). Absent: no cookie handling at all.
    std::optional<text::Text> cookies;
    // Request header lines joined by CR LF, without a final CR LF. They come first; each
    // default line (User-Agent, Accept, Accept-Encoding, Accept-Language, Content-Type,
    // Cache-Control) follows unless its key is already there.
    std::optional<text::Text> extraHeaders;
    std::optional<bool> noRedirect;            // true: hand back a redirect instead of following it
    std::optional<text::Text> serverUser;      // Basic credentials, used only when both
    std::optional<text::Text> serverPassword;  // the user and the password are non-empty
    std::optional<text::Text> proxyAddress;    // host or host:port; empty: no proxy
    std::optional<text::Text> proxyUser;       // Basic credentials for the proxy, used
    std::optional<text::Text> proxyPassword;   // only when both are non-empty
    // Seconds, 30 when 0 or less or absent. Resolving and connecting, and any wait for
    // the next byte, may each take this long; the whole exchange four times as long.
    std::optional<std::int32_t> timeoutSeconds;
};

// Written by the call; a member that no step writes keeps the caller's value.
struct PageResult {
    std::optional<PageFailure> failure;  // reset at the start of every call
    // The response status ("200 OK"), or the message of the failure.
    text::Text statusText;
    // The final response's status line and header lines with CR LF line ends, ending in
    // an empty line; every "Set-Cookie" in any letter case is spelt "Set-Cookie".
    text::Text headers;
    // The name=value part of each cookie the response sets: "a=1; b=2".
    text::Text returnedCookies;
    // The value of the response's last "Location: " line; kept when it has none.
    text::Text location;
    // The request's cookies merged with the returned ones; written only when the
    // request gave cookies and the response headers arrived.
    std::optional<text::Text> mergedCookies;
    // The raw body, every byte. Written only when the caller sets it (to any value)
    // before the call, as it doubles the memory a page takes.
    std::optional<std::string> body;
};

// Largest body accepted; a larger one fails with PageFailure::readFailed.
inline constexpr std::size_t kMaxPageBytes = std::size_t{64} << 20;
// Redirects followed at most, over http and https only.
inline constexpr long kMaxRedirects = 10;

// The time-outs a call with `timeoutSeconds` works with: each phase that long (30 s
// when 0 or less or absent), the whole exchange four times as long.
Timeouts pageTimeouts(std::optional<std::int32_t> timeoutSeconds);

// Fetches the page at request.url. Returns it as UTF-8 (see the encoding contract
// above), or the empty text on failure. Requesting `stop` from another thread ends
// the exchange soon after, as a failed read.
std::string fetchPage(const PageRequest& request, PageResult& result, std::stop_token stop = {});

}  // namespace moxilo::net
