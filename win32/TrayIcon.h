#pragma once

#include <windows.h>

#include <string>

#include "platform/IconFactory.h"
#include "platform/Tray.h"
#include "tray/IconSlot.h"

namespace taktora::platform::win32 {

// The main window's private message for the tray icon's events: wParam is the icon id 0, lParam the mouse message
// (WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONUP, ...).
constexpr UINT kTrayCallbackMessage = WM_APP + 1;

// "TaskbarCreated", which the shell broadcasts to the top-level windows when its notification area is created anew.
UINT TaskbarCreatedMessage();

// The tray icon through Shell_NotifyIconW. The shell copies the icon it is given; this object keeps the one it sent
// until the next replaces it.
class TrayIcon final : public Tray {
public:
    TrayIcon(HWND window, UINT callbackMessage, IconFactory& icons);

    bool Add(const Image& picture, const std::string& tip) override;
    bool Modify(const Image& picture, const std::string& tip) override;
    void Delete() override;

private:
    bool Notify(DWORD operation, const std::string& tip);

    HWND window_;
    UINT callbackMessage_;
    render::IconSlot icon_;
};

}  // namespace taktora::platform::win32
