#pragma once

#include <cstdint>

namespace taktora::platform {

// The three NtQuerySystemInformation records the kernel-counter load source reads, each in its native layout.
// Every call returns the NTSTATUS of the query (0 on success) and fills its output only on success.
class Kernel {
public:
    virtual ~Kernel() = default;
    virtual long QueryProcessorCount(std::uint8_t& processors) = 0;  // SystemBasicInformation
    virtual long QueryCurrentTime(std::int64_t& currentTime) = 0;    // SystemTimeOfDayInformation, 100 ns units
    virtual long QueryIdleTime(std::int64_t& idleTime) = 0;          // SystemPerformanceInformation, 100 ns units
};

}  // namespace taktora::platform
