#pragma once

#include <cstdint>

#include "platform/Kernel.h"
#include "sources/LoadSource.h"

namespace taktora {

// Load from the kernel's idle-time and time-of-day counters. The counters are taken as fixed-point numbers with four
// decimal places, which decides the rounding of the ratio and the zero-interval case.
class clsCPUUsageNT : public clsLoadSource {
public:
    explicit clsCPUUsageNT(platform::Kernel& kernel) : kernel_(kernel) {}

    void Initialize() override;
    // Whole percent, rounded down; -1 when a kernel read fails (the previous counts are kept).
    double Query() override;
    void Terminate() override {}
    void StartFreshInterval() override { Initialize(); }

    std::int64_t PreviousIdleTime = 0;
    std::int64_t PreviousSystemTime = 0;

private:
    platform::Kernel& kernel_;
};

}  // namespace taktora
