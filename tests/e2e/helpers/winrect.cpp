// winrect.exe <window class>
// Prints "left top width height visible" (visible 1 or 0) of the first top-level window of the class.
// Exit code 0 when found, 1 when there is no such window, 2 without a class argument.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (__argc < 2) {
        return 2;
    }
    const HWND window = FindWindowW(__wargv[1], nullptr);
    RECT rect{};
    if (window == nullptr || !GetWindowRect(window, &rect)) {
        return 1;
    }
    char line[96];
    const int length = std::snprintf(line, sizeof line, "%ld %ld %ld %ld %d\n", rect.left, rect.top,
                                     rect.right - rect.left, rect.bottom - rect.top, IsWindowVisible(window) ? 1 : 0);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line, static_cast<DWORD>(length), &written, nullptr);
    return 0;
}
