#include "app/LoadSourceChoice.h"

#include "sources/CPUUsage9x.h"
#include "sources/CPUUsageNT.h"

namespace taktora {

bool LoadSourceChoice::TryCoreTemp(bool wanted) {
    auto reader = std::make_unique<clsCoreTemp>(shared_);
    if (!reader->Init()) {
        return false;
    }
    if (wanted) {
        coreTemp_ = reader.get();
        source_ = std::move(reader);
        kind_ = LoadSourceKind::CoreTemp;
    }
    return true;
}

void LoadSourceChoice::ChooseCounters(const platform::OsVersion& os, int nativeArchitecture) {
    const int architecture = ArchitectureValue(os.platformId, nativeArchitecture);
    kind_ = ChooseLoadSource(os.platformId, architecture, os.major, os.minor);
    switch (kind_) {
        case LoadSourceKind::Pdh: {
            auto pdh = std::make_unique<clsCPUpdh>(pdh_);
            pdh->ReadUtility(loadAsTaskManager_);
            pdhSource_ = pdh.get();
            source_ = std::move(pdh);
            break;
        }
        case LoadSourceKind::Win9xStatistics:
            source_ = std::make_unique<clsCPUUsage>(dynStats_);
            break;
        default:
            source_ = std::make_unique<clsCPUUsageNT>(kernel_);
            break;
    }
}

void LoadSourceChoice::ReplaceBrokenSource() {
    if (kind_ != LoadSourceKind::Pdh || !source_->Broken()) {
        return;
    }
    source_->Terminate();
    pdhSource_ = nullptr;
    source_ = std::make_unique<clsCPUUsageNT>(kernel_);
    source_->Initialize();
    kind_ = LoadSourceKind::KernelCounters;
}

void LoadSourceChoice::Terminate() {
    if (source_) {
        source_->Terminate();
        source_.reset();
    }
    coreTemp_ = nullptr;
    pdhSource_ = nullptr;
    kind_ = LoadSourceKind::None;
}

void LoadSourceChoice::SetLoadAsTaskManager(bool on) {
    loadAsTaskManager_ = on;
    if (pdhSource_ != nullptr) {
        pdhSource_->ReadUtility(on);
    }
}

}  // namespace taktora
