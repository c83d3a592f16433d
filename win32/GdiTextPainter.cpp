#include <windows.h>

#include <algorithm>

#include "platform/Image.h"
#include "win32/Handles.h"
#include "win32/Rects.h"
#include "win32/Text.h"
#include "win32/Win32Platform.h"

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
    return Render(font, text).width;
}

int GdiTextPainter::LineHeight(const Font& font) {
    for (const auto& [known, height] : lineHeights_) {
        if (known == font) {
            return height;
        }
    }
    Select(font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_.Get(), &metrics);
    lineHeights_.emplace_back(font, metrics.tmHeight);
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
    const BITMAPINFO format = PictureFormat(newWidth, newHeight);  // the cell's pixels read as the image's
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

const GdiTextPainter::Rendered& GdiTextPainter::Render(const Font& font, const std::string& text) {
    for (const Rendered& known : rendered_) {
        if (known.font == font && known.text == text) {
            return known;
        }
    }
    const std::wstring wide = Utf8ToWide(text);
    Select(font);
    SIZE extent{};
    GetTextExtentPoint32W(dc_.Get(), wide.data(), static_cast<int>(wide.size()), &extent);
    Rendered made;
    made.font = font;
    made.text = text;
    made.width = static_cast<int>(extent.cx);
    // Italic overhangs and the like may reach a little past the measured cell.
    made.margin = extent.cy / 2 + 1;
    made.cellWidth = std::max(static_cast<int>(extent.cx) + 2 * made.margin, 0);
    made.cellHeight = std::max(static_cast<int>(extent.cy), 0);
    made.set.assign(static_cast<std::size_t>(made.cellWidth) * made.cellHeight, false);
    // White on black: every pixel the text sets is not black afterwards.
    if (made.cellWidth > 0 && made.cellHeight > 0 && EnsureCell(made.cellWidth, made.cellHeight)) {
        const auto cellRow = [&](int row) { return cellBits_ + static_cast<std::size_t>(row) * cellWidth_; };
        GdiFlush();
        for (int row = 0; row < made.cellHeight; ++row) {
            std::fill_n(cellRow(row), made.cellWidth, Pixel{0});
        }
        SetBkMode(dc_.Get(), TRANSPARENT);
        SetTextColor(dc_.Get(), RGB(255, 255, 255));
        TextOutW(dc_.Get(), made.margin, 0, wide.data(), static_cast<int>(wide.size()));
        GdiFlush();
        for (int row = 0; row < made.cellHeight; ++row) {
            for (int column = 0; column < made.cellWidth; ++column) {
                made.set[static_cast<std::size_t>(row) * made.cellWidth + column] =
                    (cellRow(row)[column] & 0xFFFFFFu) != 0;
            }
        }
    }
    if (rendered_.size() < kRenderedKept) {
        rendered_.push_back(std::move(made));
        return rendered_.back();
    }
    Rendered& slot = rendered_[nextRendered_];
    nextRendered_ = (nextRendered_ + 1) % kRenderedKept;
    slot = std::move(made);
    return slot;
}

void GdiTextPainter::Draw(Image& image, const Font& font, int x, int y, Colour colour, const std::string& text) {
    // GDI cannot draw into the image's own memory; the text's pixels come from its rendering in the painter's DIB
    // section, made once for each font and text, and take the colour here.
    const Rendered& rendered = Render(font, text);
    const Pixel pixel = ToPixel(colour);
    const int left = x - rendered.margin;
    for (int row = 0; row < rendered.cellHeight; ++row) {
        for (int column = 0; column < rendered.cellWidth; ++column) {
            if (rendered.set[static_cast<std::size_t>(row) * rendered.cellWidth + column]) {
                image.Set(left + column, y + row, pixel);  // clipped to the picture
            }
        }
    }
}

void GdiTextPainter::SetDpi(int dpi) {
    if (dpi != dpi_) {
        dpi_ = dpi;
        fontSelection_.reset();
        selectedFont_ = nullptr;
        fonts_.clear();
        lineHeights_.clear();
        rendered_.clear();
        nextRendered_ = 0;
    }
}

}  // namespace taktora::platform::win32
