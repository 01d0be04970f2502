#pragma once
// The address of a control of the main window: (window id, control id).
// (0, 0) addresses no control.

#include <compare>
#include <cstdint>

namespace moxilo::app {

struct ControlAddress {
    std::uint32_t window = 0;
    std::uint32_t control = 0;

    [[nodiscard]] constexpr bool isNone() const { return window == 0 && control == 0; }
    // NOLINTNEXTLINE(modernize-use-nullptr): clang-tidy 14 misreads a defaulted <=>
    friend constexpr auto operator<=>(const ControlAddress&, const ControlAddress&) = default;
};

}  // namespace moxilo::app
