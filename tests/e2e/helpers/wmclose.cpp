// wmclose.exe <window class> [timeout ms]
// Waits for a top-level window of the class, posts WM_CLOSE to it and waits until it is gone, all within the
// timeout (default 10000 ms). Exit code 0 when the window closed, 1 on timeout, 2 without a class argument.
#include <windows.h>

#include <cstdlib>
#include <cwchar>

namespace {

constexpr DWORD kDefaultTimeout = 10000;
constexpr DWORD kPollInterval = 50;

DWORD ParseTimeout(const wchar_t* text) {
    wchar_t* end = nullptr;
    const unsigned long value = std::wcstoul(text, &end, 10);
    return (end == text || *end != L'\0') ? kDefaultTimeout : static_cast<DWORD>(value);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (__argc < 2) {
        return 2;
    }
    const wchar_t* className = __wargv[1];
    const ULONGLONG deadline = GetTickCount64() + (__argc > 2 ? ParseTimeout(__wargv[2]) : kDefaultTimeout);

    HWND window = FindWindowW(className, nullptr);
    while (window == nullptr) {
        if (GetTickCount64() >= deadline) {
            return 1;
        }
        Sleep(kPollInterval);
        window = FindWindowW(className, nullptr);
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
    while (IsWindow(window)) {
        if (GetTickCount64() >= deadline) {
            return 1;
        }
        Sleep(kPollInterval);
    }
    return 0;
}
