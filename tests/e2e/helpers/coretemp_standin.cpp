// coretemp_standin.exe [--cores N] [--load L0,L1,...] [--temp T0,T1,...] [--tjmax J0,J1,...] [--cpus N]
//                      [--speed MHz] [--fsb MHz] [--mult X] [--vid V] [--name TEXT] [--hold-mutex] [--short-mapping]
// Plays the outside temperature monitor for the end-to-end tests: publishes one shared record under the monitor's
// mutex and mapping names, then keeps a hidden top-level window of the monitor's window class until that window
// receives WM_CLOSE or the program is killed. The core count defaults to the longer of the two lists.
// --hold-mutex takes the mutex and never gives it back; --short-mapping publishes a mapping of only 100 bytes.
// Exit code 0 after WM_CLOSE, 1 when a named object or the window cannot be made, 2 for a bad argument.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "../../../sources/CoreTempSharedData.h"

namespace {

using taktora::CoreTempSharedData;

constexpr DWORD kShortMappingBytes = 100;

struct Options {
    CoreTempSharedData record{};
    bool coresGiven = false;
    bool holdMutex = false;
    bool shortMapping = false;
};

bool ParseNumber(const wchar_t* text, double& value) {
    wchar_t* end = nullptr;
    value = std::wcstod(text, &end);
    return end != text && *end == L'\0';
}

bool ParseList(const wchar_t* text, std::vector<double>& values) {
    std::wstring rest(text);
    for (;;) {
        const std::size_t comma = rest.find(L',');
        double value = 0;
        if (!ParseNumber(rest.substr(0, comma).c_str(), value)) {
            return false;
        }
        values.push_back(value);
        if (comma == std::wstring::npos) {
            return true;
        }
        rest.erase(0, comma + 1);
    }
}

bool ParseOptions(int argc, wchar_t** argv, Options& options) {
    CoreTempSharedData& r = options.record;
    std::size_t listed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::wstring name = argv[i];
        if (name == L"--hold-mutex") {
            options.holdMutex = true;
            continue;
        }
        if (name == L"--short-mapping") {
            options.shortMapping = true;
            continue;
        }
        if (i + 1 >= argc) {
            return false;
        }
        const wchar_t* text = argv[++i];
        if (name == L"--name") {
            const int bytes = WideCharToMultiByte(CP_ACP, 0, text, -1, r.sCPUname, sizeof r.sCPUname, nullptr, nullptr);
            if (bytes == 0) {
                return false;
            }
            continue;
        }
        std::vector<double> values;
        if (!ParseList(text, values)) {
            return false;
        }
        if (name == L"--load" || name == L"--temp" || name == L"--tjmax") {
            const std::size_t capacity =
                name == L"--tjmax" ? CoreTempSharedData::kMaxPackages : CoreTempSharedData::kMaxCores;
            if (values.size() > capacity) {
                return false;
            }
            for (std::size_t k = 0; k < values.size(); ++k) {
                if (name == L"--load") {
                    r.uiLoad[k] = static_cast<std::uint32_t>(values[k]);
                } else if (name == L"--temp") {
                    r.fTemp[k] = static_cast<float>(values[k]);
                } else {
                    r.uiTjMax[k] = static_cast<std::uint32_t>(values[k]);
                }
            }
            if (name != L"--tjmax") {
                listed = std::max(listed, values.size());
            }
            continue;
        }
        if (values.size() != 1) {
            return false;
        }
        const double value = values[0];
        if (name == L"--cores") {
            r.uiCoreCnt = static_cast<std::uint32_t>(value);
            options.coresGiven = true;
        } else if (name == L"--cpus") {
            r.uiCPUcnt = static_cast<std::uint32_t>(value);
        } else if (name == L"--speed") {
            r.fCPUspeed = static_cast<float>(value);
        } else if (name == L"--fsb") {
            r.fFSBspeed = static_cast<float>(value);
        } else if (name == L"--mult") {
            r.fMultipier = static_cast<float>(value);
        } else if (name == L"--vid") {
            r.fVID = static_cast<float>(value);
        } else {
            return false;
        }
    }
    if (!options.coresGiven) {
        r.uiCoreCnt = static_cast<std::uint32_t>(listed);
    }
    if (r.uiCPUcnt == 0) {
        r.uiCPUcnt = 1;
    }
    return true;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    Options options;
    if (!ParseOptions(__argc, __wargv, options)) {
        return 2;
    }

    // Held for the whole run, as the monitor holds them: the objects vanish with their last handle.
    const HANDLE mutex = CreateMutexW(nullptr, options.holdMutex ? TRUE : FALSE, L"CoreTempMutexObject");
    if (mutex == nullptr) {
        return 1;
    }
    const DWORD size = options.shortMapping ? kShortMappingBytes : static_cast<DWORD>(sizeof options.record);
    // Wine rounds a mapping backed by the page file up to whole pages, which would hide a short one; a mapping of a
    // file keeps the file's length. The file goes with its last handle.
    HANDLE file = INVALID_HANDLE_VALUE;
    if (options.shortMapping) {
        wchar_t directory[MAX_PATH];
        wchar_t path[MAX_PATH];
        if (GetTempPathW(MAX_PATH, directory) == 0 || GetTempFileNameW(directory, L"ctm", 0, path) == 0) {
            return 1;
        }
        file = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return 1;
        }
    }
    const HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READWRITE, 0, size, L"CoreTempMappingObject");
    if (mapping == nullptr) {
        return 1;
    }
    void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, size);
    if (view == nullptr) {
        return 1;
    }
    if (!options.holdMutex) {
        WaitForSingleObject(mutex, INFINITE);
    }
    std::memcpy(view, &options.record, size);
    if (!options.holdMutex) {
        ReleaseMutex(mutex);
    }

    // The window last, so that whoever finds it also finds the record in place.
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"CORETEMP";
    if (RegisterClassW(&windowClass) == 0) {
        return 1;
    }
    const HWND window = CreateWindowExW(0, L"CORETEMP", L"Core Temp stand-in", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                        CW_USEDEFAULT, 200, 100, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    UnmapViewOfFile(view);
    CloseHandle(mapping);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
    }
    CloseHandle(mutex);
    return 0;
}
