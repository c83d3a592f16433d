#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Processes.h"

namespace taktora {

// Starts an outside program by its full path with a command line that begins with the program itself, in quotation
// marks. The process id, or nullopt when nothing started.
std::optional<std::uint32_t> StartProgram(platform::Processes& processes, const std::string& applicationPath,
                                          const std::string& commandLine, bool hidden);

}  // namespace taktora
