#pragma once
// Downloads whole resources (the rendered face pictures) over one libcurl handle that
// lives as long as the downloader, so that one connection to the site serves every
// download it can.

#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>

#include "moxilo/net/curl_easy.h"
#include "moxilo/net/transfer_limits.h"

namespace moxilo::net {

struct Download {
    // Everything the final response's body delivered, whatever the status: an error
    // page comes back like a picture. What arrived before a failure when the body was
    // cut; nothing when no final response arrived or the body passed the limit.
    std::string bytes;
    // True when the response arrived whole: a caller can refuse a truncated picture.
    bool complete = false;
};

// One per program. Calls from several threads are safe and run one after another.
class ResourceDownloader {
public:
    explicit ResourceDownloader(const Timeouts& timeouts = kTransferTimeouts);

    // GET over HTTP/1.0 with "Accept: */*", always answered by the server. An empty
    // address, or one that is not an absolute http:// or https:// address, gives the
    // empty result without a request. Requesting `stop` from another thread ends the
    // download within about a second, as an incomplete one.
    Download download(std::string_view address, std::stop_token stop = {});

private:
    std::mutex mutex_;
    Timeouts timeouts_;
    std::optional<CurlEasy> easy_;  // made at the first download; empty when libcurl failed
};

}  // namespace moxilo::net
