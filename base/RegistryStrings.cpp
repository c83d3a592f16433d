#include "base/RegistryStrings.h"

namespace taktora {

namespace {

std::string RemoveDoubleZeros(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\0' && i + 1 < text.size() && text[i + 1] == '\0') {
            ++i;
            continue;
        }
        result += text[i];
    }
    return result;
}

}  // namespace

std::string RegGetString(platform::Registry& registry, platform::RegRoot root, const std::string& subkey,
                         const std::string& name, const std::string& fallback) {
    const auto data = registry.Read(root, subkey, name, kMaxRegistryChars);
    if (!data) {
        return fallback;
    }
    switch (data->type) {
        case platform::RegType::String:
            return data->text.substr(0, data->text.find('\0'));
        case platform::RegType::MultiString:
            return RemoveDoubleZeros(data->text);
        case platform::RegType::Binary:
        case platform::RegType::Other:
            break;
    }
    return fallback;
}

void RegSetString(platform::Registry& registry, platform::RegRoot root, const std::string& subkey,
                  const std::string& name, const std::string& text) {
    registry.WriteString(root, subkey, name, text);
}

void RegDeleteString(platform::Registry& registry, platform::RegRoot root, const std::string& subkey,
                     const std::string& name) {
    registry.DeleteValue(root, subkey, name);
}

}  // namespace taktora
