// What the form client puts on the wire.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "form_client_fixture.h"
#include "moxilo/catalogue/make_form.h"
#include "moxilo/catalogue/site.h"
#include "moxilo/text/text_utils.h"

namespace moxilo::net {
namespace {

constexpr std::string_view kAgentLine =
    "User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)\r\n";

// The default header block for `url`, lines joined by CR LF.
std::string defaultBlock(const std::string& url) {
    return "Accept: */*\r\nReferer: " + url +
           "\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded";
}

TEST_F(FormClientTest, OnlyCallersPostGoesOutExactly) {
    serve(Reply::ok("<html>made</html>"));
    const std::string makeAddress = catalogue::Site(server_->url("")).makeAddress("123");
    const std::string formBody = catalogue::makeFormBody();
    ASSERT_EQ(formBody.size(), 6192U);

    const FormResult result = submit(postTo(makeAddress, formBody));
    EXPECT_EQ(onlyRequest(), "POST /face/make.aspx?id=123 HTTP/1.1\r\n" + hostLine() +
                                 std::string(kAgentLine) + defaultBlock(makeAddress) +
                                 "\r\nContent-Length: 6192\r\n\r\n" + formBody);
    EXPECT_EQ(result.body, "<html>made</html>");
    EXPECT_EQ(result.sentHeaders, defaultBlock(makeAddress));
    EXPECT_EQ(result.sentBody, formBody);
}

struct MethodCase {
    const char* name;
    std::optional<std::int32_t> methodIndex;
    std::optional<std::string> body;
    std::optional<std::string> bodyBytes;
    std::string requestLine;
    std::optional<std::string> sentBody;  // with its Content-Length line; absent: neither
};

class FormClientMethodTest : public FormClientTest,
                             public testing::WithParamInterface<MethodCase> {};

TEST_P(FormClientMethodTest, SendsVerbAndBody) {
    const MethodCase& c = GetParam();
    serve(Reply::ok("done"));
    FormRequest request;
    request.url = server_->url("/m");
    request.methodIndex = c.methodIndex;
    request.body = c.body;
    request.bodyBytes = c.bodyBytes;

    const FormResult result = submit(request);
    const std::string contentLength =
        c.sentBody ? "\r\nContent-Length: " + std::to_string(c.sentBody->size()) : "";
    EXPECT_EQ(onlyRequest(), c.requestLine + hostLine() + std::string(kAgentLine) +
                                 defaultBlock(request.url) + contentLength + "\r\n\r\n" +
                                 c.sentBody.value_or(""));
    EXPECT_EQ(result.sentBody, c.sentBody.value_or(""));
}

INSTANTIATE_TEST_SUITE_P(
    FormClient, FormClientMethodTest,
    testing::Values(
        MethodCase{"AbsentIsGetWithoutBody", {}, "a=1", {}, "GET /m HTTP/1.1\r\n", {}},
        MethodCase{"GetSendsNoBody", 0, "a=1", "b=2", "GET /m HTTP/1.1\r\n", {}},
        MethodCase{
            "PostSendsBody", 1, "a=1&t=\xD6\xD0", {}, "POST /m HTTP/1.1\r\n", "a=1&t=\xD6\xD0"},
        MethodCase{"PostPrefersBodyBytes", 1, "a=1", std::string("b\0=2", 4),
                   "POST /m HTTP/1.1\r\n", std::string("b\0=2", 4)},
        MethodCase{"PostWithEmptyBodyBytesSendsBody", 1, "a=1", "", "POST /m HTTP/1.1\r\n", "a=1"},
        MethodCase{"PostWithoutBody", 1, {}, {}, "POST /m HTTP/1.1\r\n", ""},
        MethodCase{"HeadSendsNoBody", 2, "a=1", {}, "HEAD /m HTTP/1.1\r\n", {}},
        MethodCase{"SevenIsGet", 7, "a=1", {}, "GET /m HTTP/1.1\r\n", {}},
        MethodCase{"MinusOneIsGet", -1, "a=1", {}, "GET /m HTTP/1.1\r\n", {}},
        MethodCase{"LowestIndexIsGet", INT32_MIN, {}, {}, "GET /m HTTP/1.1\r\n", {}}),
    [](const auto& test) { return test.param.name; });

struct HeaderBlockCase {
    const char* name;
    std::optional<std::string> extraHeaders;
    std::optional<std::string> cookies;
    std::string block;  // "<url>" stands for the request's address
};

class FormClientHeaderBlockTest : public FormClientTest,
                                  public testing::WithParamInterface<HeaderBlockCase> {};

TEST_P(FormClientHeaderBlockTest, CompletesTheBlockAndSendsItAsBuilt) {
    const HeaderBlockCase& c = GetParam();
    serve(Reply::ok("ok"));
    FormRequest request;
    request.url = server_->url("/h");
    request.extraHeaders = c.extraHeaders;
    request.cookies = c.cookies;

    const FormResult result = submit(request);
    const std::string block = text::replaceAll(c.block, "<url>", request.url);
    EXPECT_EQ(result.sentHeaders, block);
    const bool callersAgent = text::containsText(block, "User-Agent:", text::LetterCase::ignored);
    EXPECT_EQ(onlyRequest(), "GET /h HTTP/1.1\r\n" + hostLine() +
                                 (callersAgent ? "" : std::string(kAgentLine)) + block +
                                 "\r\n\r\n");
}

const std::string kDefaults =
    "Accept: */*\r\nReferer: <url>\r\nAccept-Language: zh-cn\r\n"
    "Content-Type: application/x-www-form-urlencoded";
const std::string kDefaultsAfterAccept = kDefaults.substr(kDefaults.find("Referer: "));

INSTANTIATE_TEST_SUITE_P(
    FormClient, FormClientHeaderBlockTest,
    testing::Values(
        HeaderBlockCase{"AbsentExtraHeaders", {}, {}, kDefaults},
        HeaderBlockCase{"EmptyExtraHeaders", "", {}, kDefaults},
        HeaderBlockCase{"ExtraLinesComeFirst",
                        "X-One: 1\r\nX-Two: 2",
                        {},
                        "X-One: 1\r\nX-Two: 2\r\n" + kDefaults},
        HeaderBlockCase{"AcceptWithAnotherValueGetsNoSecond",
                        "Accept: text/html",
                        {},
                        "Accept: text/html\r\n" + kDefaultsAfterAccept},
        HeaderBlockCase{"AcceptKeyCountsLetterCase",
                        "accept: text/html",
                        {},
                        "accept: text/html\r\n" + kDefaults},
        HeaderBlockCase{"RefererPresent",
                        "Referer: http://elsewhere/",
                        {},
                        "Referer: http://elsewhere/\r\nAccept: */*\r\nAccept-Language: zh-cn\r\n"
                        "Content-Type: application/x-www-form-urlencoded"},
        HeaderBlockCase{
            "AllFourPresent",
            "Content-Type: text/plain\r\nAccept-Language: en\r\nReferer: r\r\nAccept: a",
            {},
            "Content-Type: text/plain\r\nAccept-Language: en\r\nReferer: r\r\nAccept: a"},
        HeaderBlockCase{"CallersAgentLineIsSent",
                        "User-Agent: Probe/1",
                        {},
                        "User-Agent: Probe/1\r\n" + kDefaults},
        HeaderBlockCase{"EmptyCookiesSendNoLine", {}, "", kDefaults},
        HeaderBlockCase{"CookiesGoLast", {}, "a=1; b=2", kDefaults + "\r\nCookie: a=1; b=2"},
        HeaderBlockCase{"CookiesFollowCallersCookieLine", "Cookie: z=9", "a=1",
                        "Cookie: z=9\r\n" + kDefaults + "\r\nCookie: a=1"},
        HeaderBlockCase{"CodePage936ValueGoesUnchanged",
                        "X-Title: \xD6\xD0",
                        {},
                        "X-Title: \xD6\xD0\r\n" + kDefaults}),
    [](const auto& test) { return test.param.name; });

struct AgentCase {
    const char* name;
    std::optional<std::string> extraHeaders;
    std::string agent;
};

class FormClientAgentTest : public FormClientTest, public testing::WithParamInterface<AgentCase> {};

// The agent shows on its own in the CONNECT request that opens a tunnel through a
// proxy to an https address; the server stands in for the proxy and refuses.
TEST_P(FormClientAgentTest, TunnelThroughProxyCarriesTheAgent) {
    serve(Reply::withStatus("HTTP/1.1 403 Forbidden", "", "no"));
    const std::string target =
        "127.0.0.1:" + std::to_string(loopback::HttpTestServer::unusedPort());
    FormRequest request;
    request.url = "https://" + target + "/x";
    request.extraHeaders = GetParam().extraHeaders;
    request.proxyAddress = "127.0.0.1:" + std::to_string(server_->port());

    EXPECT_EQ(submit(request).body, "");
    const std::string sent = onlyRequest();
    EXPECT_TRUE(sent.starts_with("CONNECT " + target + " HTTP/1.1\r\n")) << sent;
    EXPECT_NE(sent.find("\r\nUser-Agent: " + GetParam().agent + "\r\n"), std::string::npos) << sent;
}

INSTANTIATE_TEST_SUITE_P(
    FormClient, FormClientAgentTest,
    testing::Values(
        AgentCase{"Default", {}, "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)"},
        AgentCase{"FromAgentLine", "X-A: 1\r\nUser-Agent:  Probe/1 \r\nX-B: 2", "Probe/1"},
        AgentCase{"LoneAgentLine", "User-Agent: Probe/2", "Probe/2"},
        AgentCase{"LastLineWithoutLineEnd", "X-A: 1\r\nUser-Agent: Probe/3 ", "Probe/3"},
        AgentCase{"KeyInLowerCase", "user-agent: probe/4\r\nX-A: 1", "probe/4"},
        AgentCase{"EmptyAgentGivesDefault", "User-Agent: \r\nX-A: 1",
                  "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)"}),
    [](const auto& test) { return test.param.name; });

TEST_F(FormClientTest, HttpProxyGetsTheWholeAddress) {
    serve(Reply::ok("via proxy"));
    const std::string target = unusedAddress("/x?y=1");
    FormRequest request = postTo(target, "a=1");
    request.proxyAddress = "127.0.0.1:" + std::to_string(server_->port());

    EXPECT_EQ(submit(request).body, "via proxy");
    EXPECT_TRUE(onlyRequest().starts_with("POST " + target + " HTTP/1.1\r\n")) << onlyRequest();
}

TEST_F(FormClientTest, BlockWithAnEmptyLineIsNotSent) {
    serve(Reply::ok("never"));
    FormRequest request = postTo(server_->url("/h"), "a=1");
    request.extraHeaders = "X-A: 1\r\n";  // the caller's final CR LF would end the head early
    FormResult result;
    result.sentHeaders = "kept";

    submitForm(request, result);
    EXPECT_EQ(result.body, "");
    EXPECT_EQ(result.sentHeaders, "kept");
    EXPECT_TRUE(server_->requests().empty());
}

}  // namespace
}  // namespace moxilo::net
