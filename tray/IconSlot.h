#pragma once

#include <functional>

#include "platform/IconFactory.h"
#include "platform/Image.h"

namespace taktora::render {

// Owns the icon currently shown for one picture consumer (the tray icon or the taskbar button), so that each
// update replaces its icon instead of adding one, and the last icon goes with the slot.
class IconSlot {
public:
    explicit IconSlot(platform::IconFactory& factory) : factory_(factory) {}
    ~IconSlot();
    IconSlot(const IconSlot&) = delete;
    IconSlot& operator=(const IconSlot&) = delete;

    // Makes the icon of the picture and hands it to `install` while the previous icon still exists (a window keeps
    // drawing the icon it was given until it gets the next one), then destroys the previous icon. The picture of
    // the current icon makes no new icon. When no icon can be made, the slot keeps the previous one; returns whether
    // the slot now holds the picture's icon.
    bool Replace(const Image& picture, const std::function<void(platform::IconHandle)>& install = {});

    platform::IconHandle Current() const { return current_; }

private:
    platform::IconFactory& factory_;
    platform::IconHandle current_ = 0;
    Image picture_;
};

}  // namespace taktora::render
