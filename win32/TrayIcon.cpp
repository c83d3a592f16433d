#include "win32/TrayIcon.h"

#include <shellapi.h>

#include <iterator>
#include <string_view>

#include "tray/TrayRegistration.h"
#include "win32/NewerApis.h"
#include "win32/Text.h"

namespace taktora::platform::win32 {
namespace {

// The record as the shell of Windows 2000 and XP knows it (a 128-character tip); later shells take it as well,
// while their full record is refused by the older ones.
NOTIFYICONDATAW Record(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = window;
    data.uID = 0;
    return data;
}

}  // namespace

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

TrayIcon::TrayIcon(HWND window, UINT callbackMessage, IconFactory& icons)
    : window_(window), callbackMessage_(callbackMessage), icon_(icons) {
    // Run as administrator, the program would not hear a restarted Explorer ask for the icon again.
    AllowMessageFromLowerIntegrity(window_, TaskbarCreatedMessage());
}

bool TrayIcon::Add(const Image& picture, const std::string& tip) {
    icon_.Replace(picture);
    return Notify(NIM_ADD, tip);
}

bool TrayIcon::Modify(const Image& picture, const std::string& tip) {
    icon_.Replace(picture);
    return Notify(NIM_MODIFY, tip);
}

void TrayIcon::Delete() {
    NOTIFYICONDATAW data = Record(window_);
    Shell_NotifyIconW(NIM_DELETE, &data);
}

bool TrayIcon::Notify(DWORD operation, const std::string& tip) {
    NOTIFYICONDATAW data = Record(window_);
    data.uFlags = NIF_MESSAGE | NIF_TIP;
    data.uCallbackMessage = callbackMessage_;
    // Without an icon of its own (none could ever be made) the shell keeps the icon it has.
    if (icon_.Current() != 0) {
        data.uFlags |= NIF_ICON;
        data.hIcon = reinterpret_cast<HICON>(icon_.Current());
    }
    const std::wstring wide = Utf8ToWide(tip);
    wide.copy(data.szTip, render::FittingTipLength(std::wstring_view(wide), std::size(data.szTip)));
    return Shell_NotifyIconW(operation, &data) != FALSE;
}

}  // namespace taktora::platform::win32
