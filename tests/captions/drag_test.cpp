#include "moxilo/captions/drag.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "test_support.h"

namespace moxilo::captions {
namespace {

constexpr Rect kAtPress{100, 100, 40, 30};
constexpr Point kPress{120, 115};

Point pointerMovedBy(int dx, int dy) {
    return Point{kPress.x + dx, kPress.y + dy};
}

TEST(CaptionMove, KeepsTheSizeWhereverThePointerGoes) {
    for (const Point delta : {Point{0, 0}, Point{7, -3}, Point{-250, 400}}) {
        const Rect moved =
            draggedRect(kAtPress, kMoveGrip, kPress, pointerMovedBy(delta.x, delta.y));
        EXPECT_EQ(moved, (Rect{100 + delta.x, 100 + delta.y, 40, 30}));
    }
}

TEST(CaptionMove, SaturatesFarOutOfRange) {
    const Rect moved = draggedRect({std::numeric_limits<int>::max() - 1, 0, 40, 30}, kMoveGrip,
                                   {0, 0}, {std::numeric_limits<int>::max(), 0});
    EXPECT_EQ(moved, (Rect{std::numeric_limits<int>::max(), 0, 40, 30}));
}

struct ResizeCase {
    std::string name;
    HandleId handle;
    Rect afterDragBy5And7;
};

class HandleResize : public ::testing::TestWithParam<ResizeCase> {};

// Dragging right and down by (5, 7): the sides a handle names follow the
// pointer, the others stay where they were.
TEST_P(HandleResize, MovesOnlyTheSidesTheHandleNames) {
    const Rect resized =
        draggedRect(kAtPress, handleTraits(GetParam().handle).sides, kPress, pointerMovedBy(5, 7));
    EXPECT_EQ(resized, GetParam().afterDragBy5And7);
}

INSTANTIATE_TEST_SUITE_P(
    EveryHandle, HandleResize,
    ::testing::Values(ResizeCase{"TopLeft", HandleId::TopLeft, {105, 107, 35, 23}},
                      ResizeCase{"MiddleLeft", HandleId::MiddleLeft, {105, 100, 35, 30}},
                      ResizeCase{"BottomLeft", HandleId::BottomLeft, {105, 100, 35, 37}},
                      ResizeCase{"TopMiddle", HandleId::TopMiddle, {100, 107, 40, 23}},
                      ResizeCase{"BottomMiddle", HandleId::BottomMiddle, {100, 100, 40, 37}},
                      ResizeCase{"TopRight", HandleId::TopRight, {100, 107, 45, 23}},
                      ResizeCase{"MiddleRight", HandleId::MiddleRight, {100, 100, 45, 30}},
                      ResizeCase{"BottomRight", HandleId::BottomRight, {100, 100, 45, 37}}),
    NameOfCase{});

struct CrossingCase {
    std::string name;
    HandleId handle;
    Point delta;
    Rect expected;
};

class ResizePastTheOppositeSide : public ::testing::TestWithParam<CrossingCase> {};

// The dragged side stops at the opposite one, which stays put: the caption
// shrinks to nothing on that axis and is never turned inside out.
TEST_P(ResizePastTheOppositeSide, StopsAtZeroSize) {
    const CrossingCase& crossing = GetParam();
    const Rect resized = draggedRect(kAtPress, handleTraits(crossing.handle).sides, kPress,
                                     pointerMovedBy(crossing.delta.x, crossing.delta.y));
    EXPECT_EQ(resized, crossing.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Handles, ResizePastTheOppositeSide,
    ::testing::Values(
        CrossingCase{"TopLeftFarDownRight", HandleId::TopLeft, {100, 100}, {140, 130, 0, 0}},
        CrossingCase{"BottomRightFarUpLeft", HandleId::BottomRight, {-100, -100}, {100, 100, 0, 0}},
        CrossingCase{
            "MiddleRightExactlyOntoLeft", HandleId::MiddleRight, {-40, 0}, {100, 100, 0, 30}},
        CrossingCase{"TopMiddleUpGrowsAtTheTop", HandleId::TopMiddle, {0, -20}, {100, 80, 40, 50}},
        CrossingCase{"BottomMiddleFarUp", HandleId::BottomMiddle, {0, -31}, {100, 100, 40, 0}}),
    NameOfCase{});

}  // namespace
}  // namespace moxilo::captions
