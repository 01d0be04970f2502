#pragma once
// The whole program: the main window with everything it wires, and the work
// that runs off the interface thread. Start-up builds it; shut-down finishes it.

#include <chrono>
#include <memory>

#include "moxilo/app/background_tasks.h"
#include "moxilo/catalogue/site.h"

namespace moxilo::app {

class MainWindow;

class Program {
public:
    explicit Program(const catalogue::Site& site);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The window; null once the program has finished.
    [[nodiscard]] MainWindow* window() const { return window_.get(); }
    void showCentred();

    // Closes the window and asks running work to stop, then waits for it at
    // most `bound`; false when some is still running.
    bool finish(std::chrono::milliseconds bound);

private:
    BackgroundTasks tasks_;  // outlives the window and what it wires
    std::unique_ptr<MainWindow> window_;
};

}  // namespace moxilo::app
