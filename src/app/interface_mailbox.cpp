#include "moxilo/app/interface_mailbox.h"

#include <utility>

namespace moxilo::app {

void InterfaceMailbox::post(std::function<void()> work) {
    const std::lock_guard lock(mutex_);
    if (receiver_ == nullptr) {
        return;
    }
    // Posting is thread-safe; Qt drops events still queued for a deleted receiver.
    QMetaObject::invokeMethod(receiver_, std::move(work), Qt::QueuedConnection);
}

void InterfaceMailbox::close() {
    const std::lock_guard lock(mutex_);
    receiver_ = nullptr;
}

}  // namespace moxilo::app
