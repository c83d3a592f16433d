#include "render/Preview.h"

#include <algorithm>

namespace taktora::render {

platform::Size PreviewSize(const platform::Size& picture, const platform::Size& limit) {
    if (std::min({picture.width, picture.height, limit.width, limit.height}) <= 0) {  // nothing to show, or no room
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
