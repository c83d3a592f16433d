#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace taktora {

// "DD:HH:MM:SS" of a number of seconds (rounded half to even); the days take as many digits as they need.
std::string FormatRunTime(double seconds);

std::int64_t TickSeconds(std::uint32_t tickCount);

// Windows run time from the tick count: the 64-bit count where Windows has one, so the clock does not start again
// after 49.7 days; otherwise the 32-bit count.
std::string UptimeText(std::uint32_t tickCount, std::optional<std::uint64_t> tickCount64);

}  // namespace taktora
