#pragma once
// Caption font arithmetic. Heights are logical-font heights: negative is the
// character height in pixels, 0 lets the font system choose its default.

namespace moxilo::captions {

// Windows MulDiv: number * numerator / denominator in 64 bits, rounded half
// away from zero; -1 when the denominator is 0 or the result does not fit
// in [-2147483647, 2147483647].
int mulDiv(int number, int numerator, int denominator);

// The size in points that a font height shows at `dpi` (the screen's logical
// pixels per inch, vertically); follows mulDiv, so a dpi of 0 reads as -1.
int pointsFromHeight(int fontHeight, int dpi);

// The font height for a size in points. A negative size is written as 0
// (the default height); a size too large for an int height gets the largest
// one rather than MulDiv's -1, which would turn into a tiny positive height.
int heightFromPoints(int points, int dpi);

// The spinner's step: its up arrow reports 1 and adds a point; anything else
// takes one away.
int sizeStep(int arrowArgument);

// One spinner press: read the size from the height, step it, write it back.
int steppedFontHeight(int fontHeight, int arrowArgument, int dpi);

// Bold is the heavy weight; not bold is weight 0, "don't care", which the
// font system draws at normal weight.
inline constexpr int kBoldWeight = 700;
inline constexpr int kDontCareWeight = 0;

constexpr int fontWeight(bool bold) {
    return bold ? kBoldWeight : kDontCareWeight;
}

}  // namespace moxilo::captions
