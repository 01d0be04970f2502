#pragma once
// The eight selection handles around a caption, as one table. Everything a
// widget needs to know about a handle comes from its row.

#include <array>
#include <cstddef>
#include <string_view>

namespace moxilo::captions {

// Which sides of the caption a handle grabs; combine with |.
enum class HandleSide : unsigned {
    None = 0,
    Left = 1U << 0U,
    Right = 1U << 1U,
    Top = 1U << 2U,
    Bottom = 1U << 3U,
};

constexpr HandleSide operator|(HandleSide a, HandleSide b) {
    return static_cast<HandleSide>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

constexpr bool hasSide(HandleSide sides, HandleSide side) {
    return (static_cast<unsigned>(sides) & static_cast<unsigned>(side)) != 0;
}

// Pressing the caption itself grabs all four sides, so dragging moves it.
inline constexpr HandleSide kMoveGrip =
    HandleSide::Left | HandleSide::Right | HandleSide::Top | HandleSide::Bottom;

// The value is the offset of the handle's control id from that of 左上.
enum class HandleId : std::size_t {
    TopLeft,       // 左上
    MiddleLeft,    // 左中
    BottomLeft,    // 左下
    TopMiddle,     // 中中: despite its name, the middle of the top side
    BottomMiddle,  // 中下
    TopRight,      // 右上
    MiddleRight,   // 右中
    BottomRight,   // 右下
};

inline constexpr std::size_t kHandleCount = 8;

enum class CursorKind {
    DiagonalNwSe,  // north-west to south-east
    DiagonalNeSw,  // north-east to south-west
    Horizontal,    // west to east
    Vertical,      // north to south
};

// Side handles are dropped on a caption too short (or too narrow) to leave
// room for them between the corners.
enum class ShownWhen {
    Always,
    TallEnough,  // caption height >= kMinSpanForSideHandles
    WideEnough,  // caption width >= kMinSpanForSideHandles
};

inline constexpr int kMinSpanForSideHandles = 10;

struct HandleTraits {
    HandleId id;
    std::string_view objectName;  // UTF-8, as the window template names the control
    HandleSide sides;
    int hitTestCode;  // the Windows WM_NCHITTEST value for that border
    CursorKind cursor;
    ShownWhen shownWhen;
};

// Indexed by HandleId.
inline constexpr std::array<HandleTraits, kHandleCount> kHandles{{
    {HandleId::TopLeft, "左上", HandleSide::Top | HandleSide::Left, 13, CursorKind::DiagonalNwSe,
     ShownWhen::Always},
    {HandleId::MiddleLeft, "左中", HandleSide::Left, 10, CursorKind::Horizontal,
     ShownWhen::TallEnough},
    {HandleId::BottomLeft, "左下", HandleSide::Bottom | HandleSide::Left, 16,
     CursorKind::DiagonalNeSw, ShownWhen::Always},
    {HandleId::TopMiddle, "中中", HandleSide::Top, 12, CursorKind::Vertical, ShownWhen::WideEnough},
    {HandleId::BottomMiddle, "中下", HandleSide::Bottom, 15, CursorKind::Vertical,
     ShownWhen::WideEnough},
    {HandleId::TopRight, "右上", HandleSide::Top | HandleSide::Right, 14, CursorKind::DiagonalNeSw,
     ShownWhen::Always},
    {HandleId::MiddleRight, "右中", HandleSide::Right, 11, CursorKind::Horizontal,
     ShownWhen::TallEnough},
    {HandleId::BottomRight, "右下", HandleSide::Bottom | HandleSide::Right, 17,
     CursorKind::DiagonalNwSe, ShownWhen::Always},
}};

constexpr const HandleTraits& handleTraits(HandleId id) {
    return kHandles[static_cast<std::size_t>(id)];
}

static_assert(
    [] {
        for (std::size_t offset = 0; offset < kHandleCount; ++offset) {
            if (static_cast<std::size_t>(kHandles[offset].id) != offset) {
                return false;
            }
        }
        return true;
    }(),
    "kHandles must be in control id order");

}  // namespace moxilo::captions
