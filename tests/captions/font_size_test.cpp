#include "moxilo/captions/font_size.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "test_support.h"

namespace moxilo::captions {
namespace {

constexpr int kMaxInt = std::numeric_limits<int>::max();
constexpr int kMinInt = std::numeric_limits<int>::min();

struct MulDivCase {
    int number;
    int numerator;
    int denominator;
    int expected;
};

void PrintTo(const MulDivCase& c, std::ostream* out) {
    *out << c.number << " * " << c.numerator << " / " << c.denominator;
}

class MulDiv : public ::testing::TestWithParam<MulDivCase> {};

TEST_P(MulDiv, RoundsHalvesAwayFromZeroAndReportsFailureAsMinusOne) {
    const MulDivCase& c = GetParam();
    EXPECT_EQ(mulDiv(c.number, c.numerator, c.denominator), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MulDiv,
    ::testing::Values(
        // Font sizes at 96 dpi.
        MulDivCase{20, 72, 96, 15}, MulDivCase{21, 72, 96, 16}, MulDivCase{16, 96, 72, 21},
        // Halves go away from zero whichever argument carries the sign.
        MulDivCase{1, 3, 2, 2}, MulDivCase{-1, 3, 2, -2}, MulDivCase{1, -3, 2, -2},
        MulDivCase{1, 3, -2, -2}, MulDivCase{-1, -3, 2, 2}, MulDivCase{-1, 3, -2, 2},
        MulDivCase{-1, -3, -2, -2}, MulDivCase{7, 1, 2, 4}, MulDivCase{-7, 1, 2, -4},
        // Below a half rounds towards zero, above it away.
        MulDivCase{1, 1, 3, 0}, MulDivCase{2, 1, 3, 1}, MulDivCase{-1, 1, 3, 0},
        MulDivCase{-2, 1, 3, -1}, MulDivCase{0, -5, 3, 0},
        // Division by zero.
        MulDivCase{5, 1, 0, -1}, MulDivCase{0, 0, 0, -1},
        // The 64-bit product may be huge as long as the result fits.
        MulDivCase{kMaxInt, kMaxInt, kMaxInt, kMaxInt}, MulDivCase{kMaxInt, 2, 2, kMaxInt},
        MulDivCase{kMinInt, 1, 2, -1073741824}, MulDivCase{-kMaxInt, 1, 1, -kMaxInt},
        // Results outside [-2147483647, 2147483647] are failures, the most negative int included.
        MulDivCase{kMaxInt, 2, 1, -1}, MulDivCase{kMinInt, 1, 1, -1},
        MulDivCase{kMinInt, 1, -1, -1}, MulDivCase{kMinInt, kMinInt, kMinInt, -1}));

TEST(FontSize, ReadsTheHeightsMagnitude) {
    EXPECT_EQ(pointsFromHeight(-20, 96), 15);
    EXPECT_EQ(pointsFromHeight(20, 96), 15);
    EXPECT_EQ(pointsFromHeight(0, 96), 0);
    EXPECT_EQ(pointsFromHeight(kMinInt, 96), 1610612735);
}

TEST(FontSize, ZeroDpiReadsAsMulDivFailure) {
    EXPECT_EQ(pointsFromHeight(-20, 0), -1);
    EXPECT_EQ(heightFromPoints(15, 0), 0);
}

TEST(FontSize, NegativeSizesAreWrittenAsTheDefaultHeight) {
    EXPECT_EQ(heightFromPoints(-1, 96), 0);
    EXPECT_EQ(heightFromPoints(kMinInt, 96), 0);
    EXPECT_EQ(heightFromPoints(0, 96), 0);
}

TEST(FontSize, HugeSizesGetTheLargestHeightNotAPositiveOne) {
    EXPECT_EQ(heightFromPoints(kMaxInt, 96), -kMaxInt);
    EXPECT_EQ(heightFromPoints(kMaxInt / 96 * 72 + 100, 96), -kMaxInt);
    EXPECT_EQ(steppedFontHeight(-kMaxInt, 1, 72), -kMaxInt);
}

TEST(FontSize, OnlyTheArgumentOneStepsUp) {
    EXPECT_EQ(sizeStep(1), 1);
    for (const int argument : {-1, 0, 2, kMaxInt, kMinInt}) {
        EXPECT_EQ(sizeStep(argument), -1) << argument;
    }
}

TEST(FontSize, BoldIsWeight700AndNotBoldIsWeight0) {
    EXPECT_EQ(fontWeight(true), 700);
    EXPECT_EQ(fontWeight(false), 0);
}

struct SpinnerPress {
    int arrowArgument;
    int expectedHeight;
    int expectedPoints;
};

struct SpinnerCase {
    std::string name;
    int dpi;
    int startHeight;
    std::vector<SpinnerPress> presses;
};

class SpinnerSequence : public ::testing::TestWithParam<SpinnerCase> {};

TEST_P(SpinnerSequence, StepsOnePointFromTheCurrentFont) {
    const SpinnerCase& sequence = GetParam();
    int height = sequence.startHeight;
    for (const SpinnerPress& press : sequence.presses) {
        height = steppedFontHeight(height, press.arrowArgument, sequence.dpi);
        EXPECT_EQ(height, press.expectedHeight);
        EXPECT_EQ(pointsFromHeight(height, sequence.dpi), press.expectedPoints);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Spinners, SpinnerSequence,
    ::testing::Values(SpinnerCase{"UpFiveThenDownFiveAt96Dpi",
                                  96,
                                  -20,
                                  {{1, -21, 16},
                                   {1, -23, 17},
                                   {1, -24, 18},
                                   {1, -25, 19},
                                   {1, -27, 20},
                                   {-1, -25, 19},
                                   {-1, -24, 18},
                                   {-1, -23, 17},
                                   {-1, -21, 16},
                                   {-1, -20, 15}}},
                      SpinnerCase{"DownFromOnePointStaysAtTheDefaultHeight",
                                  96,
                                  -1,
                                  {{-1, 0, 0}, {-1, 0, 0}, {-1, 0, 0}, {1, -1, 1}}},
                      SpinnerCase{"UpAndDownAt120Dpi",
                                  120,
                                  -20,
                                  {{1, -22, 13}, {1, -23, 14}, {-1, -22, 13}, {-1, -20, 12}}},
                      SpinnerCase{"UpAndDownAt144Dpi",
                                  144,
                                  -20,
                                  {{1, -22, 11}, {1, -24, 12}, {-1, -22, 11}, {-1, -20, 10}}},
                      SpinnerCase{"AnyArgumentButOneStepsDown",
                                  96,
                                  -20,
                                  {{0, -19, 14}, {2, -17, 13}, {-5, -16, 12}}}),
    NameOfCase{});

class SpinnerAtDpi : public ::testing::TestWithParam<int> {};

// However the pixel height rounds, each press moves the size read back by
// exactly one point at 72 dpi and above.
TEST_P(SpinnerAtDpi, EveryPressMovesTheReadSizeByOnePoint) {
    const int dpi = GetParam();
    for (int points = 0; points <= 400; ++points) {
        const int height = heightFromPoints(points, dpi);
        ASSERT_EQ(pointsFromHeight(height, dpi), points) << "points " << points;
        ASSERT_EQ(pointsFromHeight(steppedFontHeight(height, 1, dpi), dpi), points + 1)
            << "up from " << points;
        ASSERT_EQ(pointsFromHeight(steppedFontHeight(height, -1, dpi), dpi),
                  std::max(points - 1, 0))
            << "down from " << points;
    }
}

INSTANTIATE_TEST_SUITE_P(Resolutions, SpinnerAtDpi,
                         ::testing::Values(72, 96, 110, 120, 144, 192, 240));

}  // namespace
}  // namespace moxilo::captions
