#include "moxilo/app/background_tasks.h"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

namespace moxilo::app {

struct BackgroundTasks::Shared {
    mutable std::mutex mutex;
    std::condition_variable ended;
    std::size_t running = 0;
    std::stop_source stop;
};

BackgroundTasks::BackgroundTasks() : shared_(std::make_shared<Shared>()) {}

BackgroundTasks::~BackgroundTasks() {
    stopAndWait(std::chrono::seconds(2));
}

void BackgroundTasks::start(Task task) {
    std::stop_token token;
    {
        const std::lock_guard lock(shared_->mutex);
        ++shared_->running;
        token = shared_->stop.get_token();
    }
    std::thread([shared = shared_, token, task = std::move(task)] {
        task(token);
        const std::lock_guard lock(shared->mutex);
        --shared->running;
        shared->ended.notify_all();
    }).detach();
}

bool BackgroundTasks::stopAndWait(std::chrono::milliseconds bound) {
    std::unique_lock lock(shared_->mutex);
    shared_->stop.request_stop();
    const bool allEnded =
        shared_->ended.wait_for(lock, bound, [this] { return shared_->running == 0; });
    shared_->stop = std::stop_source();  // later tasks start unstopped
    return allEnded;
}

std::size_t BackgroundTasks::running() const {
    const std::lock_guard lock(shared_->mutex);
    return shared_->running;
}

}  // namespace moxilo::app
