#include "moxilo/loopback/http_test_server.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <algorithm>
#include <array>
#include <charconv>

namespace moxilo::loopback {
namespace {

// Bounds that keep a misbehaving client from holding the server or its memory.
constexpr std::size_t kMaxHeadBytes = std::size_t{1} << 20;
constexpr std::size_t kMaxRequestBodyBytes = std::size_t{16} << 20;
constexpr std::size_t kMaxConnections = 256;
constexpr std::chrono::milliseconds kIdleLimit{10'000};
constexpr std::chrono::milliseconds kStallLimit{60'000};
constexpr std::chrono::milliseconds kAcceptPoll{1'000};
constexpr std::size_t kFillerChunkBytes = std::size_t{256} << 10;
constexpr std::string_view kHeadEnd = "\r\n\r\n";

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The Content-Length of a request head; 0 without one.
std::size_t contentLength(std::string_view head) {
    constexpr std::string_view kName = "\r\ncontent-length:";
    std::string lower(head);
    std::transform(lower.begin(), lower.end(), lower.begin(), lowerAscii);
    const std::size_t at = lower.find(kName);
    if (at == std::string::npos) {
        return 0;
    }
    std::string_view value = std::string_view(lower).substr(at + kName.size());
    value.remove_prefix(std::min(value.find_first_not_of(' '), value.size()));
    std::size_t length = 0;
    std::from_chars(value.data(), value.data() + value.size(), length);
    return length;
}

// Reads one whole request (head and body) into `request`; bytes after it stay in `pending`.
bool readRequest(const Socket& connection, const WakePipe& stop, std::string& pending,
                 std::string& request) {
    std::array<char, 64 * 1024> buffer{};
    while (true) {
        const std::size_t headEnd = pending.find(kHeadEnd);
        if (headEnd != std::string::npos) {
            const std::size_t bodyLength =
                contentLength(std::string_view(pending).substr(0, headEnd));
            const std::size_t total = headEnd + kHeadEnd.size() + bodyLength;
            if (bodyLength > kMaxRequestBodyBytes) {
                return false;
            }
            if (pending.size() >= total) {
                request = pending.substr(0, total);
                pending.erase(0, total);
                return true;
            }
        } else if (pending.size() > kMaxHeadBytes) {
            return false;
        }
        if (waitFor(connection, stop, kIdleLimit) != WaitResult::ready) {
            return false;
        }
        const ssize_t received = ::recv(connection.get(), buffer.data(), buffer.size(), 0);
        if (received <= 0) {
            return false;
        }
        pending.append(buffer.data(), static_cast<std::size_t>(received));
    }
}

// Keeps a stalled connection open until the server stops or the client gives up.
void holdUntilStoppedOrClosed(const Socket& connection, const WakePipe& stop) {
    const auto deadline = std::chrono::steady_clock::now() + kStallLimit;
    std::array<char, 4096> discard{};
    while (std::chrono::steady_clock::now() < deadline &&
           waitFor(connection, stop, kAcceptPoll) != WaitResult::stopped) {
        if (waitFor(connection, stop, std::chrono::milliseconds{0}) == WaitResult::ready &&
            ::recv(connection.get(), discard.data(), discard.size(), 0) <= 0) {
            return;
        }
    }
}

}  // namespace

Reply Reply::ok(std::string body, std::string_view headerLines) {
    return withStatus("HTTP/1.1 200 OK", headerLines, std::move(body));
}

Reply Reply::withStatus(std::string_view statusLine, std::string_view headerLines,
                        std::string body) {
    Reply reply;
    reply.head = std::string(statusLine) + "\r\n" + std::string(headerLines) +
                 "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
    reply.body = std::move(body);
    return reply;
}

HttpTestServer::HttpTestServer(Handler handler, std::uint16_t port)
    : handler_(std::move(handler)),
      listener_(listenOnLoopback(port)),
      port_(localPort(listener_)),
      acceptor_([this] { acceptConnections(); }) {}

HttpTestServer::~HttpTestServer() {
    stop_.signal();
    acceptor_.join();
    for (Connection& connection : connections_) {
        connection.thread.join();
    }
}

std::string HttpTestServer::url(std::string_view pathAndQuery) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(pathAndQuery);
}

std::vector<std::string> HttpTestServer::requests() const {
    const std::lock_guard lock(mutex_);
    return requests_;
}

std::uint16_t HttpTestServer::unusedPort() {
    return localPort(bindLoopback());
}

void HttpTestServer::acceptConnections() {
    while (!stop_.signalled()) {
        if (waitFor(listener_, stop_, kAcceptPoll) != WaitResult::ready) {
            continue;
        }
        Socket accepted(::accept4(listener_.get(), nullptr, nullptr, SOCK_CLOEXEC));
        connections_.remove_if([](Connection& connection) {
            if (connection.finished) {
                connection.thread.join();
            }
            return connection.finished.load();
        });
        if (accepted.valid()) {
            ++connectionsAccepted_;
            // The head and the body go out in separate writes: without this, the body's last
            // piece waits for the client's delayed acknowledgement (about 40 ms).
            const int noDelay = 1;
            ::setsockopt(accepted.get(), IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
        }
        if (accepted.valid() && connections_.size() < kMaxConnections) {
            Connection& connection = connections_.emplace_back();
            connection.thread =
                std::thread([this, &connection, socket = std::move(accepted)]() mutable {
                    serveConnection(std::move(socket));
                    connection.finished = true;
                });
        }
    }
}

void HttpTestServer::serveConnection(Socket connection) {
    std::string pending;
    std::string request;
    while (readRequest(connection, stop_, pending, request)) {
        {
            const std::lock_guard lock(mutex_);
            requests_.push_back(request);
        }
        const Reply reply = handler_(request);
        if (!sendReply(connection, reply)) {
            return;
        }
        switch (reply.ending) {
            case Reply::Ending::keepOpen:
                continue;
            case Reply::Ending::close:
                return;
            case Reply::Ending::reset:
                connection.abortOnClose();
                return;
            case Reply::Ending::stall:
                holdUntilStoppedOrClosed(connection, stop_);
                return;
        }
    }
}

bool HttpTestServer::sendReply(const Socket& connection, const Reply& reply) const {
    if (!connection.sendAll(reply.head) || !sendPaced(connection, reply.body, reply)) {
        return false;
    }
    if (reply.fillerBytes == 0 || reply.fillerPattern.empty()) {
        return true;
    }
    // Whole patterns per chunk, so the pattern runs on unbroken from chunk to chunk.
    const std::size_t patterns =
        std::max<std::size_t>(1, kFillerChunkBytes / reply.fillerPattern.size());
    std::string chunk;
    chunk.reserve(patterns * reply.fillerPattern.size());
    for (std::size_t i = 0; i < patterns; ++i) {
        chunk.append(reply.fillerPattern);
    }
    for (std::size_t left = reply.fillerBytes; left > 0;) {
        const std::size_t piece = std::min(left, chunk.size());
        if (!sendPaced(connection, std::string_view(chunk).substr(0, piece), reply)) {
            return false;
        }
        left -= piece;
    }
    return true;
}

bool HttpTestServer::sendPaced(const Socket& connection, std::string_view bytes,
                               const Reply& reply) const {
    if (reply.tricklePause.count() == 0) {
        return connection.sendAll(bytes);
    }
    const std::size_t step = std::max<std::size_t>(1, reply.trickleBytes);
    for (std::size_t at = 0; at < bytes.size(); at += step) {
        if (!pauseUnlessStopped(stop_, reply.tricklePause) ||
            !connection.sendAll(bytes.substr(at, step))) {
            return false;
        }
    }
    return true;
}

}  // namespace moxilo::loopback
