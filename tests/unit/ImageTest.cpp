#include <gtest/gtest.h>

#include "platform/Image.h"

namespace taktora::render {
namespace {

TEST(IconScale, EveryPixelIsRepeatedNotBlurred) {
    Image small(2, 2);
    small.Set(0, 0, Rgb(255, 0, 0));
    small.Set(1, 1, Rgb(0, 0, 255));
    const Image large = Enlarge(small, 2);
    ASSERT_EQ(large.Width(), 4);
    const Pixel red = Rgb(255, 0, 0), blue = Rgb(0, 0, 255);
    const Pixel expected[4][4] = {{red, red, 0, 0}, {red, red, 0, 0}, {0, 0, blue, blue}, {0, 0, blue, blue}};
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(large.At(x, y), expected[y][x]) << x << "," << y;
        }
    }
    EXPECT_EQ(Enlarge(small, 0).Width(), 2);
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
