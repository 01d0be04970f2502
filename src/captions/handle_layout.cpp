#include "moxilo/captions/handle_layout.h"

#include <cstdint>

#include "saturate.h"

namespace moxilo::captions {
namespace {

// A handle lines up with another one on an axis by taking that handle's size
// on it: 左下 takes the left of 左上, 右中 the top of 左中, 中下 the left of
// 中中 and 右下 the left of 右上. The rows are in the order the handles are
// laid out and raised.
struct LayoutStep {
    HandleId handle;
    HandleId leftAlignedWith;
    HandleId topAlignedWith;
};

constexpr std::array<LayoutStep, kHandleCount> kLayoutSteps{{
    {HandleId::TopLeft, HandleId::TopLeft, HandleId::TopLeft},
    {HandleId::MiddleLeft, HandleId::MiddleLeft, HandleId::MiddleLeft},
    {HandleId::MiddleRight, HandleId::MiddleRight, HandleId::MiddleLeft},
    {HandleId::BottomLeft, HandleId::TopLeft, HandleId::BottomLeft},
    {HandleId::TopMiddle, HandleId::TopMiddle, HandleId::TopMiddle},
    {HandleId::BottomMiddle, HandleId::TopMiddle, HandleId::BottomMiddle},
    {HandleId::TopRight, HandleId::TopRight, HandleId::TopRight},
    {HandleId::BottomRight, HandleId::TopRight, HandleId::BottomRight},
}};

// Along one axis a handle sits just before the caption, just after it, or
// centred on it; C++ division truncates the halves towards zero.
int placeOnAxis(bool before, bool after, int start, int length, int handleLength) {
    if (before) {
        return saturatedInt(std::int64_t{start} - handleLength);
    }
    if (after) {
        return saturatedInt(std::int64_t{start} + length);
    }
    return saturatedInt(std::int64_t{start} + length / 2 - handleLength / 2);
}

bool isShown(ShownWhen rule, const Rect& caption) {
    switch (rule) {
        case ShownWhen::TallEnough:
            return caption.height >= kMinSpanForSideHandles;
        case ShownWhen::WideEnough:
            return caption.width >= kMinSpanForSideHandles;
        case ShownWhen::Always:
            break;
    }
    return true;
}

const Size& sizeOf(const HandleSizes& sizes, HandleId handle) {
    return sizes[static_cast<std::size_t>(handle)];
}

}  // namespace

HandleLayout layOutHandles(const Rect& caption, const HandleSizes& sizes) {
    HandleLayout layout{};
    for (std::size_t index = 0; index < kLayoutSteps.size(); ++index) {
        const LayoutStep& step = kLayoutSteps[index];
        const HandleTraits& traits = handleTraits(step.handle);
        layout[index].handle = step.handle;
        if (!isShown(traits.shownWhen, caption)) {
            continue;
        }
        layout[index].topLeft = Point{
            placeOnAxis(hasSide(traits.sides, HandleSide::Left),
                        hasSide(traits.sides, HandleSide::Right), caption.left, caption.width,
                        sizeOf(sizes, step.leftAlignedWith).width),
            placeOnAxis(hasSide(traits.sides, HandleSide::Top),
                        hasSide(traits.sides, HandleSide::Bottom), caption.top, caption.height,
                        sizeOf(sizes, step.topAlignedWith).height),
        };
    }
    return layout;
}

}  // namespace moxilo::captions
