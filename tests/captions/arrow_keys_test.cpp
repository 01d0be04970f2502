#include "moxilo/captions/arrow_keys.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "test_support.h"

namespace moxilo::captions {
namespace {

constexpr Rect kCaption{232, 217, 200, 24};

struct NudgeCase {
    std::string name;
    int virtualKey;
    unsigned modifiers;
    Rect expected;
};

class ArrowKeyNudge : public ::testing::TestWithParam<NudgeCase> {};

TEST_P(ArrowKeyNudge, ChangesOneValueByOnePixel) {
    EXPECT_EQ(nudgedRect(kCaption, GetParam().virtualKey, GetParam().modifiers),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ArrowKeyNudge,
    ::testing::Values(
        NudgeCase{"Left", virtual_key::kLeft, 0, {231, 217, 200, 24}},
        NudgeCase{"Right", virtual_key::kRight, 0, {233, 217, 200, 24}},
        NudgeCase{"Up", virtual_key::kUp, 0, {232, 216, 200, 24}},
        NudgeCase{"Down", virtual_key::kDown, 0, {232, 218, 200, 24}},
        NudgeCase{"ShiftLeft", virtual_key::kLeft, kShiftBit, {232, 217, 199, 24}},
        NudgeCase{"ShiftRight", virtual_key::kRight, kShiftBit, {232, 217, 201, 24}},
        NudgeCase{"ShiftUp", virtual_key::kUp, kShiftBit, {232, 217, 200, 23}},
        NudgeCase{"ShiftDown", virtual_key::kDown, kShiftBit, {232, 217, 200, 25}},
        NudgeCase{"CtrlRightMovesLikeRight", virtual_key::kRight, kCtrlBit, {233, 217, 200, 24}},
        NudgeCase{"AltUpMovesLikeUp", virtual_key::kUp, kAltBit, {232, 216, 200, 24}},
        NudgeCase{"CtrlShiftRightResizesLikeShiftRight",
                  virtual_key::kRight,
                  kCtrlBit | kShiftBit,
                  {232, 217, 201, 24}}),
    NameOfCase{});

TEST(ArrowKeyNudge, IgnoresEveryOtherKey) {
    // Home, just past Down, the shift key itself, 'A', the keypad 4 and nonsense codes.
    for (const int key : {36, 41, 16, 65, 100, 0, -1, std::numeric_limits<int>::max()}) {
        for (const unsigned modifiers : {0U, unsigned{kShiftBit}}) {
            EXPECT_EQ(nudgedRect(kCaption, key, modifiers), std::nullopt) << "key " << key;
        }
    }
}

// Shift presses on one caption, each from the previous result.
struct ShiftPress {
    int virtualKey;
    Rect expected;
};

struct ShiftSequenceCase {
    std::string name;
    Rect start;
    std::vector<ShiftPress> presses;
};

class ShiftArrowSequence : public ::testing::TestWithParam<ShiftSequenceCase> {};

TEST_P(ShiftArrowSequence, NeverGoesBelowZeroOrOverflows) {
    Rect caption = GetParam().start;
    for (const ShiftPress& press : GetParam().presses) {
        caption = nudgedRect(caption, press.virtualKey, kShiftBit).value_or(Rect{});
        EXPECT_EQ(caption, press.expected);
    }
}

constexpr int kMaxInt = std::numeric_limits<int>::max();

INSTANTIATE_TEST_SUITE_P(
    Sizes, ShiftArrowSequence,
    ::testing::Values(ShiftSequenceCase{"HeightDownToZeroStaysThenGrows",
                                        {5, 5, 20, 1},
                                        {{virtual_key::kUp, {5, 5, 20, 0}},
                                         {virtual_key::kUp, {5, 5, 20, 0}},
                                         {virtual_key::kDown, {5, 5, 20, 1}}}},
                      ShiftSequenceCase{"WidthDownToZeroStaysThenGrows",
                                        {5, 5, 1, 20},
                                        {{virtual_key::kLeft, {5, 5, 0, 20}},
                                         {virtual_key::kLeft, {5, 5, 0, 20}},
                                         {virtual_key::kRight, {5, 5, 1, 20}}}},
                      ShiftSequenceCase{"WidthStopsAtTheLargestInt",
                                        {5, 5, kMaxInt - 1, 20},
                                        {{virtual_key::kRight, {5, 5, kMaxInt, 20}},
                                         {virtual_key::kRight, {5, 5, kMaxInt, 20}}}}),
    NameOfCase{});

TEST(ArrowKeyNudge, MovesSaturateAtTheEdgeOfTheIntRange) {
    const Rect atMin{std::numeric_limits<int>::min(), std::numeric_limits<int>::min(), 3, 3};
    EXPECT_EQ(nudgedRect(atMin, virtual_key::kLeft, 0), atMin);
    EXPECT_EQ(nudgedRect(atMin, virtual_key::kUp, 0), atMin);
}

}  // namespace
}  // namespace moxilo::captions
