#pragma once
// Turning downloaded bytes into a picture, with a bound on the memory a
// decode may take, so a small file that claims an enormous size is refused.

#include <QImage>

#include <span>

namespace moxilo::catalogue {

// Far above a 280 x 220 face, far below what would hurt.
inline constexpr int kPictureAllocationLimitMiB = 64;

// A null image for bytes that are no picture, a truncated one, or one too large.
QImage decodePicture(std::span<const char> bytes);

}  // namespace moxilo::catalogue
