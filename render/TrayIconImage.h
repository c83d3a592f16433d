#pragma once

#include <array>
#include <string>

#include "platform/Image.h"
#include "platform/Types.h"

namespace taktora::render {

constexpr int kIconSize = 16;
constexpr Pixel kIconBar = Rgb(0, 128, 0);
constexpr Pixel kIconBarTop = Rgb(96, 204, 96);

// The options that shape the icon, read from the settings dialog at every update.
struct IconSwitches {
    bool tray = false;     // CkT: the tray icon is wanted
    bool taskbar = false;  // CkG: the taskbar button is shown
    bool digits = false;   // CkN: the load as digits over the mini graph
    bool bold = false;     // CkD
    bool centred = false;  // CkZ: unticked means right-aligned
};

// The sunken frame: the system's 3-D dark-shadow colour (index 21) on the left and top, its 3-D highlight colour
// (index 20) on the right and bottom.
struct IconFrameColours {
    platform::Colour darkShadow;
    platform::Colour highlight;
};

// The tray tooltip for a load, " CPU-Auslastung: 37% "; the load is taken as in the icon picture.
std::string IconTooltip(float load);

// The 16 x 16 picture of the current load: a mini bar graph of the last 14 updates, optionally the load as digits
// with a drop shadow, inside a sunken frame. The load is taken as its whole part, clamped to 0..100 (NaN counts as 0),
// so no stray reading can push the bars or the digits off their tables.
class TrayIconPicture {
public:
    TrayIconPicture();

    // Records the load in the icon history on every call, even when neither the tray icon nor the taskbar button
    // wants a picture, so that switching one on later shows the recent bars at once. Returns whether the canvas was
    // redrawn; when it was not, it keeps the previous picture.
    bool Update(float load, const IconSwitches& switches, const IconFrameColours& frame);

    const Image& Canvas() const { return picIcon_; }

private:
    static constexpr int kBars = 14;

    void RecordHistory(int load);
    void DrawMiniGraph();
    void DrawDigits(int load, const IconSwitches& switches);
    void DrawFrame(const IconFrameColours& frame);

    // Positions 1 to 15 are used; the newest value sits at 14 (and stays at 15 until the next update).
    std::array<int, kBars + 2> iconHistory_{};
    int iconCount_ = 0;

    Image picIcon_;
    std::array<Image, 2> picNum_;   // regular, bold
    std::array<Image, 2> picNumS_;  // their shadows
};

}  // namespace taktora::render
