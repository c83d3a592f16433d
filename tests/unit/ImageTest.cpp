#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/Image.h"

namespace taktora::render {
namespace {

// The shell's small icon size at 125, 150 and 200 %, GetSystemMetrics(SM_CXSMICON) at these DPIs: the diagonal's
// source pixels, each a whole one (a source row other than the column would show as "?").
TEST(IconScale, TheShellsSizesTakeWholeSourcePixelsAndAnUnknownSizeKeepsThePicture) {
    Image small(16, 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            small.Set(x, y, Rgb(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 7));
        }
    }
    std::string diagonals;
    for (const int size : {20, 24, 32}) {
        const Image icon = ScaleTo(small, size, size);
        for (int i = 0; i < size; ++i) {
            const Pixel pixel = icon.At(i, i);
            diagonals += pixel == Rgb(pixel >> 16, pixel >> 16, 7) ? "0123456789abcdef"[(pixel >> 16) & 15] : '?';
        }
        diagonals += " ";
    }
    EXPECT_EQ(diagonals, "0012344567889abccdef 001223445667889aabccdeef 00112233445566778899aabbccddeeff ");
    for (const int size : {0, -4}) {
        EXPECT_EQ(ScaleTo(small, size, 20).Width(), 16);
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
