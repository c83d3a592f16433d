#include "tray/IconSlot.h"

#include <utility>

namespace taktora::render {

IconSlot::~IconSlot() {
    if (current_ != 0) {
        factory_.Destroy(current_);
    }
}

bool IconSlot::Replace(const Image& picture, const std::function<void(platform::IconHandle)>& install) {
    if (current_ != 0 && picture == picture_) {
        return true;
    }
    const platform::IconHandle made = factory_.Make(picture);
    if (made == 0) {
        return false;
    }
    if (install) {
        install(made);
    }
    const platform::IconHandle previous = std::exchange(current_, made);
    picture_ = picture;
    if (previous != 0) {
        factory_.Destroy(previous);
    }
    return true;
}

}  // namespace taktora::render
