#include "base/LoadHistory.h"

#include <cmath>
#include <limits>
#include <optional>

#include <gtest/gtest.h>

namespace taktora {
namespace {

constexpr int kSamplingMs = 100;

// One refresh period: the sampling timer adds `samples` readings of `value`, then the refresh tick turns the sum
// into the period load and records it unless the start-up guard stops the update.
std::optional<float> RunPeriod(LoadHistory& history, int samples, float value, int refreshMs, bool firstTickDone,
                               int w) {
    float sampleSum = 0.0f;
    for (int i = 0; i < samples; ++i) {
        sampleSum += value;
    }
    const auto load = LoadHistory::PeriodLoad(sampleSum, samples, refreshMs, kSamplingMs, firstTickDone);
    if (load) {
        history.Record(*load, std::nullopt, w);
    }
    return load;
}

TEST(MeasurementCycle, ConstantSourceRecordsItsValueAtAnyRefreshRate) {
    struct Case {
        int refreshMs;
        int samples;
    };
    for (const Case c : {Case{1000, 10}, Case{5000, 50}, Case{100, 1}}) {
        LoadHistory history;
        ASSERT_TRUE(RunPeriod(history, c.samples, 40.0f, c.refreshMs, true, 10)) << c.refreshMs;
        EXPECT_FLOAT_EQ(history.Loads()[10], 40.0f) << c.refreshMs;
    }
}

TEST(MeasurementCycle, PeriodLoadIsClampedAndGuarded) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        float sampleSum;
        int samples;
        int refreshMs;
        bool firstTickDone;
        std::optional<float> expected;
    };
    const Case cases[] = {
        {450.0f, 9, 1000, true, 50.0f},            // Windows' timer gave 9 samples in a second, not 10
        {550.0f, 11, 1000, true, 50.0f},           // or 11
        {1100.0f, 10, 1000, true, 100.0f},         // a reading above 100 is not 110
        {1000.0f, 10, 1000, true, 100.0f},         // exactly 100 after the first tick is a real reading
        {1000.0f, 10, 1000, false, std::nullopt},  // exactly 100 before it is the sources' start-up state
        {1100.0f, 10, 1000, false, std::nullopt},  // clamped to exactly 100 first, so also skipped
        {999.0f, 10, 1000, false, 99.9f},
        {0.0f, 0, 1000, false, 0.0f},  // the start-up call, without a sample: the nominal count
        {250.0f, 0, 500, true, 50.0f},
        {-50.0f, 10, 1000, true, 0.0f},
        {nan, 10, 1000, true, 0.0f},
        {400.0f, 0, 0, true, 40.0f},  // a broken refresh interval falls back to one second
    };
    for (const Case& c : cases) {
        const auto load = LoadHistory::PeriodLoad(c.sampleSum, c.samples, c.refreshMs, kSamplingMs, c.firstTickDone);
        ASSERT_EQ(load.has_value(), c.expected.has_value()) << c.sampleSum << " " << c.firstTickDone;
        if (load) {
            EXPECT_FLOAT_EQ(*load, *c.expected) << c.sampleSum;
            EXPECT_FALSE(std::signbit(*load)) << c.sampleSum;
        }
    }
}

TEST(MeasurementCycle, FirstReadingOfExactly100IsSkippedButLaterOnesRecorded) {
    LoadHistory history;
    EXPECT_FALSE(RunPeriod(history, 10, 100.0f, 1000, false, 5));
    EXPECT_EQ(history.FilledColumns(), 0);
    EXPECT_FLOAT_EQ(history.Loads()[5], 0.0f);

    ASSERT_TRUE(RunPeriod(history, 10, 100.0f, 1000, true, 5));
    EXPECT_EQ(history.FilledColumns(), 1);
    EXPECT_FLOAT_EQ(history.Loads()[5], 100.0f);
}

