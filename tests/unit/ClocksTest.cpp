#include <gtest/gtest.h>

#include "clocks/RunTime.h"
#include "clocks/StartTimes.h"
#include "tests/fakes/FakePlatform.h"

namespace taktora {
namespace {

using platform::RegRoot;
using platform::RegType;

constexpr const char* kMemoryKey = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";

TEST(RunTimeText, DaysHoursMinutesSeconds) {
    struct Case {
        double seconds;
        const char* text;
    };
    const Case cases[] = {
        {0, "00:00:00:00"},     {59, "00:00:00:59"},       {3600, "00:01:00:00"}, {86399, "00:23:59:59"},
        {93784, "01:02:03:04"}, {8640000, "100:00:00:00"}, {59.5, "00:00:01:00"}, {58.5, "00:00:00:58"},
        {-5, "00:00:00:00"},    {1e300, "00:00:00:00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatRunTime(c.seconds), c.text) << c.seconds;
    }
}

TEST(RunTimeText, TickCountIsUnsigned) {
    const auto minusOne = static_cast<std::uint32_t>(-1);
    EXPECT_EQ(TickMilliseconds(minusOne), 4294967295.0);
    EXPECT_EQ(TickSeconds(minusOne), 4294967);
    // 50 days of uptime: the 64-bit count goes on where the 32-bit one started again.
    const std::uint64_t fiftyDays = 50ull * 86400 * 1000;
    EXPECT_EQ(UptimeText(static_cast<std::uint32_t>(fiftyDays), fiftyDays), "50:00:00:00");
    EXPECT_EQ(UptimeText(static_cast<std::uint32_t>(fiftyDays), std::nullopt), "00:06:57:12");
}

TEST(WindowsStart, PageFileEntryIsSearchedByItsPath) {
    EXPECT_EQ(PageFilePath(std::string("C:\\pagefile.sys 2048 4096\0D:\\p.sys 0 0", 37)), "C:\\pagefile.sys");
    EXPECT_EQ(PageFilePath("C:\\pagefile.sys"), "C:\\pagefile.sys");
    EXPECT_EQ(PageFilePath(""), "");
}

TEST(WindowsStart, FromThePageFileCutToWholeMinutes) {
    fake::FakeRegistry registry;
    fake::FakeFileSystem files;
    registry.Put(RegRoot::LocalMachine, kMemoryKey, "PagingFiles",
                 {RegType::MultiString, std::string("C:\\pagefile.sys 2048 4096\0\0", 27)});
    const platform::LocalSeconds written = 1000 * 86400 + 8 * 3600 + 15 * 60 + 42;  // 08:15:42
    files.Add("C:\\pagefile.sys", 1 << 20, 0, written);
    const platform::LocalSeconds now = written + 3600;
    const StartTimes times = SetStartTime(false, now, 999999, registry, files);
    EXPECT_TRUE(times.WindowsStartKnown);
    EXPECT_EQ(times.WindowsStartTime, written - 42);
    EXPECT_EQ(times.ProgramStartTime, now);
    EXPECT_EQ(WinRun(times, now, 5000, 5000), "00:01:00:42");
    EXPECT_EQ(ProgramRunTime(times, now + 61), "00:00:01:01");
}

TEST(WindowsStart, StartedAtLogonUsesTheTickCountWhateverThePageFileSays) {
    fake::FakeRegistry registry;
    fake::FakeFileSystem files;
    registry.Put(RegRoot::LocalMachine, kMemoryKey, "PagingFiles", {RegType::MultiString, "C:\\pagefile.sys"});
    files.Add("C:\\pagefile.sys", 1, 0, 5);
    const StartTimes times = SetStartTime(true, 100000, 300, registry, files);
    EXPECT_TRUE(times.WindowsStartKnown);
    EXPECT_EQ(times.WindowsStartTime, 100000 - 300);
}

TEST(WindowsStart, NoPageFileFallsBackToTheTickCount) {
    for (const char* list : {"", "C:\\missing.sys 0 0"}) {
        fake::FakeRegistry registry;
        fake::FakeFileSystem files;
        registry.Put(RegRoot::LocalMachine, kMemoryKey, "PagingFiles", {RegType::MultiString, list});
        const StartTimes times = SetStartTime(false, 100000, 0, registry, files);
        EXPECT_FALSE(times.WindowsStartKnown) << list;
        EXPECT_EQ(WinRun(times, 100000, 61000, std::nullopt), "00:00:01:01") << list;
    }
}

}  // namespace
}  // namespace taktora
