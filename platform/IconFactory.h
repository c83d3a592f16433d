#pragma once

#include <cstdint>

#include "platform/Image.h"

namespace taktora::platform {

// An icon made by an IconFactory, opaque to everyone else; 0 is no icon.
using IconHandle = std::uintptr_t;

// Makes the icons of the tray and the taskbar button from a finished picture.
class IconFactory {
public:
    virtual ~IconFactory() = default;
    // A fully opaque icon of the picture, or 0 when none can be made (an empty picture yields none). The caller owns
    // the icon and gives it back with Destroy.
    virtual IconHandle Make(const Image& picture) = 0;
    virtual void Destroy(IconHandle icon) = 0;
};

}  // namespace taktora::platform
