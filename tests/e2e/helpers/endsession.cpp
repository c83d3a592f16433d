// endsession.exe <window class>
// Plays Windows ending the session for the first top-level window of the class: sends WM_QUERYENDSESSION and, when
// the window agrees, WM_ENDSESSION with wParam TRUE (after which Windows would end the process); when it refuses,
// WM_ENDSESSION with wParam FALSE. Exit code 0 when the window agreed and handled the end, 3 when it refused,
// 1 when there is no such window or it did not answer within 10 s, 2 without a class argument.
#include <windows.h>

namespace {

constexpr UINT kAnswerTimeout = 10000;

bool Send(HWND window, UINT message, WPARAM wParam, DWORD_PTR& result) {
    return SendMessageTimeoutW(window, message, wParam, 0, SMTO_ABORTIFHUNG, kAnswerTimeout, &result) != 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (__argc < 2) {
        return 2;
    }
    const HWND window = FindWindowW(__wargv[1], nullptr);
    if (window == nullptr) {
        return 1;
    }
    DWORD_PTR agreed = 0;
    if (!Send(window, WM_QUERYENDSESSION, 0, agreed)) {
        return 1;
    }
    DWORD_PTR ignored = 0;
    if (!Send(window, WM_ENDSESSION, agreed != 0 ? TRUE : FALSE, ignored)) {
        return 1;
    }
    return agreed != 0 ? 0 : 3;
}
