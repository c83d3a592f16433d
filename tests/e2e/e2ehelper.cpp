// e2ehelper.exe: the one Windows program that the end-to-end tests and the measuring scripts start beside
// taktora.exe, in the same Wine prefix. Each sub-command acts on the first top-level window of a class, or of a class
// and caption written CLASS:CAPTION:
//   rect CLASS            prints "left top width height visible"
//   text CLASS            prints the caption
//   box CLASS CAPTION     prints "enabled checked" of the window's check box of that caption (checked as BM_GETCHECK)
//   close CLASS [MS]      posts WM_CLOSE, as Alt+F4 does, and waits until the window is gone (default 10000 ms)
//   endsession CLASS [LP] plays Windows ending the session: WM_QUERYENDSESSION, then WM_ENDSESSION with its answer;
//                         LP is both messages' lParam (1, ENDSESSION_CLOSEAPP: the Restart Manager closing the program)
//   coretemp LOADS TEMPS  plays the temperature monitor: publishes its shared record (comma lists, one number per
//                         core, TjMax 100) and keeps a window of the monitor's class until WM_CLOSE
// Output is UTF-8. Exit code 0 when done, 1 when the window is missing or the action failed, 2 for bad arguments.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

#include "sources/CoreTempSharedData.h"

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;
constexpr UINT kAnswerTimeout = 10000;

void Print(const std::wstring& text) {
    std::string bytes(text.size() * 3 + 1, '\0');
    bytes.resize(
        static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                     bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr)));
    bytes += '\n';
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

int Rect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    wchar_t line[96];
    std::swprintf(line, 96, L"%ld %ld %ld %ld %d", r.left, r.top, r.right - r.left, r.bottom - r.top,
                  IsWindowVisible(window) ? 1 : 0);
    Print(line);
    return 0;
}

int Text(HWND window) {
    wchar_t caption[512] = L"";
    Print(std::wstring(caption, static_cast<std::size_t>(GetWindowTextW(window, caption, 512))));
    return 0;
}

int Box(HWND window, const wchar_t* caption) {
    const HWND box = FindWindowExW(window, nullptr, L"Button", caption);
    if (box == nullptr) {
        return kFailed;
    }
    Print(std::to_wstring(IsWindowEnabled(box) ? 1 : 0) + L" " + std::to_wstring(SendMessageW(box, BM_GETCHECK, 0, 0)));
    return 0;
}

int Close(HWND window, DWORD timeout) {
    const ULONGLONG deadline = GetTickCount64() + timeout;
    PostMessageW(window, WM_CLOSE, 0, 0);
    while (IsWindow(window)) {
        if (GetTickCount64() >= deadline) {
            return kFailed;
        }
        Sleep(50);
    }
    return 0;
}

int EndSession(HWND window, LPARAM how) {
    DWORD_PTR agreed = 0;
    DWORD_PTR ignored = 0;
    const bool answered =
        SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, how, SMTO_ABORTIFHUNG, kAnswerTimeout, &agreed) != 0 &&
        SendMessageTimeoutW(window, WM_ENDSESSION, agreed != 0, how, SMTO_ABORTIFHUNG, kAnswerTimeout, &ignored) != 0;
    return answered && agreed != 0 ? 0 : kFailed;
}

template <typename Number>
bool ParseList(const wchar_t* text, Number* values, std::uint32_t& count) {
    for (count = 0; count < taktora::CoreTempSharedData::kMaxCores;) {
        wchar_t* end = nullptr;
        values[count++] = static_cast<Number>(std::wcstod(text, &end));
        if (end == text || (*end != L',' && *end != L'\0')) {
            return false;
        }
        if (*end == L'\0') {
            return true;
        }
        text = end + 1;
    }
    return false;
}

LRESULT CALLBACK QuitOnDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int CoreTemp(const wchar_t* loads, const wchar_t* temperatures) {
    taktora::CoreTempSharedData record{};
    std::uint32_t temperatureCount = 0;
    if (!ParseList(loads, record.uiLoad, record.uiCoreCnt) ||
        !ParseList(temperatures, record.fTemp, temperatureCount)) {
        return kUsage;
    }
    record.uiCPUcnt = 1;
    record.uiTjMax[0] = 100;
    record.fCPUspeed = 2400;
    // The monitor's own names, written out: the test must not borrow them from the program it tests.
    const HANDLE mutex = CreateMutexW(nullptr, TRUE, L"CoreTempMutexObject");
    const HANDLE mapping =
        CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof record, L"CoreTempMappingObject");
    void* view = mapping != nullptr ? MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof record) : nullptr;
    if (mutex == nullptr || view == nullptr) {
        return kFailed;
    }
    std::memcpy(view, &record, sizeof record);
    ReleaseMutex(mutex);
    // The window last, so that whoever finds it also finds the record in place.
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = QuitOnDestroy;
    windowClass.lpszClassName = L"CORETEMP";
    if (RegisterClassW(&windowClass) == 0 || CreateWindowW(L"CORETEMP", L"Core Temp", WS_OVERLAPPED, 0, 0, 200, 100,
                                                           nullptr, nullptr, nullptr, nullptr) == nullptr) {
        return kFailed;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::wstring command = __argc > 1 ? __wargv[1] : L"";
    if (command == L"coretemp") {
        return __argc == 4 ? CoreTemp(__wargv[2], __wargv[3]) : kUsage;
    }
    const bool known = command == L"rect" || command == L"text" || command == L"close" || command == L"endsession" ||
                       command == L"box";
    if (!known || __argc < (command == L"box" ? 4 : 3) ||
        __argc > (command == L"close" || command == L"endsession" || command == L"box" ? 4 : 3)) {
        return kUsage;
    }
    const std::wstring name = __wargv[2];
    const std::size_t colon = name.find(L':');
    const HWND window =
        FindWindowW(name.substr(0, colon).c_str(), colon == std::wstring::npos ? nullptr : name.c_str() + colon + 1);
    if (window == nullptr) {
        return kFailed;
    }
    if (command == L"rect") {
        return Rect(window);
    }
    if (command == L"text") {
        return Text(window);
    }
    if (command == L"box") {
        return Box(window, __wargv[3]);
    }
    const unsigned long number = __argc == 4 ? std::wcstoul(__wargv[3], nullptr, 10) : 0;
    if (command == L"close") {
        return Close(window, __argc == 4 ? static_cast<DWORD>(number) : 10000);
    }
    return EndSession(window, static_cast<LPARAM>(number));
}
