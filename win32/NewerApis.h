#pragma once

#include <windows.h>

#include <optional>

#include "platform/Types.h"

// Calls the oldest supported Windows (7) lacks or that live in a library the program does not link: each is looked
// up at run time, and each has an answer for a system without it.
namespace taktora::platform::win32 {

// The part of the window the user sees, as the desktop window manager draws it; nothing when DWM cannot tell
// (composition off, no dwmapi.dll, a window not shown yet, Wine).
std::optional<Rect> VisibleWindowRect(HWND window);

// The DPI of the window's monitor, from Windows 10 1607 on; nothing on older systems or for a handle that is no
// window.
std::optional<int> MonitorDpi(HWND window);
// The window's DPI: its monitor's from Windows 10 1607 on, the system's before.
int WindowDpi(HWND window);

// The monitor's effective DPI from Windows 8.1 on, the system's before.
int MonitorDpi(HMONITOR monitor);

// GetSystemMetricsForDpi: a system metric at a DPI; 0 on failure and before Windows 10 1607.
int SystemMetricForDpi(int index, int dpi);

// Lets a program of lower integrity (Explorer, when this program runs as administrator) send the message to the
// window.
void AllowMessageFromLowerIntegrity(HWND window, UINT message);

// The taskbar button's thumbnail and Alt+Tab's preview come from bitmaps the window hands to DWM on request
// (WM_DWMSENDICONICTHUMBNAIL, WM_DWMSENDICONICLIVEPREVIEWBITMAP) instead of a picture of the window itself. False
// where DWM cannot do that (no dwmapi.dll, Wine); then nothing changes.
bool UseIconicPreview(HWND window);
// Hands DWM the bitmap (32-bit, top-down, opaque) as the thumbnail or as the live preview; DWM keeps a copy.
void SetIconicPreview(HWND window, HBITMAP bitmap, bool thumbnail);
// The graph changed: DWM asks for new bitmaps the next time it shows them.
void InvalidateIconicPreview(HWND window);

}  // namespace taktora::platform::win32
