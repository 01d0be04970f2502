#include "moxilo/app/control_table.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace moxilo::app {
namespace {

constexpr ControlEntry visibleControl(std::string_view name, ControlKind kind, std::uint32_t id,
                                      ControlGeometry geometry, std::string_view text = {},
                                      std::string_view parent = {}) {
    return {name, kind, id, geometry, text, parent, true, true};
}

// The handles' own traits (sides, pointers, thresholds) are the caption rules' table.
constexpr ControlEntry handle(std::string_view name, std::uint32_t id, ControlGeometry geometry) {
    return {name, ControlKind::Handle, id, geometry, "■", {}, false, true};
}

// Ids fall in template order, which makes the handles' ids rise from 左上.
constexpr std::array kTable{
    visibleControl("选择框1", ControlKind::CheckBox, 1027, {400, 313, 88, 16}, "加粗字体"),
    visibleControl("按钮5", ControlKind::PushButton, 1026, {448, 276, 56, 32}, "关于"),
    visibleControl("调节器2", ControlKind::UpDown, 1025, {320, 301, 40, 32}),
    visibleControl("调节器1", ControlKind::UpDown, 1024, {320, 267, 40, 32}),
    visibleControl("按钮4", ControlKind::PushButton, 1023, {376, 276, 64, 32}, "复制图片"),
    ControlEntry{"时钟1", ControlKind::Timer, 1022, {536, 80, 16, 24}, {}, {}, false, true},
    visibleControl("透明标签2", ControlKind::Caption, 1021, {232, 217, 200, 24}),
    visibleControl("透明标签1", ControlKind::Caption, 1020, {472, 64, 28, 128}),
    visibleControl("颜色选择器2", ControlKind::ColourPicker, 1019, {21, 305, 80, 24}),
    visibleControl("编辑框2", ControlKind::EditBox, 1018, {112, 306, 184, 24}),
    visibleControl("编辑框1", ControlKind::EditBox, 1017, {112, 269, 184, 24}),
    ControlEntry{
        "按钮3", ControlKind::PushButton, 1016, {240, 8, 80, 32}, "上一页", {}, true, false},
    ControlEntry{
        "按钮2", ControlKind::PushButton, 1015, {432, 8, 80, 32}, "下一页", {}, true, false},
    visibleControl("分组框1", ControlKind::GroupBox, 1014, {232, 42, 280, 220}),
    visibleControl("图片框1", ControlKind::PictureBox, 1013, {0, 0, 280, 220}, {}, "分组框1"),
    visibleControl("颜色选择器1", ControlKind::ColourPicker, 1012, {22, 270, 80, 24}),
    visibleControl("超级列表框1", ControlKind::ListView, 1011, {2, 0, 224, 264}),
    visibleControl("按钮1", ControlKind::PushButton, 1010, {336, 8, 80, 32}, "读取表情"),
    visibleControl("进度条1", ControlKind::ProgressBar, 1009, {0, 337, 512, 16}),
    handle("右下", 1008, {88, 112, 8, 8}),
    handle("右中", 1007, {88, 96, 8, 8}),
    handle("右上", 1006, {88, 80, 8, 8}),
    handle("中下", 1005, {56, 112, 8, 8}),
    handle("中中", 1004, {56, 80, 8, 8}),
    handle("左下", 1003, {32, 112, 8, 8}),
    handle("左中", 1002, {32, 96, 8, 8}),
    handle("左上", 1001, {32, 80, 8, 8}),
};

}  // namespace

std::span<const ControlEntry> controlTable() {
    return kTable;
}

const ControlEntry& controlEntry(std::string_view name) {
    const auto* found = std::ranges::find(kTable, name, &ControlEntry::name);
    if (found == kTable.end()) {
        std::abort();  // a misspelt control name is a programming error
    }
    return *found;
}

}  // namespace moxilo::app
