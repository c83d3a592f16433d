#include <windows.h>

#include <shellapi.h>

#include "win32/Handles.h"
#include "win32/NewerApis.h"
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

int Win32Desktop::TaskbarDpi() {
    // The taskbar that holds the notification area; without a shell, the primary monitor.
    return MonitorDpi(MonitorFromWindow(FindWindowW(L"Shell_TrayWnd", nullptr), MONITOR_DEFAULTTOPRIMARY));
}

int Win32Desktop::SystemMetricForDpi(int index, int dpi) {
    return win32::SystemMetricForDpi(index, dpi);
}

int Win32Desktop::SystemMetric(int index) {
    return GetSystemMetrics(index);
}

Colour Win32Desktop::SystemColour(int index) {
    return ToColour(GetSysColor(index));
}

}  // namespace taktora::platform::win32
