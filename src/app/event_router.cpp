#include "moxilo/app/event_router.h"

namespace moxilo::app {

void EventRouter::redirect(ControlAddress source, ControlAddress target) {
    redirections_[source] = target;
}

void EventRouter::setHandler(ControlAddress control, ControlEvent event, Handler handler) {
    handlers_[{control, event}] = std::move(handler);
}

ControlAddress EventRouter::handlerOwner(ControlAddress source) const {
    const auto found = redirections_.find(source);
    return found == redirections_.end() ? source : found->second;
}

bool EventRouter::raise(ControlAddress source, ControlEvent event) {
    const auto found = handlers_.find({handlerOwner(source), event});
    if (found == handlers_.end() || !found->second) {
        return false;
    }
    // Handlers may raise further events (a drag loop runs inside one), so the
    // outer source is restored afterwards.
    const ControlAddress outer = std::exchange(source_, source);
    // Copy: the handler may replace itself while it runs.
    const Handler handler = found->second;
    handler();
    source_ = outer;
    return true;
}

}  // namespace moxilo::app
