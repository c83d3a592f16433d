#include "win32/NewerApis.h"

#include <dwmapi.h>

#include "win32/Handles.h"
#include "win32/Rects.h"

namespace taktora::platform::win32 {

namespace {

template <typename Function>
Function Find(HMODULE module, const char* name) {
    return module != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                             : nullptr;
}

// Loaded once and kept for the life of the process; the system folder comes first in the search order wWinMain sets,
// and dwmapi.dll is there from Windows Vista on.
HMODULE Dwm() {
    static const HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
    return dwm;
}

int SystemDpi() {
    const WindowDc screen(nullptr);
    return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

}  // namespace

std::optional<Rect> VisibleWindowRect(HWND window) {
    static const auto getAttribute = Find<decltype(&DwmGetWindowAttribute)>(Dwm(), "DwmGetWindowAttribute");
    RECT r{};
    if (getAttribute == nullptr || FAILED(getAttribute(window, DWMWA_EXTENDED_FRAME_BOUNDS, &r, sizeof r))) {
        return std::nullopt;
    }
    return ToRect(r);
}

std::optional<int> MonitorDpi(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpi = Find<GetDpiForWindowFunction>(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
    const UINT dpi = getDpi != nullptr ? getDpi(window) : 0;
    return dpi != 0 ? std::optional(static_cast<int>(dpi)) : std::nullopt;
}

int WindowDpi(HWND window) {
    if (const std::optional<int> dpi = MonitorDpi(window)) {
        return *dpi;
    }
    return SystemDpi();
}

int MonitorDpi(HMONITOR monitor) {
    using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
    // shcore.dll is there from Windows 8.1 on; loaded once, from the system folder, and kept like dwmapi.dll.
    static const auto getDpi = Find<GetDpiForMonitorFunction>(LoadLibraryW(L"shcore.dll"), "GetDpiForMonitor");
    UINT x = 0;
    UINT y = 0;
    if (getDpi != nullptr && SUCCEEDED(getDpi(monitor, kEffectiveDpi, &x, &y)) && y != 0) {
        return static_cast<int>(y);
    }
    return SystemDpi();
}

int SystemMetricForDpi(int index, int dpi) {
    using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
    static const auto getMetric =
        Find<GetSystemMetricsForDpiFunction>(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi");
    return getMetric != nullptr && dpi > 0 ? getMetric(index, static_cast<UINT>(dpi)) : 0;
}

void AllowMessageFromLowerIntegrity(HWND window, UINT message) {
    static const auto change =
        Find<decltype(&ChangeWindowMessageFilterEx)>(GetModuleHandleW(L"user32.dll"), "ChangeWindowMessageFilterEx");
    if (change != nullptr) {
        change(window, message, MSGFLT_ALLOW, nullptr);
    }
}

bool UseIconicPreview(HWND window) {
    static const auto setAttribute = Find<decltype(&DwmSetWindowAttribute)>(Dwm(), "DwmSetWindowAttribute");
    const BOOL on = TRUE;
    return setAttribute != nullptr &&
           SUCCEEDED(setAttribute(window, DWMWA_FORCE_ICONIC_REPRESENTATION, &on, sizeof on)) &&
           SUCCEEDED(setAttribute(window, DWMWA_HAS_ICONIC_BITMAP, &on, sizeof on));
}

void SetIconicPreview(HWND window, HBITMAP bitmap, bool thumbnail) {
    static const auto setThumbnail = Find<decltype(&DwmSetIconicThumbnail)>(Dwm(), "DwmSetIconicThumbnail");
    static const auto setLivePreview =
        Find<decltype(&DwmSetIconicLivePreviewBitmap)>(Dwm(), "DwmSetIconicLivePreviewBitmap");
    if (thumbnail && setThumbnail != nullptr) {
        setThumbnail(window, bitmap, 0);
    } else if (!thumbnail && setLivePreview != nullptr) {
        setLivePreview(window, bitmap, nullptr, 0);
    }
}

void InvalidateIconicPreview(HWND window) {
    static const auto invalidate = Find<decltype(&DwmInvalidateIconicBitmaps)>(Dwm(), "DwmInvalidateIconicBitmaps");
    if (invalidate != nullptr) {
        invalidate(window);
    }
}

}  // namespace taktora::platform::win32
