#include <windows.h>

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

void GdiTextPainter::Draw(render::Image& image, const Font& font, int x, int y, Colour colour,
                          const std::string& text) {
    // GDI cannot draw into the image's own memory, so the text goes through a DIB section of the same layout that
    // starts as a copy of the image and is copied back afterwards.
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = image.Width();
    format.bmiHeader.biHeight = -image.Height();  // top-down, like the image
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const GdiBitmap section(CreateDIBSection(dc_.Get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || bits == nullptr) {
        return;  // an empty image, or GDI out of resources: nothing can be drawn
    }
    const std::size_t bytes = static_cast<std::size_t>(image.Width()) * image.Height() * sizeof(render::Pixel);
    std::memcpy(bits, image.Data(), bytes);
    {
        const SelectedObject selectedBitmap(dc_.Get(), section.Get());
        const SelectedObject selectedFont(dc_.Get(), FontFor(font));
        SetBkMode(dc_.Get(), TRANSPARENT);
        SetTextColor(dc_.Get(), RGB(colour.r, colour.g, colour.b));
        const std::wstring wide = Utf8ToWide(text);
        TextOutW(dc_.Get(), x, y, wide.data(), static_cast<int>(wide.size()));
        GdiFlush();
    }
    std::memcpy(image.Data(), bits, bytes);
}

}  // namespace taktora::platform::win32
