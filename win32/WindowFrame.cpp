#include "win32/WindowFrame.h"

#include <windowsx.h>

#include "win32/NewerApis.h"
#include "win32/Rects.h"
#include "window/Frame.h"

namespace taktora::platform::win32 {

namespace {

LRESULT HitCode(window::WindowPart part) {
    using enum window::WindowPart;
    switch (part) {
        case Outside:
            return HTNOWHERE;
        case Graph:
            return HTCLIENT;
        case Left:
            return HTLEFT;
        case Right:
            return HTRIGHT;
        case Top:
            return HTTOP;
        case Bottom:
            return HTBOTTOM;
        case TopLeft:
            return HTTOPLEFT;
        case TopRight:
            return HTTOPRIGHT;
        case BottomLeft:
            return HTBOTTOMLEFT;
        case BottomRight:
            return HTBOTTOMRIGHT;
    }
    return HTCLIENT;
}

}  // namespace

void WindowFrame::Check(HWND window) {
    if (frameless_) {
        return;
    }
    const std::optional<Rect> visible = VisibleWindowRect(window);
    if (!visible || !window::HasInvisibleFrame(WindowRectOf(window), *visible)) {
        return;
    }
    frameless_ = true;
    dpi_ = WindowDpi(window);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::optional<LRESULT> WindowFrame::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool locked) {
    if (!frameless_) {
        return std::nullopt;
    }
    const auto part = [&] {
        return window::HitTest(WindowRectOf(window), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), dpi_, locked);
    };
    switch (message) {
        case WM_NCCALCSIZE:
            return 0;  // the client area is the whole window
        case WM_NCHITTEST:
            return HitCode(part());
        case WM_NCLBUTTONDBLCLK:
            if (window::IsGraphDoubleClick(part())) {
                POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                ScreenToClient(window, &point);
                SendMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(point.x, point.y));
                return 0;
            }
            return std::nullopt;
        case WM_DPICHANGED:
            dpi_ = HIWORD(wParam);
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

}  // namespace taktora::platform::win32
