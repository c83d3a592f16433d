#pragma once

#include "platform/IconFactory.h"
#include "platform/Image.h"
#include "platform/win32/Handles.h"

namespace taktora::platform::win32 {

// Icons made with CreateIconIndirect; the handles are HICONs. The colour bitmap and the mask the icons are made
// from are kept between calls (the icon gets copies of them), so an update creates one GDI object, the icon.
class Win32IconFactory final : public IconFactory {
public:
    IconHandle Make(const Image& picture) override;
    void Destroy(IconHandle icon) override;

private:
    bool EnsureBitmaps(int width, int height);

    GdiBitmap colour_;
    Pixel* colourBits_ = nullptr;
    GdiBitmap mask_;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace taktora::platform::win32
