#include "win32/MainWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include <optional>

#include "app/Form1.h"
#include "win32/Handles.h"
#include "win32/NewerApis.h"
#include "win32/Rects.h"
#include "win32/Resources.h"
#include "win32/SingleInstance.h"
#include "win32/Text.h"
#include "win32/TrayIcon.h"

namespace taktora::platform::win32 {

namespace {

// WM_GETDPISCALEDSIZE, from Windows 10 1703 on.
constexpr UINT kGetDpiScaledSize = 0x02E4;

unsigned ModifiersHeld() {
    return (GetKeyState(VK_SHIFT) < 0 ? kShiftKey : kNoModifier) |
           (GetKeyState(VK_CONTROL) < 0 ? kCtrlKey : kNoModifier) | (GetKeyState(VK_MENU) < 0 ? kAltKey : kNoModifier);
}

Key KeyOf(WPARAM virtualKey) {
    switch (virtualKey) {
        case VK_F1:
            return Key::F1;
        case VK_F2:
            return Key::F2;
        case VK_F3:
            return Key::F3;
        case VK_F4:
            return Key::F4;
        case VK_F5:
            return Key::F5;
        case 'E':
            return Key::E;
        case 'P':
            return Key::P;
        case 'T':
            return Key::T;
        default:
            return Key::Other;
    }
}

TrayMouse TrayEventOf(UINT mouseMessage) {
    switch (mouseMessage) {
        case WM_LBUTTONDOWN:
            return TrayMouse::LeftDown;
        case WM_LBUTTONDBLCLK:
            return TrayMouse::LeftDoubleClick;
        case WM_RBUTTONUP:
            return TrayMouse::RightUp;
        default:
            return TrayMouse::Other;
    }
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, const std::wstring& title) {
    RegisterClass(instance, kClassName, CS_DBLCLKS | CS_OWNDC, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)),
                  TAKTORA_ICON);
    // A tool window keeps the main window off the taskbar; the sizing border is its only frame.
    Create(instance, kClassName, title.c_str(), WS_EX_TOOLWINDOW, WS_POPUP | WS_THICKFRAME, 0, 0, 192, 64, nullptr);
    // Run as administrator, the program still hears a second start by the user, which has no such rights.
    AllowMessageFromLowerIntegrity(Handle(), ShowInstanceMessage());
    CreateToolTip(instance);
}

void MainWindow::CreateToolTip(HINSTANCE instance) {
    toolTip_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, instance, nullptr);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    // The window relays its mouse messages itself: a subclassing tooltip would look up its property on every message
    // the window gets, timers included, which under Wine is a round trip to the server each time.
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(Handle());
    // The tooltip asks for its text when it is about to show, so a text that changes with every update costs
    // nothing while nobody looks.
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

Rect MainWindow::GetRect() {
    return WindowRectOf(Handle());
}

