#pragma once

#include <string>

#include "platform/Image.h"

namespace taktora::platform {

// The program's one notification-area icon. Add and Modify make an icon of the picture, at its size, and hand it to
// the shell with the tooltip (UTF-8, cut to what the shell can hold); they return whether the shell accepted the call.
class Tray {
public:
    virtual ~Tray() = default;
    virtual bool Add(const Image& picture, const std::string& tip) = 0;
    virtual bool Modify(const Image& picture, const std::string& tip) = 0;
    virtual void Delete() = 0;
};

}  // namespace taktora::platform
