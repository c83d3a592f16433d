#pragma once

#include <cstdint>
#include <optional>

#include "platform/Kernel.h"
#include "sources/LoadSource.h"

namespace taktora {

// Load from the kernel's idle-time and time-of-day counters. The counters are taken as fixed-point numbers with four
// decimal places, which decides the rounding of the ratio.
class clsCPUUsageNT : public clsLoadSource {
public:
    explicit clsCPUUsageNT(platform::Kernel& kernel) : kernel_(kernel) {}

    void Initialize() override;
    // Whole percent, rounded down. None when a kernel read fails: the previous counts are kept, so the next sample
    // covers the time since the last one. None across a change of the clock either (an interval that is not positive
    // or longer than kLongestInterval), and the next sample starts from the counts read now.
    std::optional<double> Query() override;
    void Terminate() override {}
    void StartFreshInterval() override { Initialize(); }

    // Ten sampling intervals in the kernel's 100 ns units. A longer one is the clock being set rather than time that
    // passed, and its idle time would be spread over the wrong length.
    static constexpr std::int64_t kLongestInterval = 10 * kSamplingIntervalMs * 10000;

    std::int64_t PreviousIdleTime{};
    std::int64_t PreviousSystemTime{};

private:
    platform::Kernel& kernel_;
};

}  // namespace taktora
