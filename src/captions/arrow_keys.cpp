#include "moxilo/captions/arrow_keys.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "saturate.h"

namespace moxilo::captions {
namespace {

struct ArrowKeyRule {
    int virtualKey;
    int Rect::*moved;    // without Shift
    int Rect::*resized;  // with Shift
    int step;
};

constexpr std::array<ArrowKeyRule, 4> kArrowKeyRules{{
    {virtual_key::kLeft, &Rect::left, &Rect::width, -1},
    {virtual_key::kRight, &Rect::left, &Rect::width, +1},
    {virtual_key::kUp, &Rect::top, &Rect::height, -1},
    {virtual_key::kDown, &Rect::top, &Rect::height, +1},
}};

}  // namespace

std::optional<Rect> nudgedRect(const Rect& caption, int virtualKey, unsigned modifierBits) {
    const auto* rule = std::ranges::find(kArrowKeyRules, virtualKey, &ArrowKeyRule::virtualKey);
    if (rule == kArrowKeyRules.end()) {
        return std::nullopt;
    }
    Rect nudged = caption;
    if ((modifierBits & kShiftBit) != 0) {
        int& size = nudged.*(rule->resized);
        size = std::max(saturatedInt(std::int64_t{size} + rule->step), 0);
    } else {
        int& position = nudged.*(rule->moved);
        position = saturatedInt(std::int64_t{position} + rule->step);
    }
    return nudged;
}

}  // namespace moxilo::captions
