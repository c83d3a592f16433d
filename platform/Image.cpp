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

void Image::Resize(int width, int height, Pixel fill) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    pixels_.assign(static_cast<std::size_t>(width_) * height_, fill);
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
