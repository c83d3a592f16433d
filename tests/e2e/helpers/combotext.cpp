// combotext.exe <window class>
// Prints, in UTF-8, the selected entry of the first combo box inside the first top-level window of the class: what
// the closed box shows. An empty line when nothing is selected.
// Exit code 0 when the box was found, 1 when there is no such window or combo box, 2 without a class argument.
#include <windows.h>

#include <cstdlib>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (__argc < 2) {
        return 2;
    }
    const HWND window = FindWindowW(__wargv[1], nullptr);
    const HWND combo = window != nullptr ? FindWindowExW(window, nullptr, L"ComboBox", nullptr) : nullptr;
    if (combo == nullptr) {
        return 1;
    }
    std::wstring text;
    const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index != CB_ERR) {
        const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
        if (length > 0) {
            text.resize(static_cast<std::size_t>(length) + 1);
            const LRESULT copied =
                SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
            text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
        }
    }
    const int textLength = static_cast<int>(text.size());
    std::string line(static_cast<std::size_t>(textLength) * 3, '\0');
    line.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), textLength, line.data(),
                                                             static_cast<int>(line.size()), nullptr, nullptr)));
    line += '\n';
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    return 0;
}
