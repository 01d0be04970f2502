#include "moxilo/captions/handles.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace moxilo::captions {
namespace {

using enum HandleSide;

// The Windows sizing borders, by the sides each one drags.
const std::map<HandleSide, int> kWindowsHitTestCodes{
    {Left, 10},        {Right, 11},  {Top, 12},           {Top | Left, 13},
    {Top | Right, 14}, {Bottom, 15}, {Bottom | Left, 16}, {Bottom | Right, 17},
};

CursorKind cursorFor(HandleSide sides) {
    if (sides == (Top | Left) || sides == (Bottom | Right)) {
        return CursorKind::DiagonalNwSe;
    }
    if (sides == (Top | Right) || sides == (Bottom | Left)) {
        return CursorKind::DiagonalNeSw;
    }
    return hasSide(sides, Left) || hasSide(sides, Right) ? CursorKind::Horizontal
                                                         : CursorKind::Vertical;
}

// A side handle needs room along the side it sits on; corners always fit.
ShownWhen visibilityFor(HandleSide sides) {
    const bool horizontal = hasSide(sides, Left) || hasSide(sides, Right);
    const bool vertical = hasSide(sides, Top) || hasSide(sides, Bottom);
    if (horizontal && vertical) {
        return ShownWhen::Always;
    }
    return horizontal ? ShownWhen::TallEnough : ShownWhen::WideEnough;
}

TEST(HandleTable, EveryRowAgreesWithTheSidesItGrabs) {
    std::set<HandleSide> seen;
    for (const HandleTraits& handle : kHandles) {
        SCOPED_TRACE(std::string(handle.objectName));
        EXPECT_TRUE(seen.insert(handle.sides).second) << "two handles grab the same sides";
        EXPECT_EQ(handle.hitTestCode, kWindowsHitTestCodes.at(handle.sides));
        EXPECT_EQ(handle.cursor, cursorFor(handle.sides));
        EXPECT_EQ(handle.shownWhen, visibilityFor(handle.sides));
    }
}

// The handles' control ids rise in this order, and widgets find them by these names.
TEST(HandleTable, NamesAreInControlIdOrder) {
    std::string names;
    for (const HandleTraits& handle : kHandles) {
        names += handle.objectName;
    }
    EXPECT_EQ(names, "左上左中左下中中中下右上右中右下");
}

}  // namespace
}  // namespace moxilo::captions
