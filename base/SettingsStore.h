#pragma once

#include <optional>
#include <string>

#include "base/SettingsTable.h"
#include "platform/Registry.h"

namespace taktora {

// The per-user settings: string values under one key of HKEY_CURRENT_USER, named by key plus the profile suffix.
class SettingsStore {
public:
    SettingsStore(platform::Registry& registry, const std::string& app, const std::string& section);

    const std::string& KeyPath() const { return keyPath_; }

    // The stored text, or nullopt when the value is missing, of the wrong type or unreasonably long.
    std::optional<std::string> Read(const std::string& name);
    void Write(const std::string& name, const std::string& text);

    // The stored value of a setting under the profile's suffix; anything the program cannot use (missing, not a
    // number, out of the table's range) yields the table's default.
    int Read(const SettingRow& setting, const std::string& suffix);
    void Write(const SettingRow& setting, const std::string& suffix, int value);

private:
    platform::Registry& registry_;
    std::string keyPath_;
};

// The parsers behind Read.
std::optional<long long> ParseWholeNumber(const std::string& text);
std::optional<double> ParseDecimalNumber(const std::string& text);

}  // namespace taktora
