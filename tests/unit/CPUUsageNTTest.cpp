#include <gtest/gtest.h>

#include "sources/CPUUsageNT.h"
#include "tests/fakes/FakePlatform.h"

namespace taktora {
namespace {

struct Interval {
    int processors;
    std::int64_t timeDelta;
    std::int64_t idleDelta;
    double sample;
    const char* why;
};

TEST(KernelCounterLoad, SampleFromOneInterval) {
    const Interval cases[] = {
        {2, 10000000, 15000000, 25, "ratio 1.5 on two processors"},
        {1, 10000000, 10000000, 0, "all idle"},
        {1, 10000000, 0, 100, "never idle"},
        {1, 30000, 10000, 66, "ratio 0.33333 is kept as 0.3333: value 66.67"},
        {4, 10000000, 40001000, -1, "idle counted a little past the interval"},
        {4, 10000000, 40000100, 0, "a ratio of 4.00001 is kept as 4.0000"},
        {1, 0, 0, 100, "zero interval, no idle"},
        {1, 0, 5000, 50, "zero interval keeps the idle delta (0.5) as the ratio"},
        {1, 200000000, 10000, 100, "ratio 0.00005 rounds half to even down to 0"},
        {1, 200000000, 30000, 99, "ratio 0.00015 rounds half to even up to 0.0002"},
        {255, 10000000, 1000, 100, "99.99996 is brought to 100.0000 before rounding down"},
        {200, 10000000, 1000, 100, "99.99995 rounds half to even up to 100.0000"},
        {199, 10000000, 1000, 99, "99.99995 minus a little stays 99.9999"},
        {1, 10000000, 15000000, -50, "one processor idling one and a half times"},
    };
    for (const Interval& c : cases) {
        fake::FakeKernel kernel;
        kernel.processors = static_cast<std::uint8_t>(c.processors);
        kernel.currentTime = 1000000000;
        kernel.idleTime = 500000000;
        clsCPUUsageNT source(kernel);
        source.Initialize();
        kernel.currentTime += c.timeDelta;
        kernel.idleTime += c.idleDelta;
        EXPECT_EQ(source.Query(), c.sample) << c.why;
    }
}

TEST(KernelCounterLoad, FailedReadGivesMinusOneAndKeepsTheInterval) {
    for (long fake::FakeKernel::*status :
         {&fake::FakeKernel::basicStatus, &fake::FakeKernel::timeStatus, &fake::FakeKernel::performanceStatus}) {
        fake::FakeKernel kernel;
        kernel.currentTime = 1000;
        kernel.idleTime = 100;
        clsCPUUsageNT source(kernel);
        source.Initialize();
        kernel.currentTime += 10000;
        kernel.idleTime += 10000;
        kernel.*status = static_cast<long>(0xC0000004);
        EXPECT_EQ(source.Query(), -1);
        EXPECT_EQ(source.PreviousSystemTime, 1000);
        EXPECT_EQ(source.PreviousIdleTime, 100);
        // The next good read covers the whole time back to the last good one: half busy over 20000.
        kernel.*status = 0;
        kernel.currentTime += 10000;
        EXPECT_EQ(source.Query(), 50);
        EXPECT_EQ(source.PreviousSystemTime, 21000);
    }
}

TEST(KernelCounterLoad, FailedInitializeMeasuresFromTheCountersStart) {
    fake::FakeKernel kernel;
    kernel.currentTime = 132000000000000000;  // a date in 2019, in 100 ns units
    kernel.idleTime = 3000000000;             // five minutes of idle since boot
    kernel.timeStatus = 1;
    clsCPUUsageNT source(kernel);
    source.Initialize();
    EXPECT_EQ(source.PreviousSystemTime, 0);
    kernel.timeStatus = 0;
    const double first = source.Query();
    EXPECT_GE(first, 99);
    EXPECT_LE(first, 100);
    kernel.currentTime += 10000000;
    kernel.idleTime += 5000000;
    EXPECT_EQ(source.Query(), 50);
}

TEST(KernelCounterLoad, NoProcessorsIsAFailedRead) {
    fake::FakeKernel kernel;
    kernel.processors = 0;
    clsCPUUsageNT source(kernel);
    source.Initialize();
    kernel.currentTime += 100;
    EXPECT_EQ(source.Query(), -1);
    EXPECT_EQ(source.PreviousSystemTime, 0);
}

}  // namespace
}  // namespace taktora