TEST(MeasurementCycle, StartUpZeroThenSixtyGivesMeanThirty) {
    LoadHistory history;
    ASSERT_TRUE(RunPeriod(history, 0, 0.0f, 1000, false, 189));
    EXPECT_FLOAT_EQ(history.WindowMean(), 0.0f);
    ASSERT_TRUE(RunPeriod(history, 10, 60.0f, 1000, true, 189));
    EXPECT_EQ(history.FilledColumns(), 2);
    EXPECT_FLOAT_EQ(history.WindowMean(), 30.0f);
    EXPECT_FLOAT_EQ(history.Loads()[189], 60.0f);
    EXPECT_FLOAT_EQ(history.Loads()[188], 0.0f);
}

TEST(MeasurementCycle, FullWindowSumsWPlusOneSamplesOverW) {
    // W = 2: once full, the mean is the sum of the three newest loads divided by two.
    struct Step {
        float load;
        float windowMean;
        float meanStoredWithLoad;
    };
    const Step steps[] = {{10, 10, 0}, {20, 15, 10}, {30, 30, 15}, {40, 45, 30}};
    LoadHistory history;
    for (const Step& s : steps) {
        history.Record(s.load, std::nullopt, 2);
        EXPECT_FLOAT_EQ(history.WindowMean(), s.windowMean) << s.load;
        EXPECT_FLOAT_EQ(history.Loads()[2], s.load);
        EXPECT_FLOAT_EQ(history.Means()[2], s.meanStoredWithLoad) << s.load;
    }
    EXPECT_EQ(history.FilledColumns(), 2);
}

TEST(MeasurementCycle, WidthChangeRestartsTheHistory) {
    LoadHistory history;
    for (float load : {90.0f, 80.0f, 70.0f, 60.0f}) {
        history.Record(load, std::nullopt, 3);
    }
    history.ResetForWidth();
    history.Record(50.0f, std::nullopt, 4);
    EXPECT_EQ(history.FilledColumns(), 1);
    EXPECT_FLOAT_EQ(history.WindowMean(), 50.0f);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(history.Loads()[i], 0.0f) << i;
        EXPECT_FLOAT_EQ(history.Means()[i], 0.0f) << i;
    }
    EXPECT_FLOAT_EQ(history.Loads()[4], 50.0f);
}

TEST(MeasurementCycle, WideningBeyondTheInitialArraysGrowsThem) {
    LoadHistory history;
    history.Record(10.0f, 40.0f, 189);
    history.ResetForWidth();
    history.Record(70.0f, 55.0f, 5000);
    ASSERT_GE(history.Loads().size(), 5002u);
    ASSERT_GE(history.Temps().size(), 5002u);
    EXPECT_FLOAT_EQ(history.Loads()[5000], 70.0f);
    EXPECT_FLOAT_EQ(history.Temps()[5000], 55.0f);
    EXPECT_FLOAT_EQ(history.WindowMean(), 70.0f);
}

TEST(MeasurementCycle, TemperatureIsWrittenOnlyWithCoreTemp) {
    LoadHistory history;
    history.Record(10.0f, std::nullopt, 4);
    EXPECT_FLOAT_EQ(history.Temps()[4], 0.0f);
    history.Record(10.0f, 61.0f, 4);
    EXPECT_FLOAT_EQ(history.Temps()[4], 61.0f);
    EXPECT_FLOAT_EQ(history.Temps()[3], 0.0f);
    // Core Temp gone: nothing writes a 0, the last reading just moves on.
    history.Record(10.0f, std::nullopt, 4);
    EXPECT_FLOAT_EQ(history.Temps()[3], 61.0f);
}

TEST(MeasurementCycle, GraphSizeFromBoxSize) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double scaleSize;
        int expected;
    };
    const Case cases[] = {
        {0, 1},    {1, 1},   {3, 1},     {3.9, 1},  {4, 1},
        {5, 2},    {64, 61}, {192, 189}, {10.5, 8},  // 9.5 rounds to the even 10
        {11.5, 8},                                   // 10.5 rounds to the even 10
        {11.6, 9}, {-20, 1}, {nan, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LoadHistory::GraphSize(c.scaleSize), c.expected) << c.scaleSize;
    }
}

}  // namespace
}  // namespace taktora
