#include "win32/Win32IconFactory.h"

#include <windows.h>

#include <cstddef>
#include <vector>

#include "platform/Image.h"
#include "win32/Handles.h"
#include "win32/Rects.h"

namespace taktora::platform::win32 {

bool Win32IconFactory::EnsureBitmaps(int width, int height) {
    if (width == width_ && height == height_ && colour_ && mask_) {
        return true;
    }
    colour_.Reset();
    mask_.Reset();
    colourBits_ = nullptr;
    width_ = height_ = 0;

    // The colour bitmap: a top-down 24-bit DIB section, needing no device context; its rows are padded to whole
    // 32-bit words.
    const BITMAPINFO info = TopDownFormat(width, height, 24);
    void* bits = nullptr;
    GdiBitmap colour(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    // The mask: a monochrome bitmap with every bit clear, so that every pixel shows the colour bitmap. Its rows are
    // padded to whole 16-bit words.
    const std::size_t stride = (static_cast<std::size_t>(width) + 15) / 16 * 2;
    const std::vector<BYTE> clear(stride * height, 0);
    GdiBitmap mask(CreateBitmap(width, height, 1, 1, clear.data()));
    if (!colour || bits == nullptr || !mask) {
        return false;
    }
    colour_ = std::move(colour);
    mask_ = std::move(mask);
    colourBits_ = static_cast<std::uint8_t*>(bits);
    width_ = width;
    height_ = height;
    return true;
}

IconHandle Win32IconFactory::Make(const Image& picture) {
    if (picture.Width() <= 0 || picture.Height() <= 0) {
        return 0;
    }
    if (!EnsureBitmaps(picture.Width(), picture.Height())) {
        return 0;
    }
    GdiFlush();
    const std::size_t stride = (static_cast<std::size_t>(picture.Width()) * 3 + 3) / 4 * 4;  // whole 32-bit words
    for (int y = 0; y < picture.Height(); ++y) {
        const Pixel* in = picture.Row(y);
        std::uint8_t* out = colourBits_ + y * stride;
        for (int x = 0; x < picture.Width(); ++x, ++in, out += 3) {
            out[0] = static_cast<std::uint8_t>(*in);  // blue, green, red, as in the picture's pixels
            out[1] = static_cast<std::uint8_t>(*in >> 8);
            out[2] = static_cast<std::uint8_t>(*in >> 16);
        }
    }
    ICONINFO info{};
    info.fIcon = TRUE;
    info.xHotspot = 0;
    info.yHotspot = 0;
    info.hbmMask = mask_.Get();
    info.hbmColor = colour_.Get();
    return reinterpret_cast<IconHandle>(CreateIconIndirect(&info));
}

void Win32IconFactory::Destroy(IconHandle icon) {
    const Icon owned(reinterpret_cast<HICON>(icon));  // destroyed on leaving
}

}  // namespace taktora::platform::win32
