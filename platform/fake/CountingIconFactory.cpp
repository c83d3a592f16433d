#include "platform/fake/CountingIconFactory.h"

#include <algorithm>

#include "render/Image.h"

namespace taktora::platform {

IconHandle CountingIconFactory::Make(const render::Image& picture) {
    if (failMake || picture.Width() <= 0 || picture.Height() <= 0) {
        return 0;
    }
    const IconHandle icon = ++made_;
    live_.insert(icon);
    peak_ = std::max(peak_, live_.size());
    return icon;
}

void CountingIconFactory::Destroy(IconHandle icon) {
    if (live_.erase(icon) == 0) {
        ++badDestroys_;
    }
}

}  // namespace taktora::platform