void MainWindow::SetRect(const Rect& rect) {
    SetWindowPos(Handle(), nullptr, rect.left, rect.top, rect.width, rect.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

Size MainWindow::ClientSize() {
    RECT r{};
    GetClientRect(Handle(), &r);
    return {r.right - r.left, r.bottom - r.top};
}

void MainWindow::Show() {
    ShowWindow(Handle(), SW_SHOWNA);
    frame_.Check(Handle());
}

void MainWindow::ShowInFront() {
    ShowWindow(Handle(), SW_SHOW);
    frame_.Check(Handle());
    SetForegroundWindow(Handle());
}

void MainWindow::Hide() {
    ShowWindow(Handle(), SW_HIDE);
}

bool MainWindow::IsVisible() {
    return IsWindowVisible(Handle()) != FALSE;
}

void MainWindow::SetTopMost(bool topMost) {
    SetWindowPos(Handle(), topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MainWindow::StartTimer(TimerId id, int milliseconds) {
    SetTimer(Handle(), static_cast<UINT_PTR>(id), static_cast<UINT>(milliseconds), nullptr);
}

void MainWindow::StopTimer(TimerId id) {
    KillTimer(Handle(), static_cast<UINT_PTR>(id));
}

void MainWindow::Close() {
    PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

void MainWindow::Present(const Image& picture) {
    picture_ = &picture;
    // Drawn at once rather than through a paint cycle: no update region, no WM_PAINT, ten times a second at most.
    if (IsWindowVisible(Handle())) {
        const WindowDc dc(Handle());
        Blit(dc.Get());
    }
}

void MainWindow::SetToolTip(const std::string& text) {
    std::wstring wide = Utf8ToWide(text);
    if (wide == toolTipText_) {
        return;
    }
    toolTipText_ = std::move(wide);
    if (IsWindowVisible(toolTip_)) {
        SendMessageW(toolTip_, TTM_UPDATE, 0, 0);  // a tooltip on show asks for the new text at once
    }
}

void MainWindow::Focus() {
    SetForegroundWindow(Handle());
}

int MainWindow::ShowPopupMenu(const std::vector<MenuEntry>& entries) {
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) {
        return 0;
    }
    for (const MenuEntry& entry : entries) {
        if (entry.visible) {
            AppendMenuW(menu, MF_STRING | (entry.enabled ? MF_ENABLED : MF_GRAYED), static_cast<UINT_PTR>(entry.index),
                        Utf8ToWide(entry.caption).c_str());
        }
    }
    POINT pointer{};
    GetCursorPos(&pointer);
    // Without being the foreground window first, the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(Handle());
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, pointer.x, pointer.y, 0,
                                      Handle(), nullptr);
    PostMessageW(Handle(), WM_NULL, 0, 0);
    DestroyMenu(menu);
    return chosen;
}

void MainWindow::OnMouseMove(WPARAM buttons, LPARAM position) {
    const unsigned held = ((buttons & MK_LBUTTON) != 0 ? kLeftButton : kNoButton) |
                          ((buttons & MK_RBUTTON) != 0 ? kRightButton : kNoButton);
    const unsigned modifiers =
        ((buttons & MK_SHIFT) != 0 ? kShiftKey : kNoModifier) | ((buttons & MK_CONTROL) != 0 ? kCtrlKey : kNoModifier);
    form_->MousePos(held, modifiers, GET_X_LPARAM(position), GET_Y_LPARAM(position));
}

void MainWindow::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    Blit(dc);
    EndPaint(Handle(), &ps);
}

void MainWindow::Blit(HDC dc) {
    RECT client{};
    GetClientRect(Handle(), &client);
    const int width = picture_ != nullptr ? picture_->Width() : 0;
    const int height = picture_ != nullptr ? picture_->Height() : 0;
    if (width > 0 && height > 0) {
        // The picture starts Origin() pixels into rows of Stride(): one blit from there, its pixels not moved.
        const BITMAPINFO info = PictureFormat(picture_->Stride(), height);
        SetDIBitsToDevice(dc, 0, 0, width, height, picture_->Origin(), 0, 0, height, picture_->Buffer(), &info,
                          DIB_RGB_COLORS);
    }
    // Whatever the picture does not cover yet (the window just grew) stays black; mostly there is nothing.
    const auto black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    for (const RECT& uncovered :
         {RECT{width, 0, client.right, client.bottom}, RECT{0, height, client.right, client.bottom}}) {
        if (!IsRectEmpty(&uncovered)) {
            FillRect(dc, &uncovered, black);
        }
    }
}

void MainWindow::OnGetMinMaxInfo(MINMAXINFO& info) {
    const window::MinMaxLimits& limits = form_->Limits();
    info.ptMinTrackSize = {limits.MinWidth, limits.MinHeight};
    info.ptMaxTrackSize = {limits.MaxWidth, limits.MaxHeight};
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool locked = form_ != nullptr && form_->Settings().CkM.Checked();
    if (const std::optional<LRESULT> answer = frame_.Handle(Handle(), message, wParam, lParam, locked)) {
        return *answer;
    }
    if (form_ == nullptr) {
        return Default(message, wParam, lParam);
    }
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        MSG relayed{Handle(), message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
        SendMessageW(toolTip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
    if (message == TaskbarCreatedMessage()) {
        form_->TrayRecreated();
        return 0;
    }
    if (message == ShowInstanceMessage()) {
        if (!form_->Unloaded()) {
            form_->ShowMainWindow(true);
            form_->FocusMainWindow();
        }
        return 0;
    }
    switch (message) {
        case kTrayCallbackMessage:
            form_->TrayMessage(TrayEventOf(LOWORD(lParam)));
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the picture covers the whole client area; erasing first would flicker
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_TIMER:
            if (wParam == static_cast<WPARAM>(TimerId::Sampling)) {
                form_->TimerCTick();
            } else if (wParam == static_cast<WPARAM>(TimerId::Refresh)) {
                form_->Timer1Tick();
            }
            return 0;
        case WM_SIZE:
            form_->ReSize();
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(wParam, lParam);
            return 0;
        case WM_LBUTTONDOWN:
            SetCapture(Handle());  // a quick drag must not lose the window
            form_->PicButtonDown(kLeftButton);
            return 0;
        case WM_RBUTTONDOWN:
            form_->PicButtonDown(kRightButton);
            return 0;
        case WM_LBUTTONUP:
            ReleaseCapture();
            form_->PicClick();
            return 0;
        case WM_RBUTTONUP:
            form_->PicClick();
            return 0;
        case WM_LBUTTONDBLCLK:
            form_->PicButtonDown(kLeftButton);
            form_->PicDoubleClick();
            return 0;
        case WM_RBUTTONDBLCLK:
            form_->PicButtonDown(kRightButton);
            form_->PicDoubleClick();
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            // The window has no menu and no controls: every key goes to the key table, Alt+F4 included.
            form_->KeyS(KeyOf(wParam), ModifiersHeld());
            return 0;
        case WM_SYSCHAR:
            return 0;  // no menu to open; the default would beep
        case WM_GETMINMAXINFO:
            if (form_->SubclassActive()) {
                OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
            }
            return 0;
        case WM_CLOSE:
            form_->Unload();
            DestroyWindow(Handle());
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;  // also to the Restart Manager (ENDSESSION_CLOSEAPP): the program can always end
        case WM_ENDSESSION:
            // At the end of the session Windows ends the process after this message: save now, as closing the window
            // would. The Restart Manager of installers and updaters instead waits for the program to end by itself.
            if (wParam != FALSE) {
                form_->Unload();
                if ((lParam & ENDSESSION_CLOSEAPP) != 0) {
                    DestroyWindow(Handle());
                }
            }
            return 0;
        case WM_NOTIFY: {
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            if (info->hdr.hwndFrom == toolTip_ && info->hdr.code == TTN_GETDISPINFOW) {
                info->lpszText = toolTipText_.data();
                return 0;
            }
            return Default(message, wParam, lParam);
        }
        case WM_DISPLAYCHANGE:
        case WM_SETTINGCHANGE:  // among others the work area, when the taskbar moves or changes its size
            form_->DisplayChanged();
            return 0;
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) {
                form_->Resumed();
            }
            return TRUE;
        case kGetDpiScaledSize:
            return TRUE;  // the size in pixels stays as it is
        case WM_DPICHANGED: {
            // The window keeps its size in pixels, and with it the graph's width and history; only the text is made
            // anew for the new scale. Windows before 10 1703 suggest a scaled size: of that only the place is taken.
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            if (dpiChanged_) {
                dpiChanged_(HIWORD(wParam));
            }
            form_->DisplayChanged();
            SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return Default(message, wParam, lParam);
    }
}

}  // namespace taktora::platform::win32
