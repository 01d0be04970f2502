#pragma once
// Work that runs off the interface thread (catalogue loads, previews). Nothing
// waits for a task while the program runs; at shut-down the program asks the
// tasks to stop and waits for them, with a bound.

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <stop_token>

namespace moxilo::app {

class BackgroundTasks {
public:
    using Task = std::function<void(std::stop_token)>;

    BackgroundTasks();
    ~BackgroundTasks();
    BackgroundTasks(const BackgroundTasks&) = delete;
    BackgroundTasks& operator=(const BackgroundTasks&) = delete;

    // Runs the task on a thread of its own, at once.
    void start(Task task);

    // Asks every task to stop, then waits until all have ended or the bound
    // has passed; true when none is left running. Tasks started later still run.
    bool stopAndWait(std::chrono::milliseconds bound);

    [[nodiscard]] std::size_t running() const;

private:
    struct Shared;
    // Shared with the threads, so a task that outlives this object touches
    // nothing that has been destroyed.
    std::shared_ptr<Shared> shared_;
};

}  // namespace moxilo::app
