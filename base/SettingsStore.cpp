#include "base/SettingsStore.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "base/RegistryStrings.h"

namespace taktora {

namespace {

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return "";
    }
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// 1 when the number starts with a sign.
std::size_t SignLength(const std::string& number) {
    return number.starts_with('+') || number.starts_with('-') ? 1 : 0;
}

}  // namespace

std::optional<long long> ParseWholeNumber(const std::string& text) {
    const std::string trimmed = Trim(text);
    const std::size_t i = SignLength(trimmed);
    if (i == trimmed.size() || trimmed.size() > 12) {
        return std::nullopt;
    }
    for (std::size_t k = i; k < trimmed.size(); ++k) {
        if (trimmed[k] < '0' || trimmed[k] > '9') {
            return std::nullopt;
        }
    }
    return std::strtoll(trimmed.c_str(), nullptr, 10);
}

std::optional<double> ParseDecimalNumber(const std::string& text) {
    // Earlier versions wrote geometry in the locale's number form, so a comma counts as the decimal separator too.
    std::string trimmed = Trim(text);
    const std::size_t i = SignLength(trimmed);
    bool digits = false;
    bool separator = false;
    for (std::size_t k = i; k < trimmed.size(); ++k) {
        char& c = trimmed[k];
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if ((c == '.' || c == ',') && !separator) {
            separator = true;
            c = '.';
        } else {
            return std::nullopt;
        }
    }
    if (!digits || trimmed.size() > 32) {
        return std::nullopt;
    }
    const double value = std::strtod(trimmed.c_str(), nullptr);
    if (!std::isfinite(value) || std::fabs(value) > settings_detail::kPixelLimit) {
        return std::nullopt;
    }
    return value;
}

SettingsStore::SettingsStore(platform::Registry& registry, const std::string& app, const std::string& section)
    : registry_(registry), keyPath_("Software\\VB and VBA Program Settings\\" + app + "\\" + section) {}

std::optional<std::string> SettingsStore::Read(const std::string& name) {
    const auto data = registry_.Read(platform::RegRoot::CurrentUser, keyPath_, name, kMaxRegistryChars);
    if (!data || data->type != platform::RegType::String) {
        return std::nullopt;
    }
    return data->text.substr(0, data->text.find('\0'));
}

void SettingsStore::Write(const std::string& name, const std::string& text) {
    RegSetString(registry_, platform::RegRoot::CurrentUser, keyPath_, name, text);
}

int SettingsStore::Read(const SettingRow& setting, const std::string& suffix) {
    const auto text = Read(std::string(setting.name) + suffix);
    if (!text) {
        return setting.fallback;
    }
    std::optional<long long> value;
    if (setting.kind == SettingKind::Pixels) {
        if (const auto number = ParseDecimalNumber(*text)) {
            value = std::llround(*number);
        }
    } else {
        value = ParseWholeNumber(*text);
    }
    if (value && setting.kind == SettingKind::Clamped) {
        value = std::clamp<long long>(*value, setting.min, setting.max);
    }
    if (!value || *value < setting.min || *value > setting.max) {
        return setting.fallback;
    }
    return static_cast<int>(*value);
}

void SettingsStore::Write(const SettingRow& setting, const std::string& suffix, int value) {
    Write(std::string(setting.name) + (setting.perProfile ? suffix : ""), std::to_string(value));
}

}  // namespace taktora
