#include "clocks/RunTime.h"

#include <cmath>

#include "base/NumberFormat.h"

namespace taktora {

std::string FormatRunTime(double seconds) {
    const double rounded = std::nearbyint(seconds);
    // Negative or absurd times (a clock set back, a broken start time) show as zero rather than as garbage.
    const std::int64_t n =
        std::isfinite(rounded) && rounded > 0 && rounded < 1e15 ? static_cast<std::int64_t>(rounded) : 0;
    return Printf("%02lld:%02d:%02d:%02d", static_cast<long long>(n / 86400), static_cast<int>(n / 3600 % 24),
                  static_cast<int>(n / 60 % 60), static_cast<int>(n % 60));
}

std::int64_t TickSeconds(std::uint32_t tickCount) {
    return static_cast<std::int64_t>(tickCount / 1000);
}

std::string UptimeText(std::uint32_t tickCount, std::optional<std::uint64_t> tickCount64) {
    if (tickCount64) {
        return FormatRunTime(static_cast<double>(*tickCount64 / 1000));
    }
    return FormatRunTime(static_cast<double>(TickSeconds(tickCount)));
}

}  // namespace taktora
