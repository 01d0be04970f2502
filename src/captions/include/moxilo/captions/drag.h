#pragma once
// The caption's geometry while the user drags it or one of its handles.

#include "moxilo/captions/geometry.h"
#include "moxilo/captions/handles.h"

namespace moxilo::captions {

// The caption's rectangle once the pointer has gone from `press` to `now`,
// starting from its rectangle at the press. Each side named in `grip` follows
// the pointer; the others stay put:
// - both sides of an axis (kMoveGrip): the caption moves along it, same size;
// - one side (a handle's sides): that side follows but stops at the opposite
//   side, which never moves, so the size shrinks to 0 and never flips;
// - neither: nothing changes along that axis.
// Results beyond the int range saturate.
Rect draggedRect(const Rect& atPress, HandleSide grip, Point press, Point now);

}  // namespace moxilo::captions
