#pragma once
// A private Xvfb display for the benchmark's programs, ended with its holder. The root
// window is black, so a window's first paint shows as its first lit pixels.

#include <optional>
#include <string>
#include <vector>

#include "child_process.h"

namespace moxilo::bench {

class PrivateXServer {
public:
    PrivateXServer();

    [[nodiscard]] bool ready() const { return !display_.empty(); }
    // ":N"; empty when the server did not come up.
    [[nodiscard]] const std::string& display() const { return display_; }
    // The environment for programs on this display: X11, and no session bus, so that
    // nothing autolaunches a bus daemon that would outlive the run.
    [[nodiscard]] std::vector<std::string> programEnvironment() const;

private:
    std::optional<ChildProcess> server_;
    std::string display_;
};

}  // namespace moxilo::bench
