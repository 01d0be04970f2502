#pragma once
// What an X display shows, seen from outside the programs on it: which top-level
// windows get mapped, and the pixels of the screen.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct _XDisplay;  // Xlib's Display, kept out of the benchmark's sources

namespace moxilo::bench {

struct ScreenArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct MappedWindow {
    unsigned long id = 0;
    ScreenArea area;  // where it lies on the screen
};

class XScreen {
public:
    // `display`: ":N". Not opened for an empty name.
    explicit XScreen(const std::string& display);

    [[nodiscard]] bool opened() const { return display_ != nullptr; }
    [[nodiscard]] ScreenArea bounds() const;

    // Windows mapped so far no longer count.
    void forgetMappedWindows();
    // A top-level window named `title` mapped since the last forget, if one is.
    std::optional<MappedWindow> mappedWindowNamed(std::string_view title);

    // The pixels of `area` (within the screen), row by row, as 0xRRGGBB; empty when the
    // screen could not be read.
    std::vector<std::uint32_t> pixels(const ScreenArea& area) const;

private:
    struct CloseDisplay {
        void operator()(_XDisplay* display) const;
    };
    std::unique_ptr<_XDisplay, CloseDisplay> display_;
};

}  // namespace moxilo::bench
