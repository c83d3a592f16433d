#pragma once

#include <optional>
#include <string>

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

    // Typed reads: anything the program cannot use yields the default of that one value.
    int ReadOption(const std::string& name, int fallback);        // a whole number 0..255
    int ReadInterval(const std::string& name, int fallback);      // whole milliseconds 100..32767
    double ReadNumber(const std::string& name, double fallback);  // a pixel coordinate or size

private:
    platform::Registry& registry_;
    std::string keyPath_;
};

// Parsers behind the typed reads, exposed for their tests.
std::optional<long long> ParseWholeNumber(const std::string& text);
std::optional<double> ParseDecimalNumber(const std::string& text);

}  // namespace taktora
