#pragma once

#include <memory>

#include "app/StartupRules.h"
#include "platform/DynStats.h"
#include "platform/Kernel.h"
#include "platform/Pdh.h"
#include "platform/SharedMemory.h"
#include "platform/System.h"
#include "sources/CPUpdh.h"
#include "sources/CoreTemp.h"
#include "sources/LoadSource.h"

namespace taktora {

// The load source chosen at start-up, which measures for the whole run.
class LoadSourceChoice {
public:
    LoadSourceChoice(platform::Kernel& kernel, platform::Pdh& pdh, platform::DynStats& dynStats,
                     platform::SharedMemory& shared)
        : kernel_(kernel), pdh_(pdh), dynStats_(dynStats), shared_(shared) {}

    // Opens the temperature monitor's record; false when it cannot be read. When it can and is wanted, the monitor
    // measures the load as well.
    bool TryCoreTemp(bool wanted);
    // The processor's own counters: the registry statistics on Windows 9x, PDH on 64-bit Windows Vista and later,
    // the kernel counters otherwise.
    void ChooseCounters(const platform::OsVersion& os, int nativeArchitecture);

    // A PDH source that cannot deliver gives way to the kernel counters, which measure the same processor time.
    void ReplaceBrokenSource();

    // The load as Task Manager shows it from Windows 8 on, wanted or not; a PDH source made later follows the wish.
    void SetLoadAsTaskManager(bool on);
    // Only a PDH source that has the counter measures it.
    bool LoadAsTaskManagerAvailable() const { return pdhSource_ != nullptr && pdhSource_->UtilityKnown(); }

    LoadSourceKind Kind() const { return kind_; }
    clsLoadSource* Source() { return source_.get(); }
    // The temperature monitor while it is the source, else nullptr.
    clsCoreTemp* CoreTemp() { return kind_ == LoadSourceKind::CoreTemp ? coreTemp_ : nullptr; }
    // Ends the measurement; nothing is measured afterwards.
    void Terminate();

private:
    platform::Kernel& kernel_;
    platform::Pdh& pdh_;
    platform::DynStats& dynStats_;
    platform::SharedMemory& shared_;
    std::unique_ptr<clsLoadSource> source_;
    clsCoreTemp* coreTemp_ = nullptr;  // the same object as source_ while the monitor measures
    clsCPUpdh* pdhSource_ = nullptr;   // the same object as source_ while PDH measures
    bool loadAsTaskManager_ = false;
    LoadSourceKind kind_ = LoadSourceKind::None;
};

}  // namespace taktora
