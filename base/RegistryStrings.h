#pragma once

#include <string>

#include "platform/Registry.h"

namespace taktora {

// Longest value the program ever reads; anything longer is not one of ours and reads as missing.
constexpr std::size_t kMaxRegistryChars = 4096;

// The text of a REG_SZ value up to its first zero character, or a REG_MULTI_SZ value with every pair of consecutive
// zero characters removed; any other type, a missing or oversized value: the default.
std::string RegGetString(platform::Registry& registry, platform::RegRoot root, const std::string& subkey,
                         const std::string& name, const std::string& fallback = "");
void RegSetString(platform::Registry& registry, platform::RegRoot root, const std::string& subkey,
                  const std::string& name, const std::string& text);
void RegDeleteString(platform::Registry& registry, platform::RegRoot root, const std::string& subkey,
                     const std::string& name);

}  // namespace taktora
