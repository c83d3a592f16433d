#include "win32/Win32Shell.h"

#include <shellapi.h>

#include "win32/Handles.h"
#include "win32/Rects.h"
#include "win32/Text.h"

namespace taktora::platform::win32 {

void Win32Shell::ShowMessage(const std::string& title, const std::string& text, MessageIcon icon) {
    UINT style = MB_OK | MB_SETFOREGROUND;
    switch (icon) {
        case MessageIcon::Information:
            style |= MB_ICONINFORMATION;
            break;
        case MessageIcon::Exclamation:
            style |= MB_ICONEXCLAMATION;
            break;
        case MessageIcon::Critical:
            style |= MB_ICONERROR;
            break;
    }
    MessageBoxW(owner_, Utf8ToWide(text).c_str(), Utf8ToWide(title).c_str(), style);
}

void Win32Shell::OpenUrl(const std::string& address) {
    ShellExecuteW(nullptr, L"open", Utf8ToWide(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

StartResult Win32Processes::Start(const std::string& applicationPath, const std::string& commandLine, bool hidden) {
    const std::wstring application = Utf8ToWide(applicationPath);
    std::wstring arguments = Utf8ToWide(commandLine);  // CreateProcessW may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = hidden ? SW_HIDE : SW_SHOWNORMAL;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(application.c_str(), arguments.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
        return {0, GetLastError()};
    }
    const KernelHandle process(info.hProcess);
    const KernelHandle thread(info.hThread);
    return {info.dwProcessId, 0};
}

std::optional<std::uint32_t> Win32Processes::ShellStart(const std::string& applicationPath,
                                                        const std::string& parameters, bool hidden) {
    const std::wstring file = Utf8ToWide(applicationPath);
    const std::wstring arguments = Utf8ToWide(parameters);
    // Without SEE_MASK_FLAG_NO_UI: the elevation prompt is the point of going through the shell.
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.hwnd = owner_;
    info.lpFile = file.c_str();
    info.lpParameters = arguments.c_str();
    info.nShow = hidden ? SW_HIDE : SW_SHOWNORMAL;
    if (!ShellExecuteExW(&info)) {
        return std::nullopt;
    }
    const KernelHandle process(info.hProcess);
    return GetProcessId(info.hProcess);
}

WindowHandle Win32Processes::FindWindowByTitle(const std::string& title) {
    return reinterpret_cast<WindowHandle>(FindWindowW(nullptr, Utf8ToWide(title).c_str()));
}

std::optional<Rect> Win32Processes::GetWindowRect(WindowHandle window) {
    RECT r{};
    if (!::GetWindowRect(reinterpret_cast<HWND>(window), &r)) {
        return std::nullopt;
    }
    return ToRect(r);
}

void Win32Processes::SetWindowPos(WindowHandle window, const Rect& rect, unsigned flags) {
    ::SetWindowPos(reinterpret_cast<HWND>(window), HWND_TOP, rect.left, rect.top, rect.width, rect.height, flags);
}

}  // namespace taktora::platform::win32
