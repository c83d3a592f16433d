#include "render/TrayIconImage.h"

#include <algorithm>
#include <cmath>

#include "base/LoadHistory.h"
#include "render/DigitStrips.h"

namespace taktora::render {

namespace {

constexpr Pixel kBlack = Rgb(0, 0, 0);
constexpr int kMaxLoad = 100;

// Start column of the first digit cell, indexed [centred][bold][band] with the bands 0, 1, 2..9, 10..19, 20..99, 100.
// A lone "1" only lights the right edge of its cell, so centring moves it further left than other single digits.
constexpr int kStartColumn[][2][6] = {
    {{8, 8, 8, 3, 3, -1}, {8, 8, 8, 2, 2, -2}},
    {{6, 5, 6, 2, 3, -1}, {6, 5, 6, 1, 2, -2}},
};

int StartColumnBand(int load) {
    if (load < 10) {
        return std::min(load, 2);
    }
    if (load < 20) {
        return 3;
    }
    return load < kMaxLoad ? 4 : 5;
}

}  // namespace

std::string IconTooltip(float load) {
    return " CPU-Auslastung: " + std::to_string(WholePercent(load)) + "% ";
}

IconSizes ShellIconSizes(platform::Desktop& desktop) {
    constexpr int kSmallIconMetric = 49;  // SM_CXSMICON
    constexpr int kIconMetric = 11;       // SM_CXICON
    constexpr int kTaskbarIcon = 24;      // at 96 DPI
    constexpr int kDefaultDpi = 96;
    const int dpi = desktop.TaskbarDpi();
    if (const int small = desktop.SystemMetricForDpi(kSmallIconMetric, dpi); small > 0) {
        return {small, (kTaskbarIcon * dpi + kDefaultDpi / 2) / kDefaultDpi};
    }
    return {desktop.SystemMetric(kSmallIconMetric), desktop.SystemMetric(kIconMetric)};
}

TrayIconPicture::TrayIconPicture() {
    for (int f = 0; f < 2; ++f) {
        picNum_[f] = MakeDigitStrip(f == 1);
        picNumS_[f] = MakeShadowStrip(picNum_[f]);
    }
}

bool TrayIconPicture::Update(float load, const IconSwitches& switches, const IconFrameColours& frame) {
    const int n = WholePercent(load);
    RecordHistory(n);
    if (!switches.tray && !switches.taskbar) {
        return false;
    }
    scene_ = Scene{iconHistory_, iconCount_, n, switches, frame};
    return true;
}

Image TrayIconPicture::Canvas(int size) const {
    if (size < kIconSize || size > kMaxIconSize) {
        size = kIconSize;
    }
    Image canvas(size, size, kBlack);
    if (scene_) {
        DrawMiniGraph(canvas, *scene_);
        if (scene_->switches.digits) {
            DrawDigits(canvas, *scene_);
        }
        DrawFrame(canvas, scene_->frame);
    }
    return canvas;
}

void TrayIconPicture::RecordHistory(int load) {
    iconHistory_[kBars + 1] = load;
    for (int k = 1; k <= kBars; ++k) {
        iconHistory_[k] = iconHistory_[k + 1];
    }
    if (iconCount_ < kBars) {
        ++iconCount_;
    }
}

void TrayIconPicture::DrawMiniGraph(Image& canvas, const Scene& scene) {
    // Inside the frame; at 16 pixels every bar is one column wide, at other sizes the bars share the width as evenly
    // as whole columns allow.
    const int inner = canvas.Width() - 2;
    const int bottom = canvas.Height() - 2;  // the frame's last row lies below
    for (int k = kBars - scene.count; k < kBars; ++k) {
        // The top row of a bar is inner - load * inner / 100 rounded down; with the load in 0..100 the numerator
        // below is never negative, so integer division rounds down exactly.
        const int top = inner * (kMaxLoad - scene.history[k + 1]) / kMaxLoad;
        for (int x = 1 + k * inner / kBars; x < 1 + (k + 1) * inner / kBars; ++x) {
            canvas.Line(x, top + 1, x, bottom, kIconBar);
            canvas.Set(x, top, kIconBarTop);  // a full bar's top lies under the frame
        }
    }
}

void TrayIconPicture::DrawDigits(Image& canvas, const Scene& scene) const {
    const int f = scene.switches.bold ? 1 : 0;
    const Image& digits = picNum_[f];
    const Image& shadow = picNumS_[f];
    const int cellWidth = digits.Width() / 10;
    const std::string text = std::to_string(scene.load);
    // Only a whole factor keeps every stroke equally thick; the factor never makes the digits take more of the
    // picture than at 16 pixels.
    const int factor = canvas.Width() / kIconSize;
    const int textWidth = cellWidth * static_cast<int>(text.size());
    // The digits' middle goes where the 16-pixel layout has it, scaled to the picture.
    const int left16 = kStartColumn[scene.switches.centred ? 1 : 0][f][StartColumnBand(scene.load)];
    const int left = static_cast<int>(
        std::floor(((2.0 * left16 + textWidth) * canvas.Width() / kIconSize - textWidth * factor) / 2.0));
    const int top = canvas.Height() / 2 - digits.Height() * factor / 2;
    // The strip column behind every picture column the digits cover; three digits start left of the picture.
    const int first = std::max(left, 1);  // column 0 is the frame's
    const int last = std::min(left + textWidth * factor, canvas.Width());
    std::array<int, kMaxIconSize> sourceColumn;  // only [first, last) is used
    for (int x = first; x < last; ++x) {
        const int column = (x - left) / factor;
        sourceColumn[x] = (text[column / cellWidth] - '0') * cellWidth + column % cellWidth;
    }
    for (int y = std::max(top, 0); y < std::min(top + digits.Height() * factor, canvas.Height()); ++y) {
        const int row = (y - top) / factor;
        const Pixel* dark = shadow.Row(row);
        const Pixel* light = digits.Row(row);
        Pixel* out = canvas.Row(y);
        for (int x = first; x < last; ++x) {
            // The shadow is stamped (AND) before the glyph is laid over it (OR), as with a masked blit.
            out[x] = (out[x] & dark[sourceColumn[x]]) | light[sourceColumn[x]];
        }
    }
}

void TrayIconPicture::DrawFrame(Image& canvas, const IconFrameColours& frame) {
    const Pixel dark = ToPixel(frame.darkShadow);
    const Pixel light = ToPixel(frame.highlight);
    const int size = canvas.Width();
    canvas.Line(0, 0, 0, size, dark);
    canvas.Line(0, 0, size, 0, dark);
    canvas.Line(size - 1, 0, size - 1, size, light);
    canvas.Line(1, size - 1, size - 1, size - 1, light);
}

}  // namespace taktora::render
