#include <windows.h>

#include <algorithm>
#include <cstring>

#include "platform/win32/Handles.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Platform.h"
#include "render/Image.h"

namespace taktora::platform::win32 {

GdiTextPainter::GdiTextPainter(int dpi) : dpi_(dpi), dc_(CreateCompatibleDC(nullptr)) {}

HFONT GdiTextPainter::FontFor(const Font& font) {
    for (const auto& [cached, handle] : fonts_) {
        if (cached == font) {
            return handle.Get();
        }
    }
    // A negative height asks for the character height without internal leading, which is what a point size means.
    GdiFont created(CreateFontW(-MulDiv(font.points, dpi_, 72), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                                FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, Utf8ToWide(font.face).c_str()));
    const HFONT handle = created.Get();
    fonts_.emplace_back(font, std::move(created));
    return handle;
}

int GdiTextPainter::MeasureWidth(const Font& font, const std::string& text) {
    const std::wstring wide = Utf8ToWide(text);
    const SelectedObject selectedFont(dc_.Get(), FontFor(font));
    SIZE extent{};
    GetTextExtentPoint32W(dc_.Get(), wide.data(), static_cast<int>(wide.size()), &extent);
    return extent.cx;
}

int GdiTextPainter::LineHeight(const Font& font) {
    const SelectedObject selectedFont(dc_.Get(), FontFor(font));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_.Get(), &metrics);
    return metrics.tmHeight;
}

void GdiTextPainter::Draw(render::Image& image, const Font& font, int x, int y, Colour colour,
                          const std::string& text) {
    // GDI cannot draw into the image's own memory, so the text goes through a small DIB section that covers just
    // the text's cell: it starts as a copy of that part of the image and is copied back afterwards.
    const std::wstring wide = Utf8ToWide(text);
    const SelectedObject selectedFont(dc_.Get(), FontFor(font));
    SIZE extent{};
    GetTextExtentPoint32W(dc_.Get(), wide.data(), static_cast<int>(wide.size()), &extent);
    // Italic overhangs and the like may reach a little past the measured cell.
    const int margin = extent.cy / 2 + 1;
    const int left = std::max(x - margin, 0);
    const int top = std::max(y, 0);
    const int right = std::min(x + static_cast<int>(extent.cx) + margin, image.Width());
    const int bottom = std::min(y + static_cast<int>(extent.cy), image.Height());
    if (right <= left || bottom <= top) {
        return;  // entirely outside the picture
    }
    const int width = right - left;
    const int height = bottom - top;

    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;  // top-down, like the image
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const GdiBitmap section(CreateDIBSection(dc_.Get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || bits == nullptr) {
        return;  // GDI out of resources: nothing can be drawn
    }
    auto* cell = static_cast<render::Pixel*>(bits);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * sizeof(render::Pixel);
    for (int row = 0; row < height; ++row) {
        std::memcpy(cell + static_cast<std::size_t>(row) * width,
                    image.Data() + static_cast<std::size_t>(top + row) * image.Width() + left, rowBytes);
    }
    {
        const SelectedObject selectedBitmap(dc_.Get(), section.Get());
        SetBkMode(dc_.Get(), TRANSPARENT);
        SetTextColor(dc_.Get(), RGB(colour.r, colour.g, colour.b));
        TextOutW(dc_.Get(), x - left, y - top, wide.data(), static_cast<int>(wide.size()));
        GdiFlush();
    }
    for (int row = 0; row < height; ++row) {
        std::memcpy(image.Data() + static_cast<std::size_t>(top + row) * image.Width() + left,
                    cell + static_cast<std::size_t>(row) * width, rowBytes);
    }
}

void GdiTextPainter::SetDpi(int dpi) {
    if (dpi != dpi_) {
        dpi_ = dpi;
        fonts_.clear();
    }
}

}  // namespace taktora::platform::win32
