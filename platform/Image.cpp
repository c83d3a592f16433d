#include "platform/Image.h"

#include <algorithm>
#include <cstdlib>

namespace taktora {

Image::Image(int width, int height, Pixel fill) {
    Resize(width, height, fill);
}

void Image::Fill(Pixel colour) {
    std::fill(pixels_.begin(), pixels_.end(), colour);
}

void Image::Resize(int width, int height, Pixel fill, int scrollRoom) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    stride_ = width_ + std::max(scrollRoom, 0);
    origin_ = 0;
    pixels_.assign(static_cast<std::size_t>(stride_) * height_, fill);
}

void Image::ScrollLeft() {
    if (origin_ + width_ < stride_) {
        ++origin_;
        return;
    }
    // No room left: the picture, less its first column, moves back to the start of every row.
    for (int y = 0; y < height_; ++y) {
        Pixel* row = pixels_.data() + static_cast<std::size_t>(y) * stride_;
        std::copy(row + origin_ + 1, row + origin_ + width_, row);
    }
    origin_ = 0;
}

bool operator==(const Image& a, const Image& b) {
    if (a.width_ != b.width_ || a.height_ != b.height_) {
        return false;
    }
    for (int y = 0; y < a.height_; ++y) {
        if (!std::equal(a.Row(y), a.Row(y) + a.width_, b.Row(y))) {
            return false;
        }
    }
    return true;
}

void Image::Line(int x1, int y1, int x2, int y2, Pixel colour) {
    if (x1 == x2) {  // the graph and the icon draw columns; keep them cheap
        const int top = std::max(std::min(y1, y2), 0);
        const int bottom = std::min(std::max(y1, y2), height_ - 1);
        if (x1 < 0 || x1 >= width_) {
            return;
        }
        for (int y = top; y <= bottom; ++y) {
            pixels_[Index(x1, y)] = colour;
        }
        return;
    }
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int sx = (x2 - x1) / dx;  // columns are drawn above, so dx > 0
    const int sy = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        Set(x1, y1, colour);
        if (x1 == x2 && y1 == y2) {
            return;
        }
        const int e2 = 2 * error;
        if (e2 >= dy) {
            error += dy;
            x1 += sx;
        }
        if (e2 <= dx) {
            error += dx;
            y1 += sy;
        }
    }
}

}  // namespace taktora
