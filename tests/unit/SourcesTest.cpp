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

std::string Number(double value) {
    return FormatGeneral(value, '.');
}

TEST(KernelCounterLoad, WholePercentOfOneInterval) {
    // processors, time and idle time passed. The ratio is kept at four decimals (0.33333, 4.00001, -1.0000667 %),
    // halves go to even (ratios of 0.00005 and 0.00015, 99.99995 %), and a zero interval keeps the idle time as
    // the ratio; no processors is a failed read.
    const std::vector<std::array<std::int64_t, 3>> intervals = {{2, 10000000, 15000000},
                                                                {1, 10000000, 10000000},
                                                                {1, 10000000, 0},
                                                                {1, 30000, 10000},
                                                                {4, 10000000, 40001000},
                                                                {4, 10000000, 40000100},
                                                                {150, 10000000, 1515001000},
                                                                {1, 0, 5000},
                                                                {1, -10000000, -5000000},
                                                                {1, 200000000, 10000},
                                                                {1, 200000000, 30000},
                                                                {255, 10000000, 1000},
                                                                {200, 10000000, 1000},
                                                                {199, 10000000, 1000},
                                                                {0, 1, 1}};
    EXPECT_EQ(Each(intervals,
                   [](const auto& interval) {
                       fake::Kernel kernel;
                       kernel.processors = static_cast<std::uint8_t>(interval[0]);
                       clsCPUUsageNT source(kernel);
                       source.Initialize();
                       kernel.time += interval[1];
                       kernel.idle += interval[2];
                       EXPECT_FALSE(source.Broken()) << "only PDH can break";
                       return Number(source.Query());
                   }),
              "25 0 100 66 -1 0 -2 50 50 100 99 100 100 99 -1 ");
}

TEST(KernelCounterLoad, FailedReadGivesMinusOneAndTheNextCoversTheWholeTime) {
    // the query that fails in the first interval (4: in Initialize, so the counts start at 0); both samples
    EXPECT_EQ(Each<int>({1, 2, 3, 4},
                        [](int failing) {
                            fake::Kernel kernel;
                            clsCPUUsageNT source(kernel);
                            kernel.time = kernel.idle = 10000000;
                            kernel.failing = failing == 4 ? 2 : 0;
                            source.StartFreshInterval();
                            kernel.failing = failing;
                            kernel.Busy(0);
                            const double first = source.Query();
                            kernel.failing = 0;
                            kernel.Busy(100);
                            return Number(first) + "/" + Number(source.Query());
                        }),
              "-1/50 -1/50 -1/50 0/100 ");
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
                      const double first = source.Query();
                      stats.keys[1].second.reset();
                      const double second = source.Query();
                      source.Terminate();
                      return Number(first) + " " + Number(second) + " " + Join(stats.calls) + "\n";
                  }),
        "52 52 Open PerfStats\\StartStat 983103; Read 1 KERNEL\\CPUUsage; Close 1; Open PerfStats\\StatData 131097; "
        "Read 2 KERNEL\\CPUUsage; Read 2 KERNEL\\CPUUsage; Close 2; Open PerfStats\\StopStat 983103; Read 3 "
        "KERNEL\\CPUUsage; Close 3\n "
        "0 0 Open PerfStats\\StartStat 983103; Open PerfStats\\StopStat 983103; Read 2 KERNEL\\CPUUsage; "
        "Close 2\n "
        "0 0 Open PerfStats\\StartStat 983103; Read 1 KERNEL\\CPUUsage; Close 1; Open PerfStats\\StatData 131097; "
        "Open PerfStats\\StopStat 983103; Read 2 KERNEL\\CPUUsage; Close 2\n "
        "52 52 Open PerfStats\\StartStat 983103; Read 1 KERNEL\\CPUUsage; Close 1; Open PerfStats\\StatData 131097; "
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
        "0 41.5 0 Wait 50; OpenMapping CoreTempMappingObject; MapView 2688; Close 2; Release 1; Close 1\n "
        "0 41.5 0 Wait 50; OpenMapping CoreTempMappingObject; Release 1; Close 1\n "
        "0 41.5 0 Wait 50; Close 1\n 0 41.5 0 Wait 50; Close 1\n 0 41.5 0 \n ");
}

