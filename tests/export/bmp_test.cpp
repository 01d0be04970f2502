#include "moxilo/export/bmp.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace moxilo::exporting {
namespace {

std::uint32_t read32(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return bytes[offset] | bytes[offset + 1] << 8U | bytes[offset + 2] << 16U |
           static_cast<std::uint32_t>(bytes[offset + 3]) << 24U;
}

std::uint16_t read16(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8U);
}

// A distinct colour per pixel, so row order and channel order both show.
std::vector<std::uint32_t> gradient(int width, int height) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels.push_back(0xFF000000U | static_cast<std::uint32_t>(x * 7 % 256) << 16U |
                             static_cast<std::uint32_t>(y * 13 % 256) << 8U |
                             static_cast<std::uint32_t>((x + y) % 256));
        }
    }
    return pixels;
}

struct SizeCase {
    int width;
    int height;
    std::size_t rowSize;
};

class BmpSizeTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(BmpSizeTest, HeadersRowsAndPaddingFollowTheFormat) {
    const auto [width, height, rowSize] = GetParam();
    const auto pixels = gradient(width, height);
    const auto bmp = encodeBmp24({pixels, width, height, static_cast<std::size_t>(width)});
    const std::size_t pixelBytes = rowSize * static_cast<std::size_t>(height);
    ASSERT_EQ(bmp.size(), 54 + pixelBytes);
    EXPECT_EQ(bmpRowSize(width), rowSize);
    EXPECT_EQ(read16(bmp, 0), 0x4D42);
    EXPECT_EQ(read32(bmp, 2), bmp.size());
    EXPECT_EQ(read32(bmp, 6), 0U);
    EXPECT_EQ(read32(bmp, 10), 54U);
    EXPECT_EQ(read32(bmp, 14), 40U);
    EXPECT_EQ(read32(bmp, 18), static_cast<std::uint32_t>(width));
    EXPECT_EQ(read32(bmp, 22), static_cast<std::uint32_t>(height));
    EXPECT_EQ(read16(bmp, 26), 1);
    EXPECT_EQ(read16(bmp, 28), 24);
    EXPECT_EQ(read32(bmp, 30), 0U);
    EXPECT_EQ(read32(bmp, 34), pixelBytes);
    for (std::size_t offset = 38; offset < 54; offset += 4) {
        EXPECT_EQ(read32(bmp, offset), 0U);
    }
    // The first stored row is the bottom one, blue first; padding is zero.
    const std::uint32_t bottomLeft = pixels[static_cast<std::size_t>((height - 1) * width)];
    EXPECT_EQ(bmp[54], bottomLeft & 0xFFU);
    EXPECT_EQ(bmp[55], (bottomLeft >> 8U) & 0xFFU);
    EXPECT_EQ(bmp[56], (bottomLeft >> 16U) & 0xFFU);
    for (std::size_t pad = static_cast<std::size_t>(width) * 3; pad < rowSize; ++pad) {
        EXPECT_EQ(bmp[54 + pad], 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, BmpSizeTest,
                         ::testing::Values(SizeCase{1, 1, 4}, SizeCase{2, 1, 8}, SizeCase{3, 2, 12},
                                           SizeCase{4, 3, 12}, SizeCase{5, 1, 16},
                                           SizeCase{280, 220, 840}),
                         [](const auto& instance) {
                             return std::to_string(instance.param.width) + "x" +
                                    std::to_string(instance.param.height);
                         });

TEST(BmpTest, PictureFrameSizeGivesTheDocumentedPixelBlock) {
    const auto pixels = gradient(280, 220);
    const auto bmp = encodeBmp24({pixels, 280, 220, 280});
    EXPECT_EQ(bmp.size() - 54, 184'800U);
}

TEST(BmpTest, RoundTripsThroughQtsReaderPixelForPixel) {
    constexpr int kWidth = 37;  // odd, so rows carry padding
    constexpr int kHeight = 11;
    constexpr std::size_t kStride = 40;  // rows longer than the width
    std::vector<std::uint32_t> pixels(kStride * kHeight, 0xDEADBEEF);
    const auto picture = gradient(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        std::copy_n(picture.begin() + y * kWidth, kWidth,
                    pixels.begin() + y * static_cast<int>(kStride));
    }
    const auto bmp = encodeBmp24({pixels, kWidth, kHeight, kStride});
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(bmp.data(), static_cast<int>(bmp.size()), "BMP"));
    ASSERT_EQ(decoded.size(), QSize(kWidth, kHeight));
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            EXPECT_EQ(decoded.pixel(x, y) | 0xFF000000U,
                      picture[static_cast<std::size_t>(y * kWidth + x)])
                << x << "," << y;
        }
    }
}

TEST(BmpTest, SizesThePixelsDoNotCoverGiveNothing) {
    const std::vector<std::uint32_t> four(4, 0);
    EXPECT_TRUE(encodeBmp24({four, 0, 1, 1}).empty());
    EXPECT_TRUE(encodeBmp24({four, 1, 0, 1}).empty());
    EXPECT_TRUE(encodeBmp24({four, -1, 1, 1}).empty());
    EXPECT_TRUE(encodeBmp24({four, 3, 2, 3}).empty()) << "6 pixels asked of 4";
    EXPECT_TRUE(encodeBmp24({four, 2, 2, 1}).empty()) << "stride below the width";
    EXPECT_FALSE(encodeBmp24({four, 2, 2, 2}).empty());
}

}  // namespace
}  // namespace moxilo::exporting
