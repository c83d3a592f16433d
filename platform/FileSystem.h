#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Types.h"

namespace taktora::platform {

struct FileEntry {
    std::string name;  // file name of the match, without folder
    std::uint64_t size{};
    std::uint32_t attributes{};  // FILE_ATTRIBUTE_* bits
    LocalSeconds lastWrite{};
};

constexpr std::uint32_t kAttributeHidden = 0x2;
constexpr std::uint32_t kAttributeSystem = 0x4;
constexpr std::uint32_t kAttributeDirectory = 0x10;

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // The first match of a directory search for the pattern; the search is closed before returning.
    virtual std::optional<FileEntry> FindFirst(const std::string& pattern) = 0;
    virtual bool Delete(const std::string& path) = 0;
};

}  // namespace taktora::platform
