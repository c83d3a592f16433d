#include <windows.h>

#include <shellapi.h>

#include "win32/Handles.h"
#include "win32/Rects.h"
#include "win32/Win32Platform.h"

namespace taktora::platform::win32 {

Size Win32Desktop::ScreenSize() {
    return Size{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

int Win32Desktop::Dpi() {
    const WindowDc screen(nullptr);
    return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

Rect Win32Desktop::TaskbarRect() {
    APPBARDATA bar{};
    bar.cbSize = sizeof bar;
    if (SHAppBarMessage(ABM_GETTASKBARPOS, &bar) == 0) {
        return {};
    }
    return ToRect(bar.rc);
}

std::vector<Rect> Win32Desktop::Monitors() {
    std::vector<Rect> monitors;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, RECT*, LPARAM list) -> BOOL {
            MONITORINFO info{};
            info.cbSize = sizeof info;
            if (GetMonitorInfoW(monitor, &info)) {
                reinterpret_cast<std::vector<Rect>*>(list)->push_back(ToRect(info.rcMonitor));
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

Colour Win32Desktop::SystemColour(int index) {
    const COLORREF colour = GetSysColor(index);
    return Colour{GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

}  // namespace taktora::platform::win32
