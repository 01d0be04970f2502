#pragma once
// Event redirection and the event-source query: the events of one control can
// be handed to the handlers of another, and a running handler can ask which
// control actually raised the event. Plain C++, driven by the widget layer.

#include <functional>
#include <map>
#include <utility>

#include "moxilo/app/control_address.h"

namespace moxilo::app {

enum class ControlEvent {
    LeftButtonPressed,
    MouseMoved,
};

class EventRouter {
public:
    using Handler = std::function<void()>;

    // From now on every event that `source` raises goes to the handlers of `target`.
    void redirect(ControlAddress source, ControlAddress target);
    void setHandler(ControlAddress control, ControlEvent event, Handler handler);

    // Runs the handler that the (possibly redirected) control has for the
    // event; returns false when there is none.
    bool raise(ControlAddress source, ControlEvent event);

    // The control that raised the event being handled; (0, 0) outside handlers.
    [[nodiscard]] ControlAddress eventSource() const { return source_; }

private:
    [[nodiscard]] ControlAddress handlerOwner(ControlAddress source) const;

    std::map<ControlAddress, ControlAddress> redirections_;
    std::map<std::pair<ControlAddress, ControlEvent>, Handler> handlers_;
    ControlAddress source_;
};

}  // namespace moxilo::app
