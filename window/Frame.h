#pragma once

#include "platform/Types.h"

// The main window without a frame. Windows 10 and 11 draw the sizing border of a caption-less window invisibly,
// save a light strip along its top, so the graph would not reach the window's visible edges; there the graph
// fills the whole window and a band along its edges resizes it.
namespace taktora::window {

// The band's width at 96 DPI; it grows with the screen's scale.
constexpr int kResizeBand = 6;

// Whether the desktop draws part of the window's rectangle invisibly: the visible rectangle it reports lies inside
// the window and is smaller. Equal rectangles (Windows 7 and 8 draw the whole frame) and answers that make no sense
// keep the frame.
bool HasInvisibleFrame(const platform::Rect& window, const platform::Rect& visible);

// What a point of the frameless window is for. Outside: not in the window at all.
enum class WindowPart { Outside, Graph, Left, Right, Top, Bottom, TopLeft, TopRight, BottomLeft, BottomRight };

// The part under the screen point (x, y). The band is kResizeBand pixels scaled to `dpi` (a DPI that is not a
// positive number counts as 96), and never more than a third of the window on each axis, so a tiny window keeps a
// middle to drag it by. A locked window has no band, so no resize cursor shows.
WindowPart HitTest(const platform::Rect& window, int x, int y, int dpi, bool locked);

// Whether a double-click on the part is the graph's: anywhere in the window, band included. Windows would answer one
// on the top or bottom band by stretching the window to the screen's full height (Aero Snap).
bool IsGraphDoubleClick(WindowPart part);

}  // namespace taktora::window
