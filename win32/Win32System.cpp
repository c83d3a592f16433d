#include <windows.h>
#include <winver.h>

#include <algorithm>
#include <cwchar>
#include <string_view>
#include <vector>

#include "win32/LocalTime.h"
#include "win32/Text.h"
#include "win32/Win32Platform.h"

namespace taktora::platform::win32 {

namespace {

// The longest path Windows can hand out, with room for its terminating zero.
constexpr std::size_t kLongestPath = 32768;

std::wstring ModuleFileName() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        // A result that fills the whole buffer has been cut short.
        if (length < path.size() || path.size() >= kLongestPath) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring Hex4(unsigned value) {
    constexpr wchar_t kDigits[] = L"0123456789abcdef";
    std::wstring text(4, L'0');
    for (auto digit = text.rbegin(); digit != text.rend(); ++digit) {
        *digit = kDigits[value & 0xF];
        value >>= 4;
    }
    return text;
}

// VerQueryValueW returns pointers into the block; these read them only within the lengths it reports.
const VS_FIXEDFILEINFO* FixedFileInfo(const std::vector<BYTE>& block) {
    void* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\", &info, &length) || info == nullptr || length < sizeof(VS_FIXEDFILEINFO)) {
        return nullptr;
    }
    return static_cast<const VS_FIXEDFILEINFO*>(info);
}

std::wstring StringFileInfo(const std::vector<BYTE>& block, const std::wstring& field) {
    struct Translation {
        WORD language;
        WORD codePage;
    };
    void* translations = nullptr;
    UINT translationsLength = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &translations, &translationsLength) ||
        translations == nullptr || translationsLength < sizeof(Translation)) {
        return {};
    }
    const auto* first = static_cast<const Translation*>(translations);
    const std::wstring path = L"\\StringFileInfo\\" + Hex4(first->language) + Hex4(first->codePage) + L"\\" + field;
    void* text = nullptr;
    UINT textLength = 0;
    if (!VerQueryValueW(block.data(), path.c_str(), &text, &textLength) || text == nullptr) {
        return {};
    }
    const auto* characters = static_cast<const wchar_t*>(text);
    return std::wstring(characters, wcsnlen(characters, textLength));
}

}  // namespace

Win32System::Win32System() {
    if (HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll")) {
        tickCount64_ =
            reinterpret_cast<TickCount64Function>(reinterpret_cast<void*>(GetProcAddress(kernel32, "GetTickCount64")));
    }
}

std::string Win32System::Environment(const std::string& name) {
    const std::wstring wideName = Utf8ToWide(name);
    std::wstring value(256, L'\0');
    for (;;) {
        // Too small a buffer is answered with the size needed, terminating zero included; an unset variable with 0.
        const DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), static_cast<DWORD>(value.size()));
        if (length < value.size()) {
            value.resize(length);
            return WideToUtf8(value);
        }
        value.resize(length);
    }
}

std::string Win32System::ModulePath() {
    return WideToUtf8(ModuleFileName());
}

std::string Win32System::CommandLineArguments() {
    // The program name ends at the first blank outside double quotes, the way the C runtime splits it off.
    const std::wstring_view line = GetCommandLineW();
    bool quoted = false;
    std::size_t position = 0;
    for (; position < line.size(); ++position) {
        if (line[position] == L'"') {
            quoted = !quoted;
        } else if (!quoted && (line[position] == L' ' || line[position] == L'\t')) {
            break;
        }
    }
    const std::size_t arguments = line.find_first_not_of(L" \t", position);
    return arguments == std::wstring_view::npos ? std::string() : WideToUtf8(line.substr(arguments));
}

// A negative time would turn into an endless wait.
void Win32System::Sleep(int milliseconds) {
    ::Sleep(static_cast<DWORD>(std::max(milliseconds, 0)));
}

void Win32System::RaiseThreadPriority() {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
}

void Win32System::RaiseProcessPriority() {
    SetPriorityClass(GetCurrentProcess(), HIGH_PRIORITY_CLASS);
}

OsVersion Win32System::Version() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    GetVersionExW(&info);
    return OsVersion{static_cast<int>(info.dwPlatformId), static_cast<int>(info.dwMajorVersion),
                     static_cast<int>(info.dwMinorVersion)};
}

int Win32System::NativeProcessorArchitecture() {
    SYSTEM_INFO info{};
    GetNativeSystemInfo(&info);
    return info.wProcessorArchitecture;
}

std::uint32_t Win32System::TickCount() {
    return GetTickCount();
}

std::optional<std::uint64_t> Win32System::TickCount64() {
    if (tickCount64_ == nullptr) {
        return std::nullopt;
    }
    return tickCount64_();
}

LocalSeconds Win32System::Now() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    FILETIME asFileTime{};
    SystemTimeToFileTime(&local, &asFileTime);
    return SecondsSince1970(asFileTime);
}

ProgramVersion Win32System::Program() {
    ProgramVersion version;
    const std::wstring path = ModuleFileName();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) {
        return version;
    }
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) {
        return version;
    }
    // Major, minor and revision are the first, second and fourth part of FileVersion; the third, a build number,
    // is not part of the version the program shows.
    if (const VS_FIXEDFILEINFO* fixed = FixedFileInfo(block)) {
        version.major = HIWORD(fixed->dwFileVersionMS);
        version.minor = LOWORD(fixed->dwFileVersionMS);
        version.revision = LOWORD(fixed->dwFileVersionLS);
    }
    version.comments = WideToUtf8(StringFileInfo(block, L"Comments"));
    return version;
}

bool Win32System::TopLevelWindowOfClassExists(const std::string& className) {
    return FindWindowW(Utf8ToWide(className).c_str(), nullptr) != nullptr;
}

std::string Win32System::DecimalSeparator() {
    // At most three characters and the terminating zero, each of which may lie beyond ASCII; the answer counts the
    // zero.
    wchar_t separator[4] = {};
    const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 4);
    if (length <= 1) {
        return ".";
    }
    return WideToUtf8(std::wstring_view(separator, static_cast<std::size_t>(length - 1)));
}

}  // namespace taktora::platform::win32
