// fakeviewer.exe [<left> <top> <width> <height>]
// Stands in for the outside process viewer: opens a normal top-level window of the class "FakeProcessViewer" with
// the title "Process Viewer" at the given place (default 100 100 320 240) and keeps it until WM_CLOSE. Like the real
// viewer with multiple instances switched off, a start while such a window exists ends at once.
// Exit code 0 after WM_CLOSE or when another instance runs, 1 when the window cannot be made, 2 for bad arguments.
#include <windows.h>

#include <cwchar>

namespace {

constexpr const wchar_t* kClassName = L"FakeProcessViewer";
constexpr const wchar_t* kTitle = L"Process Viewer";

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int place[4] = {100, 100, 320, 240};
    if (__argc != 1 && __argc != 5) {
        return 2;
    }
    for (int i = 1; i < __argc; ++i) {
        wchar_t* end = nullptr;
        place[i - 1] = static_cast<int>(std::wcstol(__wargv[i], &end, 10));
        if (end == __wargv[i] || *end != L'\0') {
            return 2;
        }
    }
    if (FindWindowW(nullptr, kTitle) != nullptr) {
        return 0;
    }
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    if (RegisterClassW(&windowClass) == 0) {
        return 1;
    }
    const HWND window = CreateWindowExW(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, place[0], place[1],
                                        place[2], place[3], nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
