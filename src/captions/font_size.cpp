#include "moxilo/captions/font_size.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>

#include "saturate.h"

namespace moxilo::captions {
namespace {

constexpr int kPointsPerInch = 72;
constexpr std::int64_t kLargestMulDiv = std::numeric_limits<int>::max();

// number * numerator / denominator rounded half away from zero. All three
// fit in 32 bits, so the magnitudes below cannot overflow 64 bits.
std::optional<std::int64_t> roundedQuotient(std::int64_t number, std::int64_t numerator,
                                            std::int64_t denominator) {
    if (denominator == 0) {
        return std::nullopt;
    }
    const bool negative = ((number < 0) != (numerator < 0)) != (denominator < 0);
    const std::int64_t magnitude = std::abs(number) * std::abs(numerator);
    const std::int64_t divisor = std::abs(denominator);
    const std::int64_t rounded = (magnitude + divisor / 2) / divisor;
    return negative ? -rounded : rounded;
}

}  // namespace

int mulDiv(int number, int numerator, int denominator) {
    const std::optional<std::int64_t> quotient = roundedQuotient(number, numerator, denominator);
    if (!quotient || *quotient > kLargestMulDiv || *quotient < -kLargestMulDiv) {
        return -1;
    }
    return static_cast<int>(*quotient);
}

int pointsFromHeight(int fontHeight, int dpi) {
    // The magnitude of the most negative int does not fit; one pixel less
    // reads the same size.
    const int pixels = fontHeight == std::numeric_limits<int>::min()
                           ? std::numeric_limits<int>::max()
                           : std::abs(fontHeight);
    return mulDiv(pixels, kPointsPerInch, dpi);
}

int heightFromPoints(int points, int dpi) {
    const std::int64_t pixels =
        roundedQuotient(std::max(points, 0), dpi, kPointsPerInch).value_or(0);
    return -static_cast<int>(std::clamp<std::int64_t>(pixels, 0, kLargestMulDiv));
}

int sizeStep(int arrowArgument) {
    return arrowArgument == 1 ? 1 : -1;
}

int steppedFontHeight(int fontHeight, int arrowArgument, int dpi) {
    const int points = pointsFromHeight(fontHeight, dpi);
    return heightFromPoints(saturatedInt(std::int64_t{points} + sizeStep(arrowArgument)), dpi);
}

}  // namespace moxilo::captions
