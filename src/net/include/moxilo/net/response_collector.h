#pragma once
// Receives what libcurl reads of a response: the header block of the latest response
// (redirects and interim responses replace it), with CR LF line ends, and the body,
// held within a size limit.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace moxilo::net {

class ResponseCollector {
public:
    explicit ResponseCollector(std::size_t bodyLimit) : bodyLimit_(bodyLimit) {}

    // One header line as libcurl hands it over, line end included. False stops the
    // transfer (the header block grew past its own limit).
    bool addHeaderLine(std::string_view line);
    // Body bytes; false stops the transfer (the body would pass the limit).
    bool addBodyBytes(std::string_view bytes);

    // Status line, header lines and the empty line that ends them, each ending in CR LF.
    const std::string& headerBlock() const { return headerBlock_; }
    std::string& body() { return body_; }
    // Bytes of the body before its first NUL byte (all of them when it has none).
    std::size_t textLength() const { return std::min(firstNul_, body_.size()); }

    bool responseStarted() const { return !headerBlock_.empty(); }
    // The empty line after the headers of a final (not 1xx) response has arrived.
    bool headersComplete() const { return headersComplete_; }
    // A 301, 302, 303, 307 or 308 response with a Location header.
    bool isRedirect() const;
    bool bodyTooLarge() const { return bodyTooLarge_; }

private:
    void startResponse();
    void reserveBody(std::size_t length);

    std::size_t bodyLimit_;
    std::string headerBlock_;
    std::string body_;
    int statusCode_ = 0;
    std::size_t announcedLength_ = 0;  // Content-Length of the latest response
    std::size_t firstNul_ = std::string::npos;
    bool hasLocation_ = false;
    bool headersComplete_ = false;
    bool bodyTooLarge_ = false;
};

}  // namespace moxilo::net
