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

// A top-down 32-bit pixel buffer. Every drawing operation clips to the buffer.
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
    void Resize(int width, int height, Pixel fill = 0);
    // A straight line that includes both end points.
    void Line(int x1, int y1, int x2, int y2, Pixel colour);

    const Pixel* Data() const { return pixels_.data(); }
    Pixel* Data() { return pixels_.data(); }

private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }

    int width_{};
    int height_{};
    std::vector<Pixel> pixels_;
};

}  // namespace taktora
