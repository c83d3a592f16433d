#include "sources/CPUUsageNT.h"

namespace taktora {

namespace {

using Wide = __int128;

constexpr Wide kFixedPointScale = 10000;

// num / den rounded to the nearest whole number, halves to the even neighbour; den > 0.
Wide DivideHalfToEven(Wide num, Wide den) {
    Wide quotient = num / den;
    Wide remainder = num % den;
    if (remainder < 0) {  // make the remainder non-negative so the quotient is the floor
        remainder += den;
        quotient -= 1;
    }
    const Wide twice = remainder * 2;
    if (twice > den || (twice == den && quotient % 2 != 0)) {
        quotient += 1;
    }
    return quotient;
}

Wide FloorDivide(Wide num, Wide den) {
    Wide quotient = num / den;
    if (num % den != 0 && num < 0) {
        quotient -= 1;
    }
    return quotient;
}

}  // namespace

void clsCPUUsageNT::Initialize() {
    std::int64_t currentTime{};
    std::int64_t idleTime{};
    if (kernel_.QueryCurrentTime(currentTime) != 0 || kernel_.QueryIdleTime(idleTime) != 0) {
        return;
    }
    PreviousIdleTime = idleTime;
    PreviousSystemTime = currentTime;
}

std::optional<double> clsCPUUsageNT::Query() {
    std::uint8_t processors{};
    std::int64_t currentTime{};
    std::int64_t idleTime{};
    if (kernel_.QueryProcessorCount(processors) != 0 || kernel_.QueryCurrentTime(currentTime) != 0 ||
        kernel_.QueryIdleTime(idleTime) != 0) {
        return std::nullopt;
    }
    // A record claiming no processors cannot be divided by; treat it like a failed read.
    if (processors == 0) {
        return std::nullopt;
    }
    const Wide idleDelta = Wide{idleTime} - PreviousIdleTime;
    const Wide timeDelta = Wide{currentTime} - PreviousSystemTime;
    PreviousIdleTime = idleTime;
    PreviousSystemTime = currentTime;
    if (timeDelta <= 0 || timeDelta > kLongestInterval) {
        return std::nullopt;
    }
    // The ratio as a fixed-point raw value (ratio x 10000).
    const Wide ratioRaw = DivideHalfToEven(idleDelta * kFixedPointScale, timeDelta);
    // value = 100 - ratio x 100 / processors, brought to four decimals (halves to even), then rounded down.
    const Wide valueRaw = DivideHalfToEven(100 * kFixedPointScale * processors - ratioRaw * 100, processors);
    return static_cast<double>(FloorDivide(valueRaw, kFixedPointScale));
}

}  // namespace taktora
