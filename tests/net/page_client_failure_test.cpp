// Every way an exchange can fail, and the numbered message each one gives.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "moxilo/text/codec.h"
#include "page_client_fixture.h"

namespace moxilo::net {
namespace {

using loopback::HttpTestServer;

struct MessageCase {
    PageFailure failure;
    const char* utf8;
};

TEST(PageFailureMessage, TextsAreTheCodePage936Messages) {
    const MessageCase cases[] = {
        {PageFailure::platformUnsupported, "700 当前系统不支持WinHttp服务!"},
        {PageFailure::badUrl, "701 解析URL地址失败!"},
        {PageFailure::sessionFailed, "702 创建WinHttp会话失败!"},
        {PageFailure::connectionFailed, "703 创建WinHttp连接失败!"},
        {PageFailure::requestFailed, "704 创建WinHttp请求失败!"},
        {PageFailure::timeoutsFailed, "705 设置超时时间失败!"},
        {PageFailure::credentialsFailed, "707 设置代理凭证失败!"},
        {PageFailure::cookieOptionFailed, "708 禁止自动设置Cookies失败!"},
        {PageFailure::redirectOptionFailed, "709 重定向设置失败!"},
        {PageFailure::headersRejected, "710 设置协议头失败!"},
        {PageFailure::sendFailed, "711 发送请求失败!"},
        {PageFailure::noResponse, "712 服务器未响应!"},
        {PageFailure::readFailed, "713 读取数据失败!"},
    };
    for (const MessageCase& c : cases) {
        EXPECT_EQ(pageFailureMessage(c.failure), text::utf8ToText(c.utf8)) << c.utf8;
    }
}

constexpr std::size_t kOverLimit = kMaxPageBytes + 1;

Reply headThen(std::string head, std::string body, Reply::Ending ending) {
    Reply reply;
    reply.head = std::move(head);
    reply.body = std::move(body);
    reply.ending = ending;
    return reply;
}

Reply okHead(std::string_view length) {
    return headThen("HTTP/1.1 200 OK\r\nContent-Length: " + std::string(length) + "\r\n\r\n", "",
                    Reply::Ending::keepOpen);
}

Reply trickle() {
    // 100 bytes, one every 200 ms: never idle for a second, but 20 s in all.
    Reply reply = okHead("100");
    reply.fillerBytes = 100;
    reply.tricklePause = std::chrono::milliseconds(200);
    return reply;
}

Reply oversized(bool announced) {
    Reply reply = announced ? okHead(std::to_string(kOverLimit))
                            : headThen("HTTP/1.0 200 OK\r\n\r\n", "", Reply::Ending::close);
    reply.fillerBytes = kOverLimit;
    return reply;
}

Reply endlessRedirect() {
    return Reply::withStatus("HTTP/1.1 302 Found", "Location: /loop\r\n", "");
}

struct FailureCase {
    const char* name;
    std::function<Reply()> reply;              // the server's answer
    std::function<void(PageRequest&)> adjust;  // what the request changes
    PageFailure failure;
    std::size_t requestsReceived;  // by the server
};

class PageClientFailureTest : public PageClientTest,
                              public testing::WithParamInterface<FailureCase> {};

TEST_P(PageClientFailureTest, ReportsTheNumberedMessage) {
    const FailureCase& c = GetParam();
    serve([reply = c.reply](const std::string&) { return reply(); });
    PageRequest request = requestFor("/fault", 1);
    if (c.adjust) {
        c.adjust(request);
    }
    result_.body.emplace("caller's");

    EXPECT_EQ(fetch(request), "");
    EXPECT_EQ(result_.failure, c.failure);
    EXPECT_EQ(result_.statusText, pageFailureMessage(c.failure));
    EXPECT_EQ(result_.body, "caller's") << "a failed call hands out no body";
    EXPECT_EQ(server_->requests().size(), c.requestsReceived);
}

void setUrl(PageRequest& request, std::string url) {
    request.url = std::move(url);
}

std::string unusedPortUrl() {
    return "http://127.0.0.1:" + std::to_string(HttpTestServer::unusedPort()) + "/";
}

INSTANTIATE_TEST_SUITE_P(
    PageClient, PageClientFailureTest,
    testing::Values(
        FailureCase{"EmptyUrl", [] { return Reply::ok(""); }, [](PageRequest& r) { setUrl(r, ""); },
                    PageFailure::badUrl, 0},
        FailureCase{"NoScheme", [] { return Reply::ok(""); },
                    [](PageRequest& r) { setUrl(r, "127.0.0.1/face"); }, PageFailure::badUrl, 0},
        FailureCase{"OtherScheme", [] { return Reply::ok(""); },
                    [](PageRequest& r) { setUrl(r, "ftp://127.0.0.1/x"); }, PageFailure::badUrl, 0},
        FailureCase{"NoHost", [] { return Reply::ok(""); },
                    [](PageRequest& r) { setUrl(r, "http://"); }, PageFailure::badUrl, 0},
        FailureCase{"NotAnAddress", [] { return Reply::ok(""); },
                    [](PageRequest& r) { setUrl(r, "http://[::1/x"); }, PageFailure::badUrl, 0},
        FailureCase{"LineBreakInUrl", [] { return Reply::ok(""); },
                    [](PageRequest& r) { r.url += "\r\nX-Injected: 1"; }, PageFailure::badUrl, 0},
        FailureCase{"PortOutOfRange", [] { return Reply::ok(""); },
                    [](PageRequest& r) { setUrl(r, "http://127.0.0.1:99999/"); },
                    PageFailure::badUrl, 0},
        FailureCase{"HeaderLineWithoutColon", [] { return Reply::ok(""); },
                    [](PageRequest& r) { r.extraHeaders = "NoColon"; },
                    PageFailure::headersRejected, 0},
        FailureCase{"HeaderNameWithBlank", [] { return Reply::ok(""); },
                    [](PageRequest& r) { r.extraHeaders = "Bad Name: x"; },
                    PageFailure::headersRejected, 0},
        FailureCase{"EmptyLineInsideHeaders", [] { return Reply::ok(""); },
                    [](PageRequest& r) { r.extraHeaders = "A: 1\r\n\r\nB: 2"; },
                    PageFailure::headersRejected, 0},
        FailureCase{"BareLineFeedInHeaders", [] { return Reply::ok(""); },
                    [](PageRequest& r) { r.extraHeaders = "A: 1\nB: 2"; },
                    PageFailure::headersRejected, 0},
        FailureCase{"LineBreakInCookies", [] { return Reply::ok(""); },
                    [](PageRequest& r) { r.cookies = "a=1\r\nX-Injected: 1"; },
                    PageFailure::headersRejected, 0},
        FailureCase{"NobodyListens", [] { return Reply::ok(""); },
                    [](PageRequest& r) { setUrl(r, unusedPortUrl()); }, PageFailure::sendFailed, 0},
        FailureCase{"TlsToAPlainServer", [] { return Reply::ok(""); },
                    [](PageRequest& r) { r.url.replace(0, 4, "https"); }, PageFailure::sendFailed,
                    0},
        FailureCase{"ResetBeforeResponse",
                    [] { return headThen("", "", Reply::Ending::reset); },
                    {},
                    PageFailure::noResponse,
                    1},
        FailureCase{"ClosedBeforeResponse",
                    [] { return headThen("", "", Reply::Ending::close); },
                    {},
                    PageFailure::noResponse,
                    1},
        FailureCase{"NoStatusLine",
                    [] { return headThen("garbage\r\n\r\n", "", Reply::Ending::close); },
                    {},
                    PageFailure::noResponse,
                    1},
        FailureCase{
            "HeadersCutShort",
            [] { return headThen("HTTP/1.1 200 OK\r\nContent-Le", "", Reply::Ending::close); },
            {},
            PageFailure::noResponse,
            1},
        FailureCase{"SilentServer",
                    [] { return headThen("", "", Reply::Ending::stall); },
                    {},
                    PageFailure::noResponse,
                    1},
        FailureCase{
            "TooManyRedirects", endlessRedirect, {}, PageFailure::noResponse, kMaxRedirects + 1},
        FailureCase{"RedirectToFtp",
                    [] {
                        return Reply::withStatus("HTTP/1.1 301 Moved",
                                                 "Location: ftp://127.0.0.1/x\r\n", "");
                    },
                    {},
                    PageFailure::noResponse,
                    1},
        FailureCase{"RedirectToFile",
                    [] {
                        return Reply::withStatus("HTTP/1.1 302 Found",
                                                 "Location: file:///etc/passwd\r\n", "");
                    },
                    {},
                    PageFailure::noResponse,
                    1},
        FailureCase{"RedirectToNobody",
                    [] {
                        return Reply::withStatus("HTTP/1.1 302 Found",
                                                 "Location: " + unusedPortUrl() + "\r\n", "");
                    },
                    {},
                    PageFailure::noResponse,
                    1},
        FailureCase{"BodyCutShort",
                    [] {
                        Reply reply = okHead("100");
                        reply.body = "only ten b";
                        reply.ending = Reply::Ending::close;
                        return reply;
                    },
                    {},
                    PageFailure::readFailed,
                    1},
        FailureCase{"ResetInsideBody",
                    [] {
                        Reply reply = okHead("100");
                        reply.body = "only ten b";
                        reply.ending = Reply::Ending::reset;
                        return reply;
                    },
                    {},
                    PageFailure::readFailed,
                    1},
        FailureCase{"SilentAfterHeaders",
                    [] {
                        Reply reply = okHead("100");
                        reply.ending = Reply::Ending::stall;
                        return reply;
                    },
                    {},
                    PageFailure::readFailed,
                    1},
        FailureCase{"TrickledBody", trickle, {}, PageFailure::readFailed, 1},
        FailureCase{"OversizedAnnouncedBody",
                    [] { return oversized(true); },
                    {},
                    PageFailure::readFailed,
                    1},
        FailureCase{"OversizedBodyUntilClose",
                    [] { return oversized(false); },
                    {},
                    PageFailure::readFailed,
                    1}),
    [](const auto& test) { return test.param.name; });

TEST_F(PageClientTest, FailedBodyReadKeepsItsMessageOverTheStatusLine) {
    Reply reply = okHead("100");
    reply.body = "partial";
    reply.head = "HTTP/1.1 200 OK\r\nSet-Cookie: s=1\r\nContent-Length: 100\r\n\r\n";
    reply.ending = Reply::Ending::close;
    serve(reply);
    PageRequest request = requestFor("/cut");
    request.cookies = "a=1";

    EXPECT_EQ(fetch(request), "");
    EXPECT_EQ(result_.failure, PageFailure::readFailed);
    EXPECT_EQ(result_.statusText, pageFailureMessage(PageFailure::readFailed));
    EXPECT_EQ(result_.headers, reply.head) << "the headers that did arrive are handed out";
    EXPECT_EQ(result_.returnedCookies, "s=1");
    EXPECT_EQ(result_.mergedCookies, "s=1; a=1");
}

TEST_F(PageClientTest, EarlierFailureIsClearedBySuccess) {
    serve(Reply::ok("fine"));
    result_.failure = PageFailure::noResponse;
    EXPECT_EQ(fetch(requestFor("/")), "fine");
    EXPECT_FALSE(result_.failure);
    EXPECT_EQ(result_.statusText, "200 OK");
}

}  // namespace
}  // namespace moxilo::net
