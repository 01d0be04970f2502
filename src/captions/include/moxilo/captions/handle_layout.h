#pragma once
// Where the eight handles go around the selected caption.

#include <array>
#include <optional>

#include "moxilo/captions/geometry.h"
#include "moxilo/captions/handles.h"

namespace moxilo::captions {

// Current size of each handle, indexed by HandleId: the layout reads every
// handle's own size, so a restyled handle still touches the caption.
using HandleSizes = std::array<Size, kHandleCount>;

inline constexpr HandleSizes kStandardHandleSizes = [] {
    HandleSizes sizes{};
    sizes.fill(Size{8, 8});
    return sizes;
}();

struct HandlePlacement {
    HandleId handle;
    // Place the handle's top-left corner here, show it and raise it;
    // nullopt: hide it (the caption is too small for this side handle).
    std::optional<Point> topLeft;
    friend constexpr bool operator==(const HandlePlacement&, const HandlePlacement&) = default;
};

// In the order the widgets must apply them: each shown handle is raised in
// turn, so 右下, last, ends on top of the stacking order.
using HandleLayout = std::array<HandlePlacement, kHandleCount>;

// Corners sit diagonally just outside the caption's corners, side handles
// just outside the middle of each side; none overlaps the caption. Halves are
// truncated towards zero. Nothing is clamped to the window.
HandleLayout layOutHandles(const Rect& caption, const HandleSizes& sizes = kStandardHandleSizes);

}  // namespace moxilo::captions
