#include "moxilo/app/background_tasks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <thread>

namespace moxilo::app {
namespace {

using namespace std::chrono_literals;

TEST(BackgroundTasksTest, StopEndsTasksThatHeedTheStopRequest) {
    BackgroundTasks tasks;
    std::atomic<int> ended = 0;
    for (int i = 0; i < 3; ++i) {
        tasks.start([&](std::stop_token stop) {
            while (!stop.stop_requested()) {
                std::this_thread::sleep_for(1ms);
            }
            ++ended;
        });
    }
    EXPECT_EQ(tasks.running(), 3U);
    EXPECT_TRUE(tasks.stopAndWait(2s));
    EXPECT_EQ(ended, 3);
    EXPECT_EQ(tasks.running(), 0U);
}

TEST(BackgroundTasksTest, WaitIsBoundedWhenATaskDoesNotStop) {
    auto release = std::make_shared<std::atomic<bool>>(false);
    {
        BackgroundTasks tasks;
        tasks.start([release](std::stop_token) {
            while (!*release) {
                std::this_thread::sleep_for(1ms);
            }
        });
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(tasks.stopAndWait(100ms));
        EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
        EXPECT_EQ(tasks.running(), 1U);
        *release = true;
        EXPECT_TRUE(tasks.stopAndWait(2s));
    }
}

TEST(BackgroundTasksTest, TaskOutlivingItsOwnerTouchesNothingDestroyed) {
    auto release = std::make_shared<std::atomic<bool>>(false);
    auto finished = std::make_shared<std::atomic<bool>>(false);
    {
        BackgroundTasks tasks;
        tasks.start([release, finished](std::stop_token) {
            while (!*release) {
                std::this_thread::sleep_for(1ms);
            }
            *finished = true;
        });
        EXPECT_FALSE(tasks.stopAndWait(10ms));
    }  // the owner is gone while the task still runs
    *release = true;
    for (int i = 0; i < 2000 && !*finished; ++i) {
        std::this_thread::sleep_for(1ms);
    }
    EXPECT_TRUE(*finished);
}

TEST(BackgroundTasksTest, TasksStartedAfterAStopRunNormally) {
    BackgroundTasks tasks;
    EXPECT_TRUE(tasks.stopAndWait(10ms));
    std::promise<bool> sawStop;
    tasks.start([&](std::stop_token stop) { sawStop.set_value(stop.stop_requested()); });
    EXPECT_FALSE(sawStop.get_future().get());
}

}  // namespace
}  // namespace moxilo::app
