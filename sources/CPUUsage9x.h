#pragma once

#include <cstdint>
#include <optional>

#include "platform/DynStats.h"
#include "sources/LoadSource.h"

namespace taktora {

// Load from the Windows 9x family's dynamic registry statistic, which has to be started before it is read and
// stopped again at the end.
class clsCPUUsage : public clsLoadSource {
public:
    explicit clsCPUUsage(platform::DynStats& stats) : stats_(stats) {}

    // Starts the statistic and keeps its data key open until Terminate.
    void Initialize() override;
    // The low byte of the statistic, 0..255; none when the statistic cannot be read.
    std::optional<double> Query() override;
    // Closes the data key and stops the statistic.
    void Terminate() override;

    platform::DynStats::Key StatKey{};
    std::uint32_t StatData{};

private:
    platform::DynStats& stats_;
};

}  // namespace taktora
