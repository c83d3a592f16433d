#pragma once

#include <optional>
#include <vector>

#include "platform/Types.h"

// Where the main window may go and how big it may get. Every rule works on whole screen pixels and takes the
// screen as a rectangle, so a monitor that does not start at (0, 0) needs no special case.
namespace taktora::window {

// The program's own numbering; it differs from the shell's ABE_* values.
enum class TaskbarEdge { Left, Right, Top, Bottom };

constexpr int kMagnetDistance = 8;
// Room left free below a window pulled back onto the screen.
constexpr int kBottomClearance = 28;
constexpr int kMinTrackWidth = 125;
constexpr int kMinTrackHeight = 50;

// A taskbar that is not as high as the screen lies along the top or bottom edge. A failed query gives an empty
// rectangle, which reads as Top.
TaskbarEdge GetTaskbarEdge(const platform::Rect& taskbar, const platform::Rect& screen);
// The part of the taskbar above the screen's lower edge; 0 for an empty rectangle.
int GetTaskbarHeight(const platform::Rect& taskbar, const platform::Rect& screen);

// The vertical range the magnet snaps to: the screen minus a taskbar at the top or bottom.
struct SnapLimits {
    int TopLimit{};
    int BottomLimit{};
    bool operator==(const SnapLimits&) const = default;
};
SnapLimits GetSnapLimits(TaskbarEdge edge, int taskbarHeight, const platform::Rect& screen);

// One set for the whole program: the anchor is where the pointer sat inside the graph area when no button was held.
struct DragState {
    int DragAnchorX{};
    int DragAnchorY{};
    int DragX{};
    int DragY{};
};

// One mouse move over the graph area. `button` is the button mask (0 none, 1 left alone); `x`, `y` are graph-area
// pixels; `magnet` is kMagnetDistance or 0. Returns the window rectangle (same size) to move to, or nothing when the
// window stays where it is.
std::optional<platform::Rect> FormMove(DragState& state, const platform::Rect& window, int button, int x, int y,
                                       int magnet, const platform::Rect& taskbar, const platform::Rect& screen);

// The monitor that holds the largest part of the window; when no monitor holds any of it (a monitor was removed),
// the nearest one. An empty list reads as one 1024 x 768 screen.
platform::Rect MonitorFor(const platform::Rect& window, const std::vector<platform::Rect>& monitors);
bool OnAnyMonitor(const platform::Rect& window, const std::vector<platform::Rect>& monitors);
// The rectangle around all monitors (Windows' virtual screen); an empty list reads as one 1024 x 768 screen.
platform::Rect VirtualScreen(const std::vector<platform::Rect>& monitors);

// Pulls a window back inside the screen. Used by the refresh tick and, once, at start-up.
platform::Rect KeepOnScreen(const platform::Rect& window, const platform::Rect& screen);

// The refresh tick's protection and keep-on-screen rules together. `kept` is the remembered geometry; it is
// updated as the tick would. Returns where the window has to go, or nothing when it may stay as it is.
std::optional<platform::Rect> EnforceTickGeometry(const platform::Rect& window, platform::Rect& kept, bool locked,
                                                  bool magnetic, const platform::Rect& screen);

// The answer to the system's minimum/maximum tracking-size query.
struct MinMaxLimits {
    int MinWidth = kMinTrackWidth;
    int MinHeight = kMinTrackHeight;
    int MaxWidth{};
    int MaxHeight{};
    bool operator==(const MinMaxLimits&) const = default;
};

// The maxima add the screen's size in twips to the window's size in pixels: far beyond any screen, so only the
// minimum constrains resizing. A twips-per-pixel factor that is not a positive number counts as 15 (96 dpi).
MinMaxLimits UnlockedLimits(const platform::Rect& window, const platform::Rect& screen, float twipsX, float twipsY);
// Minimum equals maximum, so the sizing border cannot change the size.
MinMaxLimits LockedLimits(const platform::Rect& window);

}  // namespace taktora::window
