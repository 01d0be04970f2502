#include "x_screen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace moxilo::bench {
namespace {

// A window that goes away while we look at it is no fault of ours: Xlib's default
// handler would end the benchmark instead.
int ignoreError(Display*, XErrorEvent*) {
    return 0;
}

struct FreeImage {
    void operator()(XImage* image) const { XDestroyImage(image); }
};

struct FreeName {
    void operator()(char* name) const { XFree(name); }
};

bool named(Display* display, Window window, std::string_view title) {
    char* name = nullptr;
    if (XFetchName(display, window, &name) == 0) {
        return false;
    }
    const std::unique_ptr<char, FreeName> owned(name);
    return owned && std::string_view(owned.get()) == title;
}

}  // namespace

void XScreen::CloseDisplay::operator()(_XDisplay* display) const {
    XCloseDisplay(display);
}

// An empty name would make Xlib fall back to $DISPLAY, someone else's screen.
XScreen::XScreen(const std::string& display)
    : display_(display.empty() ? nullptr : XOpenDisplay(display.c_str())) {
    if (display_) {
        XSetErrorHandler(ignoreError);
        // Without a window manager the programs' windows are the root's children.
        XSelectInput(display_.get(), DefaultRootWindow(display_.get()), SubstructureNotifyMask);
        XSync(display_.get(), False);
    }
}

ScreenArea XScreen::bounds() const {
    const int screen = DefaultScreen(display_.get());
    return {0, 0, DisplayWidth(display_.get(), screen), DisplayHeight(display_.get(), screen)};
}

void XScreen::forgetMappedWindows() {
    XSync(display_.get(), True);  // drops every queued event
}

std::optional<MappedWindow> XScreen::mappedWindowNamed(std::string_view title) {
    Display* display = display_.get();
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        XWindowAttributes attributes;
        if (event.type == MapNotify && named(display, event.xmap.window, title) &&
            XGetWindowAttributes(display, event.xmap.window, &attributes) != 0) {
            return MappedWindow{event.xmap.window,
                                {attributes.x, attributes.y, attributes.width, attributes.height}};
        }
    }
    return std::nullopt;
}

std::vector<std::uint32_t> XScreen::pixels(const ScreenArea& area) const {
    Display* display = display_.get();
    const std::unique_ptr<XImage, FreeImage> image(XGetImage(
        display, DefaultRootWindow(display), area.x, area.y, static_cast<unsigned>(area.width),
        static_cast<unsigned>(area.height), AllPlanes, ZPixmap));
    if (!image) {
        return {};
    }
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(area.width) * static_cast<std::size_t>(area.height));
    for (int y = 0; y < area.height; ++y) {
        for (int x = 0; x < area.width; ++x) {
            pixels.push_back(static_cast<std::uint32_t>(XGetPixel(image.get(), x, y)) & 0xFFFFFFu);
        }
    }
    return pixels;
}

}  // namespace moxilo::bench
