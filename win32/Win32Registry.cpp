#include <windows.h>

#include <vector>

#include "win32/Handles.h"
#include "win32/Text.h"
#include "win32/Win32Platform.h"

namespace taktora::platform::win32 {

namespace {

HKEY RootKey(RegRoot root) {
    return root == RegRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

RegType TypeOf(DWORD type) {
    switch (type) {
        case REG_SZ:
            return RegType::String;
        case REG_MULTI_SZ:
            return RegType::MultiString;
        case REG_BINARY:
            return RegType::Binary;
        default:
            return RegType::Other;
    }
}

}  // namespace

std::optional<RegData> Win32Registry::Read(RegRoot root, const std::string& subkey, const std::string& name,
                                           std::size_t maxChars) {
    RegKey key;
    if (RegOpenKeyExW(RootKey(root), Utf8ToWide(subkey).c_str(), 0, KEY_QUERY_VALUE, key.Receive()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    const std::wstring valueName = Utf8ToWide(name);
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    // The size comes from outside the program; it decides the allocation only after the caller's limit allows it.
    const std::size_t chars = (std::size_t{bytes} + 1) / sizeof(wchar_t);
    if (chars > maxChars) {
        return std::nullopt;
    }
    std::vector<wchar_t> buffer(chars);
    DWORD received = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &received) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    if (type == REG_BINARY) {
        return RegData{RegType::Binary, std::string(reinterpret_cast<const char*>(buffer.data()), received)};
    }
    return RegData{TypeOf(type), WideToUtf8(std::wstring_view(buffer.data(), received / sizeof(wchar_t)))};
}

bool Win32Registry::WriteString(RegRoot root, const std::string& subkey, const std::string& name,
                                const std::string& text) {
    RegKey key;
    if (RegCreateKeyExW(RootKey(root), Utf8ToWide(subkey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, key.Receive(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const std::wstring data = Utf8ToWide(text);
    const DWORD bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));  // with the terminating zero
    return RegSetValueExW(key.Get(), Utf8ToWide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                          bytes) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteValue(RegRoot root, const std::string& subkey, const std::string& name) {
    RegKey key;
    if (RegOpenKeyExW(RootKey(root), Utf8ToWide(subkey).c_str(), 0, KEY_SET_VALUE, key.Receive()) != ERROR_SUCCESS) {
        return false;
    }
    return RegDeleteValueW(key.Get(), Utf8ToWide(name).c_str()) == ERROR_SUCCESS;
}

}  // namespace taktora::platform::win32
