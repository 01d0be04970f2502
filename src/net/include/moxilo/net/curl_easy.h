#pragma once
// Owns one libcurl easy handle and its error buffer, and sets the handle up through
// typed calls. Every handle speaks HTTP/1.1 (unless told to use 1.0) over http and
// https only (redirects included), verifies TLS certificates, ignores proxy settings
// in the environment and never raises signals, so it is safe on worker threads.

#include <curl/curl.h>

#include <chrono>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>

#include "moxilo/net/curl_header_list.h"
#include "moxilo/net/response_collector.h"

namespace moxilo::net {

// True once libcurl is initialised for the process and supports HTTP.
bool curlReady();

struct Timeouts {
    std::chrono::milliseconds connect;  // resolving the host and connecting
    std::chrono::milliseconds idle;     // the longest time in which no byte moves
    std::chrono::milliseconds total;    // the whole exchange, redirects included
};

enum class HttpMethod { get, post, head, put };

struct Credentials {
    std::string_view user;
    std::string_view password;
};

// How far a transfer got before it failed.
enum class TransferError {
    none,
    requestNotSent,  // resolving, connecting, TLS or sending the request failed
    noResponse,      // no complete response header arrived, or a redirect could not be followed
    bodyIncomplete,  // the headers arrived but the body was cut, reset or timed out
    bodyTooLarge,    // the body passed the collector's limit
};

class CurlEasy {
public:
    // Empty when libcurl cannot start or make a handle.
    static std::optional<CurlEasy> create();

    CurlEasy(CurlEasy&&) noexcept = default;
    CurlEasy& operator=(CurlEasy&&) noexcept = default;
    CurlEasy(const CurlEasy&) = delete;
    CurlEasy& operator=(const CurlEasy&) = delete;
    ~CurlEasy() = default;

    // Each setter returns false when libcurl refuses the setting.
    bool setUrl(const std::string& url);
    // The body goes out with every method but HEAD; GET sends one only when it is not empty.
    bool setMethod(HttpMethod method, std::string_view body);
    bool setTimeouts(const Timeouts& timeouts);
    bool setServerCredentials(const Credentials& credentials);  // Basic, sent at once
    // A proxy as host or host:port, spoken to over HTTP; empty: connect directly.
    bool setProxy(const std::string& address);
    bool setProxyCredentials(const Credentials& credentials);  // Basic
    // Cookies that responses set go with the later requests of this handle (redirects).
    bool enableCookieEngine();
    bool setRedirects(bool follow, long maxRedirects);
    bool setHeaders(CurlHeaderList headers);
    // The agent of libcurl's own User-Agent line, sent when the header list holds none,
    // and of the CONNECT request to a proxy.
    bool setUserAgent(const std::string& agent);
    // Requests go out as HTTP/1.0 instead of HTTP/1.1.
    bool useHttp10();
    // perform() gives up soon after `stop` is requested: libcurl asks about once a
    // second while nothing moves, and more often while bytes flow.
    bool setStopToken(std::stop_token stop);

    // Runs the exchange, handing what arrives to `collector`.
    TransferError perform(ResponseCollector& collector);
    // libcurl's own description of the last failure.
    std::string_view errorText() const { return errorBuffer_.get(); }

private:
    struct Cleanup {
        void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
    };

    CurlEasy(CURL* handle);
    bool requestWasSent() const;

    std::unique_ptr<CURL, Cleanup> handle_;
    // On the heap, so its address, which libcurl keeps, survives moves of this object.
    std::unique_ptr<char[]> errorBuffer_;
    std::optional<CurlHeaderList> headers_;
    // On the heap, so its address, which libcurl keeps, survives moves of this object.
    std::unique_ptr<std::stop_token> stop_;
    bool followsRedirects_ = false;
};

}  // namespace moxilo::net
