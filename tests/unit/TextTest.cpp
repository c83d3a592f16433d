#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "app/StartupRules.h"
#include "base/NumberFormat.h"
#include "base/SettingsStore.h"
#include "clocks/RunTime.h"

namespace taktora {
namespace {

TEST(NumberText, GeneralHasSevenDigitsAndTheLocaleSeparator) {
    const struct {
        double value;
        const char* text;
    } cases[] = {{12.5, "12,5"},
                 {37, "37"},
                 {-0.0, "0"},
                 {double{12.3f}, "12,3"},
                 {100.0 / 3, "33,33333"},
                 {1234567.8, "1234568"},
                 {12345678, "1,234568E+07"}};
    for (const auto& c : cases) {
        EXPECT_EQ(FormatGeneral(c.value, ','), c.text) << c.value;
    }
}

TEST(NumberText, FixedRoundsHalvesAwayFromZeroAsTheNumberReads) {
    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {45.5, 0, "46"},          {44.5, 0, "45"},     {0.4, 0, "0"},
        {2394.125, 2, "2394,13"}, {133, 2, "133,00"},  {9.96, 1, "10,0"},
        {999.995, 2, "1000,00"},  {2.675, 2, "2,68"},  {0.05, 1, "0,1"},
        {0.004, 2, "0,00"},       {0.005, 2, "0,01"},  {0.00001, 2, "0,00"},
        {-2.5, 0, "-3"},          {-0.001, 2, "0,00"}, {1e20, 0, "100000000000000000000"},
        {NAN, 1, "0,0"},          {7.25, -3, "7"},     {1.5, 20, "1,500000000000000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatFixed(c.value, c.decimals, ','), c.text) << c.value << " " << c.decimals;
    }
}

TEST(NumberText, RunTimeIsDaysHoursMinutesSeconds) {
    const struct {
        double seconds;
        const char* text;
    } cases[] = {{0, "00:00:00:00"},     {59, "00:00:00:59"},       {86399, "00:23:59:59"},
                 {93784, "01:02:03:04"}, {8640000, "100:00:00:00"}, {59.5, "00:00:01:00"},
                 {58.5, "00:00:00:58"},  {-5, "00:00:00:00"},       {1e15, "00:00:00:00"}};
    for (const auto& c : cases) {
        EXPECT_EQ(FormatRunTime(c.seconds), c.text) << c.seconds;
    }
    // 50 days: the 64-bit tick count goes on where the 32-bit one started again.
    const std::uint64_t fiftyDays = 50ull * 86400 * 1000;
    EXPECT_EQ(UptimeText(static_cast<std::uint32_t>(fiftyDays), fiftyDays), "50:00:00:00");
    EXPECT_EQ(UptimeText(static_cast<std::uint32_t>(fiftyDays), std::nullopt), "00:06:57:12");
    EXPECT_EQ(TickMilliseconds(0xFFFFFFFF), 4294967295.0);
}

TEST(StoredText, NumbersAreReadOnlyWhenTheWholeTextIsOne) {
    const struct {
        std::string text;
        std::optional<long long> whole;
        std::optional<double> decimal;
    } cases[] = {
        {"42", 42, 42},
        {" -3\t", -3, -3},
        {"+5", 5, 5},
        {"32,5", {}, 32.5},
        {"-12.25", {}, -12.25},
        {".5", {}, 0.5},
        {"", {}, {}},
        {"+", {}, {}},
        {"7x", {}, {}},
        {"1,2.3", {}, {}},
        {"1e5", {}, {}},
        {"999999999999", 999999999999, {}},
        {"9999999999999", {}, {}},
        {"1000000", 1000000, 1000000},
        {"-1000001", -1000001, {}},
        {std::string(31, '0') + "1", {}, 1},
        {std::string(32, '0') + "1", {}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseWholeNumber(c.text), c.whole) << c.text;
        EXPECT_EQ(ParseDecimalNumber(c.text), c.decimal) << c.text;
    }
}

TEST(StartupText, CommandLineChoosesTheLogonWaitOrAProfile) {
    const struct {
        const char* arguments;
        bool wait;
        const char* suffix;
    } cases[] = {{"", false, ""},        {"3", false, ".3"},        {"abc", false, ""},
                 {"0", false, ""},       {"/STARTUP", true, ""},    {"-x /Startup 3", true, ""},
                 {" 1 2", false, ".12"}, {"1.5.2", false, ".1.5"},  {"-4", false, ".-4"},
                 {"1e2", false, ".100"}, {"1e-2x", false, ".0.01"}, {"e5", false, ""},
                 {"1e999", false, ""},   {"\t+7", false, ".7"}};
    for (const auto& c : cases) {
        const CommandLineChoice choice = ParseCommandLine(c.arguments);
        EXPECT_EQ(choice.startupWait, c.wait) << c.arguments;
        EXPECT_EQ(choice.keySuffix, c.suffix) << c.arguments;
    }
}

TEST(StartupText, VersionSuffixFollowsTheRevision) {
    const struct {
        int revision;
        const char* text;
    } cases[] = {{0, "4.21"},          {1, "4.21a"},
                 {26, "4.21z"},        {27, "4.21"},
                 {99, "4.21"},         {100, "4.21 Beta"},
                 {103, "4.21 Beta 3"}, {199, "4.21 Beta 99"},
                 {200, "4.21"},        {999, "4.21"},
                 {1000, "4.21 Alpha"}, {1999, "4.21 Alpha 999"},
                 {2000, "4.21 Beta"},  {2999, "4.21 Beta 999"},
                 {3000, "4.21"},       {255, "4.21ß"},
                 {9999, "4.21ß"},      {-1, "4.21"}};
    for (const auto& c : cases) {
        EXPECT_EQ(ProgramVersionText(4, 21, c.revision), c.text) << c.revision;
    }
    EXPECT_EQ(ProgramVersionText(5, 3, 0), "5.03");
}

TEST(StartupText, RateBoxShowsTheIntervalInTenthsOfASecond) {
    const struct {
        int ms;
        const char* text;
    } cases[] = {{1000, "1.0"}, {2500, "2.5"}, {100, "0.1"}, {149, "0.1"}, {150, "0.2"}, {5000, "5.0"}, {12000, "1.0"}};
    for (const auto& c : cases) {
        EXPECT_EQ(RateBoxText(c.ms), c.text) << c.ms;
    }
}

TEST(StartupText, PathsOfTheProgramAndTheSystem) {
    EXPECT_EQ(SystemDirectory("C:\\WINDOWS", "Windows_NT"), "C:\\WINDOWS\\System32\\");
    EXPECT_EQ(SystemDirectory("  C:\\WIN\\  ", " windows_nt "), "C:\\WIN\\System32\\");
    EXPECT_EQ(SystemDirectory("C:\\WINDOWS", ""), "C:\\WINDOWS\\System\\");
    EXPECT_EQ(SystemDirectory("  ", "Windows_NT"), "\\System32\\");
    EXPECT_EQ(FolderOf("D:\\a.b\\Monitor.EXE"), "D:\\a.b\\");
    EXPECT_EQ(FolderOf("taktora.exe"), "\\");
    EXPECT_EQ(BaseNameOf("D:\\a.b\\Monitor.EXE"), "Monitor");
    EXPECT_EQ(BaseNameOf("D:\\a.b\\Monitor"), "Monitor");
}

TEST(StartupText, LoadSourceFollowsPlatformArchitectureAndVersion) {
    const struct {
        int platform, native, major, minor, architecture;
        LoadSourceKind kind;
    } cases[] = {
        {2, 9, 6, 0, 2, LoadSourceKind::Pdh},
        {2, 9, 10, 0, 2, LoadSourceKind::Pdh},
        {2, 9, 5, 9, 2, LoadSourceKind::KernelCounters},
        {2, 0, 10, 0, 1, LoadSourceKind::KernelCounters},
        {2, 6, 6, 1, 3, LoadSourceKind::KernelCounters},
        {2, 12, 6, 1, 0, LoadSourceKind::KernelCounters},
        {1, 9, 4, 10, 1, LoadSourceKind::Win9xStatistics},
        {3, 9, 6, 0, 0, LoadSourceKind::Win9xStatistics},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ArchitectureValue(c.platform, c.native), c.architecture) << c.platform << " " << c.native;
        EXPECT_EQ(ChooseLoadSource(c.platform, c.architecture, c.major, c.minor), c.kind) << c.major << "." << c.minor;
    }
}

}  // namespace
}  // namespace taktora
