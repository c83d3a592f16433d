#pragma once

#include <cstdint>
#include <vector>

#include "platform/Types.h"

namespace taktora {

// 0x00RRGGBB, the layout of a top-down 32-bit DIB section.
using Pixel = std::uint32_t;

constexpr Pixel Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return (Pixel{r} << 16) | (Pixel{g} << 8) | Pixel{b};
}
constexpr Pixel ToPixel(platform::Colour c) {
    return Rgb(c.r, c.g, c.b);
}

// A top-down 32-bit pixel buffer. Every drawing operation clips to the picture. A picture that scrolls keeps spare
// columns right of it in each row: scrolling moves where the picture starts in the row instead of moving its pixels.
class Image {
public:
    Image() = default;
    Image(int width, int height, Pixel fill = 0);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // The pixel at (x, y); 0 outside the buffer.
    Pixel At(int x, int y) const { return Contains(x, y) ? pixels_[Index(x, y)] : 0; }
    void Set(int x, int y, Pixel colour) {
        if (Contains(x, y)) {
            pixels_[Index(x, y)] = colour;
        }
    }
    void Fill(Pixel colour);
    // scrollRoom spare columns per row: that many scrolls before the pixels are moved back to the start of the rows.
    void Resize(int width, int height, Pixel fill = 0, int scrollRoom = 0);
    // Every column moves one to the left; the leftmost goes, the rightmost is left as it happens to be.
    void ScrollLeft();
    // A straight line that includes both end points.
    void Line(int x1, int y1, int x2, int y2, Pixel colour);

    // The picture's row y, Width() pixels.
    const Pixel* Row(int y) const { return pixels_.data() + Index(0, y); }
    Pixel* Row(int y) { return pixels_.data() + Index(0, y); }
    // For a blit: the rows are Stride() pixels apart from Buffer(), and the picture starts Origin() pixels into each.
    const Pixel* Buffer() const { return pixels_.data(); }
    int Stride() const { return stride_; }
    int Origin() const { return origin_; }

    // Same size and pixels, wherever they lie in the rows.
    friend bool operator==(const Image& a, const Image& b);

private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * stride_ + origin_ + x; }

    int width_{};
    int height_{};
    int stride_{};
    int origin_{};
    std::vector<Pixel> pixels_;
};

}  // namespace taktora
