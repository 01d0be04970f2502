#pragma once
// The form client: one blocking HTTP or HTTPS exchange that sends a request with a
// fixed set of default header lines and hands back the response body as bytes. The
// request goes out exactly as built (libcurl adds only Host, User-Agent when the block
// has none, and Content-Length) and is always answered by the server: nothing caches.
//
// Failures raise and report nothing: the body comes back empty. That covers an
// address that cannot be taken apart, a connection that cannot be made, a response
// that does not arrive whole, a body above kMaxTransferBodyBytes and a call cancelled
// through its stop token.

#include <cstdint>
#include <optional>
#include <stop_token>
#include <string>

#include "moxilo/net/curl_easy.h"
#include "moxilo/net/transfer_limits.h"
#include "moxilo/text/codec.h"

namespace moxilo::net {

// Texts are code page 936. An absent argument counts as the empty text, 0 or false;
// the cookies argument alone tells absent from empty.
struct FormRequest {
    // "http://" or "https://" in any letter case, or no scheme at all (http).
    text::Text url;
    // 0 "GET", 1 "POST", 2 "HEAD"; any value below 0 or above 2 counts as 0.
    std::optional<std::int32_t> methodIndex;
    // The body, sent with POST when bodyBytes is empty or absent. GET and HEAD send none.
    std::optional<text::Text> body;
    // Given, even empty: sent in a "Cookie: " line when not empty, the call keeps no
    // cookies of its own, and the response's cookies are merged into it
    // (FormResult::mergedCookies). Absent: cookies that redirects set within the call
    // go with its later requests.
    std::optional<text::Text> cookies;
    // Header lines joined by CR LF. A "User-Agent:" line among them names the agent.
    // A line that is not "Name: value" (an empty one included) fails the call.
    std::optional<text::Text> extraHeaders;
    std::optional<bool> noRedirect;  // true: hand back a redirect instead of following it
    // The body bytes, sent in preference to `body` when not empty.
    std::optional<std::string> bodyBytes;
    // A proxy as host:port, for http and https addresses alike (https through a CONNECT
    // tunnel, which carries the agent); empty or absent: a direct connection.
    std::optional<text::Text> proxyAddress;
    // The program keeps the defaults; tests shorten them.
    Timeouts timeouts = kTransferTimeouts;
};

// Written by the call; a member that no step writes keeps the caller's value.
struct FormResult {
    // The response body; empty on any failure. Always written.
    std::string body;
    // The complete header block that was sent: the extra headers completed with the
    // default lines. Written once the request is ready to go out.
    text::Text sentHeaders;
    // The bytes sent as the body of a POST (bodyBytes, or else body). Written with
    // sentHeaders.
    std::string sentBody;
    // The final response's status line and header lines, each ending in CR LF, and the
    // empty line after them, however long (a block past 1 MiB fails the exchange);
    // every "Set-Cookie" in any letter case is spelt "Set-Cookie". Empty when no
    // response arrived. Written once the exchange ran.
    text::Text headers;
    // The name=value part of each cookie the response sets: "a=1; b=2". Written with
    // `headers`; without blanks when the request gave cookies.
    text::Text returnedCookies;
    // The request's cookies merged with the returned ones; written with `headers` when
    // the request gave cookies.
    std::optional<text::Text> mergedCookies;
};

// Sends the request and waits for the whole response. Requesting `stop` from another
// thread ends the exchange within about a second, with the empty body.
void submitForm(const FormRequest& request, FormResult& result, std::stop_token stop = {});

}  // namespace moxilo::net
