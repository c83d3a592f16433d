#include "render/Preview.h"

#include <algorithm>

namespace taktora::render {

platform::Size PreviewSize(const platform::Size& picture, const platform::Size& limit) {
    if (picture.width <= 0 || picture.height <= 0 || limit.width <= 0 || limit.height <= 0) {
        return {1, 1};
    }
    if (picture.width <= limit.width && picture.height <= limit.height) {
        return picture;
    }
    const long long w = picture.width, h = picture.height;
    // The side that meets its limit first decides the scale; the other is rounded down, so it fits.
    if (w * limit.height >= h * limit.width) {
        return {limit.width, static_cast<int>(std::max(1LL, h * limit.width / w))};
    }
    return {static_cast<int>(std::max(1LL, w * limit.height / h)), limit.height};
}

}  // namespace taktora::render
