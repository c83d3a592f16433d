#include <windows.h>

#include <cwchar>
#include <string_view>

#include "win32/Handles.h"
#include "win32/LocalTime.h"
#include "win32/Text.h"
#include "win32/Win32Platform.h"

namespace taktora::platform::win32 {

std::optional<FileEntry> Win32FileSystem::FindFirst(const std::string& pattern) {
    WIN32_FIND_DATAW found{};
    const FindHandle search(FindFirstFileW(Utf8ToWide(pattern).c_str(), &found));
    if (!search) {
        return std::nullopt;
    }
    FILETIME localWrite{};
    FileTimeToLocalFileTime(&found.ftLastWriteTime, &localWrite);
    FileEntry entry;
    entry.name = WideToUtf8(std::wstring_view(found.cFileName, wcsnlen(found.cFileName, MAX_PATH)));
    entry.size = (std::uint64_t{found.nFileSizeHigh} << 32) | found.nFileSizeLow;
    entry.attributes = found.dwFileAttributes;
    entry.lastWrite = SecondsSince1970(localWrite);
    return entry;
}

bool Win32FileSystem::Delete(const std::string& path) {
    return DeleteFileW(Utf8ToWide(path).c_str()) != FALSE;
}

}  // namespace taktora::platform::win32
