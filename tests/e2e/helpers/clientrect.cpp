// clientrect.exe <window class>
// Prints "left top width height" of the client area, in screen coordinates, of the first top-level window of the
// class: the part of a screenshot that the window draws itself, without its border.
// Exit code 0 when found, 1 when there is no such window, 2 without a class argument.
#include <windows.h>

#include <cstdio>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (__argc < 2) {
        return 2;
    }
    const HWND window = FindWindowW(__wargv[1], nullptr);
    RECT client{};
    POINT origin{0, 0};
    if (window == nullptr || !GetClientRect(window, &client) || !ClientToScreen(window, &origin)) {
        return 1;
    }
    char line[96];
    const int length = std::snprintf(line, sizeof line, "%ld %ld %ld %ld\n", origin.x, origin.y,
                                     client.right - client.left, client.bottom - client.top);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line, static_cast<DWORD>(length), &written, nullptr);
    return 0;
}
