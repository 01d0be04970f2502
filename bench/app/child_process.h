#pragma once
// A program the benchmark starts and owns: it is ended (terminated, then killed if it
// lingers) and reaped when its holder goes, so no run leaves processes behind.

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace moxilo::bench {

struct SpawnOptions {
    // NAME=value entries: the child's whole environment.
    std::span<const std::string> environment;
    // Given: the child's standard output goes there instead of ours.
    std::optional<int> standardOutput;
    // The child's standard error goes to /dev/null.
    bool quiet = false;
};

class ChildProcess {
public:
    // `arguments` starts with the program's path. Empty when it could not be started.
    static std::optional<ChildProcess> start(std::span<const std::string> arguments,
                                             const SpawnOptions& options);

    ~ChildProcess();
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The exit status once the child has ended within `bound` (waiting no longer);
    // empty while it runs on. A child killed by a signal gives 128 + the signal.
    std::optional<int> waitForExit(std::chrono::milliseconds bound);
    // The most resident memory the child has had so far (VmHWM), in bytes; empty once
    // it has ended.
    [[nodiscard]] std::optional<std::size_t> peakResidentBytes() const;

private:
    explicit ChildProcess(pid_t pid) : pid_(pid) {}
    void end();

    pid_t pid_ = -1;
    std::optional<int> exitStatus_;
};

// Our own environment with `overrides` (NAME=value) in place of the entries of the same names.
std::vector<std::string> environmentWith(std::span<const std::string> overrides);

}  // namespace moxilo::bench
