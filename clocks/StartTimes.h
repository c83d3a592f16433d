#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/Types.h"

namespace taktora {

// When Windows and the program started, fixed once at start-up.
struct StartTimes {
    platform::LocalSeconds ProgramStartTime{};
    platform::LocalSeconds WindowsStartTime{};
    bool WindowsStartKnown{};
};

// The page file's path: the first entry of the PagingFiles list, without the sizes that may follow it after a blank.
// Empty when the list is.
std::string PageFilePath(const std::string& pagingFiles);

// The start times. Started at logon ("/startup"), Windows started the tick count ago; otherwise the page file's last
// write, cut to whole minutes, tells when Windows started, if there is a page file.
StartTimes SetStartTime(bool startedAtLogon, platform::LocalSeconds now, std::uint64_t uptimeSeconds,
                        platform::Registry& registry, platform::FileSystem& files);

// The Windows run time: from the known start, or from the tick count.
std::string WinRun(const StartTimes& times, platform::LocalSeconds now, std::uint32_t tickCount,
                   std::optional<std::uint64_t> tickCount64);
std::string ProgramRunTime(const StartTimes& times, platform::LocalSeconds now);

}  // namespace taktora
