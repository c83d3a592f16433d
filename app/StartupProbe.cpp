#include "app/StartupProbe.h"

#include "app/StartupRules.h"
#include "sources/CoreTempSharedData.h"

namespace taktora {

void StartupProbe::FindPaths() {
    const std::string modulePath = system_.ModulePath();
    programDir_ = FolderOf(modulePath);
    const std::string baseName = BaseNameOf(modulePath);
    quotedExePath_ = "\"" + programDir_ + baseName + ".exe\"";
    extFilePath_ = programDir_ + baseName + ".ext";
    taskManagerPath_ = SystemDirectory(system_.Environment("WINDIR"), system_.Environment("OS")) + "TaskMgr.exe";
    processViewerPath_ = programDir_ + "PViewer\\PrcView.exe";
    viewerToolPath_ = programDir_ + "PViewer\\PV.exe";
}

bool StartupProbe::FileExists(const std::string& path) {
    const auto entry = files_.FindFirst(path);
    constexpr std::uint32_t kNotNormal =
        platform::kAttributeHidden | platform::kAttributeSystem | platform::kAttributeDirectory;
    return entry && (entry->attributes & kNotNormal) == 0 && entry->size > 0;
}

void StartupProbe::LookForCoreTemp() {
    coreTempFound_ = system_.TopLevelWindowOfClassExists(kCoreTempWindowClass);
}

}  // namespace taktora
