// What the page client puts on the wire.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "page_client_fixture.h"

namespace moxilo::net {
namespace {

TEST_F(PageClientTest, DefaultRequestCarriesTheDefaultHeaderBlock) {
    serve(Reply::ok("<html>x</html>"));
    PageRequest request;
    request.url = server_->url("/face/ListWithImage.aspx?pn=1");

    EXPECT_EQ(fetch(request), "<html>x</html>");
    EXPECT_EQ(onlyRequest(), "GET /face/ListWithImage.aspx?pn=1 HTTP/1.1\r\n" + hostLine() +
                                 std::string(kDefaultHeaderLines) + "\r\n");
    EXPECT_FALSE(result_.failure);
    EXPECT_EQ(result_.statusText, "200 OK");
}

struct MethodCase {
    const char* name;
    std::optional<std::int32_t> methodIndex;
    std::optional<std::string> body;
    std::string requestLine;
    std::optional<std::string> sentBody;  // with its Content-Length line; absent: neither
};

class PageClientMethodTest : public PageClientTest,
                             public testing::WithParamInterface<MethodCase> {};

TEST_P(PageClientMethodTest, SendsVerbAndBody) {
    const MethodCase& c = GetParam();
    serve(Reply::ok("done"));
    PageRequest request = requestFor("/p");
    request.methodIndex = c.methodIndex;
    request.body = c.body;

    fetch(request);
    const std::string contentLength =
        c.sentBody ? "Content-Length: " + std::to_string(c.sentBody->size()) + "\r\n" : "";
    EXPECT_EQ(onlyRequest(), c.requestLine + hostLine() + std::string(kDefaultHeaderLines) +
                                 contentLength + "\r\n" + c.sentBody.value_or(""));
}

INSTANTIATE_TEST_SUITE_P(
    PageClient, PageClientMethodTest,
    testing::Values(MethodCase{"AbsentIsGet", {}, {}, "GET /p HTTP/1.1\r\n", {}},
                    MethodCase{"Get", 0, {}, "GET /p HTTP/1.1\r\n", {}},
                    MethodCase{"GetWithEmptyBody", 0, "", "GET /p HTTP/1.1\r\n", {}},
                    MethodCase{"Post", 1, "a=1&t=\xD6\xD0", "POST /p HTTP/1.1\r\n",
                               "a=1&t=\xD6\xD0"},
                    MethodCase{"PostWithoutBody", 1, {}, "POST /p HTTP/1.1\r\n", ""},
                    MethodCase{"HeadSendsNoBody", 2, "ignored", "HEAD /p HTTP/1.1\r\n", {}},
                    MethodCase{"Put", 3, "data", "PUT /p HTTP/1.1\r\n", "data"},
                    MethodCase{"PutWithoutBody", 3, {}, "PUT /p HTTP/1.1\r\n", ""},
                    MethodCase{"FourIsGet", 4, {}, "GET /p HTTP/1.1\r\n", {}},
                    MethodCase{"MinusOneIsGet", -1, {}, "GET /p HTTP/1.1\r\n", {}},
                    MethodCase{"GetWithBodySendsIt", 0, "q=1", "GET /p HTTP/1.1\r\n", "q=1"},
                    MethodCase{"BodyBytesGoUnchanged", 1, std::string("a\0b%20+", 7),
                               "POST /p HTTP/1.1\r\n", std::string("a\0b%20+", 7)}),
    [](const auto& test) { return test.param.name; });

struct HeaderBlockCase {
    const char* name;
    std::optional<std::string> extraHeaders;
    std::optional<std::string> cookies;
    std::string headerLines;  // every line after the Host line
};

class PageClientHeaderBlockTest : public PageClientTest,
                                  public testing::WithParamInterface<HeaderBlockCase> {};

TEST_P(PageClientHeaderBlockTest, SendsTheBlockInOrder) {
    const HeaderBlockCase& c = GetParam();
    serve(Reply::ok("ok"));
    PageRequest request = requestFor("/h");
    request.extraHeaders = c.extraHeaders;
    request.cookies = c.cookies;

    fetch(request);
    EXPECT_FALSE(result_.failure);
    EXPECT_EQ(onlyRequest(), "GET /h HTTP/1.1\r\n" + hostLine() + c.headerLines + "\r\n");
}

const std::string kDefaults(kDefaultHeaderLines);
const std::string kDefaultsWithoutUserAgent = kDefaults.substr(kDefaults.find("Accept: "));

INSTANTIATE_TEST_SUITE_P(
    PageClient, PageClientHeaderBlockTest,
    testing::Values(
        HeaderBlockCase{"ExtraLinesComeFirst",
                        "X-One: 1\r\nX-Two: 2",
                        {},
                        "X-One: 1\r\nX-Two: 2\r\n" + kDefaults},
        HeaderBlockCase{"EmptyExtraHeaders", "", {}, kDefaults},
        HeaderBlockCase{"UserAgentKeyIgnoresLetterCase",
                        "user-agent: Probe/1",
                        {},
                        "user-agent: Probe/1\r\n" + kDefaultsWithoutUserAgent},
        HeaderBlockCase{"ContentTypeKeyIsExact",
                        "content-type: text/plain",
                        {},
                        "content-type: text/plain\r\n" + kDefaults},
        HeaderBlockCase{"CookiesGoLast", {}, "a=1; b=2", kDefaults + "Cookie: a=1; b=2\r\n"},
        HeaderBlockCase{"EmptyCookiesSendNoLine", {}, "", kDefaults},
        HeaderBlockCase{"CallersCookieLineWins", "Cookie: z=9", "a=1",
                        "Cookie: z=9\r\n" + kDefaults},
        HeaderBlockCase{"HeaderWithoutValueIsSent", "X-Empty:", {}, "X-Empty:\r\n" + kDefaults},
        HeaderBlockCase{"CodePage936ValueGoesUnchanged",
                        "X-Title: \xD6\xD0",
                        {},
                        "X-Title: \xD6\xD0\r\n" + kDefaults},
        HeaderBlockCase{"CallersAcceptReplacesDefault",
                        "Accept: */*",
                        {},
                        "Accept: */*\r\nUser-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT "
                        "6.1; WOW64; Trident/5.0)\r\n" +
                            kDefaults.substr(kDefaults.find("Accept-Encoding: "))}),
    [](const auto& test) { return test.param.name; });

struct CredentialsCase {
    const char* name;
    std::optional<std::string> user;
    std::optional<std::string> password;
    std::string authorization;  // the line sent, or empty for none
};

class PageClientCredentialsTest : public PageClientTest,
                                  public testing::WithParamInterface<CredentialsCase> {};

TEST_P(PageClientCredentialsTest, SendsBasicCredentialsOnlyWhenBothGiven) {
    const CredentialsCase& c = GetParam();
    serve(Reply::ok("ok"));
    PageRequest request = requestFor("/c");
    request.serverUser = c.user;
    request.serverPassword = c.password;

    fetch(request);
    EXPECT_FALSE(result_.failure);
    const std::string sent = onlyRequest();
    const std::size_t at = sent.find("Authorization: ");
    if (c.authorization.empty()) {
        EXPECT_EQ(at, std::string::npos) << sent;
    } else {
        EXPECT_NE(sent.find(c.authorization), std::string::npos) << sent;
    }
}

INSTANTIATE_TEST_SUITE_P(PageClient, PageClientCredentialsTest,
                         testing::Values(CredentialsCase{"Both", "user", "pass",
                                                         "Authorization: Basic dXNlcjpwYXNz\r\n"},
                                         CredentialsCase{"UserOnly", "user", {}, ""},
                                         CredentialsCase{"PasswordOnly", {}, "pass", ""},
                                         CredentialsCase{"EmptyPassword", "user", "", ""},
                                         CredentialsCase{"Neither", {}, {}, ""}),
                         [](const auto& test) { return test.param.name; });

TEST_F(PageClientTest, ProxyGetsTheWholeAddressAndItsCredentials) {
    serve(Reply::ok("via proxy"));
    PageRequest request;
    const std::string target =
        "http://127.0.0.1:" + std::to_string(loopback::HttpTestServer::unusedPort()) + "/x?y=1";
    request.url = target;
    request.timeoutSeconds = 5;
    request.proxyAddress = "127.0.0.1:" + std::to_string(server_->port());
    request.proxyUser = "pu";
    request.proxyPassword = "pp";

    EXPECT_EQ(fetch(request), "via proxy");
    const std::string sent = onlyRequest();
    EXPECT_TRUE(sent.starts_with("GET " + target + " HTTP/1.1\r\n")) << sent;
    EXPECT_NE(sent.find("Proxy-Authorization: Basic cHU6cHA=\r\n"), std::string::npos) << sent;
}

TEST_F(PageClientTest, EnvironmentProxyIsIgnored) {
    serve(Reply::ok("direct"));
    ::setenv("http_proxy", "http://127.0.0.1:1", 1);
    const std::string page = fetch(requestFor("/direct"));
    ::unsetenv("http_proxy");
    EXPECT_EQ(page, "direct");
}

struct TargetCase {
    const char* name;
    std::string pathAndQuery;  // after "http://127.0.0.1:<port>"
    std::string requestTarget;
};

class PageClientTargetTest : public PageClientTest,
                             public testing::WithParamInterface<TargetCase> {};

TEST_P(PageClientTargetTest, RequestsTheObject) {
    serve(Reply::ok("ok"));
    PageRequest request = requestFor(GetParam().pathAndQuery);
    fetch(request);
    EXPECT_FALSE(result_.failure);
    EXPECT_TRUE(onlyRequest().starts_with("GET " + GetParam().requestTarget + " HTTP/1.1\r\n"))
        << onlyRequest();
}

INSTANTIATE_TEST_SUITE_P(PageClient, PageClientTargetTest,
                         testing::Values(TargetCase{"NoPath", "", "/"},
                                         TargetCase{"QueryWithoutPathIsKept", "?pn=2", "/?pn=2"},
                                         TargetCase{"PathAndQuery", "/face/a.aspx?pn=2&x=%41",
                                                    "/face/a.aspx?pn=2&x=%41"},
                                         TargetCase{"FragmentIsNotSent", "/a?b=1#part", "/a?b=1"},
                                         TargetCase{"CodePage936GoesAsUtf8Escapes",
                                                    "/\xD6\xD0?t=\xCE\xC4",
                                                    "/%E4%B8%AD?t=%E6%96%87"},
                                         TargetCase{"SpaceIsEscaped", "/a b", "/a%20b"}),
                         [](const auto& test) { return test.param.name; });

struct TimeoutCase {
    const char* name;
    std::optional<std::int32_t> seconds;
    std::chrono::seconds each;
};

class PageTimeoutsTest : public testing::TestWithParam<TimeoutCase> {};

TEST_P(PageTimeoutsTest, EachPhaseGetsTheTimeoutAndTheExchangeFourTimesIt) {
    const Timeouts timeouts = pageTimeouts(GetParam().seconds);
    EXPECT_EQ(timeouts.connect, GetParam().each);
    EXPECT_EQ(timeouts.idle, GetParam().each);
    EXPECT_EQ(timeouts.total, 4 * GetParam().each);
}

INSTANTIATE_TEST_SUITE_P(PageClient, PageTimeoutsTest,
                         testing::Values(TimeoutCase{"Absent", {}, std::chrono::seconds(30)},
                                         TimeoutCase{"Zero", 0, std::chrono::seconds(30)},
                                         TimeoutCase{"Negative", -5, std::chrono::seconds(30)},
                                         TimeoutCase{"Given", 5, std::chrono::seconds(5)}),
                         [](const auto& test) { return test.param.name; });

}  // namespace
}  // namespace moxilo::net
