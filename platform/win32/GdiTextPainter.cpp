#include <windows.h>

#include <algorithm>
#include <cstring>

#include "platform/Image.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Platform.h"

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

void GdiTextPainter::Select(const Font& font) {
    const HFONT handle = FontFor(font);
    if (handle == selectedFont_) {
        return;
    }
    if (fontSelection_) {
        fontSelection_->Replace(handle);
    } else {
        fontSelection_.emplace(dc_.Get(), handle);
    }
    selectedFont_ = handle;
}

int GdiTextPainter::MeasureWidth(const Font& font, const std::string& text) {
    const std::wstring wide = Utf8ToWide(text);
    Select(font);
    SIZE extent{};
    GetTextExtentPoint32W(dc_.Get(), wide.data(), static_cast<int>(wide.size()), &extent);
    return extent.cx;
}

int GdiTextPainter::LineHeight(const Font& font) {
    Select(font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_.Get(), &metrics);
    return metrics.tmHeight;
}

bool GdiTextPainter::EnsureCell(int width, int height) {
    if (width <= cellWidth_ && height <= cellHeight_) {
        return true;
    }
    cellSelection_.reset();
    cell_.Reset();
    cellBits_ = nullptr;
    cellWidth_ = cellHeight_ = 0;
    // Grown generously, so that a few sizes cover every text of a run.
    const int newWidth = std::max(width, 256);
    const int newHeight = std::max(height, 32);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = newWidth;
    format.bmiHeader.biHeight = -newHeight;  // top-down, like the image
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    GdiBitmap section(CreateDIBSection(dc_.Get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || bits == nullptr) {
        return false;  // GDI out of resources: nothing can be drawn
    }
    cell_ = std::move(section);
    cellBits_ = static_cast<Pixel*>(bits);
    cellWidth_ = newWidth;
    cellHeight_ = newHeight;
    cellSelection_.emplace(dc_.Get(), cell_.Get());
    return true;
}

void GdiTextPainter::Draw(Image& image, const Font& font, int x, int y, Colour colour, const std::string& text) {
    // GDI cannot draw into the image's own memory, so the text goes through a DIB section that covers the text's
    // cell: it takes a copy of that part of the image and is copied back afterwards.
    const std::wstring wide = Utf8ToWide(text);
    Select(font);
    SIZE extent{};
    GetTextExtentPoint32W(dc_.Get(), wide.data(), static_cast<int>(wide.size()), &extent);
    // Italic overhangs and the like may reach a little past the measured cell.
    const int margin = extent.cy / 2 + 1;
    const int left = std::max(x - margin, 0);
    const int top = std::max(y, 0);
    const int right = std::min(x + static_cast<int>(extent.cx) + margin, image.Width());
    const int bottom = std::min(y + static_cast<int>(extent.cy), image.Height());
    if (right <= left || bottom <= top || !EnsureCell(right - left, bottom - top)) {
        return;  // entirely outside the picture, or no cell to draw in
    }
    const int width = right - left;
    const int height = bottom - top;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * sizeof(Pixel);
    const auto imageRow = [&](int row) {
        return image.Data() + static_cast<std::size_t>(top + row) * image.Width() + left;
    };
    const auto cellRow = [&](int row) { return cellBits_ + static_cast<std::size_t>(row) * cellWidth_; };
    GdiFlush();
    for (int row = 0; row < height; ++row) {
        std::memcpy(cellRow(row), imageRow(row), rowBytes);
    }
    SetBkMode(dc_.Get(), TRANSPARENT);
    SetTextColor(dc_.Get(), RGB(colour.r, colour.g, colour.b));
    TextOutW(dc_.Get(), x - left, y - top, wide.data(), static_cast<int>(wide.size()));
    GdiFlush();
    for (int row = 0; row < height; ++row) {
        std::memcpy(imageRow(row), cellRow(row), rowBytes);
    }
}

void GdiTextPainter::SetDpi(int dpi) {
    if (dpi != dpi_) {
        dpi_ = dpi;
        fontSelection_.reset();
        selectedFont_ = nullptr;
        fonts_.clear();
    }
}

}  // namespace taktora::platform::win32
