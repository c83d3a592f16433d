#pragma once

#include <cstdint>

#include "platform/IconFactory.h"
#include "platform/Image.h"
#include "win32/Handles.h"

namespace taktora::platform::win32 {

// Icons made with CreateIconIndirect; the handles are HICONs. Each icon has the size of its picture, which is drawn
// at the size the shell shows it. The colour bitmap and the mask the icons are made from are kept between calls (the
// icon gets copies of them), so an update of the same size creates one GDI object, the icon. The colour bitmap has 24
// bits a pixel: the icon is opaque through its clear mask alone, and an icon without an alpha channel is made and
// copied without the premultiplied alpha bitmap that Windows and Wine build beside a 32-bit one.
class Win32IconFactory final : public IconFactory {
public:
    IconHandle Make(const Image& picture) override;
    void Destroy(IconHandle icon) override;

private:
    bool EnsureBitmaps(int width, int height);

    GdiBitmap colour_;
    std::uint8_t* colourBits_ = nullptr;
    GdiBitmap mask_;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace taktora::platform::win32
