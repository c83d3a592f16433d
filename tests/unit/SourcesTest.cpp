#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>

#include "sources/CPUUsage9x.h"
#include "sources/CPUUsageNT.h"
#include "sources/CPUpdh.h"
#include "sources/CoreTemp.h"
#include "tests/fakes/Fakes.h"

namespace taktora {
namespace {

using fake::Join;
using WaitResult = platform::SharedMemory::WaitResult;

TEST(KernelCounterLoad, WholePercentOfOneInterval) {
    // processors, time and idle time passed, sample
    const std::tuple<int, std::int64_t, std::int64_t, double> cases[] = {
        {2, 10000000, 15000000, 25},
        {1, 10000000, 10000000, 0},
        {1, 10000000, 0, 100},
        {1, 30000, 10000, 66},            // the ratio 0.33333 is kept as 0.3333
        {4, 10000000, 40001000, -1},      // idle counted a little past the interval
        {4, 10000000, 40000100, 0},       // 4.00001 is kept as 4.0000
        {150, 10000000, 1515001000, -2},  // -1.0000667 % at four decimals is -1.0001 %
        {1, 0, 5000, 50},                 // a zero interval keeps the idle time as the ratio
        {1, -10000000, -5000000, 50},     // a clock set back
        {1, 200000000, 10000, 100},       // ratios of 0.00005 and 0.00015 round half to even
        {1, 200000000, 30000, 99},
        {255, 10000000, 1000, 100},  // 99.99996 % is 100.0000 %
        {200, 10000000, 1000, 100},
        {199, 10000000, 1000, 99},  // 99.99995 % and a little less
    };
    for (const auto& [processors, time, idle, sample] : cases) {
        fake::Kernel kernel;
        kernel.processors = static_cast<std::uint8_t>(processors);
        clsCPUUsageNT source(kernel);
        source.Initialize();
        kernel.time += time;
        kernel.idle += idle;
        EXPECT_EQ(source.Query(), sample) << processors << " " << time << " " << idle;
    }
}

TEST(KernelCounterLoad, FailedReadGivesMinusOneAndTheNextCoversTheWholeTime) {
    for (int failing = 0; failing <= 4; ++failing) {
        fake::Kernel kernel;
        clsCPUUsageNT source(kernel);
        kernel.time = kernel.idle = 10000000;
        kernel.processors = failing == 0 ? 0 : 1;  // a record without processors cannot be divided by
        kernel.failing = failing == 4 ? 2 : 0;     // 4: Initialize fails, and the counts start at 0
        source.StartFreshInterval();
        kernel.failing = failing;
        kernel.Busy(0);
        EXPECT_EQ(source.Query(), failing == 4 ? 0 : -1) << failing;
        kernel.failing = 0;
        kernel.processors = 1;
        kernel.Busy(100);
        EXPECT_EQ(source.Query(), failing == 4 ? 100 : 50) << failing;
    }
}

TEST(RegistryStatisticLoad, StartedReadAsTheLowByteAndStopped) {
    const std::string start = "Open PerfStats\\StartStat 983103; Read 1 KERNEL\\CPUUsage; Close 1; ";
    const std::string read = "Read 2 KERNEL\\CPUUsage; ";
    const std::string stop = "Open PerfStats\\StopStat 983103";
    // the key that is missing (1 start, 2 data, 3 stop), the samples, the calls
    const std::tuple<int, double, std::string> cases[] = {
        {0, 0x34,
         start + "Open PerfStats\\StatData 131097; " + read + read + "Close 2; " + stop + "; Read 3 " +
             "KERNEL\\CPUUsage; Close 3"},
        {1, 0, "Open PerfStats\\StartStat 983103; " + stop + "; " + read + "Close 2"},
        {2, 0, start + "Open PerfStats\\StatData 131097; " + stop + "; " + read + "Close 2"},
        {3, 0x34, start + "Open PerfStats\\StatData 131097; " + read + read + "Close 2; " + stop},
    };
    for (const auto& [missing, sample, calls] : cases) {
        fake::DynStats stats;
        stats.keys = {{"PerfStats\\StartStat", 99}, {"PerfStats\\StatData", 0x1234}, {"PerfStats\\StopStat", 7}};
        if (missing > 0) {
            stats.keys.erase(stats.keys.begin() + missing - 1);
        }
        clsCPUUsage source(stats);
        source.Initialize();
        EXPECT_EQ(source.Query(), sample) << missing;
        stats.keys[1].second.reset();  // a failed read repeats the last value
        EXPECT_EQ(source.Query(), sample) << missing;
        source.Terminate();
        EXPECT_EQ(Join(stats.calls), calls) << missing;
    }
}

TEST(CoreTempReader, FollowsTheMonitorsLockingAndGivesEverythingBack) {
    const std::string wait = "OpenMutex CoreTempMutexObject; Wait 50; ";
    const std::string map = wait + "OpenMapping CoreTempMappingObject; MapView 2688; ";
    const std::tuple<std::function<void(fake::SharedMemory&)>, bool, std::string> cases[] = {
        {[](fake::SharedMemory&) {}, true, map + "Unmap; Close 2; Release 1; Close 1"},
        {[](fake::SharedMemory& m) { m.wait = WaitResult::Abandoned; }, true,
         map + "Unmap; Close 2; Release 1; Close 1"},
        {[](fake::SharedMemory& m) { m.bytes.pop_back(); }, false, map + "Close 2; Release 1; Close 1"},
        {[](fake::SharedMemory& m) { m.mapping = 0; }, false,
         wait + "OpenMapping CoreTempMappingObject; Release 1; Close 1"},
        {[](fake::SharedMemory& m) { m.wait = WaitResult::TimedOut; }, false, wait + "Close 1"},
        {[](fake::SharedMemory& m) { m.wait = WaitResult::Failed; }, false, wait + "Close 1"},
        {[](fake::SharedMemory& m) { m.mutex = 0; }, false, "OpenMutex CoreTempMutexObject"},
    };
    for (const auto& [setUp, read, calls] : cases) {
        fake::SharedMemory memory;
        memory.Publish(fake::TwoCores());
        clsCoreTemp source(memory);
        CoreTempSharedData changed = fake::TwoCores();
        changed.fTemp[0] = 90.0f;
        memory.Publish(changed);
        setUp(memory);
        memory.calls.clear();
        EXPECT_EQ(source.Init(), read) << calls;
        EXPECT_EQ(Join(memory.calls), calls);
        // A failed read keeps the record of the last good one, and Query reads 0.
        EXPECT_EQ(source.Temp(), read ? 66.5f : 41.5f) << calls;
        EXPECT_EQ(source.Query(), read ? 40.5 : 0.0) << calls;
    }
}

TEST(CoreTempReader, MeansOverTheValidCoresOfNumbersOnly) {
    // the core count, the second core's temperature (every core from the third on reads 10 % and 50 degrees), the
    // mean load and temperature, the second core's temperature in whole degrees (halves to even)
    const std::tuple<std::uint32_t, float, float, float, int> cases[] = {
        {2, 43, 40.5f, 41.5f, 43},
        {1, 43, 30, 40, 43},
        {4, 43, 25.25f, 45.75f, 43},
        {256, 43, 2621.0f / 256, 12783.0f / 256, 43},
        {0, 43, 0, 0, 43},
        {257, 43, 0, 0, 43},
        {0xFFFFFFFF, 43, 0, 0, 43},
        {2, NAN, 40.5f, 0, 0},
        {2, -INFINITY, 40.5f, 0, 0},
        {2, 3e9f, 40.5f, 1.5e9f, 0},
        {2, 42.5f, 40.5f, 41.25f, 42},
        {2, 43.5f, 40.5f, 41.75f, 44},
        {2, -1.5f, 40.5f, 19.25f, -2},
    };
    for (const auto& [cores, temp1, load, temp, core1] : cases) {
        CoreTempSharedData record = fake::TwoCores();
        record.uiCoreCnt = cores;
        record.fTemp[1] = temp1;
        std::fill(std::begin(record.uiLoad) + 2, std::end(record.uiLoad), 10u);
        std::fill(std::begin(record.fTemp) + 2, std::end(record.fTemp), 50.0f);
        fake::SharedMemory memory;
        memory.Publish(record);
        clsCoreTemp source(memory);
        EXPECT_EQ(source.aCPUload(), load) << cores << " " << temp1;
        EXPECT_EQ(source.Temp(), temp) << cores << " " << temp1;
        EXPECT_EQ(source.fTemp(1), core1) << temp1;
    }
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
    EXPECT_EQ(std::tuple(source.uiTjMax(127), source.uiTjMax(128), source.fVID(), source.fFSBspeed()),
              std::tuple(95u, 0u, 0.0f, 0.0f));
    EXPECT_EQ(source.fMultipier(), 12.5f);
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
    for (const bool information : {true, false}) {
        fake::Pdh pdh;
        pdh.paths = {{kTotal, {33}}, {"\\\\PC" + std::string(kInformation), {35}}};
        if (information) {
            pdh.paths[kInformation] = {34};
        }
        clsCPUpdh source(pdh);
        source.Initialize("\\\\PC");  // a machine that cannot be reached gives way to the local one
        source.StartFreshInterval();
        EXPECT_EQ(source.Query(), information ? 34 : 33);
        EXPECT_EQ(source.Query(0), information ? 34 : 33) << "_Total ends in no digit: processor 0";
        source.Terminate();
        source.Terminate();
        EXPECT_EQ(Join(pdh.calls), std::string("OpenQuery 1; Add ") + kInformation +
                                       (information ? "" : std::string("; Add ") + kTotal) +
                                       "; Collect; Collect; Collect; Remove 101; CloseQuery");
    }
    fake::Pdh pdh;
    pdh.machines = {"\\\\PC"};
    pdh.paths = {{"\\\\PC" + std::string(kInformation), {35}}};
    clsCPUpdh source(pdh);
    source.Initialize("\\\\PC");
    EXPECT_EQ(source.Query(), 35);
}

TEST(PdhLoad, FindsTheProcessorCounterByTheSystemsNames) {
    // the objects as PDH lists them, the processor object, its processor-time counter
    const std::tuple<std::vector<std::string>, std::string, std::string> cases[] = {
        {{"Cache", "Prozessor"}, "Prozessor", "Prozessorzeit (%)"},
        {{"Cache", "Processor"}, "Processor", "% Processor Time"},
        {{"Processor"}, "Processor", "% Processortime"},
        {{"Process", "Processor"}, "Processor", "% Processor Time"},
        {{"Prozess", "Prozessor"}, "Prozessor", "Prozessorzeit (%)"},
        {{"Cache", "Processor Information", "Prozessorinfo"}, "Processor Information", "% Processor Time"},
    };
    for (const auto& [objects, chosen, counter] : cases) {
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
        EXPECT_EQ(source.Query(), 25) << chosen;
        EXPECT_EQ(source.Query(0), 20) << chosen;
        EXPECT_EQ(pdh.added.size(), 2u) << chosen;
    }
}

TEST(PdhLoad, WithoutUsableNamesOnlyTheEnglishPathRemains) {
    // what differs from a processor object with one instance, whether the object and the item lists are read
    const std::tuple<std::function<void(fake::Pdh&)>, bool, bool> cases[] = {
        {[](fake::Pdh& p) { p.counters = fake::Pdh::Names({"% temps processeur"}); }, true, true},
        {[](fake::Pdh& p) { p.objects = fake::Pdh::Names({"Cache"}); }, true, false},
        {[](fake::Pdh& p) { p.instances = fake::Pdh::Names({}); }, true, true},
        {[](fake::Pdh& p) { p.enumStatus = kFailed; }, false, false},
        {[](fake::Pdh& p) { p.objectsLength = 0; }, false, false},
        {[](fake::Pdh& p) { p.objectsLength = (1u << 20) + 1; }, false, false},
        {[](fake::Pdh& p) { p.objectsLength = 1u << 20; }, true, true},
        {[](fake::Pdh& p) { p.counters.clear(); }, true, false},
        {[](fake::Pdh& p) { p.instances.clear(); }, true, false},
    };
    for (const bool englishWindows : {true, false}) {
        for (const auto& [setUp, objectsRead, itemsRead] : cases) {
            fake::Pdh pdh;
            pdh.english = false;
            pdh.objects = fake::Pdh::Names({"Processor"});
            pdh.counters = fake::Pdh::Names({"% Processor Time"});
            pdh.instances = "0";  // a list cut short: its last name may be cut, too
            setUp(pdh);
            if (englishWindows) {
                pdh.paths[kTotal] = {12};
            }
            clsCPUpdh source(pdh);
            source.Initialize();
            const std::string calls = Join(pdh.calls);
            EXPECT_EQ(calls.find("; Objects;") != std::string::npos, objectsRead) << calls;
            EXPECT_EQ(calls.find("; Items ") != std::string::npos, itemsRead) << calls;
            EXPECT_EQ(calls.substr(calls.rfind(';')), std::string("; Add ") + kTotal);
            EXPECT_EQ(source.Query(), englishWindows ? 12 : 0) << calls;
            EXPECT_EQ(source.Broken(), !englishWindows);
        }
    }
}

TEST(PdhLoad, ProcessorNumberSelectsTheFirstGoodInstanceEndingInIt) {
    using R = fake::Pdh::Reading;
    // the instances with their readings, the processor (255: the total), the sample
    const std::tuple<std::vector<std::pair<std::string, R>>, int, double> cases[] = {
        {{{"0", {10}}, {"1", {20}}, {"_Total", {15}}}, 255, 15},
        {{{"0", {10}}, {"1", {20}}}, 255, 0},
        {{{"11", {70}}, {"1", {20}}}, 1, 70},
        {{{"1", {20}}, {"11", {70}}}, 1, 20},
        {{{"1", {20}}, {"_Total", {45}}, {"0", {10}}}, 0, 45},
        {{{"0", {10}}, {"9", {90}}}, 9, 90},
        {{{"0", {10}}, {"1", {20}}}, 2, 0},
        {{{"11", {70, 2}}, {"1", {20}}}, 1, 20},
        {{{"_Total", {55, platform::kPdhNewData}}}, 255, 55},
        {{{"_Total", {55, 2}}}, 255, 0},
        {{{"_Total", {55, 0, kFailed}}}, 255, 0},
    };
    for (const auto& [instances, cpu, sample] : cases) {
        fake::Pdh pdh;
        pdh.english = false;
        std::vector<std::string> names;
        for (const auto& [name, reading] : instances) {
            names.push_back(name);
            pdh.paths[Path("Processor", name, "% Processor Time")] = reading;
        }
        pdh.objects = fake::Pdh::Names({"Processor"});
        pdh.counters = fake::Pdh::Names({"% Processor Time"});
        pdh.instances = fake::Pdh::Names(names);
        clsCPUpdh source(pdh);
        source.Initialize();
        EXPECT_EQ(source.Query(static_cast<std::uint8_t>(cpu)), sample) << cpu << " of " << names.size();
    }
}

TEST(PdhLoad, BrokenWithoutACounterOrAfterFiveFailedCollectionsInARow) {
    fake::Pdh pdh;
    pdh.paths[kTotal] = {20};
    clsCPUpdh source(pdh);
    source.Initialize();
    for (const platform::PdhStatus status :
         {kFailed, kFailed, kFailed, kFailed, 0, kFailed, kFailed, kFailed, kFailed}) {
        pdh.collectStatus = status;
        EXPECT_EQ(source.Query(), status == 0 ? 20 : 0);
    }
    EXPECT_FALSE(source.Broken());
    source.Query();
    EXPECT_TRUE(source.Broken());

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
