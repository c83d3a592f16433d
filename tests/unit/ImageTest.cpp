#include <gtest/gtest.h>

#include <cstdint>

#include "platform/Image.h"

namespace taktora::render {
namespace {

// The shell's small icon size at 100, 125, 150, 175 and 200 %: GetSystemMetrics(SM_CXSMICON) at these DPIs.
TEST(IconScale, TheShellsSizeAtEveryScaleWithWholeSourcePixels) {
    Image small(16, 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            small.Set(x, y, Rgb(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 7));
        }
    }
    const struct {
        int dpi;
        int size;
    } scales[] = {{96, 16}, {120, 20}, {144, 24}, {168, 28}, {192, 32}};
    for (const auto& scale : scales) {
        SCOPED_TRACE(scale.dpi);
        const Image icon = ScaleTo(small, scale.size, scale.size);
        ASSERT_EQ(icon.Width(), scale.size);
        ASSERT_EQ(icon.Height(), scale.size);
        for (int y = 0; y < scale.size; ++y) {
            for (int x = 0; x < scale.size; ++x) {
                ASSERT_EQ(icon.At(x, y), small.At(x * 16 / scale.size, y * 16 / scale.size)) << x << "," << y;
            }
        }
    }
}

TEST(IconScale, UnknownSizeKeepsThePictureAndOddSizesPickWholePixels) {
    Image small(2, 1);
    small.Set(0, 0, Rgb(255, 0, 0));
    small.Set(1, 0, Rgb(0, 0, 255));
    for (const int size : {0, -4}) {
        const Image same = ScaleTo(small, size, 20);
        EXPECT_EQ(same.Width(), 2);
        EXPECT_EQ(same.At(1, 0), Rgb(0, 0, 255));
    }
    const Image wide = ScaleTo(small, 5, 2);  // 2.5 times: blocks of three and two, never a mixed colour
    const Pixel red = Rgb(255, 0, 0), blue = Rgb(0, 0, 255);
    for (int y = 0; y < 2; ++y) {
        const Pixel expected[5] = {red, red, red, blue, blue};
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(wide.At(x, y), expected[x]) << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace taktora::render

namespace taktora::render {
namespace {

TEST(ImageLines, BothEndsAreDrawnAndTheBufferClips) {
    Image image(5, 5);
    image.Line(0, 1, 4, 3, 9);    // slanted
    image.Line(1, 4, 1, 2, 7);    // upwards
    image.Line(-3, 0, 10, 0, 8);  // far past both sides
    EXPECT_EQ(image.At(0, 1), 9u);
    EXPECT_EQ(image.At(4, 3), 9u);
    EXPECT_EQ(image.At(1, 2), 7u);
    EXPECT_EQ(image.At(1, 4), 7u);
    EXPECT_EQ(image.At(1, 1), 0u);
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(image.At(x, 0), 8u);
    }
    EXPECT_EQ(image.At(9, 9), 0u);  // outside reads as black
}

}  // namespace
}  // namespace taktora::render
