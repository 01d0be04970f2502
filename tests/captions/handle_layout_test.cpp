#include "moxilo/captions/handle_layout.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <string>
#include <vector>

#include "test_support.h"

namespace moxilo::captions {
namespace {

using ::testing::ElementsAre;

// Places of the shown handles, keyed by template name, for readable failures.
std::map<std::string, Point> shownPlaces(const HandleLayout& layout) {
    std::map<std::string, Point> places;
    for (const HandlePlacement& placement : layout) {
        if (placement.topLeft) {
            places.emplace(std::string(handleTraits(placement.handle).objectName),
                           *placement.topLeft);
        }
    }
    return places;
}

struct PlacesCase {
    std::string name;
    Rect caption;
    HandleSizes sizes;
    std::map<std::string, Point> expected;
};

class HandlePlaces : public ::testing::TestWithParam<PlacesCase> {};

TEST_P(HandlePlaces, SitJustOutsideTheCaption) {
    EXPECT_EQ(shownPlaces(layOutHandles(GetParam().caption, GetParam().sizes)),
              GetParam().expected);
}

// Each handle a different size, to show which handle's size each place reads.
constexpr HandleSizes kMixedSizes{{
    {6, 10},  // 左上
    {7, 9},   // 左中
    {3, 5},   // 左下: its own size is never read
    {9, 7},   // 中中
    {4, 4},   // 中下: never read
    {5, 11},  // 右上
    {2, 2},   // 右中: never read
    {1, 1},   // 右下: never read
}};

INSTANTIATE_TEST_SUITE_P(
    Captions, HandlePlaces,
    ::testing::Values(
        PlacesCase{"SecondCaptionAtStart",
                   {232, 217, 200, 24},
                   kStandardHandleSizes,
                   {{"左上", {224, 209}},
                    {"左中", {224, 225}},
                    {"左下", {224, 241}},
                    {"中中", {328, 209}},
                    {"中下", {328, 241}},
                    {"右上", {432, 209}},
                    {"右中", {432, 225}},
                    {"右下", {432, 241}}}},
        PlacesCase{"FirstCaptionAtStart",
                   {472, 64, 28, 128},
                   kStandardHandleSizes,
                   {{"左上", {464, 56}},
                    {"左中", {464, 124}},
                    {"左下", {464, 192}},
                    {"中中", {482, 56}},
                    {"中下", {482, 192}},
                    {"右上", {500, 56}},
                    {"右中", {500, 124}},
                    {"右下", {500, 192}}}},
        // 25 / 2 truncates to 12: the side handles sit at T + 12 - 4 and L + 12 - 4.
        PlacesCase{"OddSizeTruncatesTheHalves",
                   {100, 50, 25, 25},
                   kStandardHandleSizes,
                   {{"左上", {92, 42}},
                    {"左中", {92, 58}},
                    {"左下", {92, 75}},
                    {"中中", {108, 42}},
                    {"中下", {108, 75}},
                    {"右上", {125, 42}},
                    {"右中", {125, 58}},
                    {"右下", {125, 75}}}},
        // Nothing is clamped: a caption past the window's top-left corner keeps
        // its handles out there too.
        PlacesCase{"NegativeCoordinatesAreNotClamped",
                   {-15, -20, 25, 31},
                   kStandardHandleSizes,
                   {{"左上", {-23, -28}},
                    {"左中", {-23, -9}},
                    {"左下", {-23, 11}},
                    {"中中", {-7, -28}},
                    {"中下", {-7, 11}},
                    {"右上", {10, -28}},
                    {"右中", {10, -9}},
                    {"右下", {10, 11}}}},
        // 左下 lines up with 左上, 右中 with 左中, 中下 with 中中 and 右下 with 右上;
        // odd handle sizes halve with truncation too (7 / 2 = 3, 9 / 2 = 4).
        PlacesCase{"EachHandleReadsItsOwnSizeOrTheOneItLinesUpWith",
                   {100, 200, 40, 30},
                   kMixedSizes,
                   {{"左上", {94, 190}},
                    {"左中", {93, 211}},
                    {"左下", {94, 230}},
                    {"中中", {116, 193}},
                    {"中下", {116, 230}},
                    {"右上", {140, 189}},
                    {"右中", {140, 211}},
                    {"右下", {140, 230}}}},
        // Ints at the edge of the range saturate instead of overflowing.
        PlacesCase{
            "FarCoordinatesSaturate",
            {std::numeric_limits<int>::max() - 4, std::numeric_limits<int>::min() + 4, 9, 9},
            kStandardHandleSizes,
            {{"左上", {std::numeric_limits<int>::max() - 12, std::numeric_limits<int>::min()}},
             {"左下", {std::numeric_limits<int>::max() - 12, std::numeric_limits<int>::min() + 13}},
             {"右上", {std::numeric_limits<int>::max(), std::numeric_limits<int>::min()}},
             {"右下", {std::numeric_limits<int>::max(), std::numeric_limits<int>::min() + 13}}}}),
    NameOfCase{});

struct ThresholdCase {
    std::string name;
    Size captionSize;
    std::vector<std::string> hidden;
};

class SideHandleThresholds : public ::testing::TestWithParam<ThresholdCase> {};

TEST_P(SideHandleThresholds, HideOnlyTheSideHandlesThatHaveNoRoom) {
    const Size size = GetParam().captionSize;
    std::vector<std::string> hidden;
    for (const HandlePlacement& placement : layOutHandles({40, 40, size.width, size.height})) {
        if (!placement.topLeft) {
            hidden.emplace_back(handleTraits(placement.handle).objectName);
        }
    }
    EXPECT_EQ(hidden, GetParam().hidden);
}

INSTANTIATE_TEST_SUITE_P(
    Captions, SideHandleThresholds,
    ::testing::Values(ThresholdCase{"Height9", {50, 9}, {"左中", "右中"}},
                      ThresholdCase{"Height10", {50, 10}, {}},
                      ThresholdCase{"Width9", {9, 50}, {"中中", "中下"}},
                      ThresholdCase{"Width10", {10, 50}, {}},
                      ThresholdCase{"Size9x9", {9, 9}, {"左中", "右中", "中中", "中下"}},
                      ThresholdCase{"Size10x10", {10, 10}, {}},
                      ThresholdCase{"Empty", {0, 0}, {"左中", "右中", "中中", "中下"}},
                      ThresholdCase{"NegativeSize", {-30, -30}, {"左中", "右中", "中中", "中下"}}),
    NameOfCase{});

// The widgets raise the shown handles in this order, which leaves 右下 on top;
// hidden ones keep their turn so the hides happen in layout order too.
TEST(HandleLayoutOrder, IsTheRaiseOrderWhateverIsHidden) {
    for (const Rect caption : {Rect{0, 0, 200, 24}, Rect{0, 0, 9, 9}}) {
        std::vector<HandleId> order;
        for (const HandlePlacement& placement : layOutHandles(caption)) {
            order.push_back(placement.handle);
        }
        EXPECT_THAT(order,
                    ElementsAre(HandleId::TopLeft, HandleId::MiddleLeft, HandleId::MiddleRight,
                                HandleId::BottomLeft, HandleId::TopMiddle, HandleId::BottomMiddle,
                                HandleId::TopRight, HandleId::BottomRight));
    }
}

}  // namespace
}  // namespace moxilo::captions
