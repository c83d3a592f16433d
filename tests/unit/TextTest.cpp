#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "app/StartupProbe.h"
#include "app/StartupRules.h"
#include "base/NumberFormat.h"
#include "base/SettingsStore.h"
#include "clocks/RunTime.h"
#include "tests/fakes/Fakes.h"

namespace taktora {
namespace {

using fake::Each;

TEST(NumberText, GeneralAndFixedFormsWithTheLocaleSeparator) {
    // With -1 decimals the general form: up to seven digits. Otherwise halves round away from zero, as written.
    const std::vector<std::pair<double, int>> numbers = {
        {12.5, -1}, {37, -1},  {-0.0, -1}, {12.3f, -1},   {100.0 / 3, -1}, {1234567.8, -1}, {12345678, -1},
        {45.5, 0},  {44.5, 0}, {0.4, 0},   {2394.125, 2}, {133, 2},        {9.96, 1},       {999.995, 2},
        {2.675, 2}, {0.05, 1}, {0.004, 2}, {0.005, 2},    {1e-5, 2},       {-2.5, 0},       {-0.001, 2},
        {1e20, 0},  {NAN, 1},  {7.25, -3}, {1.5, 20}};
    EXPECT_EQ(Each(numbers,
                   [](const auto& n) {
                       return n.second == -1 ? FormatGeneral(n.first, ",") : FormatFixed(n.first, n.second, ",");
                   }),
              "12,5 37 0 12,3 33,33333 1234568 1,234568E+07 46 45 0 2394,13 133,00 10,0 1000,00 2,68 0,1 0,00 0,01 "
              "0,00 -3 0,00 100000000000000000000 0,0 7 1,500000000000000 ");
    // A separator of more than one byte: the Arabic one, U+066B.
    EXPECT_EQ(FormatGeneral(12.5, "٫") + " " + FormatGeneral(12345678, "٫") + " " + FormatGeneral(37, "٫") + " " +
                  FormatFixed(2394.125, 2, "٫") + " " + FormatFixed(45.5, 0, "٫"),
              "12٫5 1٫234568E+07 37 2394٫13 46");
}

TEST(NumberText, RunTimeIsDaysHoursMinutesSecondsFromTheLongestTickCount) {
    EXPECT_EQ(
        Each<double>({1, 59, 86399, 93784, 8640000, 59.5, 58.5, -5, 1e15}, [](double s) { return FormatRunTime(s); }),
        "00:00:00:01 00:00:00:59 00:23:59:59 01:02:03:04 100:00:00:00 00:00:01:00 00:00:00:58 00:00:00:00 "
        "00:00:00:00 ");
    const std::uint64_t fiftyDays = 50ull * 86400 * 1000;
    EXPECT_EQ(UptimeText(static_cast<std::uint32_t>(fiftyDays), fiftyDays), "50:00:00:00");
    EXPECT_EQ(UptimeText(static_cast<std::uint32_t>(fiftyDays), std::nullopt), "00:06:57:12");
}

TEST(StoredText, NumbersAreReadOnlyWhenTheWholeTextIsOne) {
    // as a whole number / as a decimal one, "-" for none
    const auto parsed = [](const std::string& text) {
        const auto whole = ParseWholeNumber(text);
        const auto decimal = ParseDecimalNumber(text);
        return (whole ? std::to_string(*whole) : "-") + "/" + (decimal ? FormatGeneral(*decimal, ".") : "-");
    };
    EXPECT_EQ(Each<std::string>(
                  {"42", " -3\t", "+5", "32,5", "-12.25", ".5", "", "+", "7x", "1,2.3", "1e5", "999999999999",
                   "9999999999999", "1000000", "-1000001", std::string(31, '0') + "1", std::string(32, '0') + "1"},
                  parsed),
              "42/42 -3/-3 5/5 -/32.5 -/-12.25 -/0.5 -/- -/- -/- -/- -/- 999999999999/- -/- 1000000/1000000 "
              "-1000001/- -/1 -/- ");
}

TEST(StartupText, CommandLineRevisionAndRate) {
    const auto choice = [](const std::string& arguments) {
        const CommandLineChoice c = ParseCommandLine(arguments);
        return (c.startupWait ? "wait" : "") + c.keySuffix + "|";
    };
    EXPECT_EQ(Each<std::string>({"", "3", "abc", "0", "/STARTUP", "-x /Startup 3", " 1 2", "1.5.2", "-4", "1e2",
                                 "1e-2x", "e5", "1e999", "\t+7", "0x1A"},
                                choice),
              "| .3| | | wait| wait| .12| .1.5| .-4| .100| .0.01| | | .7| | ");
    EXPECT_EQ(Each<int>({0, 1, 26, 27, 99, 100, 103, 199, 200, 999, 1000, 1999, 2000, 2999, 3000, 255, 9999, -1},
                        [](const int& revision) { return ProgramVersionText(4, 3, revision) + "|"; }),
              "4.03| 4.03a| 4.03z| 4.03| 4.03| 4.03 Beta| 4.03 Beta 3| 4.03 Beta 99| 4.03| 4.03| 4.03 Alpha| "
              "4.03 Alpha 999| 4.03 Beta| 4.03 Beta 999| 4.03| 4.03ß| 4.03ß| 4.03| ");
    EXPECT_EQ(Each<int>({1000, 2500, 100, 149, 150, 5000, 12000}, [](const int& ms) { return RateBoxText(ms); }),
              "1.0 2.5 0.1 0.1 0.2 5.0 1.0 ");
}

TEST(StartupText, PathsOfTheProgramAndTheSystem) {
    EXPECT_EQ(SystemDirectory("C:\\WINDOWS", "Windows_NT") + SystemDirectory("  C:\\W\\  ", " windows_nt ") +
                  SystemDirectory("C:\\WINDOWS", "") + SystemDirectory("  ", "Windows_NT"),
              "C:\\WINDOWS\\System32\\C:\\W\\System32\\C:\\WINDOWS\\System\\\\System32\\");
    EXPECT_EQ(FolderOf("D:\\a.b\\Monitor.EXE") + FolderOf("taktora.exe"), "D:\\a.b\\\\");
    EXPECT_EQ(BaseNameOf("D:\\a.b\\Monitor.EXE") + BaseNameOf("D:\\a.b\\Monitor"), "MonitorMonitor");
    // An outside program counts when it is a file with contents that is neither hidden nor a system file, nor a folder:
    // a normal file, an empty, a hidden, a system file, a folder, an archived file.
    fake::System system;
    fake::Files files;
    StartupProbe probe(system, files);
    EXPECT_EQ(
        Each<platform::FileEntry>({{"f", 1, 0}, {"f", 0, 0}, {"f", 9, 2}, {"f", 9, 4}, {"f", 9, 16}, {"f", 9, 32}},
                                  [&](const platform::FileEntry& entry) {
                                      files.files["f"] = entry;
                                      return std::to_string(probe.FileExists("f"));
                                  }),
        "1 0 0 0 0 1 ");
}

TEST(StartupText, LoadSourceFollowsPlatformArchitectureAndVersion) {
    // platform, native architecture, major and minor version; the architecture value and the source
    const std::vector<std::array<int, 4>> systems = {{2, 9, 6, 0}, {2, 9, 10, 0}, {2, 9, 5, 9},  {2, 0, 10, 0},
                                                     {2, 6, 6, 1}, {2, 12, 6, 1}, {1, 9, 4, 10}, {3, 9, 6, 0}};
    EXPECT_EQ(Each(systems,
                   [](const auto& s) {
                       const int architecture = ArchitectureValue(s[0], s[1]);
                       return std::to_string(architecture) + "/" +
                              std::to_string(static_cast<int>(ChooseLoadSource(s[0], architecture, s[2], s[3])));
                   }),
              "2/2 2/2 2/1 1/1 3/1 0/1 1/3 0/3 ");
}

}  // namespace
}  // namespace taktora
