#pragma once
// Plain geometry in window client pixels, so the caption rules stay free of any toolkit.

namespace moxilo::captions {

struct Point {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(const Size&, const Size&) = default;
};

// A control's outer rectangle: left and top within the client area, then its size.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace moxilo::captions
