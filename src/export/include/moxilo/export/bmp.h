#pragma once
// A 24-bit BMP file in memory: 14-byte file header, 40-byte info header, no
// palette, rows bottom-up in blue-green-red order, each padded to 4 bytes.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace moxilo::exporting {

// Pixels as 32-bit 0xAARRGGBB values, row by row from the top; `stride` is
// the number of values from one row's start to the next (>= width).
struct PixelRows {
    std::span<const std::uint32_t> pixels;
    int width = 0;
    int height = 0;
    std::size_t stride = 0;
};

inline constexpr std::size_t kBmpHeadersSize = 14 + 40;

// Bytes of one pixel row: width x 3, rounded up to a multiple of 4.
std::size_t bmpRowSize(int width);

// The whole file; empty when the size is not positive or the pixels do not
// cover it.
std::vector<std::uint8_t> encodeBmp24(const PixelRows& rows);

}  // namespace moxilo::exporting
