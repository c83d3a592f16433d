#pragma once

#include <cstdint>
#include <string>

namespace taktora::platform {

// The dynamic statistics of the Windows 9x family under HKEY_DYN_DATA, through the ANSI registry calls (the only
// ones that family implements). Keys are opaque numbers, 0 for none.
class DynStats {
public:
    using Key = std::uintptr_t;

    static constexpr std::uint32_t kAllAccess = 0xF003F;  // KEY_ALL_ACCESS
    static constexpr std::uint32_t kRead = 0x20019;       // KEY_READ

    virtual ~DynStats() = default;
    // RegOpenKeyExA below HKEY_DYN_DATA; 0 when it fails.
    virtual Key Open(const std::string& subkey, std::uint32_t access) = 0;
    // RegQueryValueExA into a 4-byte buffer; `value` is written only on success.
    virtual bool ReadDword(Key key, const std::string& name, std::uint32_t& value) = 0;
    virtual void Close(Key key) = 0;  // RegCloseKey
};

}  // namespace taktora::platform
