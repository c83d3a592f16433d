#include "window/Frame.h"

#include <algorithm>

namespace taktora::window {

namespace {

constexpr int kDefaultDpi = 96;

int BandFor(int dpi, int windowSize) {
    if (dpi <= 0) {
        dpi = kDefaultDpi;
    }
    // Rounded to the nearest pixel: 6 at 96 DPI, 8 at 120 (7.5), 9 at 144.
    const long long scaled = (static_cast<long long>(kResizeBand) * dpi + kDefaultDpi / 2) / kDefaultDpi;
    return static_cast<int>(std::min<long long>(scaled, windowSize / 3));
}

}  // namespace

bool HasInvisibleFrame(const platform::Rect& window, const platform::Rect& visible) {
    const bool inside = visible.width > 0 && visible.height > 0 && visible.left >= window.left &&
                        visible.top >= window.top && visible.Right() <= window.Right() &&
                        visible.Bottom() <= window.Bottom();
    return inside && visible != window;
}

WindowPart HitTest(const platform::Rect& window, int x, int y, int dpi, bool locked) {
    if (x < window.left || y < window.top || x >= window.Right() || y >= window.Bottom()) {
        return WindowPart::Outside;
    }
    const int bandX = locked ? 0 : BandFor(dpi, window.width);
    const int bandY = locked ? 0 : BandFor(dpi, window.height);
    const bool left = x < window.left + bandX;
    const bool right = x >= window.Right() - bandX;
    const bool top = y < window.top + bandY;
    const bool bottom = y >= window.Bottom() - bandY;
    if (top) {
        return left ? WindowPart::TopLeft : right ? WindowPart::TopRight : WindowPart::Top;
    }
    if (bottom) {
        return left ? WindowPart::BottomLeft : right ? WindowPart::BottomRight : WindowPart::Bottom;
    }
    return left ? WindowPart::Left : right ? WindowPart::Right : WindowPart::Graph;
}

bool IsGraphDoubleClick(WindowPart part) {
    return part != WindowPart::Outside;
}

}  // namespace taktora::window