TEST(CoreTempReader, MeansOverTheValidCoresOfNumbersOnly) {
    // the core count and the second core's temperature; every core from the third on reads 10 % and 50 degrees.
    // The mean load and temperature, and the second core's temperature in whole degrees, halves to even.
    const std::vector<std::pair<std::uint32_t, float>> records = {
        {2, 43},  {1, 43},        {4, 43},   {256, 43},  {0, 43},    {257, 43}, {0xFFFFFFFF, 43},
        {2, NAN}, {2, -INFINITY}, {2, 3e9f}, {2, 42.5f}, {2, 43.5f}, {2, -1.5f}};
    EXPECT_EQ(Each(records,
                   [](const auto& r) {
                       CoreTempSharedData record = fake::TwoCores();
                       record.uiCoreCnt = r.first;
                       record.fTemp[1] = r.second;
                       std::fill(std::begin(record.uiLoad) + 2, std::end(record.uiLoad), 10u);
                       std::fill(std::begin(record.fTemp) + 2, std::end(record.fTemp), 50.0f);
                       fake::SharedMemory memory;
                       memory.Publish(record);
                       clsCoreTemp source(memory);
                       return Number(source.aCPUload()) + "/" + Number(source.Temp()) + "/" +
                              std::to_string(source.fTemp(1));
                   }),
              "40.5/41.5/43 30/40/43 25.25/45.75/43 10.23828/49.93359/43 0/0/43 0/0/43 0/0/43 40.5/0/0 40.5/0/0 "
              "40.5/1.5E+09/0 40.5/41.25/42 40.5/41.75/44 40.5/19.25/-2 ");
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
constexpr platform::PdhStatus kFailed = static_cast<platform::PdhStatus>(0xC0000BC6u);

std::string Path(const std::string& object, const std::string& instance, const std::string& counter) {
    return "\\" + object + "(" + instance + ")\\" + counter;
}

TEST(PdhLoad, TheEnglishTotalNeedsNoEnumerationAndPrefersProcessorInformation) {
    EXPECT_EQ(Each<std::string>({"", "\\\\PC", "\\\\GONE"},
                                [](const std::string& machine) {
                                    fake::Pdh pdh;
                                    pdh.machines = {"\\\\PC"};  // one that cannot be reached gives way to the local
                                    pdh.paths = {{kTotal, {33}}, {"\\\\PC" + std::string(kTotal), {35}}};
                                    clsCPUpdh source(pdh);
                                    source.Initialize(machine);
                                    source.StartFreshInterval();
                                    const double total = source.Query(), first = source.Query(0);
                                    source.Terminate();
                                    source.Terminate();
                                    return Number(total) + " " + Number(first) + " " + Join(pdh.calls) + "\n";
                                }),
              std::string("33 33 OpenQuery 1; Add ") + kInformation + "; Add " + kTotal +
                  "; Collect; Collect; Collect; Remove 101; CloseQuery\n 35 35 OpenQuery 1; Add \\\\PC" + kInformation +
                  "; Add \\\\PC" + kTotal +
                  "; Collect; Collect; Collect; Remove 101; CloseQuery\n 33 33 OpenQuery 1; Add " + kInformation +
                  "; Add " + kTotal + "; Collect; Collect; Collect; Remove 101; CloseQuery\n ");
    fake::Pdh pdh;
    pdh.paths = {{kTotal, {33}}, {kInformation, {34}}};
    clsCPUpdh source(pdh);
    source.Initialize();
    EXPECT_EQ(source.Query(), 34);
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
                       return Number(source.Query()) + "/" + Number(source.Query(0)) + "/" +
                              std::to_string(pdh.added.size());
                   }),
              "25/20/2 25/20/2 25/20/2 25/20/2 25/20/2 25/20/2 ");
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
        // whether the object list and the item lists were read, the sample, and whether the source is broken
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
                                  std::to_string(calls.find("; Items ") != std::string::npos) + Number(source.Query()) +
                                  std::to_string(pdh.added.size()) + std::to_string(source.Broken());
                       }),
                  englishWindows ? "111210 101210 111210 001210 001210 001210 111210 101210 101210 "
                                 : "11001 10001 11001 00001 00001 00001 11001 10001 10001 ");
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
        {{{"_Total", {55, 0, kFailed}}}, 255}};
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
                       return Number(source.Query(static_cast<std::uint8_t>(query.second)));
                   }),
              "15 0 70 20 45 90 0 20 55 0 0 ");
}

TEST(PdhLoad, BrokenWithoutACounterOrAfterFiveFailedCollectionsInARow) {
    fake::Pdh pdh;
    pdh.paths[kTotal] = {20};
    clsCPUpdh source(pdh);
    source.Initialize();
    std::string samples;
    for (const platform::PdhStatus status :
         {kFailed, kFailed, kFailed, kFailed, 0, kFailed, kFailed, kFailed, kFailed}) {
        pdh.collectStatus = status;
        samples += Number(source.Query());
        samples += std::to_string(source.Broken()) + " ";
    }
    source.Query();
    EXPECT_EQ(samples + std::to_string(source.Broken()), "00 00 00 00 200 00 00 00 00 1");
    pdh.openStatus = kFailed;  // without a query there is nothing to collect or close
    clsCPUpdh none(pdh);
    pdh.calls.clear();
    none.Initialize();
    none.StartFreshInterval();
    EXPECT_EQ(none.Query(), 0);
    none.Terminate();
    EXPECT_EQ(Join(pdh.calls), "OpenQuery 1");
    EXPECT_TRUE(none.Broken());
}

}  // namespace
}  // namespace taktora
