#pragma once
// A demo site served in this process on a free loopback port for one test.

#include "demo_server.h"

#include <httplib.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace moxilo::demo_site {

class RunningSite {
public:
    explicit RunningSite(ListingCharset charset = ListingCharset::Utf8Declared)
        : server_(charset), bound_(server_.bind(0)), thread_([this] { server_.run(); }) {
        EXPECT_FALSE(bound_.error) << bound_.error.message();
        // stop() only reaches a server that has started serving.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!server_.running() && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        EXPECT_TRUE(server_.running());
    }

    RunningSite(const RunningSite&) = delete;
    RunningSite& operator=(const RunningSite&) = delete;

    ~RunningSite() {
        server_.stop();
        thread_.join();
    }

    [[nodiscard]] int port() const { return bound_.port; }

    // Bounded, so that a site that stops answering fails the test instead of hanging it.
    [[nodiscard]] httplib::Client client() const {
        httplib::Client client(kLoopbackAddress, bound_.port);
        client.set_connection_timeout(2);
        client.set_read_timeout(5);
        client.set_write_timeout(5);
        return client;
    }

private:
    DemoServer server_;
    BindResult bound_;
    std::thread thread_;
};

// The pattern the program scans listing pages with, exactly: group 1 the id, group 2 the title.
inline constexpr const char* kListingPattern =
    R"pattern(<li><a href="make.aspx\?id=(.*?)"><div class="image"><img alt="(.*?)" src=)pattern";

}  // namespace moxilo::demo_site
