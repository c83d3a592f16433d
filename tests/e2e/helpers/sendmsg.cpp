// sendmsg.exe <window class> <registered message name>
// Sends the registered window message (RegisterWindowMessageW of the name, e.g. "TaskbarCreated") to the first
// top-level window of the class and waits until it is handled. Exit code 0 when sent, 1 when there is no such window
// (or it did not answer within 10 s), 2 without both arguments.
#include <windows.h>

#include <cstdlib>

namespace {

constexpr UINT kAnswerTimeout = 10000;

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (__argc < 3) {
        return 2;
    }
    const HWND window = FindWindowW(__wargv[1], nullptr);
    const UINT message = RegisterWindowMessageW(__wargv[2]);
    if (window == nullptr || message == 0) {
        return 1;
    }
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, message, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeout, &result) != 0 ? 0 : 1;
}
