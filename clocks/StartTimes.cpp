#include "clocks/StartTimes.h"

#include "base/RegistryStrings.h"
#include "clocks/RunTime.h"

namespace taktora {

namespace {

constexpr const char* kMemoryManagementKey = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";

platform::LocalSeconds WholeMinute(platform::LocalSeconds time) {
    const platform::LocalSeconds second = ((time % 60) + 60) % 60;
    return time - second;
}

}  // namespace

std::string PageFilePath(const std::string& pagingFiles) {
    const std::string first = pagingFiles.substr(0, pagingFiles.find('\0'));
    return first.substr(0, first.find(' '));
}

StartTimes SetStartTime(bool startedAtLogon, platform::LocalSeconds now, std::uint64_t uptimeSeconds,
                        platform::Registry& registry, platform::FileSystem& files) {
    StartTimes times;
    times.ProgramStartTime = now;
    if (startedAtLogon) {
        times.WindowsStartTime = now - static_cast<platform::LocalSeconds>(uptimeSeconds);
        times.WindowsStartKnown = true;
        return times;
    }
    const std::string path =
        PageFilePath(RegGetString(registry, platform::RegRoot::LocalMachine, kMemoryManagementKey, "PagingFiles"));
    if (path.empty()) {
        return times;
    }
    if (const auto pageFile = files.FindFirst(path)) {
        times.WindowsStartTime = WholeMinute(pageFile->lastWrite);
        times.WindowsStartKnown = true;
    }
    return times;
}

std::string WinRun(const StartTimes& times, platform::LocalSeconds now, std::uint32_t tickCount,
                   std::optional<std::uint64_t> tickCount64) {
    if (times.WindowsStartKnown) {
        return FormatRunTime(static_cast<double>(now - times.WindowsStartTime));
    }
    return UptimeText(tickCount, tickCount64);
}

std::string ProgramRunTime(const StartTimes& times, platform::LocalSeconds now) {
    return FormatRunTime(static_cast<double>(now - times.ProgramStartTime));
}

}  // namespace taktora
