#include "render/TrayIconImage.h"

#include "render/DigitStrips.h"

namespace taktora::render {

namespace {

constexpr Pixel kBlack = Rgb(0, 0, 0);
constexpr int kMaxLoad = 100;

int WholeLoad(float load) {
    if (!(load >= 0.0f)) {  // also catches NaN
        return 0;
    }
    if (load >= static_cast<float>(kMaxLoad)) {
        return kMaxLoad;
    }
    return static_cast<int>(load);
}

// Start column of the first digit cell, indexed [centred][bold][band] with the bands 0, 1, 2..9, 10..19, 20..99, 100.
// A lone "1" only lights the right edge of its cell, so centring moves it further left than other single digits.
constexpr int kStartColumn[2][2][6] = {
    {{8, 8, 8, 3, 3, -1}, {8, 8, 8, 2, 2, -2}},
    {{6, 5, 6, 2, 3, -1}, {6, 5, 6, 1, 2, -2}},
};

int StartColumnBand(int load) {
    if (load <= 1) {
        return load;
    }
    if (load < 10) {
        return 2;
    }
    if (load < 20) {
        return 3;
    }
    return load < kMaxLoad ? 4 : 5;
}

}  // namespace

std::string IconTooltip(float load) {
    return " CPU-Auslastung: " + std::to_string(WholeLoad(load)) + "% ";
}

TrayIconPicture::TrayIconPicture() : picIcon_(kIconSize, kIconSize, kBlack) {
    for (int f = 0; f < 2; ++f) {
        picNum_[f] = MakeDigitStrip(f == 1);
        picNumS_[f] = MakeShadowStrip(picNum_[f]);
    }
}

bool TrayIconPicture::Update(float load, const IconSwitches& switches, const IconFrameColours& frame) {
    const int n = WholeLoad(load);
    RecordHistory(n);
    if (!switches.tray && !switches.taskbar) {
        return false;
    }
    picIcon_.Fill(kBlack);
    DrawMiniGraph();
    if (switches.digits) {
        DrawDigits(n, switches);
    }
    DrawFrame(frame);
    return true;
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

void TrayIconPicture::DrawMiniGraph() {
    constexpr int kBottom = kIconSize - 1;
    for (int k = kBars - iconCount_; k < kBars; ++k) {
        const int x = k + 1;
        // The top row of a bar is 14 - load * 14 / 100 rounded down; with the load in 0..100 the numerator below is
        // never negative, so integer division rounds down exactly.
        const int top = kBars * (kMaxLoad - iconHistory_[k + 1]) / kMaxLoad;
        picIcon_.Line(x, top + 1, x, kBottom, kIconBar);
        if (top > 0) {
            picIcon_.Set(x, top, kIconBarTop);
        }
    }
}

void TrayIconPicture::DrawDigits(int load, const IconSwitches& switches) {
    const int f = switches.bold ? 1 : 0;
    const Image& digits = picNum_[f];
    const Image& shadow = picNumS_[f];
    const int cellWidth = digits.Width() / 10;
    const int top = kIconSize / 2 - digits.Height() / 2;
    int left = kStartColumn[switches.centred ? 1 : 0][f][StartColumnBand(load)];
    for (const char character : std::to_string(load)) {
        const int source = (character - '0') * cellWidth;
        for (int row = 0; row < digits.Height(); ++row) {
            for (int column = 0; column < cellWidth; ++column) {
                const int x = left + column;
                const int y = top + row;
                if (picIcon_.Contains(x, y)) {
                    // The shadow is stamped (AND) before the glyph is laid over it (OR), as with a masked blit.
                    const Pixel masked = picIcon_.At(x, y) & shadow.At(source + column, row);
                    picIcon_.Set(x, y, masked | digits.At(source + column, row));
                }
            }
        }
        left += cellWidth;
    }
}

void TrayIconPicture::DrawFrame(const IconFrameColours& frame) {
    const Pixel dark = ToPixel(frame.darkShadow);
    const Pixel light = ToPixel(frame.highlight);
    picIcon_.Line(0, 0, 0, kIconSize, dark);
    picIcon_.Line(0, 0, kIconSize, 0, dark);
    picIcon_.Line(kIconSize - 1, 0, kIconSize - 1, kIconSize, light);
    picIcon_.Line(1, kIconSize - 1, kIconSize - 1, kIconSize - 1, light);
}

}  // namespace taktora::render
