#include "dialog/SettingsLayout.h"

#include <cstdlib>

namespace taktora::dialog {

namespace {

constexpr int kPointsPerInch = 72;

// Halves away from zero, as Windows' MulDiv rounds; the layout has no negative numbers.
int Rounded(long long numerator, int denominator) {
    return static_cast<int>((numerator + denominator / 2) / denominator);
}

}  // namespace

int UsableDpi(int dpi) {
    return dpi > 0 && dpi <= 10 * kDesignDpi ? dpi : kDesignDpi;
}

int Scale(int pixels, int dpi) {
    return Rounded(static_cast<long long>(pixels) * UsableDpi(dpi), kDesignDpi);
}

platform::Rect PlaceAt(const Place& place, int dpi) {
    return {Scale(place.frame.left + place.left, dpi), Scale(place.frame.top + place.top, dpi), Scale(place.width, dpi),
            Scale(place.height, dpi)};
}

int FontHeight(int points, int dpi) {
    return -Rounded(static_cast<long long>(points) * UsableDpi(dpi), kPointsPerInch);
}

platform::Colour LinkColour(platform::Colour hotTrack, platform::Colour text, platform::Colour face) {
    // Brightness as the eye weighs the three channels (ITU-R BT.601), in thousandths.
    const auto brightness = [](platform::Colour c) { return 299 * c.r + 587 * c.g + 114 * c.b; };
    constexpr int kLeastDifference = 64 * 1000;
    return std::abs(brightness(hotTrack) - brightness(face)) >= kLeastDifference ? hotTrack : text;
}

}  // namespace taktora::dialog
