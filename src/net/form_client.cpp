#include "moxilo/net/form_client.h"

#include <array>

#include "form_request_headers.h"
#include "moxilo/net/form_address.h"
#include "moxilo/text/cookies.h"
#include "page_url.h"

namespace moxilo::net {
namespace {

constexpr std::int32_t kHighestPort = 65535;

// By method index; any index out of range is GET.
constexpr std::array kMethods = {HttpMethod::get, HttpMethod::post, HttpMethod::head};

HttpMethod methodFor(std::int32_t methodIndex) {
    return methodIndex >= 0 && static_cast<std::size_t>(methodIndex) < kMethods.size()
               ? kMethods[static_cast<std::size_t>(methodIndex)]
               : HttpMethod::get;
}

// The address as libcurl requests it: the parts as the form client reads them, with
// bytes that may not stand in a request line percent-escaped.
std::optional<std::string> wireUrl(const std::optional<FormAddress>& address) {
    if (!address || address->port < 1 || address->port > kHighestPort) {
        return std::nullopt;
    }
    return requestUrl((address->https ? "https://" : "http://") + address->host + ":" +
                      std::to_string(address->port) + address->path);
}

std::string bodyToSend(const FormRequest& request, HttpMethod method) {
    if (method != HttpMethod::post) {
        return {};
    }
    const std::string bodyBytes = request.bodyBytes.value_or("");
    return bodyBytes.empty() ? request.body.value_or("") : bodyBytes;
}

struct Exchange {
    std::string url;
    HttpMethod method;
    std::string body;
    text::Text agent;
    text::Text headerBlock;
};

bool prepare(CurlEasy& easy, const Exchange& exchange, const FormRequest& request,
             std::stop_token stop) {
    std::optional<CurlHeaderList> headers = CurlHeaderList::fromBlock(exchange.headerBlock);
    // Without cookies of the caller's, the call keeps those that redirects set.
    const bool cookiesHandled = request.cookies || easy.enableCookieEngine();
    return headers && cookiesHandled && easy.setProxy(request.proxyAddress.value_or("")) &&
           easy.setUrl(exchange.url) && easy.setMethod(exchange.method, exchange.body) &&
           easy.setUserAgent(exchange.agent) && easy.setTimeouts(request.timeouts) &&
           easy.setRedirects(!request.noRedirect.value_or(false), kMaxTransferRedirects) &&
           easy.setHeaders(std::move(*headers)) && easy.setStopToken(std::move(stop));
}

void takeResponseHeaders(std::string_view headerBlock, const FormRequest& request,
                         FormResult& result) {
    result.headers = text::normalizeSetCookieNames(headerBlock);
    result.returnedCookies = text::responseCookies(result.headers);
    if (request.cookies) {
        text::Text merged = *request.cookies;
        text::cookieMerge(merged, result.returnedCookies);
        result.mergedCookies = std::move(merged);
    }
}

}  // namespace

void submitForm(const FormRequest& request, FormResult& result, std::stop_token stop) {
    result.body.clear();
    std::optional<std::string> url = wireUrl(parseFormAddress(request.url));
    std::optional<CurlEasy> easy = url ? CurlEasy::create() : std::nullopt;
    if (!easy) {
        return;
    }
    const text::Text extraHeaders = request.extraHeaders.value_or("");
    const HttpMethod method = methodFor(request.methodIndex.value_or(0));
    const Exchange exchange{
        .url = std::move(*url),
        .method = method,
        .body = bodyToSend(request, method),
        .agent = formUserAgent(extraHeaders),
        .headerBlock = formHeaderBlock(extraHeaders, request.url, request.cookies.value_or("")),
    };
    if (!prepare(*easy, exchange, request, std::move(stop))) {
        return;
    }
    result.sentHeaders = exchange.headerBlock;
    if (method == HttpMethod::post) {
        result.sentBody = exchange.body;
    }

    ResponseCollector collector(kMaxTransferBodyBytes);
    const TransferError error = easy->perform(collector);
    takeResponseHeaders(collector.headerBlock(), request, result);
    if (error == TransferError::none) {
        result.body = std::move(collector.body());
    }
}

}  // namespace moxilo::net
