#pragma once

#include <string>

#include "platform/FileSystem.h"
#include "platform/System.h"

namespace taktora {

// Where the program and the outside programs it starts live, and which of them exist. Looked at once, at start-up:
// a program installed later is found at the next start.
class StartupProbe {
public:
    StartupProbe(platform::System& system, platform::FileSystem& files) : system_(system), files_(files) {}

    // The paths, from the program's own path and the Windows folder.
    void FindPaths();
    // A file counts when it is there and not empty, and is neither hidden, a system file nor a folder.
    bool FileExists(const std::string& path);
    void LookForCoreTemp();
    void LookForExtra() { extAvailable_ = FileExists(extFilePath_); }
    void LookForTaskManager() { taskManagerFound_ = FileExists(taskManagerPath_); }
    void LookForProcessViewer() { processViewerFound_ = FileExists(processViewerPath_); }

    const std::string& ProgramDir() const { return programDir_; }
    const std::string& QuotedExePath() const { return quotedExePath_; }
    const std::string& ExtFilePath() const { return extFilePath_; }
    const std::string& TaskManagerPath() const { return taskManagerPath_; }
    const std::string& ProcessViewerPath() const { return processViewerPath_; }
    const std::string& ViewerToolPath() const { return viewerToolPath_; }
    bool CoreTempFound() const { return coreTempFound_; }
    bool ExtAvailable() const { return extAvailable_; }
    bool TaskManagerFound() const { return taskManagerFound_; }
    bool ProcessViewerFound() const { return processViewerFound_; }

private:
    platform::System& system_;
    platform::FileSystem& files_;
    std::string programDir_;
    std::string quotedExePath_;
    std::string extFilePath_;
    std::string taskManagerPath_;
    std::string processViewerPath_;
    std::string viewerToolPath_;
    // All looked for at start-up.
    bool coreTempFound_{};
    bool extAvailable_{};
    bool taskManagerFound_{};
    bool processViewerFound_{};
};

}  // namespace taktora
