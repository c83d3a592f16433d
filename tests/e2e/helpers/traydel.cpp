// traydel.exe <window class> [icon id]
// Removes the notification-area icon (icon id, default 0) of the first top-level window of the class, as a
// notification area that was started anew would have lost it.
// Exit code 0 when the notification area removed the icon, 1 when there is no such window or it has no such icon,
// 2 for bad arguments.
#include <windows.h>

#include <shellapi.h>

#include <cwchar>

namespace {

using NotifyIconFunction = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAW);

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (__argc != 2 && __argc != 3) {
        return 2;
    }
    unsigned long id = 0;
    if (__argc == 3) {
        wchar_t* end = nullptr;
        id = std::wcstoul(__wargv[2], &end, 10);
        if (end == __wargv[2] || *end != L'\0') {
            return 2;
        }
    }
    const HWND window = FindWindowW(__wargv[1], nullptr);
    if (window == nullptr) {
        return 1;
    }
    // Looked up at run time: the test helpers link user32, gdi32 and kernel32 only.
    const HMODULE shell = LoadLibraryW(L"shell32.dll");
    const FARPROC address = shell != nullptr ? GetProcAddress(shell, "Shell_NotifyIconW") : nullptr;
    if (address == nullptr) {
        return 1;
    }
    const auto notifyIcon = reinterpret_cast<NotifyIconFunction>(reinterpret_cast<void*>(address));
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = window;
    data.uID = static_cast<UINT>(id);
    return notifyIcon(NIM_DELETE, &data) ? 0 : 1;
}
