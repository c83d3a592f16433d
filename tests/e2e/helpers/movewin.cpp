// movewin.exe <window class> <left> <top> [<width> <height>]
// Moves (and with a size also resizes) the first top-level window of the class, as a drag by the user would, and
// returns once the window has handled it. Exit code 0 when done, 1 when there is no such window or it refused,
// 2 for missing or bad arguments.
#include <windows.h>

#include <cwchar>

namespace {

bool ParseInt(const wchar_t* text, int& value) {
    wchar_t* end = nullptr;
    const long number = std::wcstol(text, &end, 10);
    value = static_cast<int>(number);
    return end != text && *end == L'\0';
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (__argc != 4 && __argc != 6) {
        return 2;
    }
    int numbers[4] = {0, 0, 0, 0};
    for (int i = 2; i < __argc; ++i) {
        if (!ParseInt(__wargv[i], numbers[i - 2])) {
            return 2;
        }
    }
    const HWND window = FindWindowW(__wargv[1], nullptr);
    if (window == nullptr) {
        return 1;
    }
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (__argc == 4 ? SWP_NOSIZE : 0);
    return SetWindowPos(window, nullptr, numbers[0], numbers[1], numbers[2], numbers[3], flags) ? 0 : 1;
}
