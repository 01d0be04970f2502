#include "moxilo/captions/drag.h"

#include <algorithm>
#include <cstdint>

#include "saturate.h"

namespace moxilo::captions {
namespace {

struct Span {
    int start;
    int length;
};

// One axis of a drag. A lone side stops at the opposite side, as the system
// sizing loop stops at its minimum size instead of turning the caption over.
Span draggedSpan(int start, int length, bool leadFollows, bool trailFollows, std::int64_t delta) {
    std::int64_t lead = start;
    std::int64_t trail = lead + length;
    if (leadFollows && trailFollows) {
        lead += delta;
        trail += delta;
    } else if (leadFollows) {
        lead = std::min(lead + delta, trail);
    } else if (trailFollows) {
        trail = std::max(trail + delta, lead);
    }
    return Span{saturatedInt(lead), saturatedInt(trail - lead)};
}

}  // namespace

Rect draggedRect(const Rect& atPress, HandleSide grip, Point press, Point now) {
    const Span horizontal =
        draggedSpan(atPress.left, atPress.width, hasSide(grip, HandleSide::Left),
                    hasSide(grip, HandleSide::Right), std::int64_t{now.x} - press.x);
    const Span vertical =
        draggedSpan(atPress.top, atPress.height, hasSide(grip, HandleSide::Top),
                    hasSide(grip, HandleSide::Bottom), std::int64_t{now.y} - press.y);
    return Rect{horizontal.start, vertical.start, horizontal.length, vertical.length};
}

}  // namespace moxilo::captions
