#include "moxilo/export/bmp.h"

#include <limits>

namespace moxilo::exporting {
namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint16_t kBitsPerPixel = 24;

void put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFFU));
    out.push_back(static_cast<std::uint8_t>(value >> 8U));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (unsigned shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFFU));
    }
}

bool covers(const PixelRows& rows) {
    if (rows.width <= 0 || rows.height <= 0 || rows.stride < static_cast<std::size_t>(rows.width)) {
        return false;
    }
    const auto needed = rows.stride * static_cast<std::size_t>(rows.height - 1) +
                        static_cast<std::size_t>(rows.width);
    return rows.pixels.size() >= needed;
}

}  // namespace

std::size_t bmpRowSize(int width) {
    return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
}

std::vector<std::uint8_t> encodeBmp24(const PixelRows& rows) {
    if (!covers(rows)) {
        return {};
    }
    const std::size_t rowSize = bmpRowSize(rows.width);
    const std::size_t pixelBytes = rowSize * static_cast<std::size_t>(rows.height);
    if (pixelBytes > std::numeric_limits<std::uint32_t>::max() - kBmpHeadersSize) {
        return {};
    }
    const auto fileSize = static_cast<std::uint32_t>(kBmpHeadersSize + pixelBytes);

    std::vector<std::uint8_t> out;
    out.reserve(fileSize);
    // File header.
    out.push_back('B');
    out.push_back('M');
    put32(out, fileSize);
    put16(out, 0);
    put16(out, 0);
    put32(out, static_cast<std::uint32_t>(kBmpHeadersSize));
    // Info header: positive height, so the rows run from the bottom up.
    put32(out, kInfoHeaderSize);
    put32(out, static_cast<std::uint32_t>(rows.width));
    put32(out, static_cast<std::uint32_t>(rows.height));
    put16(out, 1);
    put16(out, kBitsPerPixel);
    put32(out, 0);  // uncompressed
    put32(out, static_cast<std::uint32_t>(pixelBytes));
    for (int field = 0; field < 4; ++field) {
        put32(out, 0);  // resolution and colour counts
    }
    const std::size_t padding = rowSize - static_cast<std::size_t>(rows.width) * 3;
    for (int y = rows.height - 1; y >= 0; --y) {
        const auto row = rows.pixels.subspan(rows.stride * static_cast<std::size_t>(y),
                                             static_cast<std::size_t>(rows.width));
        for (const std::uint32_t pixel : row) {
            out.push_back(static_cast<std::uint8_t>(pixel & 0xFFU));           // blue
            out.push_back(static_cast<std::uint8_t>((pixel >> 8U) & 0xFFU));   // green
            out.push_back(static_cast<std::uint8_t>((pixel >> 16U) & 0xFFU));  // red
        }
        out.insert(out.end(), padding, 0);
    }
    return out;
}

}  // namespace moxilo::exporting
