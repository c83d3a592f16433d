#pragma once

#include <cstdint>
#include <string>

namespace taktora::platform {

// A rectangle in screen pixels.
struct Rect {
    int left{};
    int top{};
    int width{};
    int height{};

    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    bool operator==(const Rect&) const = default;
};

// A local calendar time, counted in seconds since 1970-01-01 00:00:00 of the local clock.
using LocalSeconds = std::int64_t;

// A (red, green, blue) colour.
struct Colour {
    std::uint8_t r{};
    std::uint8_t g{};
    std::uint8_t b{};
    bool operator==(const Colour&) const = default;
};

}  // namespace taktora::platform
