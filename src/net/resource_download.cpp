#include "moxilo/net/resource_download.h"

#include "page_url.h"

namespace moxilo::net {
namespace {

constexpr const char* kAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
// An HTTP/1.0 server closes the connection after each response unless asked to keep it.
constexpr std::string_view kHeaderBlock = "Accept: */*\r\nConnection: Keep-Alive";

std::optional<CurlEasy> downloadHandle(const Timeouts& timeouts) {
    std::optional<CurlEasy> easy = CurlEasy::create();
    std::optional<CurlHeaderList> headers = CurlHeaderList::fromBlock(kHeaderBlock);
    const bool configured = easy && headers && easy->useHttp10() && easy->setUserAgent(kAgent) &&
                            easy->setMethod(HttpMethod::get, {}) && easy->setTimeouts(timeouts) &&
                            easy->setRedirects(true, kMaxTransferRedirects) &&
                            easy->setHeaders(std::move(*headers));
    return configured ? std::move(easy) : std::nullopt;
}

}  // namespace

ResourceDownloader::ResourceDownloader(const Timeouts& timeouts) : timeouts_(timeouts) {}

Download ResourceDownloader::download(std::string_view address, std::stop_token stop) {
    const std::optional<std::string> url = requestUrl(address);
    if (!url) {
        return {};
    }
    const std::lock_guard lock(mutex_);
    if (!easy_) {
        // Made at the first download, not at start-up: setting up libcurl and TLS
        // costs time the window should not wait for.
        easy_ = downloadHandle(timeouts_);
    }
    if (!easy_ || !easy_->setUrl(*url) || !easy_->setStopToken(std::move(stop))) {
        return {};
    }
    ResponseCollector collector(kMaxTransferBodyBytes);
    switch (easy_->perform(collector)) {
        case TransferError::none:
            return {.bytes = std::move(collector.body()), .complete = true};
        case TransferError::bodyIncomplete:
            return {.bytes = std::move(collector.body()), .complete = false};
        case TransferError::requestNotSent:
        case TransferError::noResponse:  // a redirect that was not followed included
        case TransferError::bodyTooLarge:
            return {};
    }
    return {};
}

}  // namespace moxilo::net
