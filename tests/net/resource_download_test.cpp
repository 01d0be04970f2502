// The whole-resource download against a loopback server.

#include <gtest/gtest.h>

#include <chrono>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "form_client_fixture.h"
#include "moxilo/net/resource_download.h"

namespace moxilo::net {
namespace {

using std::chrono::seconds;

constexpr Timeouts kShortTimeouts{.connect = seconds(5), .idle = seconds(1), .total = seconds(20)};

class ResourceDownloadTest : public FormClientTest {
protected:
    ResourceDownloader downloader_{kShortTimeouts};
};

TEST_F(ResourceDownloadTest, SendsHttp10GetWithAgentAndAccept) {
    serve(Reply::ok("jpeg"));
    const Download download =
        downloader_.download(server_->url("/face/store/face/0000000123/make.jpg"));
    EXPECT_EQ(onlyRequest(),
              "GET /face/store/face/0000000123/make.jpg HTTP/1.0\r\n" + hostLine() +
                  "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n"
                  "Accept: */*\r\nConnection: Keep-Alive\r\n\r\n");
    EXPECT_EQ(download.bytes, "jpeg");
    EXPECT_TRUE(download.complete);
}

struct BodyCase {
    const char* name;
    Reply reply;
    std::string bytes;
    bool complete;
};

Reply closeDelimited(std::string body) {
    Reply reply;
    reply.head = "HTTP/1.0 200 OK\r\nContent-Type: image/jpeg\r\n\r\n";
    reply.body = std::move(body);
    reply.ending = Reply::Ending::close;
    return reply;
}

class ResourceDownloadBodyTest : public ResourceDownloadTest,
                                 public testing::WithParamInterface<BodyCase> {};

TEST_P(ResourceDownloadBodyTest, ReturnsWhatTheBodyDelivered) {
    serve(GetParam().reply);
    const Download download = downloader_.download(server_->url("/make.jpg"));
    EXPECT_EQ(download.bytes, GetParam().bytes);
    EXPECT_EQ(download.complete, GetParam().complete);
}

INSTANTIATE_TEST_SUITE_P(
    ResourceDownload, ResourceDownloadBodyTest,
    testing::Values(
        BodyCase{"Picture", Reply::ok(std::string("\xFF\xD8\0\xFF\xD9", 5)),
                 std::string("\xFF\xD8\0\xFF\xD9", 5), true},
        BodyCase{"NotFoundPageIsABody",
                 Reply::withStatus("HTTP/1.1 404 Not Found", "", "<html>missing</html>"),
                 "<html>missing</html>", true},
        BodyCase{"ServerErrorPageIsABody",
                 Reply::withStatus("HTTP/1.1 500 Internal Server Error", "", "oops"), "oops", true},
        BodyCase{"EndsWithTheConnection", closeDelimited("whole"), "whole", true},
        BodyCase{"EmptyBody", Reply::ok(""), "", true},
        BodyCase{"TruncatedBody", bodyCutAfter(10, 100, Reply::Ending::close), std::string(10, 'b'),
                 false},
        BodyCase{"ResetInBody", bodyCutAfter(10, 100, Reply::Ending::reset), std::string(10, 'b'),
                 false},
        BodyCase{"StallInBody", bodyCutAfter(10, 100, Reply::Ending::stall), std::string(10, 'b'),
                 false}),
    [](const auto& test) { return test.param.name; });

class ResourceDownloadRefusedTest : public ResourceDownloadTest,
                                    public testing::WithParamInterface<const char*> {};

TEST_P(ResourceDownloadRefusedTest, MakesNoRequest) {
    serve(Reply::ok("never"));
    const std::string address =
        std::string(GetParam()) +
        (std::string(GetParam()).empty() ? "" : std::to_string(server_->port()));
    const Download download = downloader_.download(address);
    EXPECT_EQ(download.bytes, "");
    EXPECT_FALSE(download.complete);
    EXPECT_TRUE(server_->requests().empty());
}

// Each address ends in the server's port, so that only the form keeps it from it.
INSTANTIATE_TEST_SUITE_P(ResourceDownload, ResourceDownloadRefusedTest,
                         testing::Values("", "ftp://127.0.0.1:", "127.0.0.1:", "http://:",
                                         "no address "));

TEST_F(ResourceDownloadTest, NobodyListeningGivesEmptyResultFast) {
    const auto start = std::chrono::steady_clock::now();
    const Download download = downloader_.download(unusedAddress("/make.jpg"));
    EXPECT_EQ(download.bytes, "");
    EXPECT_FALSE(download.complete);
    // Far below the connect limit: a refused connection is not waited out.
    EXPECT_LT(std::chrono::steady_clock::now() - start, seconds(10));
}

TEST_F(ResourceDownloadTest, DownloadsShareOneConnection) {
    serve([](const std::string& request) { return Reply::ok(request.substr(4, 2)); });
    for (const char* path : {"/1", "/2", "/3"}) {
        EXPECT_EQ(downloader_.download(server_->url(path)).bytes, path);
    }
    EXPECT_EQ(server_->connectionsAccepted(), 1U);
}

TEST_F(ResourceDownloadTest, FollowsRedirects) {
    serve([](const std::string& request) {
        return request.starts_with("GET /old ")
                   ? Reply::withStatus("HTTP/1.1 302 Found", "Location: /new\r\n", "moved")
                   : Reply::ok("picture");
    });
    const Download download = downloader_.download(server_->url("/old"));
    EXPECT_EQ(download.bytes, "picture");
    EXPECT_TRUE(download.complete);
}

TEST_F(ResourceDownloadTest, RedirectToAnotherSchemeGivesEmptyResult) {
    serve(Reply::withStatus("HTTP/1.1 302 Found", "Location: file:///etc/passwd\r\n", "moved"));
    const Download download = downloader_.download(server_->url("/old"));
    EXPECT_EQ(download.bytes, "");
    EXPECT_FALSE(download.complete);
}

TEST_F(ResourceDownloadTest, BodyAboveLimitGivesEmptyResult) {
    serve(unannouncedBody(kMaxTransferBodyBytes + 1));
    const Download download = downloader_.download(server_->url("/huge.jpg"));
    EXPECT_EQ(download.bytes, "");
    EXPECT_FALSE(download.complete);
}

TEST_F(ResourceDownloadTest, StopFromAnotherThreadEndsTheDownload) {
    serve(silentReply());
    ResourceDownloader patient;  // the program's own limits: a minute of silence
    std::stop_source stop;
    std::jthread stopper([&stop] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        stop.request_stop();
    });
    const auto start = std::chrono::steady_clock::now();
    const Download download = patient.download(server_->url("/slow.jpg"), stop.get_token());
    EXPECT_FALSE(download.complete);
    EXPECT_LT(std::chrono::steady_clock::now() - start, seconds(20));
}

TEST_F(ResourceDownloadTest, ThreadsTakeTurns) {
    serve([](const std::string& request) { return Reply::ok(std::string(100'000, request[5])); });
    std::vector<Download> downloads(4);
    {
        std::vector<std::jthread> threads;
        for (std::size_t i = 0; i < downloads.size(); ++i) {
            threads.emplace_back([this, i, &downloads] {
                downloads[i] = downloader_.download(server_->url("/" + std::to_string(i)));
            });
        }
    }
    for (std::size_t i = 0; i < downloads.size(); ++i) {
        EXPECT_TRUE(downloads[i].complete);
        EXPECT_EQ(downloads[i].bytes, std::string(100'000, static_cast<char>('0' + i)));
    }
}

}  // namespace
}  // namespace moxilo::net
