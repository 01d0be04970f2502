#pragma once
// A page client test with its own loopback server.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "moxilo/loopback/http_test_server.h"
#include "moxilo/net/page_client.h"

namespace moxilo::net {

using loopback::Reply;

class PageClientTest : public testing::Test {
protected:
    // Starts the server; every request it receives is answered by `handler`.
    void serve(loopback::HttpTestServer::Handler handler) {
        server_ = std::make_unique<loopback::HttpTestServer>(std::move(handler));
    }
    void serve(const Reply& reply) {
        serve([reply](const std::string&) { return reply; });
    }

    // A request for `path` on the server; a short time-out keeps failing tests short.
    PageRequest requestFor(const std::string& path, int timeoutSeconds = 5) const {
        PageRequest request;
        request.url = server_->url(path);
        request.timeoutSeconds = timeoutSeconds;
        return request;
    }

    std::string fetch(const PageRequest& request) { return fetchPage(request, result_); }

    // The exact bytes of the one request the server got.
    std::string onlyRequest() const {
        const std::vector<std::string> requests = server_->requests();
        EXPECT_EQ(requests.size(), 1U);
        return requests.empty() ? std::string() : requests.front();
    }

    std::string hostLine() const {
        return "Host: 127.0.0.1:" + std::to_string(server_->port()) + "\r\n";
    }

    std::unique_ptr<loopback::HttpTestServer> server_;
    PageResult result_;
};

// The six default header lines, in the order they are sent.
inline constexpr std::string_view kDefaultHeaderLines =
    "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)\r\n"
    "Accept: text/html, application/xhtml+xml, */*\r\n"
    "Accept-Encoding: gbk, GB2312\r\n"
    "Accept-Language: zh-cn\r\n"
    "Content-Type: application/x-www-form-urlencoded\r\n"
    "Cache-Control: no-cache\r\n";

}  // namespace moxilo::net
