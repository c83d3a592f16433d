#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace taktora::platform {

enum class RegRoot { CurrentUser, LocalMachine };

enum class RegType { String, MultiString, Binary, Other };

// A value as stored: its type and every character of its data, embedded zero characters included, as UTF-8; the
// data of a binary value byte for byte.
struct RegData {
    RegType type = RegType::Other;
    std::string text;
};

class Registry {
public:
    virtual ~Registry() = default;
    // Opens the key without creating it. Fails (nullopt) when the key or value is missing or when the value holds
    // more than maxChars characters.
    virtual std::optional<RegData> Read(RegRoot root, const std::string& subkey, const std::string& name,
                                        std::size_t maxChars) = 0;
    // Opens or creates the key and stores the text as a zero-terminated REG_SZ value.
    virtual bool WriteString(RegRoot root, const std::string& subkey, const std::string& name,
                             const std::string& text) = 0;
    // Opens the key without creating it and deletes the value.
    virtual bool DeleteValue(RegRoot root, const std::string& subkey, const std::string& name) = 0;
};

}  // namespace taktora::platform
