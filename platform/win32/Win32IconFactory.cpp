#include "platform/win32/Win32IconFactory.h"

#include <windows.h>

#include <cstddef>
#include <vector>

#include "platform/win32/Handles.h"
#include "render/Image.h"

namespace taktora::platform::win32 {
namespace {

// The colour bitmap: the picture as a top-down 32-bit DIB section, needing no device context. Every alpha byte is
// set, so the icon is opaque also where the system honours the alpha channel instead of the mask.
GdiBitmap MakeColourBitmap(const render::Image& picture) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.Width();
    info.bmiHeader.biHeight = -picture.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    GdiBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) {
        return {};
    }
    const std::size_t count = static_cast<std::size_t>(picture.Width()) * picture.Height();
    auto* target = static_cast<render::Pixel*>(bits);
    for (std::size_t i = 0; i < count; ++i) {
        target[i] = picture.Data()[i] | 0xFF000000u;
    }
    return bitmap;
}

// The mask: a monochrome bitmap with every bit clear, so that every pixel shows the colour bitmap. Its rows are
// padded to whole 16-bit words.
GdiBitmap MakeOpaqueMask(int width, int height) {
    const std::size_t stride = (static_cast<std::size_t>(width) + 15) / 16 * 2;
    const std::vector<BYTE> clear(stride * height, 0);
    return GdiBitmap(CreateBitmap(width, height, 1, 1, clear.data()));
}

}  // namespace

IconHandle Win32IconFactory::Make(const render::Image& small) {
    if (small.Width() <= 0 || small.Height() <= 0) {
        return 0;
    }
    // On a scaled screen the shell wants a larger small icon; whole pixels keep the digits sharp.
    const render::Image picture = render::Enlarge(small, GetSystemMetrics(SM_CXSMICON) / small.Width());
    const GdiBitmap colour = MakeColourBitmap(picture);
    const GdiBitmap mask = MakeOpaqueMask(picture.Width(), picture.Height());
    if (!colour || !mask) {
        return 0;
    }
    // The icon gets copies of both bitmaps, which go when this call returns.
    ICONINFO info{};
    info.fIcon = TRUE;
    info.xHotspot = 0;
    info.yHotspot = 0;
    info.hbmMask = mask.Get();
    info.hbmColor = colour.Get();
    return reinterpret_cast<IconHandle>(CreateIconIndirect(&info));
}

void Win32IconFactory::Destroy(IconHandle icon) {
    const Icon owned(reinterpret_cast<HICON>(icon));  // destroyed on leaving
}

}  // namespace taktora::platform::win32
