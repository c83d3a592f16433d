#include <windows.h>

#include "win32/Win32Sources.h"

namespace taktora::platform::win32 {

namespace {

HKEY ToKey(DynStats::Key key) {
    return reinterpret_cast<HKEY>(key);
}

}  // namespace

DynStats::Key Win32DynStats::Open(const std::string& subkey, std::uint32_t access) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_DYN_DATA, subkey.c_str(), 0, access, &key) != ERROR_SUCCESS) {
        return 0;
    }
    return reinterpret_cast<Key>(key);
}

bool Win32DynStats::ReadDword(Key key, const std::string& name, std::uint32_t& value) {
    BYTE data[sizeof value] = {};
    DWORD size = sizeof data;
    DWORD type = 0;
    if (RegQueryValueExA(ToKey(key), name.c_str(), nullptr, &type, data, &size) != ERROR_SUCCESS) {
        return false;
    }
    // The statistic is four little-endian bytes; a shorter value leaves the rest of the buffer zero.
    value = static_cast<std::uint32_t>(data[0]) | static_cast<std::uint32_t>(data[1]) << 8 |
            static_cast<std::uint32_t>(data[2]) << 16 | static_cast<std::uint32_t>(data[3]) << 24;
    return true;
}

void Win32DynStats::Close(Key key) {
    RegCloseKey(ToKey(key));
}

}  // namespace taktora::platform::win32
