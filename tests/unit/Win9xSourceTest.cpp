#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sources/CPUUsage9x.h"
#include "tests/fakes/FakeSources.h"

namespace taktora {
namespace {

constexpr char kStart[] = "PerfStats\\StartStat";
constexpr char kData[] = "PerfStats\\StatData";
constexpr char kStop[] = "PerfStats\\StopStat";

void InstallStatistic(fake::FakeDynStats& stats, std::uint32_t value) {
    stats.keys[kStart] = 0;
    stats.keys[kData] = value;
    stats.keys[kStop] = 0;
}

TEST(RegistryStatisticLoad, SampleIsTheLowByte) {
    const std::pair<std::uint32_t, double> cases[] = {
        {37, 37}, {0, 0}, {100, 100}, {255, 255}, {256, 0}, {300, 44}, {0x12345678, 0x78},
    };
    for (const auto& [value, expected] : cases) {
        fake::FakeDynStats stats;
        InstallStatistic(stats, value);
        clsCPUUsage source(stats);
        source.Initialize();
        EXPECT_EQ(source.Query(), expected) << value;
    }
}

TEST(RegistryStatisticLoad, FailedReadRepeatsTheLastValue) {
    fake::FakeDynStats stats;
    InstallStatistic(stats, 37);
    clsCPUUsage source(stats);
    source.Initialize();
    EXPECT_EQ(source.Query(), 37);
    stats.keys[kData] = 80;
    stats.readsFail = true;
    EXPECT_EQ(source.Query(), 37);
    EXPECT_EQ(source.Query(), 37);
    stats.readsFail = false;
    EXPECT_EQ(source.Query(), 80);
}

TEST(RegistryStatisticLoad, MissingKeysReadZeroUntilAValueArrives) {
    struct Case {
        bool startKey;
        bool dataKey;
        const char* why;
    };
    const Case cases[] = {
        {false, true, "statistic cannot be started"},
        {true, false, "data key missing"},
    };
    for (const Case& c : cases) {
        fake::FakeDynStats stats;
        if (c.startKey) {
            stats.keys[kStart] = 99;  // what starting the statistic answers is no sample
        }
        if (c.dataKey) {
            stats.keys[kData] = 37;
        }
        clsCPUUsage source(stats);
        source.Initialize();
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(source.Query(), 0) << c.why;
        }
        // A data key that appears later is never opened: the source stays where Initialize left it.
        stats.keys[kData] = 37;
        EXPECT_EQ(source.Query(), 0) << c.why;
        EXPECT_TRUE(stats.openKeys.empty()) << c.why;
    }
}

TEST(RegistryStatisticLoad, StartsAndStopsTheStatistic) {
    fake::FakeDynStats stats;
    InstallStatistic(stats, 37);
    clsCPUUsage source(stats);
    source.Initialize();
    source.Query();
    source.Terminate();
    const std::vector<std::string> expected = {
        "Open PerfStats\\StartStat f003f", "Read PerfStats\\StartStat KERNEL\\CPUUsage", "Close PerfStats\\StartStat",
        "Open PerfStats\\StatData 20019",  "Read PerfStats\\StatData KERNEL\\CPUUsage",  "Close PerfStats\\StatData",
        "Open PerfStats\\StopStat f003f",  "Read PerfStats\\StopStat KERNEL\\CPUUsage",  "Close PerfStats\\StopStat",
    };
    EXPECT_EQ(stats.calls, expected);
    EXPECT_TRUE(stats.openKeys.empty());
}

TEST(RegistryStatisticLoad, StopWithoutAStopKeyClosesTheDataKeyOnly) {
    fake::FakeDynStats stats;
    InstallStatistic(stats, 37);
    stats.keys.erase(kStop);
    clsCPUUsage source(stats);
    source.Initialize();
    source.Terminate();
    EXPECT_TRUE(stats.openKeys.empty());
    EXPECT_EQ(stats.calls.back(), "Open PerfStats\\StopStat f003f");
}

}  // namespace
}  // namespace taktora
