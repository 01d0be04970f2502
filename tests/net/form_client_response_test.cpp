// What the form client makes of the response: body, headers, cookies, redirects and
// the failures that give the empty body.

#include <gtest/gtest.h>
#include <sys/socket.h>

#include <chrono>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>

#include "form_client_fixture.h"
#include "moxilo/loopback/socket.h"

namespace moxilo::net {
namespace {

using std::chrono::seconds;

// Far below the form client's own limits, far above what a loopback exchange takes.
constexpr Timeouts kShortTimeouts{.connect = seconds(5), .idle = seconds(1), .total = seconds(20)};

TEST_F(FormClientTest, HandsBackBodyAndRawHeaders) {
    const std::string body("\x89PNG\0\r\n", 7);
    serve(Reply::withStatus("HTTP/1.1 404 Not Found", "X-A: 1\r\n", body));
    const FormResult result = submit(postTo(server_->url("/p"), "a=1"));
    EXPECT_EQ(result.body, body);
    EXPECT_EQ(result.headers, "HTTP/1.1 404 Not Found\r\nX-A: 1\r\nContent-Length: 7\r\n\r\n");
    EXPECT_EQ(result.returnedCookies, "");
    EXPECT_FALSE(result.mergedCookies);
}

TEST_F(FormClientTest, SetCookieInAnyLetterCaseIsCollected) {
    serve(Reply::ok("ok", "set-cookie: a=1; path=/\r\nSet-Cookie: b=2\r\n"));
    const FormResult result = submit(postTo(server_->url("/c"), "a=1"));
    EXPECT_EQ(result.returnedCookies, "a=1; b=2");
    EXPECT_NE(result.headers.find("\r\nSet-Cookie: a=1; path=/\r\n"), std::string::npos)
        << result.headers;
    EXPECT_EQ(result.headers.find("set-cookie"), std::string::npos);
}

TEST_F(FormClientTest, HeadersOfAnyLengthAreKeptWhole) {
    const std::string padding(20'000, 'p');
    serve(Reply::ok("ok", "X-Padding: " + padding + "\r\nSet-Cookie: late=1; path=/\r\n"));
    const FormResult result = submit(postTo(server_->url("/long"), "a=1"));
    EXPECT_NE(result.headers.find(padding + "\r\nSet-Cookie: late=1; path=/\r\n"),
              std::string::npos);
    EXPECT_EQ(result.returnedCookies, "late=1");
}

struct CookieCase {
    const char* name;
    std::optional<std::string> cookies;
    std::string setCookieLines;
    std::string returnedCookies;
    std::optional<std::string> mergedCookies;
};

class FormClientCookieTest : public FormClientTest,
                             public testing::WithParamInterface<CookieCase> {};

TEST_P(FormClientCookieTest, MergesReturnedCookiesIntoGivenOnes) {
    const CookieCase& c = GetParam();
    serve(Reply::ok("ok", c.setCookieLines));
    FormRequest request = postTo(server_->url("/c"), "a=1");
    request.cookies = c.cookies;

    const FormResult result = submit(request);
    EXPECT_EQ(result.returnedCookies, c.returnedCookies);
    EXPECT_EQ(result.mergedCookies, c.mergedCookies);
}

INSTANTIATE_TEST_SUITE_P(
    FormClient, FormClientCookieTest,
    testing::Values(CookieCase{"AbsentMergesNothing", {}, "Set-Cookie: s = 1\r\n", "s = 1", {}},
                    CookieCase{"GivenEmptyReceivesResponseCookies", "",
                               "Set-Cookie: s=1; path=/\r\n", "s=1", "s=1"},
                    CookieCase{"NewValueReplacesOld", "a=1; b=2", "Set-Cookie: b=3\r\n", "b=3",
                               "b=3; a=1"},
                    CookieCase{"DeletedCookieIsDropped", "a=1; b=2",
                               "Set-Cookie: a=deleted; path=/\r\n", "a=deleted", "b=2"},
                    CookieCase{"ReturnedCookiesLoseTheirBlanks", "x=1", "Set-Cookie: y = 2\r\n",
                               "y=2", "y=2; x=1"},
                    CookieCase{"NoResponseCookiesKeepGivenOnes", "a=1;a=5", "", "", "a=1"}),
    [](const auto& test) { return test.param.name; });

struct CookieKeepingCase {
    const char* name;
    std::optional<std::string> cookies;
    bool redirectCarriesCookie;
};

class FormClientCookieKeepingTest : public FormClientTest,
                                    public testing::WithParamInterface<CookieKeepingCase> {};

// A cookie that a redirect sets goes with the next request only when the caller keeps
// no cookies of its own.
TEST_P(FormClientCookieKeepingTest, KeepsRedirectCookiesOnlyWithoutGivenCookies) {
    serve([](const std::string& request) {
        return request.starts_with("POST /start ")
                   ? Reply::withStatus("HTTP/1.1 302 Found",
                                       "Location: /next\r\nSet-Cookie: k=1; path=/\r\n", "")
                   : Reply::ok("next");
    });
    FormRequest request = postTo(server_->url("/start"), "a=1");
    request.cookies = GetParam().cookies;

    EXPECT_EQ(submit(request).body, "next");
    const std::vector<std::string> requests = server_->requests();
    ASSERT_EQ(requests.size(), 2U);
    EXPECT_EQ(requests[1].find("\r\nCookie: k=1\r\n") != std::string::npos,
              GetParam().redirectCarriesCookie)
        << requests[1];
}

INSTANTIATE_TEST_SUITE_P(FormClient, FormClientCookieKeepingTest,
                         testing::Values(CookieKeepingCase{"CookiesAbsent", {}, true},
                                         CookieKeepingCase{"CookiesGivenEmpty", "", false}),
                         [](const auto& test) { return test.param.name; });

TEST_F(FormClientTest, FollowsRedirects) {
    serve([this](const std::string& request) {
        return request.starts_with("POST /start ")
                   ? Reply::withStatus("HTTP/1.1 302 Found",
                                       "Location: " + server_->url("/final") + "\r\n", "moved")
                   : Reply::ok("final", "X-Final: 1\r\n");
    });
    const FormResult result = submit(postTo(server_->url("/start"), "a=1"));
    EXPECT_EQ(result.body, "final");
    EXPECT_TRUE(result.headers.starts_with("HTTP/1.1 200 OK\r\nX-Final: 1\r\n")) << result.headers;
    EXPECT_EQ(server_->requests().size(), 2U);
}

TEST_F(FormClientTest, NoRedirectFlagHandsBackTheRedirect) {
    serve(Reply::withStatus("HTTP/1.1 302 Found", "Location: /final\r\n", "moved"));
    FormRequest request = postTo(server_->url("/start"), "a=1");
    request.noRedirect = true;

    const FormResult result = submit(request);
    EXPECT_EQ(result.body, "moved");
    EXPECT_TRUE(result.headers.starts_with("HTTP/1.1 302 Found\r\nLocation: /final\r\n"));
    EXPECT_EQ(server_->requests().size(), 1U);
}

TEST_F(FormClientTest, RedirectLoopEndsAfterTenRedirects) {
    serve(Reply::withStatus("HTTP/1.1 302 Found", "Location: /again\r\n", "moved"));
    EXPECT_EQ(submit(postTo(server_->url("/again"), "a=1")).body, "");
    EXPECT_EQ(server_->requests().size(), static_cast<std::size_t>(kMaxTransferRedirects) + 1);
}

TEST_F(FormClientTest, RedirectToAnotherSchemeIsNotFollowed) {
    serve(Reply::withStatus("HTTP/1.1 302 Found", "Location: file:///etc/passwd\r\n", "moved"));
    EXPECT_EQ(submit(postTo(server_->url("/start"), "a=1")).body, "");
    EXPECT_EQ(server_->requests().size(), 1U);
}

// The redirect target listens on a bare socket: the first byte the client sends there
// opens a TLS handshake (0x16) when it follows the redirect to https.
TEST_F(FormClientTest, FollowsRedirectFromHttpToHttps) {
    const loopback::Socket listener = loopback::listenOnLoopback();
    const std::string secure =
        "https://127.0.0.1:" + std::to_string(loopback::localPort(listener)) + "/secure";
    serve(Reply::withStatus("HTTP/1.1 302 Found", "Location: " + secure + "\r\n", "moved"));
    int firstByte = -1;
    std::thread tlsPeer([&listener, &firstByte] {
        const loopback::WakePipe never;
        if (loopback::waitFor(listener, never, std::chrono::seconds(10)) !=
            loopback::WaitResult::ready) {
            return;
        }
        const loopback::Socket connection(::accept(listener.get(), nullptr, nullptr));
        unsigned char byte = 0;
        if (loopback::waitFor(connection, never, std::chrono::seconds(10)) ==
                loopback::WaitResult::ready &&
            ::recv(connection.get(), &byte, 1, 0) == 1) {
            firstByte = byte;
        }
    });
    FormRequest request = postTo(server_->url("/start"), "a=1");
    request.timeouts = kShortTimeouts;

    EXPECT_EQ(submit(request).body, "");  // the bare socket never answers the handshake
    tlsPeer.join();
    EXPECT_EQ(firstByte, 0x16);
}

TEST_F(FormClientTest, NobodyListeningGivesEmptyBodyFast) {
    const auto start = std::chrono::steady_clock::now();
    const FormResult result = submit(postTo(unusedAddress("/x"), "a=1"));
    EXPECT_EQ(result.body, "");
    EXPECT_EQ(result.headers, "");
    // Far below the 30 s connect limit: a refused connection is not waited out.
    EXPECT_LT(std::chrono::steady_clock::now() - start, seconds(10));
}

struct FailureCase {
    const char* name;
    Reply reply;
};

class FormClientFailureTest : public FormClientTest,
                              public testing::WithParamInterface<FailureCase> {};

TEST_P(FormClientFailureTest, GivesTheEmptyBody) {
    serve(GetParam().reply);
    FormRequest request = postTo(server_->url("/f"), "a=1");
    request.timeouts = kShortTimeouts;
    FormResult result;
    result.body = "stale";

    submitForm(request, result);
    EXPECT_EQ(result.body, "");
}

INSTANTIATE_TEST_SUITE_P(
    FormClient, FormClientFailureTest,
    testing::Values(FailureCase{"BodyCut", bodyCutAfter(10, 100, Reply::Ending::close)},
                    FailureCase{"ResetInBody", bodyCutAfter(10, 100, Reply::Ending::reset)},
                    FailureCase{"SilentServer", silentReply()},
                    FailureCase{"StallInBody", bodyCutAfter(10, 100, Reply::Ending::stall)},
                    // one byte more than the limit, with no length announced
                    FailureCase{"BodyAboveLimit", unannouncedBody(kMaxTransferBodyBytes + 1)}),
    [](const auto& test) { return test.param.name; });

TEST_F(FormClientTest, BodyAtTheLimitIsAccepted) {
    serve(unannouncedBody(kMaxTransferBodyBytes));
    EXPECT_EQ(submit(postTo(server_->url("/big"), "a=1")).body.size(), kMaxTransferBodyBytes);
}

TEST_F(FormClientTest, StopFromAnotherThreadEndsTheWait) {
    serve(silentReply());
    std::stop_source stop;
    std::jthread stopper([&stop] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        stop.request_stop();
    });
    FormResult result;
    const auto start = std::chrono::steady_clock::now();
    submitForm(postTo(server_->url("/slow"), "a=1"), result, stop.get_token());
    EXPECT_EQ(result.body, "");
    // The server stays silent for a minute and the idle limit is as long.
    EXPECT_LT(std::chrono::steady_clock::now() - start, seconds(20));
}

TEST_F(FormClientTest, AddressThatCannotBeTakenApartSendsNothing) {
    serve(Reply::ok("never"));
    FormResult result;
    result.body = "stale";
    submitForm(postTo("ftp://127.0.0.1:" + std::to_string(server_->port()) + "/x", "a=1"), result);
    EXPECT_EQ(result.body, "");
    EXPECT_EQ(result.sentHeaders, "");
    EXPECT_TRUE(server_->requests().empty());
}

}  // namespace
}  // namespace moxilo::net
