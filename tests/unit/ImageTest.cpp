#include <gtest/gtest.h>

#include "platform/Image.h"

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
