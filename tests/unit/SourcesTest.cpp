#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>

#include "base/NumberFormat.h"
#include "sources/CPUUsage9x.h"
#include "sources/CPUUsageNT.h"
#include "sources/CPUpdh.h"
#include "sources/CoreTemp.h"
#include "tests/fakes/Fakes.h"

namespace taktora {
namespace {

using fake::Each;
using fake::Join;
using WaitResult = platform::SharedMemory::WaitResult;

// "-" for no sample.
std::string Number(std::optional<double> value) {
    return value ? FormatGeneral(*value, ".") : "-";
}

TEST(KernelCounterLoad, WholePercentOfAnIntervalOrNoSample) {
    // processors, time and idle time passed, and the query that fails (negative: in Initialize, so the counts start
    // at 0); the sample, and that of a busy interval after it. The ratio is kept at four decimals (0.33333, 4.00001,
    // -1.00004 %), halves go to even (ratios of 0.00005 and 0.00995, 99.99995 %). A failed read gives no sample,
    // and the next one covers its interval too; no processors is a failed read. An interval that is not positive or
    // longer than ten sampling intervals of 100 ms is the clock being set: no sample, and the next starts after it.
    const std::vector<std::array<std::int64_t, 4>> intervals = {{2, 10000000, 15000000, 0},
                                                                {1, 10000000, 10000000, 0},
                                                                {1, 10000000, 0, 0},
                                                                {1, 30000, 10000, 0},
                                                                {4, 10000000, 40001000, 0},
                                                                {4, 10000000, 40000100, 0},
                                                                {250, 10000000, 2525001000, 0},
                                                                {1, 0, 5000, 0},
                                                                {1, -10000000, -5000000, 0},
                                                                {1, 10000001, 0, 0},
                                                                {1, 1, 0, 0},
                                                                {1, 10000000, 500, 0},
                                                                {1, 10000000, 99500, 0},
                                                                {255, 10000000, 1000, 0},
                                                                {200, 10000000, 1000, 0},
                                                                {199, 10000000, 1000, 0},
                                                                {0, 1, 1, 0},
                                                                {1, 1000000, 1000000, 1},
                                                                {1, 1000000, 1000000, 2},
                                                                {1, 1000000, 1000000, 3},
                                                                {1, 1000000, 1000000, -2},
                                                                {1, 10000000, 10100000, 0}};
    EXPECT_EQ(Each(intervals,
                   [](const auto& interval) {
                       fake::Kernel kernel;
                       kernel.processors = static_cast<std::uint8_t>(interval[0]);
                       kernel.time = 10000000;
                       kernel.idle = 4000000;  // Windows counts idle time from another start
                       clsCPUUsageNT source(kernel);
                       kernel.failing = static_cast<int>(-interval[3]);
                       source.Initialize();
                       kernel.failing = static_cast<int>(interval[3]);
                       kernel.time += interval[1];
                       kernel.idle += interval[2];
                       const std::optional<double> sample = source.Query();
                       kernel.failing = 0;
                       kernel.Busy(100);
                       return Number(sample) + "/" + Number(source.Query());
                   }),
              "25/100 0/100 100/100 66/100 -1/100 0/100 -1/100 -/100 -/100 -/100 100/100 100/100 99/100 100/100 "
              "100/100 99/100 -/- -/50 -/50 -/50 -/100 -1/100 ");
}

TEST(RegistryStatisticLoad, StartedReadAsTheLowByteAndStopped) {
    // the key missing (1 start, 2 data, 3 stop, 0 none): two samples, the second after a failed read, and the calls
    EXPECT_EQ(
        Each<int>({0, 1, 2, 3},
                  [](int missing) {
                      fake::DynStats stats;
                      stats.keys = {
                          {"PerfStats\\StartStat", 99}, {"PerfStats\\StatData", 0x1234}, {"PerfStats\\StopStat", 7}};
                      if (missing > 0) {
                          stats.keys.erase(stats.keys.begin() + missing - 1);
                      }
                      clsCPUUsage source(stats);
                      source.Initialize();
                      const std::optional<double> first = source.Query();
                      stats.keys[1].second.reset();
                      const std::optional<double> second = source.Query();
                      source.Terminate();
                      return Number(first) + " " + Number(second) + " " + Join(stats.calls) + "\n";
                  }),
        "52 - Open PerfStats\\StartStat 983103; Read 1 KERNEL\\CPUUsage; Close 1; Open PerfStats\\StatData 131097; "
        "Read 2 KERNEL\\CPUUsage; Read 2 KERNEL\\CPUUsage; Close 2; Open PerfStats\\StopStat 983103; Read 3 "
        "KERNEL\\CPUUsage; Close 3\n "
        "- - Open PerfStats\\StartStat 983103; Open PerfStats\\StopStat 983103; Read 2 KERNEL\\CPUUsage; "
        "Close 2\n "
        "- - Open PerfStats\\StartStat 983103; Read 1 KERNEL\\CPUUsage; Close 1; Open PerfStats\\StatData 131097; "
        "Open PerfStats\\StopStat 983103; Read 2 KERNEL\\CPUUsage; Close 2\n "
        "52 - Open PerfStats\\StartStat 983103; Read 1 KERNEL\\CPUUsage; Close 1; Open PerfStats\\StatData 131097; "
        "Read 2 KERNEL\\CPUUsage; Read 2 KERNEL\\CPUUsage; Close 2; Open PerfStats\\StopStat 983103\n ");
}

TEST(CoreTempReader, FollowsTheMonitorsLockingGivesEverythingBackAndKeepsTheLastGoodRecord) {
    const std::vector<std::function<void(fake::SharedMemory&)>> faults = {
        [](fake::SharedMemory&) {},
        [](fake::SharedMemory& m) { m.wait = WaitResult::Abandoned; },
        [](fake::SharedMemory& m) { m.bytes.pop_back(); },  // a mapping one byte short
        [](fake::SharedMemory& m) { m.mapping = 0; },
        [](fake::SharedMemory& m) { m.wait = WaitResult::TimedOut; },
        [](fake::SharedMemory& m) { m.wait = WaitResult::Failed; },
        [](fake::SharedMemory& m) { m.mutex = 0; }};
    // whether Init read, the mean temperature, the load Query reads, and the calls of Init
    EXPECT_EQ(
        Each(faults,
             [](const auto& fault) {
                 fake::SharedMemory memory;
                 memory.Publish(fake::TwoCores());
                 clsCoreTemp source(memory);
                 CoreTempSharedData changed = fake::TwoCores();
                 changed.fTemp[0] = 90.0f;
                 memory.Publish(changed);
                 fault(memory);
                 memory.calls.clear();
                 const bool read = source.Init();
                 const std::string calls = Join(fake::Calls(memory.calls.begin() + 1, memory.calls.end()));
                 const std::string temp = Number(source.Temp());
                 return std::to_string(read) + " " + temp + " " + Number(source.Query()) + " " + calls + "\n";
             }),
        "1 66.5 40.5 Wait 50; OpenMapping CoreTempMappingObject; MapView 2688; Unmap; Close 2; Release 1; Close 1\n "
        "1 66.5 40.5 Wait 50; OpenMapping CoreTempMappingObject; MapView 2688; Unmap; Close 2; Release 1; Close 1\n "
        "0 41.5 - Wait 50; OpenMapping CoreTempMappingObject; MapView 2688; Close 2; Release 1; Close 1\n "
        "0 41.5 - Wait 50; OpenMapping CoreTempMappingObject; Release 1; Close 1\n "
        "0 41.5 - Wait 50; Close 1\n 0 41.5 - Wait 50; Close 1\n 0 41.5 - \n ");
}

TEST(CoreTempReader, MeansOverTheValidCoresOfNumbersOnly) {
    // the core count and the second core's temperature; every core from the third on reads 10 % and 50 degrees.
    // The mean load and temperature, and the second core's temperature in whole degrees, halves to even.
    const std::vector<std::pair<std::uint32_t, float>> records = {
        {2, 43},        {1, 43},   {4, 43},    {256, 43},  {0, 43},    {257, 43},     {0xFFFFFFFF, 43}, {2, NAN},
        {2, -INFINITY}, {2, 3e9f}, {2, 42.5f}, {2, 43.5f}, {2, -1.5f}, {2, -0x1p31f}, {2, 0x1p31f}};
    EXPECT_EQ(
        Each(records,
             [](const auto& r) {
                 CoreTempSharedData record = fake::TwoCores();
                 record.uiCoreCnt = r.first;
                 record.fTemp[1] = r.second;
                 std::fill(std::begin(record.uiLoad) + 2, std::end(record.uiLoad), 10u);
                 std::fill(std::begin(record.fTemp) + 2, std::end(record.fTemp), 50.0f);
                 fake::SharedMemory memory;
                 memory.Publish(record);
                 clsCoreTemp source(memory);
                 return Number(source.aCPUload()) + "/" + Number(source.Temp()) + "/" + std::to_string(source.fTemp(1));
             }),
        "40.5/41.5/43 30/40/43 25.25/45.75/43 10.23828/49.93359/43 0/0/43 0/0/43 0/0/43 40.5/0/0 40.5/0/0 "
        "40.5/1.5E+09/0 40.5/41.25/42 40.5/41.75/44 40.5/19.25/-2 40.5/-1.073742E+09/-2147483648 40.5/1.073742E+09/0 ");
}

TEST(CoreTempReader, FieldsBeyondTheRecordOrNotNumbersReadAsZero) {
    CoreTempSharedData record = fake::TwoCores();
    record.uiTjMax[127] = 95;
    record.fVID = NAN;
    record.fFSBspeed = INFINITY;
    record.fMultipier = 12.5f;
    std::memset(record.sCPUname, 'A', sizeof record.sCPUname);
    record.trailer[0] = 'X';
    fake::SharedMemory memory;
    memory.Publish(record);
    clsCoreTemp source(memory);
    EXPECT_EQ(std::tuple(source.uiTjMax(127), source.uiTjMax(128), source.fVID(), source.fFSBspeed(),
                         source.fMultipier(), source.fCPUspeed()),
              std::tuple(95u, 0u, 0.0f, 0.0f, 12.5f, 2400.0f));
    EXPECT_EQ(source.sCPUname(), "ansi " + std::string(100, 'A'));
    record.sCPUname[5] = '\0';
    memory.Publish(record);
    source.Init();
    EXPECT_EQ(source.sCPUname(), "ansi AAAAA");
}

constexpr char kTotal[] = "\\Processor(_Total)\\% Processor Time";
constexpr char kInformation[] = "\\Processor Information(_Total)\\% Processor Time";
constexpr char kUtility[] = "\\Processor Information(_Total)\\% Processor Utility";
constexpr platform::PdhStatus kFailed = static_cast<platform::PdhStatus>(0xC0000BC6u);

std::string Path(const std::string& object, const std::string& instance, const std::string& counter) {
    return "\\" + object + "(" + instance + ")\\" + counter;
}

TEST(PdhLoad, TheEnglishTotalNeedsNoEnumerationPrefersProcessorInformationAndCapsTheUtility) {
    const std::string local = std::string("OpenQuery 1; Add ") + kInformation + "; Add " + kUtility +
                              "; Collect; Collect; Collect; Collect; Remove 101; Remove 102; CloseQuery\n ";
    EXPECT_EQ(Each<std::string>(
                  {"", "\\\\PC", "\\\\GONE"},
                  [](const std::string& machine) {
                      fake::Pdh pdh;
                      pdh.machines = {"\\\\PC"};  // one that cannot be reached gives way to the local
                      pdh.paths = {{kTotal, {33}}, {kInformation, {34}}, {"\\\\PC" + std::string(kTotal), {35}}};
                      pdh.paths[kUtility] = {130};  // not on the remote machine
                      clsCPUpdh source(pdh);
                      source.Initialize(machine);
                      source.StartFreshInterval();
                      const std::optional<double> total = source.Query(), first = source.Query(0);
                      source.ReadUtility(true);
                      const std::optional<double> utility = source.Query();
                      source.Terminate();
                      source.Terminate();
                      return Number(total) + " " + Number(first) + " " + Number(utility) + " " +
                             std::to_string(source.UtilityKnown()) + std::to_string(source.Counters[0].CounterHandle) +
                             " " + Join(pdh.calls) + "\n";
                  }),
              "34 34 100 00 " + local + "35 35 35 00 OpenQuery 1; Add \\\\PC" + kInformation + "; Add \\\\PC" + kTotal +
                  "; Add \\\\PC" + kUtility +
                  "; Collect; Collect; Collect; Collect; Remove 101; CloseQuery\n 34 34 100 00 " + local);
}

TEST(PdhLoad, FindsTheProcessorCounterByTheSystemsNames) {
    // the objects as PDH lists them, the processor object, its processor-time counter
    const std::vector<std::tuple<std::vector<std::string>, std::string, std::string>> names = {
        {{"Cache", "Prozessor"}, "Prozessor", "Prozessorzeit (%)"},
        {{"Cache", "Processor"}, "Processor", "% Processor Time"},
        {{"Processor"}, "Processor", "% Processortime"},
        {{"Process", "Processor"}, "Processor", "% Processor Time"},
        {{"Prozess", "Prozessor"}, "Prozessor", "Prozessorzeit (%)"},
        {{"Cache", "Processor Information", "Prozessorinfo"}, "Processor Information", "% Processor Time"}};
    EXPECT_EQ(Each(names,
                   [](const auto& n) {
                       const auto& [objects, chosen, counter] = n;
                       fake::Pdh pdh;
                       pdh.english = false;
                       pdh.enumStatus = chosen == "Prozessor" ? platform::kPdhSuccess : platform::kPdhMoreData;
                       pdh.objects = fake::Pdh::Names(objects);
                       pdh.counters = fake::Pdh::Names({"% User Time", counter});
                       pdh.instances = fake::Pdh::Names({"0", "_Total"});
                       for (const std::string& object : objects) {
                           pdh.paths[Path(object, "_Total", counter)] = {object == chosen ? 25.0 : 900.0};
                           pdh.paths[Path(object, "0", counter)] = {object == chosen ? 20.0 : 900.0};
                       }
                       clsCPUpdh source(pdh);
                       source.Initialize();
                       source.StartFreshInterval();
                       return Number(source.Query()) + "/" + Number(source.Query(0)) + "/" +
                              std::to_string(pdh.added.size()) + "/" + std::to_string(source.UtilityKnown());
                   }),
              "25/20/2/0 25/20/2/0 25/20/2/0 25/20/2/0 25/20/2/0 25/20/2/0 ");
}

TEST(PdhLoad, WithoutUsableNamesOnlyTheEnglishPathRemains) {
    // what differs from a processor object whose instance list PDH cut short
    const std::vector<std::function<void(fake::Pdh&)>> lacks = {
        [](fake::Pdh& p) { p.counters = fake::Pdh::Names({"% temps processeur"}); },
        [](fake::Pdh& p) { p.objects = fake::Pdh::Names({"Cache"}); },
        [](fake::Pdh& p) { p.instances = fake::Pdh::Names({}); },
        [](fake::Pdh& p) { p.enumStatus = kFailed; },
        [](fake::Pdh& p) { p.objectsLength = 0; },
        [](fake::Pdh& p) { p.objectsLength = (1u << 20) + 1; },
        [](fake::Pdh& p) { p.objectsLength = 1u << 20; },
        [](fake::Pdh& p) { p.counters.clear(); },
        [](fake::Pdh& p) { p.instances.clear(); }};
    for (const bool englishWindows : {true, false}) {
        // whether the object list and the item lists were read, the counters added, and whether the source is broken
        EXPECT_EQ(Each(lacks,
                       [&](const auto& lack) {
                           fake::Pdh pdh;
                           pdh.english = false;
                           pdh.objects = fake::Pdh::Names({"Processor"});
                           pdh.counters = fake::Pdh::Names({"% Processor Time"});
                           pdh.instances = "0";
                           lack(pdh);
                           if (englishWindows) {
                               pdh.paths[kTotal] = {12};
                           }
                           clsCPUpdh source(pdh);
                           source.Initialize();
                           const std::string calls = Join(pdh.calls);
                           EXPECT_TRUE(calls.ends_with(std::string("; Add ") + kTotal)) << calls;
                           return std::to_string(calls.find("; ObjectsLength refresh; Objects;") != std::string::npos) +
                                  std::to_string(calls.find("; Items ") != std::string::npos) +
                                  std::to_string(pdh.added.size()) + std::to_string(source.Broken());
                       }),
                  englishWindows ? "1110 1010 1110 0010 0010 0010 1110 1010 1010 "
                                 : "1101 1001 1101 0001 0001 0001 1101 1001 1001 ");
    }
}

TEST(PdhLoad, ProcessorNumberSelectsTheFirstGoodInstanceEndingInIt) {
    using R = fake::Pdh::Reading;
    // the instances with their readings, and the processor (255: the total)
    const std::vector<std::pair<std::vector<std::pair<std::string, R>>, int>> queries = {
        {{{"0", {10}}, {"1", {20}}, {"_Total", {15}}}, 255},
        {{{"0", {10}}, {"1", {20}}}, 255},
        {{{"11", {70}}, {"1", {20}}}, 1},
        {{{"1", {20}}, {"11", {70}}}, 1},
        {{{"1", {20}}, {"_Total", {45}}, {"0", {10}}}, 0},
        {{{"0", {10}}, {"9", {90}}}, 9},
        {{{"0", {10}}, {"1", {20}}}, 2},
        {{{"11", {70, 2}}, {"1", {20}}}, 1},
        {{{"_Total", {55, platform::kPdhNewData}}}, 255},
        {{{"_Total", {55, 2}}}, 255},
        {{{"_Total", {55, 0, kFailed}}}, 255},
        {{{"0", {10}}}, 0}};
    EXPECT_EQ(Each(queries,
                   [](const auto& query) {
                       fake::Pdh pdh;
                       pdh.english = false;
                       std::vector<std::string> names;
                       for (const auto& [name, reading] : query.first) {
                           names.push_back(name);
                           pdh.paths[Path("Processor", name, "% Processor Time")] = reading;
                       }
                       pdh.objects = fake::Pdh::Names({"Processor"});
                       pdh.counters = fake::Pdh::Names({"% Processor Time"});
                       pdh.instances = fake::Pdh::Names(names);
                       clsCPUpdh source(pdh);
                       source.Initialize();
                       source.StartFreshInterval();
                       return Number(source.Query(static_cast<std::uint8_t>(query.second)));
                   }),
              "15 - 70 20 45 90 - 20 55 - - 10 ");
}

TEST(PdhLoad, BrokenWithoutACounterOrAfterFiveQueriesInARowWithoutAValue) {
    fake::Pdh pdh;
    pdh.paths[kTotal] = {20};
    clsCPUpdh source(pdh);
    source.Initialize();
    // the status of each value read; the first one is invalid anyway, as a rate takes two collections
    std::string samples;
    for (const auto status : {0, 0, kFailed, kFailed, kFailed, kFailed, 0, kFailed, kFailed, kFailed, kFailed}) {
        pdh.paths[kTotal].status = status;
        samples += Number(source.Query());
        samples += std::to_string(source.Broken()) + " ";
    }
    pdh.collectStatus = kFailed;
    source.Query();
    EXPECT_EQ(samples + std::to_string(source.Broken()), "-0 200 -0 -0 -0 -0 200 -0 -0 -0 -0 1");
    pdh.openStatus = kFailed;  // without a query there is nothing to collect or close
    clsCPUpdh none(pdh);
    pdh.calls.clear();
    none.Initialize();
    none.StartFreshInterval();
    EXPECT_FALSE(none.Query());
    none.Terminate();
    EXPECT_EQ(Join(pdh.calls), "OpenQuery 1");
    EXPECT_TRUE(none.Broken());
}

}  // namespace
}  // namespace taktora
