#pragma once

#include <cstdint>
#include <string>

#include "base/SettingsStore.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/Shell.h"

namespace taktora {

// The outside process viewer: its settings correction at start-up, its start, the placement of its window at the
// remembered rectangle, and the tracking of that rectangle.
class ProcessViewer {
public:
    static constexpr const char* kWindowTitle = "Process Viewer";
    static constexpr const char* kDownloadAddress = "http://www.brisko-software.de/prcview/";
    static constexpr const char* kSettingsKey = "Software\\Vesk\\pview95";

    ProcessViewer(platform::Processes& processes, platform::Shell& shell, SettingsStore& store);

    // The viewer's own start-up options would fight with ours: switch them off, warning when one was on.
    void RepairSettings(platform::Registry& registry, const std::string& viewerToolPath, bool viewerToolPresent);
    // Starts the viewer; without it, tells where to get it.
    void Proc(bool found, const std::string& viewerPath, const std::string& programDir, const std::string& keySuffix);
    // Every refresh tick: remembers where the user left the viewer's window.
    void Track(const std::string& keySuffix);

    std::uint32_t ViewerTracking = 0;
    int ViewerTop{};
    int ViewerLeft{};
    int ViewerWidth{};
    int ViewerHeight{};

private:
    platform::Processes& processes_;
    platform::Shell& shell_;
    SettingsStore& store_;
};

std::string ViewerHintText(const std::string& programDir);
std::string ViewerWarningText();

}  // namespace taktora
