#include "tray/SharedIconFactory.h"

#include <algorithm>

namespace taktora::render {

platform::IconHandle SharedIconFactory::Make(const Image& picture) {
    const auto same = std::find_if(icons_.begin(), icons_.end(), [&](const Shared& s) { return s.picture == picture; });
    if (same != icons_.end()) {
        ++same->users;
        return same->icon;
    }
    const platform::IconHandle icon = maker_.Make(picture);
    if (icon != 0) {
        icons_.push_back({picture, icon, 1});
    }
    return icon;
}

void SharedIconFactory::Destroy(platform::IconHandle icon) {
    const auto shared = std::find_if(icons_.begin(), icons_.end(), [&](const Shared& s) { return s.icon == icon; });
    if (shared == icons_.end() || --shared->users == 0) {
        maker_.Destroy(icon);
        if (shared != icons_.end()) {
            icons_.erase(shared);
        }
    }
}

}  // namespace taktora::render
