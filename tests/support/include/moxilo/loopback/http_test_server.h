#pragma once
// A small HTTP server on 127.0.0.1 for tests and benchmarks. It records the exact
// bytes of every request and answers each with the bytes a handler chooses, and
// can misbehave on request: cut the body, reset the connection, trickle, stall or
// stream a body of any size without holding it in memory.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <list>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "moxilo/loopback/socket.h"

namespace moxilo::loopback {

struct Reply {
    // What the server does once the reply bytes are out.
    enum class Ending {
        keepOpen,  // wait for the next request on the connection
        close,     // close the connection normally
        reset,     // abort the connection (the client sees a reset)
        stall,     // send nothing more and keep the connection open until the server stops
    };

    std::string head;  // sent first, exactly as given: status line, header lines, blank line
    std::string body;  // sent after the head
    // Generated body bytes sent after `body`: `fillerPattern` repeated, never held whole.
    std::size_t fillerBytes = 0;
    std::string fillerPattern = "x";
    // With a pause, the bytes after the head go out `trickleBytes` at a time with the
    // pause before each piece.
    std::chrono::milliseconds tricklePause{0};
    std::size_t trickleBytes = 1;
    Ending ending = Ending::keepOpen;

    // "HTTP/1.1 200 OK" with a Content-Length for `body` and the given header lines
    // (each ending in CR LF).
    static Reply ok(std::string body, std::string_view headerLines = {});
    // Any status line (without its CR LF), header lines and body, with a Content-Length.
    static Reply withStatus(std::string_view statusLine, std::string_view headerLines,
                            std::string body);
};

class HttpTestServer {
public:
    // Called on a server thread with the exact bytes of one request (head and body).
    using Handler = std::function<Reply(const std::string& request)>;

    // Port 0: any free port (see port()).
    explicit HttpTestServer(Handler handler, std::uint16_t port = 0);
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    std::uint16_t port() const { return port_; }
    // "http://127.0.0.1:<port>" followed by `pathAndQuery`.
    std::string url(std::string_view pathAndQuery = "/") const;
    // The exact bytes of every request received so far, in order.
    std::vector<std::string> requests() const;
    // How many connections clients have opened so far: tells connection reuse.
    std::size_t connectionsAccepted() const { return connectionsAccepted_; }

    // A loopback port that nothing listens on.
    static std::uint16_t unusedPort();

private:
    void acceptConnections();
    void serveConnection(Socket connection);
    bool sendReply(const Socket& connection, const Reply& reply) const;
    bool sendPaced(const Socket& connection, std::string_view bytes, const Reply& reply) const;

    Handler handler_;
    Socket listener_;
    WakePipe stop_;
    std::uint16_t port_ = 0;
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    // One thread per open connection; finished ones are joined as new ones come.
    struct Connection {
        std::thread thread;
        std::atomic<bool> finished{false};
    };
    std::list<Connection> connections_;
    std::atomic<std::size_t> connectionsAccepted_{0};
    std::thread acceptor_;
};

}  // namespace moxilo::loopback
