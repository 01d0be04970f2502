#pragma once
// Waiting in GUI tests: runs the event loop until a condition holds or the
// bound passes. GoogleTest sees the outcome (QtTest's QTRY macros would
// report to QtTest instead, and a failure would pass unnoticed).

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTest>

#include <chrono>

namespace moxilo::gui_test {

template <typename Condition>
[[nodiscard]] bool waitUntil(Condition condition,
                             std::chrono::milliseconds bound = std::chrono::seconds(10)) {
    const QDeadlineTimer deadline(bound);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QTest::qWait(5);
    }
    return true;
}

}  // namespace moxilo::gui_test
