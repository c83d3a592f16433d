#pragma once

#include <windows.h>

#include <optional>

namespace taktora::platform::win32 {

// The main window's sizing border where Windows 10 and 11 draw it invisibly: there the window drops its frame, the
// graph fills it, and a band along its edges resizes it. So what the user sees is the window's rectangle, the one
// the magnet, keep-on-screen and the stored place work on. Where the frame is drawn whole (Windows 7 and 8, Wine),
// nothing changes.
class WindowFrame {
public:
    // Asks DWM whether the border is invisible; DWM tells only once the window has been shown, so this is asked at
    // every show until the frame is gone. The window keeps its rectangle, which from then on is the visible one.
    void Check(HWND window);
    // The frame's answer to the message, or nothing when the window procedure answers it as it always did. A locked
    // window has no resize band; a double-click on the band is the graph's.
    std::optional<LRESULT> Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool locked);

private:
    bool frameless_ = false;
    int dpi_ = 96;
};

}  // namespace taktora::platform::win32
