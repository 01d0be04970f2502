// A minimal X11 clipboard manager for the tests, after the freedesktop.org
// convention: it owns CLIPBOARD_MANAGER; asked for SAVE_TARGETS by a program
// that is about to end, it fetches the clipboard's image/png from that
// program, answers, then owns CLIPBOARD itself and serves the saved picture.
// Prints "ready" once it is the manager and "saved <bytes>" after each save.
// Runs until it is ended.

#include <xcb/xcb.h>

#include <poll.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace {

struct FreeDeleter {
    void operator()(void* pointer) const { std::free(pointer); }
};
template <typename T>
using Owned = std::unique_ptr<T, FreeDeleter>;

struct ConnectionCloser {
    void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
};
using Connection = std::unique_ptr<xcb_connection_t, ConnectionCloser>;

constexpr int kReplyBoundMs = 5000;
constexpr xcb_atom_t kNoAtom = XCB_ATOM_NONE;

xcb_atom_t intern(xcb_connection_t* connection, std::string_view name) {
    const Owned<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data()),
        nullptr));
    return reply ? reply->atom : kNoAtom;
}

struct Atoms {
    xcb_atom_t manager;
    xcb_atom_t saveTargets;
    xcb_atom_t clipboard;
    xcb_atom_t targets;
    xcb_atom_t png;
    xcb_atom_t saved;
};

class Manager {
public:
    Manager(xcb_connection_t* connection, xcb_window_t window, const Atoms& atoms)
        : connection_(connection), window_(window), atoms_(atoms) {}

    void handle(const xcb_selection_request_event_t& request) {
        xcb_atom_t answered = XCB_ATOM_NONE;
        if (request.selection == atoms_.manager && request.target == atoms_.saveTargets) {
            answered = save(request.time) ? request.property : kNoAtom;
            if (answered != XCB_ATOM_NONE) {
                xcb_set_selection_owner(connection_, window_, atoms_.clipboard, XCB_CURRENT_TIME);
            }
        } else if (request.selection == atoms_.clipboard && !picture_.empty()) {
            answered = serve(request);
        }
        xcb_selection_notify_event_t notify{};
        notify.response_type = XCB_SELECTION_NOTIFY;
        notify.time = request.time;
        notify.requestor = request.requestor;
        notify.selection = request.selection;
        notify.target = request.target;
        notify.property = answered;
        xcb_send_event(connection_, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&notify));
        xcb_flush(connection_);
    }

private:
    // Fetches the clipboard's PNG from its owner while that owner waits for
    // our answer.
    bool save(xcb_timestamp_t time) {
        xcb_convert_selection(connection_, window_, atoms_.clipboard, atoms_.png, atoms_.saved,
                              time);
        xcb_flush(connection_);
        if (!awaitNotify()) {
            return false;
        }
        const Owned<xcb_get_property_reply_t> property(xcb_get_property_reply(
            connection_,
            xcb_get_property(connection_, 1, window_, atoms_.saved, XCB_GET_PROPERTY_TYPE_ANY, 0,
                             64 * 1024 * 1024 / 4),
            nullptr));
        if (!property || property->type != atoms_.png || property->format != 8) {
            return false;
        }
        const auto* bytes =
            static_cast<const std::uint8_t*>(xcb_get_property_value(property.get()));
        picture_.assign(bytes, bytes + xcb_get_property_value_length(property.get()));
        std::printf("saved %zu\n", picture_.size());
        std::fflush(stdout);
        return !picture_.empty();
    }

    bool awaitNotify() {
        pollfd descriptor{xcb_get_file_descriptor(connection_), POLLIN, 0};
        while (true) {
            while (Owned<xcb_generic_event_t> event{xcb_poll_for_event(connection_)}) {
                if ((event->response_type & 0x7f) == XCB_SELECTION_NOTIFY) {
                    return reinterpret_cast<xcb_selection_notify_event_t*>(event.get())->property !=
                           XCB_ATOM_NONE;
                }
            }
            if (poll(&descriptor, 1, kReplyBoundMs) <= 0) {
                return false;
            }
        }
    }

    xcb_atom_t serve(const xcb_selection_request_event_t& request) {
        if (request.target == atoms_.targets) {
            const std::array<xcb_atom_t, 2> offered{atoms_.targets, atoms_.png};
            xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, request.requestor,
                                request.property, XCB_ATOM_ATOM, 32, offered.size(),
                                offered.data());
            return request.property;
        }
        if (request.target == atoms_.png) {
            xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, request.requestor,
                                request.property, atoms_.png, 8,
                                static_cast<std::uint32_t>(picture_.size()), picture_.data());
            return request.property;
        }
        return XCB_ATOM_NONE;
    }

    xcb_connection_t* connection_;
    xcb_window_t window_;
    Atoms atoms_;
    std::vector<std::uint8_t> picture_;
};

}  // namespace

int main() {
    const Connection connection(xcb_connect(nullptr, nullptr));
    if (xcb_connection_has_error(connection.get()) != 0) {
        std::fprintf(stderr, "cannot open the display\n");
        return EXIT_FAILURE;
    }
    xcb_connection_t* c = connection.get();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t window = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
    const Atoms atoms{intern(c, "CLIPBOARD_MANAGER"), intern(c, "SAVE_TARGETS"),
                      intern(c, "CLIPBOARD"),         intern(c, "TARGETS"),
                      intern(c, "image/png"),         intern(c, "MOXILO_SAVED")};
    xcb_set_selection_owner(c, window, atoms.manager, XCB_CURRENT_TIME);
    const Owned<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atoms.manager), nullptr));
    if (!owner || owner->owner != window) {
        std::fprintf(stderr, "another clipboard manager runs\n");
        return EXIT_FAILURE;
    }
    std::printf("ready\n");
    std::fflush(stdout);

    Manager manager(c, window, atoms);
    while (Owned<xcb_generic_event_t> event{xcb_wait_for_event(c)}) {
        if ((event->response_type & 0x7f) == XCB_SELECTION_REQUEST) {
            manager.handle(*reinterpret_cast<xcb_selection_request_event_t*>(event.get()));
        }
    }
    return EXIT_SUCCESS;
}
