#pragma once
// Hands work from worker threads to the interface thread. A worker may
// outlive the receiver: once the receiver has closed the mailbox, nothing
// more reaches it.

#include <QObject>

#include <functional>
#include <memory>
#include <mutex>

namespace moxilo::app {

class InterfaceMailbox {
public:
    explicit InterfaceMailbox(QObject* receiver) : receiver_(receiver) {}

    // Runs `work` later on the receiver's thread, unless the mailbox is closed by then.
    void post(std::function<void()> work);
    // Called by the receiver before it goes away.
    void close();

private:
    std::mutex mutex_;
    QObject* receiver_;
};

using SharedMailbox = std::shared_ptr<InterfaceMailbox>;

}  // namespace moxilo::app
