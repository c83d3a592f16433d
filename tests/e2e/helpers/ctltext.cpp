// ctltext.exe <window class> <control id>
// Prints the text of the control with the id (decimal, or hexadecimal after "0x") inside the first top-level window
// of the class, in UTF-8 and exactly as the control holds it: line breaks stay, nothing is added. A message box
// keeps its text in control 0xFFFF.
// Exit code 0 when found, 1 when there is no such window or control, 2 for missing or bad arguments.
#include <windows.h>

#include <cwchar>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (__argc != 3) {
        return 2;
    }
    wchar_t* end = nullptr;
    const unsigned long id = std::wcstoul(__wargv[2], &end, 0);
    if (end == __wargv[2] || *end != L'\0') {
        return 2;
    }
    const HWND window = FindWindowW(__wargv[1], nullptr);
    const HWND control = window != nullptr ? GetDlgItem(window, static_cast<int>(id)) : nullptr;
    if (control == nullptr) {
        return 1;
    }
    const LRESULT length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(control, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    std::string bytes;
    if (!text.empty()) {
        bytes.resize(static_cast<std::size_t>(
            WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr)));
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                            static_cast<int>(bytes.size()), nullptr, nullptr);
    }
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    return 0;
}
