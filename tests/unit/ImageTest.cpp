#include <gtest/gtest.h>

#include "platform/Image.h"

namespace taktora::render {
namespace {

TEST(ImageLines, BothEndsAreDrawnAndTheBufferClips) {
    Image image(7, 6);
    image.Line(2, 1, 6, 2, 9);    // shallow: the step down comes where the error is exactly half
    image.Line(0, 5, 1, 1, 7);    // steep and upwards, with the same tie
    image.Line(4, 3, 4, 5, 6);    // a column
    image.Line(-3, 0, 10, 0, 8);  // far past both sides
    std::string rows;
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 7; ++x) {
            rows += std::to_string(image.At(x, y));
        }
        rows += ' ';
    }
    EXPECT_EQ(rows, "8888888 0799000 0700999 0700600 7000600 7000600 ");
    EXPECT_EQ(image.At(7, 3) + image.At(9, 9), 0u);  // outside reads as black
    EXPECT_EQ(Image(0, 3).Width() + Image(-1, 3).Width() + Image(3, 0).Height(), 0);
}

}  // namespace
}  // namespace taktora::render
