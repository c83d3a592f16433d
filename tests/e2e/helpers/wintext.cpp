// wintext.exe <window class>
// Prints the caption (UTF-8, then a line feed) of the first top-level window of the class.
// Exit code 0 when found, 1 when there is no such window, 2 without a class argument.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (__argc < 2) {
        return 2;
    }
    const HWND window = FindWindowW(__wargv[1], nullptr);
    if (window == nullptr) {
        return 1;
    }
    wchar_t caption[512] = L"";
    const int length = GetWindowTextW(window, caption, static_cast<int>(sizeof caption / sizeof caption[0]));
    std::string line(static_cast<std::size_t>(length) * 3 + 1, '\0');
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, caption, length, line.data(), static_cast<int>(line.size()), nullptr, nullptr);
    line.resize(static_cast<std::size_t>(bytes));
    line += '\n';
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    return 0;
}
