#pragma once
// Owning holders of the file descriptors the test server works with.

#include <chrono>
#include <cstdint>
#include <string_view>

namespace moxilo::loopback {

class Socket {
public:
    Socket() = default;
    explicit Socket(int descriptor) : descriptor_(descriptor) {}
    ~Socket();
    Socket(Socket&& other) noexcept;
    Socket& operator=(Socket&& other) noexcept;
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    bool valid() const { return descriptor_ >= 0; }
    int get() const { return descriptor_; }

    // Sends every byte; false when the peer has gone.
    bool sendAll(std::string_view bytes) const;
    // Makes the coming close abort the connection with a reset.
    void abortOnClose() const;

private:
    int descriptor_ = -1;
};

// A pipe whose read end becomes readable once `signal` has been called: lets one
// thread wake every other thread that waits in `waitFor`.
class WakePipe {
public:
    WakePipe();
    void signal() const;
    bool signalled() const;
    int readEnd() const { return readEnd_.get(); }

private:
    Socket readEnd_;
    Socket writeEnd_;
};

enum class WaitResult { ready, stopped, timedOut };

// Waits until `socket` is readable, the pipe is signalled or the time is up.
WaitResult waitFor(const Socket& socket, const WakePipe& stop, std::chrono::milliseconds limit);
// Sleeps for `pause` unless the pipe is signalled first; false when it was.
bool pauseUnlessStopped(const WakePipe& stop, std::chrono::milliseconds pause);

// A TCP socket bound to 127.0.0.1 at an ephemeral port, listening or not.
// Port 0: any free port.
Socket bindLoopback(std::uint16_t port = 0);
Socket listenOnLoopback(std::uint16_t port = 0);
unsigned short localPort(const Socket& socket);

}  // namespace moxilo::loopback
