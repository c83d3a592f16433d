#include "win32/LocalTime.h"

#include <cstdint>

namespace taktora::platform::win32 {

namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;             // FILETIME counts 100 ns
constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;  // 369 years, 89 of them leap years

}  // namespace

LocalSeconds SecondsSince1970(const FILETIME& localTime) {
    const std::uint64_t ticks = (std::uint64_t{localTime.dwHighDateTime} << 32) | localTime.dwLowDateTime;
    return static_cast<std::int64_t>(ticks / kTicksPerSecond) - kSecondsFrom1601To1970;
}

}  // namespace taktora::platform::win32
