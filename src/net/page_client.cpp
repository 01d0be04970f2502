#include "moxilo/net/page_client.h"

#include <chrono>

#include "moxilo/net/curl_easy.h"
#include "moxilo/text/cookies.h"
#include "page_charset.h"
#include "page_request_headers.h"
#include "page_response.h"
#include "page_url.h"

namespace moxilo::net {
namespace {

constexpr std::chrono::seconds kDefaultTimeout{30};
// Resolving, connecting, sending and receiving may each take the time-out: the whole
// exchange gets the four together, which still ends a server that trickles bytes.
constexpr int kPhasesPerExchange = 4;

HttpMethod methodFor(std::int32_t methodIndex) {
    switch (methodIndex) {
        case 1:
            return HttpMethod::post;
        case 2:
            return HttpMethod::head;
        case 3:
            return HttpMethod::put;
        default:
            return HttpMethod::get;
    }
}

bool bothGiven(const std::optional<text::Text>& user, const std::optional<text::Text>& password) {
    return !user.value_or("").empty() && !password.value_or("").empty();
}

bool isOneLine(std::string_view value) {
    return value.find_first_of("\r\n") == std::string_view::npos;
}

std::optional<PageFailure> failureOf(TransferError error) {
    switch (error) {
        case TransferError::none:
            return std::nullopt;
        case TransferError::requestNotSent:
            return PageFailure::sendFailed;
        case TransferError::noResponse:
            return PageFailure::noResponse;
        case TransferError::bodyIncomplete:
        case TransferError::bodyTooLarge:
            return PageFailure::readFailed;
    }
    return PageFailure::noResponse;
}

// Sets the handle up for the request: the first setting that is refused names the failure.
std::optional<PageFailure> prepare(CurlEasy& easy, const std::string& url,
                                   const PageRequest& request) {
    const text::Text cookies = request.cookies.value_or("");
    if (!easy.setProxy(request.proxyAddress.value_or(""))) {
        return PageFailure::sessionFailed;
    }
    if (!easy.setUrl(url)) {
        return PageFailure::connectionFailed;
    }
    if (!easy.setMethod(methodFor(request.methodIndex.value_or(0)), request.body.value_or(""))) {
        return PageFailure::requestFailed;
    }
    if (!easy.setTimeouts(pageTimeouts(request.timeoutSeconds))) {
        return PageFailure::timeoutsFailed;
    }
    if (bothGiven(request.serverUser, request.serverPassword) &&
        !easy.setServerCredentials({*request.serverUser, *request.serverPassword})) {
        return PageFailure::credentialsFailed;
    }
    if (bothGiven(request.proxyUser, request.proxyPassword) &&
        !easy.setProxyCredentials({*request.proxyUser, *request.proxyPassword})) {
        return PageFailure::credentialsFailed;
    }
    if (request.cookies && !easy.enableCookieEngine()) {
        return PageFailure::cookieOptionFailed;
    }
    if (!easy.setRedirects(!request.noRedirect.value_or(false), kMaxRedirects)) {
        return PageFailure::redirectOptionFailed;
    }
    std::optional<CurlHeaderList> headers = isOneLine(cookies)
                                                ? CurlHeaderList::fromBlock(pageRequestHeaders(
                                                      request.extraHeaders.value_or(""), cookies))
                                                : std::nullopt;
    if (!headers || !easy.setHeaders(std::move(*headers))) {
        return PageFailure::headersRejected;
    }
    return std::nullopt;
}

void takeResponseHeaders(std::string_view headerBlock, const PageRequest& request,
                         PageResult& result) {
    PageResponseHeaders response = readResponseHeaders(headerBlock);
    result.headers = std::move(response.headers);
    result.statusText = std::move(response.statusText);
    result.returnedCookies = std::move(response.cookies);
    if (response.location) {
        result.location = std::move(*response.location);
    }
    if (request.cookies) {
        text::Text merged = *request.cookies;
        text::cookieMerge(merged, result.returnedCookies);
        result.mergedCookies = std::move(merged);
    }
}

std::string fail(PageResult& result, PageFailure failure) {
    result.failure = failure;
    result.statusText = pageFailureMessage(failure);
    return {};
}

}  // namespace

Timeouts pageTimeouts(std::optional<std::int32_t> timeoutSeconds) {
    const std::int32_t seconds = timeoutSeconds.value_or(0);
    const std::chrono::milliseconds each =
        seconds > 0 ? std::chrono::seconds(seconds) : kDefaultTimeout;
    return {.connect = each, .idle = each, .total = each * kPhasesPerExchange};
}

std::string fetchPage(const PageRequest& request, PageResult& result, std::stop_token stop) {
    result.failure.reset();
    if (!curlReady()) {
        return fail(result, PageFailure::platformUnsupported);
    }
    const std::optional<std::string> url = requestUrl(request.url);
    if (!url) {
        return fail(result, PageFailure::badUrl);
    }
    std::optional<CurlEasy> easy = CurlEasy::create();
    if (!easy) {
        return fail(result, PageFailure::sessionFailed);
    }
    if (const std::optional<PageFailure> refused = prepare(*easy, *url, request)) {
        return fail(result, *refused);
    }
    if (stop.stop_possible() && !easy->setStopToken(std::move(stop))) {
        return fail(result, PageFailure::requestFailed);
    }

    ResponseCollector collector(kMaxPageBytes);
    const std::optional<PageFailure> failure = failureOf(easy->perform(collector));
    if (failure && *failure != PageFailure::readFailed) {
        return fail(result, *failure);
    }
    takeResponseHeaders(collector.headerBlock(), request, result);
    if (failure) {
        return fail(result, *failure);
    }

    std::string& body = collector.body();
    const std::size_t textLength = collector.textLength();
    const text::Text charset = declaredCharset(std::string_view(body).substr(0, textLength));
    if (result.body) {
        *result.body = body;
    }
    return pageAsUtf8(std::move(body), textLength, charset);
}

}  // namespace moxilo::net
