#include "moxilo/loopback/socket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <stdexcept>
#include <utility>

namespace moxilo::loopback {

Socket::~Socket() {
    if (valid()) {
        ::close(descriptor_);
    }
}

Socket::Socket(Socket&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}

Socket& Socket::operator=(Socket&& other) noexcept {
    if (this != &other) {
        if (valid()) {
            ::close(descriptor_);
        }
        descriptor_ = std::exchange(other.descriptor_, -1);
    }
    return *this;
}

bool Socket::sendAll(std::string_view bytes) const {
    while (!bytes.empty()) {
        const ssize_t sent = ::send(descriptor_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) {
            continue;
        }
        if (sent <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

void Socket::abortOnClose() const {
    const linger abort{.l_onoff = 1, .l_linger = 0};
    ::setsockopt(descriptor_, SOL_SOCKET, SO_LINGER, &abort, sizeof(abort));
}

WakePipe::WakePipe() {
    std::array<int, 2> ends{};
    if (::pipe2(ends.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
        throw std::runtime_error("test server: no pipe");
    }
    readEnd_ = Socket(ends[0]);
    writeEnd_ = Socket(ends[1]);
}

void WakePipe::signal() const {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(writeEnd_.get(), &byte, 1);
}

bool WakePipe::signalled() const {
    pollfd wake{.fd = readEnd(), .events = POLLIN, .revents = 0};
    return ::poll(&wake, 1, 0) > 0;
}

WaitResult waitFor(const Socket& socket, const WakePipe& stop, std::chrono::milliseconds limit) {
    std::array<pollfd, 2> watched{pollfd{.fd = socket.get(), .events = POLLIN, .revents = 0},
                                  pollfd{.fd = stop.readEnd(), .events = POLLIN, .revents = 0}};
    int ready = 0;
    do {
        ready = ::poll(watched.data(), watched.size(), static_cast<int>(limit.count()));
    } while (ready < 0 && errno == EINTR);
    if (ready > 0 && watched[1].revents != 0) {
        return WaitResult::stopped;
    }
    return ready > 0 ? WaitResult::ready : WaitResult::timedOut;
}

bool pauseUnlessStopped(const WakePipe& stop, std::chrono::milliseconds pause) {
    pollfd wake{.fd = stop.readEnd(), .events = POLLIN, .revents = 0};
    return ::poll(&wake, 1, static_cast<int>(pause.count())) == 0;
}

Socket bindLoopback(std::uint16_t port) {
    Socket bound(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    // A fixed port may still have connections of an earlier run in TIME_WAIT.
    const int reuse = 1;
    if (port != 0 && bound.valid()) {
        ::setsockopt(bound.get(), SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof(reuse));
    }
    if (!bound.valid() ||
        ::bind(bound.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
        throw std::runtime_error("test server: cannot bind to 127.0.0.1");
    }
    return bound;
}

Socket listenOnLoopback(std::uint16_t port) {
    Socket listener = bindLoopback(port);
    if (::listen(listener.get(), SOMAXCONN) != 0) {
        throw std::runtime_error("test server: cannot listen on 127.0.0.1");
    }
    return listener;
}

unsigned short localPort(const Socket& socket) {
    sockaddr_in address{};
    socklen_t length = sizeof(address);
    ::getsockname(socket.get(), reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
}

}  // namespace moxilo::loopback
