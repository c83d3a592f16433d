#pragma once

#include <array>
#include <optional>
#include <string>

#include "platform/Desktop.h"
#include "platform/Image.h"
#include "platform/Types.h"

namespace taktora::render {

constexpr int kIconSize = 16;
constexpr int kMaxIconSize = 256;  // the largest icon Windows knows
constexpr Pixel kIconBar = Rgb(0, 128, 0);
constexpr Pixel kIconBarTop = Rgb(96, 204, 96);

// The options that shape the icon, read from the settings dialog at every update.
struct IconSwitches {
    bool tray{};     // CkT: the tray icon is wanted
    bool taskbar{};  // CkG: the taskbar button is shown
    bool digits{};   // CkN: the load as digits over the mini graph
    bool bold{};     // CkD
    bool centred{};  // CkZ: unticked means right-aligned
};

// The sunken frame: the system's 3-D dark-shadow colour (index 21) on the left and top, its 3-D highlight colour
// (index 20) on the right and bottom.
struct IconFrameColours {
    platform::Colour darkShadow;
    platform::Colour highlight;
};

// The tray tooltip for a load, " CPU-Auslastung: 37% "; the load is taken as in the icon picture.
std::string IconTooltip(float load);

// The sides in pixels of the icons as the shell shows them: the small one (the tray, a taskbar with small buttons)
// and the big one of a taskbar button.
struct IconSizes {
    int small = kIconSize;
    int big = kIconSize;
};

// The sizes now. Windows 10 and 11 (known by GetSystemMetricsForDpi, from 1607 on) scale their icons to the taskbar's
// monitor and show a button's icon 24 pixels wide at 100 %, so a bigger one would only be shrunk; older systems scale
// everything to the system's DPI and show the big icon at its full size.
IconSizes ShellIconSizes(platform::Desktop& desktop);

// The picture of the current load: a mini bar graph of the last 14 updates, optionally the load as digits with a
// drop shadow, inside a sunken frame. The load is taken as its whole part, clamped to 0..100 (NaN counts as 0), so
// no stray reading can push the bars or the digits off their tables.
class TrayIconPicture {
public:
    TrayIconPicture();

    // Records the load in the icon history on every call, even when neither the tray icon nor the taskbar button
    // wants a picture, so that switching one on later shows the recent bars at once. Returns whether the picture
    // changed to this update's; when it did not, Canvas keeps showing the previous one.
    bool Update(float load, const IconSwitches& switches, const IconFrameColours& frame);

    // The picture, size x size pixels; a size an icon cannot have gives the 16-pixel one. The graph and the frame are
    // drawn at the full size; the digits are the 16-pixel glyphs enlarged by a whole factor, where the 16-pixel
    // layout puts them, so that every stroke is equally thick. Black before the first update that wanted a picture.
    Image Canvas(int size = kIconSize) const;

private:
    static constexpr int kBars = 14;
    // Positions 1 to 15 are used; the newest value sits at 14 (and stays at 15 until the next update).
    using History = std::array<int, kBars + 2>;

    // What the picture shows.
    struct Scene {
        History history{};
        int count{};
        int load{};
        IconSwitches switches;
        IconFrameColours frame{};
    };

    void RecordHistory(int load);
    static void DrawMiniGraph(Image& canvas, const Scene& scene);
    void DrawDigits(Image& canvas, const Scene& scene) const;
    static void DrawFrame(Image& canvas, const IconFrameColours& frame);

    History iconHistory_{};
    int iconCount_ = 0;

    std::optional<Scene> scene_;    // the last update's that wanted a picture
    std::array<Image, 2> picNum_;   // regular, bold
    std::array<Image, 2> picNumS_;  // their shadows
};

}  // namespace taktora::render
