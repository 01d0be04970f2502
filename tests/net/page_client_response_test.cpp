// What the page client takes out of a response: status, headers, cookies, redirects, body.

#include <gtest/gtest.h>

#include <string>

#include "page_client_fixture.h"

namespace moxilo::net {
namespace {

TEST_F(PageClientTest, RedirectHandedBackWhenNotFollowed) {
    serve(Reply::withStatus("HTTP/1.1 302 Found", "location: /x\r\n", "moved"));
    PageRequest request = requestFor("/old");
    request.noRedirect = true;

    EXPECT_EQ(fetch(request), "moved");
    EXPECT_EQ(result_.statusText, "302 Found");
    EXPECT_EQ(result_.location, "/x");
    EXPECT_EQ(result_.headers, "HTTP/1.1 302 Found\r\nlocation: /x\r\nContent-Length: 5\r\n\r\n");
}

TEST_F(PageClientTest, SetCookieLinesInAnyLetterCase) {
    serve(Reply::ok("c", "set-cookie: a=1; path=/\r\nSET-COOKIE: b=2\r\n"));
    result_.returnedCookies = "stale=1";

    fetch(requestFor("/cookies"));
    EXPECT_EQ(result_.returnedCookies, "a=1; b=2");
    EXPECT_EQ(result_.headers,
              "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\n"
              "Content-Length: 1\r\n\r\n");
    EXPECT_FALSE(result_.mergedCookies) << "no cookies given, no merge";
}

TEST_F(PageClientTest, NoSetCookieGivesEmptyReturnedCookies) {
    serve(Reply::ok("c"));
    result_.returnedCookies = "stale=1";
    fetch(requestFor("/plain"));
    EXPECT_EQ(result_.returnedCookies, "");
}

TEST_F(PageClientTest, GivenCookiesAreMergedWithTheReturnedOnes) {
    serve(Reply::ok("c", "Set-Cookie: b=3; path=/\r\nSet-Cookie: a=deleted\r\n"));
    PageRequest request = requestFor("/merge");
    request.cookies = "a=1; b=2; c=4";

    fetch(request);
    ASSERT_TRUE(result_.mergedCookies);
    EXPECT_EQ(*result_.mergedCookies, "b=3; c=4");
    EXPECT_EQ(result_.returnedCookies, "b=3;a=deleted");
}

TEST_F(PageClientTest, LocationKeptWhenTheResponseHasNone) {
    serve(Reply::ok("page"));
    result_.location = "caller's";
    fetch(requestFor("/"));
    EXPECT_EQ(result_.location, "caller's");
}

TEST_F(PageClientTest, FollowsRedirectsAndReportsTheFinalResponse) {
    serve([](const std::string& request) {
        if (request.starts_with("GET /a ")) {
            return Reply::withStatus("HTTP/1.1 302 Found", "Location: /b\r\nSet-Cookie: s=1\r\n",
                                     "first");
        }
        return Reply::ok("second", "X-Final: yes\r\n");
    });
    result_.location = "caller's";

    EXPECT_EQ(fetch(requestFor("/a")), "second");
    EXPECT_EQ(result_.statusText, "200 OK");
    EXPECT_EQ(result_.headers, "HTTP/1.1 200 OK\r\nX-Final: yes\r\nContent-Length: 6\r\n\r\n");
    EXPECT_EQ(result_.location, "caller's");
    ASSERT_EQ(server_->requests().size(), 2U);
    EXPECT_EQ(server_->requests()[1].find("Cookie:"), std::string::npos)
        << "without a cookies argument no cookie is kept across the redirect";
}

TEST_F(PageClientTest, CookiesSetByARedirectGoWithTheNextRequestWhenCookiesAreGiven) {
    serve([](const std::string& request) {
        if (request.starts_with("GET /a ")) {
            return Reply::withStatus("HTTP/1.1 302 Found", "Location: /b\r\nSet-Cookie: s=1\r\n",
                                     "");
        }
        return Reply::ok("second");
    });
    PageRequest request = requestFor("/a");
    request.cookies = "";

    EXPECT_EQ(fetch(request), "second");
    const std::vector<std::string> requests = server_->requests();
    ASSERT_EQ(requests.size(), 2U);
    EXPECT_NE(requests[1].find("Cookie: s=1\r\n"), std::string::npos) << requests[1];
}

TEST_F(PageClientTest, ErrorStatusStillDeliversThePage) {
    serve(Reply::withStatus("HTTP/1.1 404 Not Found", "", "missing"));
    EXPECT_EQ(fetch(requestFor("/none")), "missing");
    EXPECT_EQ(result_.statusText, "404 Not Found");
    EXPECT_FALSE(result_.failure);
}

TEST_F(PageClientTest, ZeroByteEndsThePageButNotTheBody) {
    const std::string body("ab\0cd", 5);
    serve(Reply::ok(body));
    result_.body.emplace();

    EXPECT_EQ(fetch(requestFor("/nul")), "ab");
    ASSERT_TRUE(result_.body);
    EXPECT_EQ(*result_.body, body);
}

TEST_F(PageClientTest, ZeroByteFarIntoTheBodyEndsThePageThere) {
    const std::string text(300'000, 'a');
    serve(Reply::ok(text + std::string("\0tail\0", 6)));
    EXPECT_EQ(fetch(requestFor("/late-nul")), text);
}

TEST_F(PageClientTest, BodyIsWrittenOnlyWhenAskedFor) {
    serve(Reply::ok("page"));
    EXPECT_EQ(fetch(requestFor("/")), "page");
    EXPECT_FALSE(result_.body);
}

TEST_F(PageClientTest, HeadGivesHeadersWithoutPage) {
    Reply headOnly;
    headOnly.head = "HTTP/1.1 200 OK\r\nContent-Length: 50000000\r\n\r\n";
    serve(headOnly);
    PageRequest request = requestFor("/head");
    request.methodIndex = 2;

    EXPECT_EQ(fetch(request), "");
    EXPECT_FALSE(result_.failure);
    EXPECT_EQ(result_.statusText, "200 OK");
}

struct FramingCase {
    const char* name;
    std::string head;  // sent exactly as given
    std::string body;
    Reply::Ending ending;
    std::string page;
    std::string headers;  // as handed out
};

class PageClientFramingTest : public PageClientTest,
                              public testing::WithParamInterface<FramingCase> {};

TEST_P(PageClientFramingTest, DeliversPageAndFinalHeaderBlock) {
    const FramingCase& c = GetParam();
    Reply reply;
    reply.head = c.head;
    reply.body = c.body;
    reply.ending = c.ending;
    serve(reply);

    EXPECT_EQ(fetch(requestFor("/framing")), c.page);
    EXPECT_FALSE(result_.failure);
    EXPECT_EQ(result_.headers, c.headers);
}

INSTANTIATE_TEST_SUITE_P(
    PageClient, PageClientFramingTest,
    testing::Values(
        FramingCase{"BareLineFeedsBecomeCrLf", "HTTP/1.1 200 OK\nContent-Length: 2\nX-A: 1\n\n",
                    "ok", Reply::Ending::keepOpen, "ok",
                    "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nX-A: 1\r\n\r\n"},
        FramingCase{"BodyUntilClose", "HTTP/1.0 200 OK\r\n\r\n", "until close",
                    Reply::Ending::close, "until close", "HTTP/1.0 200 OK\r\n\r\n"},
        FramingCase{"ChunkedTrailerIsNoHeader",
                    "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n",
                    "5\r\nchunk\r\n3\r\ned!\r\n0\r\nX-Trailer: t\r\n\r\n", Reply::Ending::keepOpen,
                    "chunked!", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"},
        FramingCase{"InterimResponseIsReplaced",
                    "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\n",
                    "done", Reply::Ending::keepOpen, "done",
                    "HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\n"}),
    [](const auto& test) { return test.param.name; });

}  // namespace
}  // namespace moxilo::net
