// argdump.exe
// Stands in for a program that the monitor starts: writes the command line it was started with (UTF-8, as the
// process received it) to argdump.txt in its own folder, replacing an earlier file, and ends.
// Exit code 0 when written, 1 otherwise.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t module[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return 1;
    }
    std::wstring folder(module, length);
    folder.erase(folder.find_last_of(L'\\') + 1);
    const std::wstring target = folder + L"argdump.txt";
    // Written under another name first, so that a reader never sees half a file.
    const std::wstring partial = folder + L"argdump.tmp";

    const wchar_t* commandLine = GetCommandLineW();
    const int size = WideCharToMultiByte(CP_UTF8, 0, commandLine, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, commandLine, -1, bytes.data(), size, nullptr, nullptr);
    bytes.pop_back();  // the terminating zero

    const HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    DWORD written = 0;
    const bool complete =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    CloseHandle(file);
    return complete && MoveFileExW(partial.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
