#pragma once
// A private display to start programs on and watch them from outside: the Xvfb server,
// our own connection to it and the environment its programs get.

#include <string>
#include <vector>

#include "private_x_server.h"
#include "x_screen.h"

namespace moxilo::bench {

class WatchedDisplay {
public:
    WatchedDisplay();

    [[nodiscard]] bool ready() const { return server_.ready() && screen_.opened(); }
    [[nodiscard]] XScreen& screen() { return screen_; }
    [[nodiscard]] const XScreen& screen() const { return screen_; }
    [[nodiscard]] const std::vector<std::string>& programEnvironment() const {
        return environment_;
    }

private:
    PrivateXServer server_;
    XScreen screen_;
    std::vector<std::string> environment_;
};

}  // namespace moxilo::bench
