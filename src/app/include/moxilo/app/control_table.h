#pragma once
// The main window's template: every control with its name, kind, address,
// place and initial settings, in one table. Names are the controls' Qt
// objectNames.

#include <cstdint>
#include <span>
#include <string_view>

#include "moxilo/app/control_address.h"

namespace moxilo::app {

inline constexpr std::uint32_t kMainWindowId = 0x4D58;  // "MX"

// The main window's client area (the template's 519 x 382 outer size less the frame).
inline constexpr int kClientWidth = 513;
inline constexpr int kClientHeight = 353;

enum class ControlKind {
    PushButton,
    CheckBox,
    UpDown,
    Timer,
    Caption,  // transparent label carrying a caption
    Handle,   // transparent label serving as a selection handle
    ColourPicker,
    EditBox,
    GroupBox,
    PictureBox,
    ListView,
    ProgressBar,
};

struct ControlGeometry {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct ControlEntry {
    std::string_view name;
    ControlKind kind;
    std::uint32_t id;
    ControlGeometry geometry;  // relative to the parent's client area
    std::string_view text;
    std::string_view parent;  // empty: the main window
    bool visible;
    bool enabled;

    [[nodiscard]] constexpr ControlAddress address() const { return {kMainWindowId, id}; }
};

// In template order; the first control lies on top of the stacking order.
std::span<const ControlEntry> controlTable();

// The entry of the named control; the name must be one of the table's.
const ControlEntry& controlEntry(std::string_view name);

// The roles of the controls, by name.
namespace control {
inline constexpr std::string_view boldCheckBox = "选择框1";
inline constexpr std::string_view aboutButton = "按钮5";
inline constexpr std::string_view caption2SizeSpinner = "调节器2";
inline constexpr std::string_view caption1SizeSpinner = "调节器1";
inline constexpr std::string_view copyButton = "按钮4";
inline constexpr std::string_view progressTimer = "时钟1";
inline constexpr std::string_view caption2 = "透明标签2";
inline constexpr std::string_view caption1 = "透明标签1";
inline constexpr std::string_view caption2ColourPicker = "颜色选择器2";
inline constexpr std::string_view caption2TextBox = "编辑框2";
inline constexpr std::string_view caption1TextBox = "编辑框1";
inline constexpr std::string_view previousPageButton = "按钮3";
inline constexpr std::string_view nextPageButton = "按钮2";
inline constexpr std::string_view pictureFrame = "分组框1";
inline constexpr std::string_view pictureBox = "图片框1";
inline constexpr std::string_view caption1ColourPicker = "颜色选择器1";
inline constexpr std::string_view catalogueList = "超级列表框1";
inline constexpr std::string_view loadButton = "按钮1";
inline constexpr std::string_view progressBar = "进度条1";
// The eight handles have consecutive ids, rising from the top-left one.
inline constexpr std::string_view topLeftHandle = "左上";
inline constexpr int kHandleCount = 8;
}  // namespace control

}  // namespace moxilo::app
