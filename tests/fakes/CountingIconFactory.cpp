#include "tests/fakes/CountingIconFactory.h"

#include <algorithm>

#include "platform/Image.h"

namespace taktora::fake {

platform::IconHandle CountingIconFactory::Make(const Image& picture) {
    if (failMake || picture.Width() <= 0 || picture.Height() <= 0) {
        return 0;
    }
    const platform::IconHandle icon = ++made_;
    live_.insert(icon);
    peak_ = std::max(peak_, live_.size());
    return icon;
}

void CountingIconFactory::Destroy(platform::IconHandle icon) {
    if (live_.erase(icon) == 0) {
        ++badDestroys_;
    }
}

}  // namespace taktora::fake
