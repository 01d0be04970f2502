#pragma once
// Nudging the selected caption with the arrow keys.

#include <optional>

#include "moxilo/captions/geometry.h"

namespace moxilo::captions {

// Windows virtual-key codes of the arrow keys, as the key event reports them.
namespace virtual_key {
inline constexpr int kLeft = 37;
inline constexpr int kUp = 38;
inline constexpr int kRight = 39;
inline constexpr int kDown = 40;
}  // namespace virtual_key

// Bits of the key event's modifier state.
enum KeyModifierBit : unsigned {
    kCtrlBit = 1U,
    kShiftBit = 2U,
    kAltBit = 4U,
};

// An arrow key moves the caption by one pixel; with Shift it changes the
// width (Left/Right) or height (Up/Down) by one pixel instead, keeping the
// top-left corner, and never below 0. Ctrl and Alt are ignored. Any other key
// changes nothing: nullopt. Results beyond the int range saturate.
std::optional<Rect> nudgedRect(const Rect& caption, int virtualKey, unsigned modifierBits);

}  // namespace moxilo::captions
