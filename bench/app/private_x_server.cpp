#include "private_x_server.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <vector>

#include "moxilo/loopback/socket.h"

namespace moxilo::bench {
namespace {

constexpr int kStartBoundMilliseconds = 20'000;

// The display number Xvfb writes once it accepts clients; empty when none comes in time.
std::string readDisplayNumber(const loopback::Socket& from) {
    std::string number;
    std::array<char, 16> buffer{};
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartBoundMilliseconds);
    while (number.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd readable{.fd = from.get(), .events = POLLIN, .revents = 0};
        if (left.count() <= 0 || poll(&readable, 1, static_cast<int>(left.count())) <= 0) {
            return {};
        }
        const ssize_t got = read(from.get(), buffer.data(), buffer.size());
        if (got <= 0) {
            return {};
        }
        number.append(buffer.data(), static_cast<std::size_t>(got));
    }
    return number.substr(0, number.find('\n'));
}

}  // namespace

PrivateXServer::PrivateXServer() {
    std::array<int, 2> ends{};
    if (pipe2(ends.data(), O_CLOEXEC) != 0) {
        return;
    }
    const loopback::Socket readEnd(ends[0]);
    loopback::Socket writeEnd(ends[1]);
    // Xvfb picks a free display itself and writes its number to the given descriptor.
    const std::vector<std::string> arguments = {MOXILO_BENCH_XVFB, "-displayfd", "1",
                                                "-nolisten",       "tcp",        "-br",
                                                "-screen",         "0",          "1024x768x24"};
    const std::vector<std::string> environment = environmentWith({});
    server_ = ChildProcess::start(
        arguments, {.environment = environment, .standardOutput = writeEnd.get(), .quiet = true});
    writeEnd = loopback::Socket();  // the number arrives only through Xvfb's copy
    if (!server_) {
        return;
    }
    const std::string number = readDisplayNumber(readEnd);
    if (!number.empty()) {
        display_ = ":" + number;
    }
}

std::vector<std::string> PrivateXServer::programEnvironment() const {
    const std::vector<std::string> overrides = {
        "DISPLAY=" + display_, "QT_QPA_PLATFORM=xcb",
        "WAYLAND_DISPLAY=", "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/bus"};
    return environmentWith(overrides);
}

}  // namespace moxilo::bench
