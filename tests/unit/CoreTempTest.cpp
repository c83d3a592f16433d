#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "sources/CoreTemp.h"
#include "tests/fakes/FakeSources.h"

namespace taktora {
namespace {

using WaitResult = platform::SharedMemory::WaitResult;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

void ExpectEverythingGivenBack(const fake::FakeSharedMemory& memory, const std::string& why) {
    EXPECT_TRUE(memory.openHandles.empty()) << why;
    EXPECT_EQ(memory.liveViews, 0) << why;
    EXPECT_FALSE(memory.mutexOwned) << why;
    EXPECT_EQ(memory.strayReleases, 0) << why;
}

TEST(CoreTempReader, MeansOverTheValidCores) {
    struct Case {
        std::uint32_t cores;
        std::uint32_t load;  // of every core but the first two
        float temp;
        float expectedLoad;
        float expectedTemp;
        const char* why;
    };
    const Case cases[] = {
        {2, 0, 0, 40.5f, 41.5f, "loads 30 and 51, temperatures 40 and 43"},
        {1, 0, 0, 30.0f, 40.0f, "one core"},
        {4, 10, 50.0f, 25.25f, 45.75f, "(30 + 51 + 10 + 10) / 4 and (40 + 43 + 50 + 50) / 4"},
        {256, 100, 60.0f, 99.53515625f, 59.85546875f, "every entry: 25481 / 256 and 15323 / 256"},
        {0, 0, 0, 0, 0, "no cores: no mean"},
        {257, 100, 60.0f, 0, 0, "more cores than the record holds"},
        {300, 100, 60.0f, 0, 0, "far more cores than the record holds"},
        {0xFFFFFFFF, 100, 60.0f, 0, 0, "a count that reads as -1"},
    };
    for (const Case& c : cases) {
        CoreTempSharedData record = fake::TwoCoreRecord();
        record.uiCoreCnt = c.cores;
        for (std::size_t i = 2; i < CoreTempSharedData::kMaxCores; ++i) {
            record.uiLoad[i] = c.load;
            record.fTemp[i] = c.temp;
        }
        fake::FakeSharedMemory memory;
        memory.Publish(record);
        clsCoreTemp source(memory);
        EXPECT_EQ(source.Query(), c.expectedLoad) << c.why;
        EXPECT_EQ(source.Temp(), c.expectedTemp) << c.why;
    }
}

TEST(CoreTempReader, ValuesThatAreNoNumbersReadAsZero) {
    struct Case {
        float temp0;
        float temp1;
        float speed;
        float expectedTemp;
        std::int32_t expectedCore1;
        float expectedSpeed;
        const char* why;
    };
    const Case cases[] = {
        {40.0f, kNaN, 2400.0f, 0, 0, 2400.0f, "a core without a temperature"},
        {40.0f, kInf, 2400.0f, 0, 0, 2400.0f, "an infinite temperature"},
        {40.0f, -kInf, 2400.0f, 0, 0, 2400.0f, "a temperature of minus infinity"},
        {3e38f, 3e38f, 2400.0f, 0, 0, 2400.0f, "a sum beyond the float range"},
        {0.0f, 1e10f, 2400.0f, 5e9f, 0, 2400.0f, "a core beyond the whole numbers, with a finite mean"},
        {40.0f, 43.0f, kNaN, 41.5f, 43, 0, "a clock that is no number"},
    };
    for (const Case& c : cases) {
        CoreTempSharedData record = fake::TwoCoreRecord();
        record.fTemp[0] = c.temp0;
        record.fTemp[1] = c.temp1;
        record.fCPUspeed = c.speed;
        fake::FakeSharedMemory memory;
        memory.Publish(record);
        clsCoreTemp source(memory);
        EXPECT_EQ(source.Query(), 40.5) << c.why;
        EXPECT_EQ(source.Temp(), c.expectedTemp) << c.why;
        EXPECT_EQ(source.fTemp(1), c.expectedCore1) << c.why;
        EXPECT_EQ(source.fCPUspeed(), c.expectedSpeed) << c.why;
    }
}

TEST(CoreTempReader, CoreTemperatureRoundsHalfToEven) {
    const std::pair<float, std::int32_t> cases[] = {
        {42.5f, 42}, {43.5f, 44}, {42.4f, 42}, {42.6f, 43},      {0.5f, 0},
        {-0.5f, 0},  {-1.5f, -2}, {-2.6f, -3}, {0.49999997f, 0},
    };
    for (const auto& [temp, expected] : cases) {
        CoreTempSharedData record = fake::TwoCoreRecord();
        record.fTemp[255] = temp;
        fake::FakeSharedMemory memory;
        memory.Publish(record);
        clsCoreTemp source(memory);
        EXPECT_EQ(source.fTemp(255), expected) << temp;
    }
}

TEST(CoreTempReader, TjMaxOnlyForThePackagesOfTheRecord) {
    CoreTempSharedData record = fake::TwoCoreRecord();
    record.uiTjMax[127] = 95;
    record.uiCoreCnt = 2;  // directly after the table, where an entry 128 would be
    fake::FakeSharedMemory memory;
    memory.Publish(record);
    clsCoreTemp source(memory);
    EXPECT_EQ(source.uiTjMax(0), 100u);
    EXPECT_EQ(source.uiTjMax(127), 95u);
    EXPECT_EQ(source.uiTjMax(128), 0u);
    EXPECT_EQ(source.uiTjMax(255), 0u);
}

TEST(CoreTempReader, NameEndsAtTheFirstZeroByteOrTheField) {
    struct Case {
        std::string bytes;  // the start of the field; the rest stays zero
        std::string expected;
    };
    const Case cases[] = {
        {std::string("Intel Core i7\0garbage", 21), "Intel Core i7"},
        {std::string(100, 'A'), std::string(100, 'A')},
        {std::string("\0AMD", 4), ""},
        {"AMD Athlon\xAE 64", "AMD Athlon\xC2\xAE 64"},  // in the ANSI code page, handed on as UTF-8
    };
    for (const Case& c : cases) {
        CoreTempSharedData record = fake::TwoCoreRecord();
        std::memset(record.sCPUname, 0, sizeof record.sCPUname);
        std::memcpy(record.sCPUname, c.bytes.data(), c.bytes.size());
        record.trailer[0] = 'X';  // directly after a name without a zero byte
        fake::FakeSharedMemory memory;
        memory.Publish(record);
        clsCoreTemp source(memory);
        EXPECT_EQ(source.sCPUname(), c.expected);
    }
}

TEST(CoreTempReader, ReadsUnderTheMutexAndGivesEverythingBack) {
    for (const WaitResult wait : {WaitResult::Acquired, WaitResult::Abandoned}) {
        fake::FakeSharedMemory memory;
        memory.waitResult = wait;
        memory.Publish(fake::TwoCoreRecord());
        clsCoreTemp source(memory);
        memory.calls.clear();
        EXPECT_TRUE(source.Init());
        const std::vector<std::string> expected = {
            "OpenNamedMutex CoreTempMutexObject",
            "WaitForMutex " + std::to_string(clsCoreTemp::kMutexWaitMs),
            "OpenMapping CoreTempMappingObject",
            "MapView 2688",
            "UnmapView",
            "Close mapping",
            "ReleaseMutex",
            "Close mutex",
        };
        EXPECT_EQ(memory.calls, expected);
        EXPECT_LE(clsCoreTemp::kMutexWaitMs, 100u) << "a hung writer must not stall the sampling";
        ExpectEverythingGivenBack(memory, "successful read");
    }
}

TEST(CoreTempReader, FailedReadKeepsTheLastRecord) {
    struct Case {
        std::function<void(fake::FakeSharedMemory&)> fault;
        const char* why;
    };
    const Case cases[] = {
        {[](fake::FakeSharedMemory& m) { m.mutexes.clear(); }, "Core Temp quit: no mutex"},
        {[](fake::FakeSharedMemory& m) { m.mappings.clear(); }, "no mapping"},
        {[](fake::FakeSharedMemory& m) { m.mappings[kCoreTempMappingName].resize(100); }, "mapping of 100 bytes"},
        {[](fake::FakeSharedMemory& m) { m.mappings[kCoreTempMappingName].resize(2687); }, "one byte short"},
        {[](fake::FakeSharedMemory& m) { m.waitResult = WaitResult::TimedOut; }, "writer holds the mutex"},
        {[](fake::FakeSharedMemory& m) { m.waitResult = WaitResult::Failed; }, "wait failed"},
    };
    for (const Case& c : cases) {
        fake::FakeSharedMemory memory;
        memory.Publish(fake::TwoCoreRecord());
        clsCoreTemp source(memory);
        ASSERT_EQ(source.Query(), 40.5) << c.why;

        CoreTempSharedData changed = fake::TwoCoreRecord();
        changed.fTemp[0] = 90.0f;
        memory.Publish(changed);
        c.fault(memory);
        EXPECT_FALSE(source.Init()) << c.why;
        EXPECT_EQ(source.Query(), 0) << c.why;
        EXPECT_EQ(source.Temp(), 41.5f) << c.why;
        EXPECT_EQ(source.fCPUspeed(), 2400.0f) << c.why;
        EXPECT_EQ(source.sCPUname(), "Core 2 Duo E6600") << c.why;
        ExpectEverythingGivenBack(memory, c.why);
    }
}

TEST(CoreTempReader, MutexNotGotIsNotReleased) {
    fake::FakeSharedMemory memory;
    memory.Publish(fake::TwoCoreRecord());
    memory.waitResult = WaitResult::TimedOut;
    clsCoreTemp source(memory);
    const std::vector<std::string> expected = {
        "OpenNamedMutex CoreTempMutexObject",
        "WaitForMutex " + std::to_string(clsCoreTemp::kMutexWaitMs),
        "Close mutex",
    };
    EXPECT_EQ(memory.calls, expected);
    EXPECT_EQ(source.Temp(), 0);
}

TEST(CoreTempReader, CreatedWithoutCoreTempReadsZeroEverywhere) {
    fake::FakeSharedMemory memory;
    clsCoreTemp source(memory);
    source.Initialize();
    EXPECT_EQ(source.Query(), 0);
    EXPECT_EQ(source.Temp(), 0);
    EXPECT_EQ(source.uiTjMax(0), 0u);
    EXPECT_EQ(source.fTemp(0), 0);
    EXPECT_EQ(source.sCPUname(), "");
    source.Terminate();
    ExpectEverythingGivenBack(memory, "nothing to read");
}

}  // namespace
}  // namespace taktora
