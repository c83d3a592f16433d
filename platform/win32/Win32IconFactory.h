#pragma once

#include "platform/IconFactory.h"

namespace taktora::platform::win32 {

// Icons made with CreateIconIndirect; the handles are HICONs.
class Win32IconFactory final : public IconFactory {
public:
    IconHandle Make(const render::Image& picture) override;
    void Destroy(IconHandle icon) override;
};

}  // namespace taktora::platform::win32
