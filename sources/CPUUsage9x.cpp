#include "sources/CPUUsage9x.h"

namespace taktora {

namespace {

constexpr char kStartKey[] = "PerfStats\\StartStat";
constexpr char kDataKey[] = "PerfStats\\StatData";
constexpr char kStopKey[] = "PerfStats\\StopStat";
constexpr char kCpuUsage[] = "KERNEL\\CPUUsage";

}  // namespace

// Reading the value under the start and stop keys is what starts and stops the statistic; what those reads return
// is no sample, so it never reaches StatData.
void clsCPUUsage::Initialize() {
    StatKey = stats_.Open(kStartKey, platform::DynStats::kAllAccess);
    if (StatKey == 0) {
        return;
    }
    std::uint32_t started{};
    stats_.ReadDword(StatKey, kCpuUsage, started);
    stats_.Close(StatKey);
    StatKey = stats_.Open(kDataKey, platform::DynStats::kRead);
}

std::optional<double> clsCPUUsage::Query() {
    if (StatKey == 0 || !stats_.ReadDword(StatKey, kCpuUsage, StatData)) {
        return std::nullopt;
    }
    return static_cast<double>(StatData & 0xFF);
}

void clsCPUUsage::Terminate() {
    if (StatKey != 0) {
        stats_.Close(StatKey);
        StatKey = {};
    }
    const platform::DynStats::Key stopKey = stats_.Open(kStopKey, platform::DynStats::kAllAccess);
    if (stopKey == 0) {
        return;
    }
    std::uint32_t stopped{};
    stats_.ReadDword(stopKey, kCpuUsage, stopped);
    stats_.Close(stopKey);
}

}  // namespace taktora
