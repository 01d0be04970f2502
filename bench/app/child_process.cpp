#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <thread>
#include <utility>

extern char** environ;

namespace moxilo::bench {
namespace {

using namespace std::chrono_literals;

constexpr auto kTerminateBound = 5s;
constexpr auto kExitPoll = 2ms;

struct FileActions {
    FileActions() { posix_spawn_file_actions_init(&actions); }
    ~FileActions() { posix_spawn_file_actions_destroy(&actions); }
    FileActions(const FileActions&) = delete;
    FileActions& operator=(const FileActions&) = delete;
    posix_spawn_file_actions_t actions;
};

// The NULL-terminated pointer array that exec wants; the strings stay the caller's.
std::vector<char*> pointersTo(std::span<const std::string> strings) {
    std::vector<char*> pointers;
    pointers.reserve(strings.size() + 1);
    for (const std::string& entry : strings) {
        pointers.push_back(const_cast<char*>(entry.c_str()));
    }
    pointers.push_back(nullptr);
    return pointers;
}

std::string nameOf(std::string_view entry) {
    return std::string(entry.substr(0, entry.find('=')));
}

}  // namespace

std::vector<std::string> environmentWith(std::span<const std::string> overrides) {
    std::vector<std::string> environment(overrides.begin(), overrides.end());
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string name = nameOf(*entry);
        if (std::ranges::none_of(overrides,
                                 [&](const std::string& o) { return nameOf(o) == name; })) {
            environment.emplace_back(*entry);
        }
    }
    return environment;
}

std::optional<ChildProcess> ChildProcess::start(std::span<const std::string> arguments,
                                                const SpawnOptions& options) {
    FileActions files;
    if (options.standardOutput) {
        posix_spawn_file_actions_adddup2(&files.actions, *options.standardOutput, STDOUT_FILENO);
    }
    if (options.quiet) {
        posix_spawn_file_actions_addopen(&files.actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    }
    const std::vector<char*> argv = pointersTo(arguments);
    const std::vector<char*> envp = pointersTo(options.environment);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv.front(), &files.actions, nullptr, argv.data(), envp.data()) != 0) {
        return std::nullopt;
    }
    return ChildProcess(pid);
}

ChildProcess::~ChildProcess() {
    end();
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)), exitStatus_(std::exchange(other.exitStatus_, {})) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        end();
        pid_ = std::exchange(other.pid_, -1);
        exitStatus_ = std::exchange(other.exitStatus_, {});
    }
    return *this;
}

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds bound) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (pid_ > 0 && !exitStatus_) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            exitStatus_ = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
        } else if (std::chrono::steady_clock::now() >= deadline) {
            break;
        } else {
            std::this_thread::sleep_for(kExitPoll);
        }
    }
    return exitStatus_;
}

std::optional<std::size_t> ChildProcess::peakResidentBytes() const {
    if (pid_ <= 0 || exitStatus_) {
        return std::nullopt;
    }
    std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
    constexpr std::string_view kPeakLine = "VmHWM:";
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(kPeakLine)) {
            return std::stoull(line.substr(kPeakLine.size())) * 1024;  // the kernel counts kB
        }
    }
    return std::nullopt;
}

void ChildProcess::end() {
    if (pid_ <= 0 || exitStatus_) {
        return;
    }
    kill(pid_, SIGTERM);
    if (!waitForExit(kTerminateBound)) {
        kill(pid_, SIGKILL);
        waitForExit(kTerminateBound);
    }
}

}  // namespace moxilo::bench
