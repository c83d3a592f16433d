#pragma once

#include <cstdint>

#include "platform/IconFactory.h"
#include "platform/Image.h"
#include "win32/Handles.h"

namespace taktora::platform::win32 {

// Icons made with CreateIconIndirect; the handles are HICONs. Each icon has the size the shell asks for through
// one system metric (SM_CXSMICON for the tray and the small taskbar icon, SM_CXICON for the big one): the picture
// is scaled to it here, in whole pixels, rather than stretched and blurred by Explorer at 125 to 175 %. The colour
// bitmap and the mask the icons are made from are kept between calls (the icon gets copies of them), so an update
// creates one GDI object, the icon. The colour bitmap has 24 bits a pixel: the icon is opaque through its clear mask
// alone, and an icon without an alpha channel is made and copied without the premultiplied alpha bitmap that
// Windows and Wine build beside a 32-bit one.
class Win32IconFactory final : public IconFactory {
public:
    explicit Win32IconFactory(int sizeMetric) : sizeMetric_(sizeMetric) {}
    IconHandle Make(const Image& picture) override;
    void Destroy(IconHandle icon) override;

private:
    bool EnsureBitmaps(int width, int height);

    int sizeMetric_;
    GdiBitmap colour_;
    std::uint8_t* colourBits_ = nullptr;
    GdiBitmap mask_;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace taktora::platform::win32
