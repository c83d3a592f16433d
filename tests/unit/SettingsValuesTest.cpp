#include <gtest/gtest.h>

#include <set>

#include "app/StartupRules.h"
#include "base/RegistryStrings.h"
#include "base/SettingsStore.h"
#include "tests/fakes/FakePlatform.h"

namespace taktora {
namespace {

using platform::RegRoot;
using platform::RegType;

TEST(RegistryText, ValuesAreCutAtTheirZeroCharacters) {
    struct Case {
        RegType type;
        std::string stored;
        std::string read;
    };
    const Case cases[] = {
        {RegType::String, std::string("abc\0", 4), "abc"},
        {RegType::String, "no terminator", "no terminator"},
        {RegType::String, std::string("a\0b", 3), "a"},
        {RegType::MultiString, std::string("C:\\pagefile.sys 0 0\0D:\\x\0\0", 26),
         std::string("C:\\pagefile.sys 0 0\0D:\\x", 24)},
        {RegType::Other, "1234", "fallback"},
        {RegType::String, std::string(5000, 'x'), "fallback"},
    };
    for (const Case& c : cases) {
        fake::FakeRegistry registry;
        registry.Put(RegRoot::LocalMachine, "K", "V", {c.type, c.stored});
        EXPECT_EQ(RegGetString(registry, RegRoot::LocalMachine, "K", "V", "fallback"), c.read);
    }
    fake::FakeRegistry empty;
    EXPECT_EQ(RegGetString(empty, RegRoot::CurrentUser, "K", "V"), "");
}

TEST(SettingsNumbers, OnlyUsableTextsAreAccepted) {
    EXPECT_EQ(ParseWholeNumber("42"), 42);
    EXPECT_EQ(ParseWholeNumber(" 7 "), 7);
    EXPECT_EQ(ParseWholeNumber("-3"), -3);
    for (const char* bad : {"", " ", "7x", "1.0", "abc", "+", "99999999999999"}) {
        EXPECT_FALSE(ParseWholeNumber(bad)) << bad;
    }
    EXPECT_EQ(ParseDecimalNumber("32"), 32.0);
    EXPECT_EQ(ParseDecimalNumber("32,5"), 32.5);
    EXPECT_EQ(ParseDecimalNumber("-12.25"), -12.25);
    for (const char* bad : {"", "abc", "1,2,3", "1e5", "nan", "inf", "-", "5000000"}) {
        EXPECT_FALSE(ParseDecimalNumber(bad)) << bad;
    }
}

TEST(SettingsNumbers, ReadsFallBackPerValueToTheTablesDefault) {
    struct Case {
        Setting setting;
        const char* stored;  // nullptr: missing
        int expected;
    };
    const Case cases[] = {
        {Setting::ShowInTray, "255", 255},     {Setting::ShowInTray, "256", 1},    {Setting::ShowInTray, "-1", 1},
        {Setting::ShowInTray, nullptr, 1},     {Setting::ShowInTray, "1.0", 1},    {Setting::Interval, "100", 100},
        {Setting::Interval, "32767", 32767},   {Setting::Interval, "32768", 1000}, {Setting::Interval, "99", 1000},
        {Setting::WinLeft, "-12,6", -13},      {Setting::WinLeft, "1000001", 32},  {Setting::WinWidth, "2e3", 192},
        {Setting::ViewerHeight, " 480 ", 480}, {Setting::MaxTaskPriority, "0", 0}, {Setting::MaxTaskPriority, "x", 1},
    };
    for (const Case& c : cases) {
        fake::FakeRegistry registry;
        SettingsStore store(registry, "App", "Section");
        const SettingSpec& spec = Spec(c.setting);
        if (c.stored != nullptr) {
            registry.Put(RegRoot::CurrentUser, store.KeyPath(), std::string(spec.name) + ".2",
                         {RegType::String, c.stored});
        }
        EXPECT_EQ(store.Read(spec, ".2"), c.expected) << spec.name << " " << (c.stored ? c.stored : "missing");
    }
}

TEST(SettingsNumbers, EveryDefaultIsValidAndEveryNameUnique) {
    std::set<std::string_view> names;
    for (const SettingSpec& spec : kSettings) {
        EXPECT_TRUE(names.insert(spec.name).second) << spec.name;
        EXPECT_GE(spec.fallback, spec.min) << spec.name;
        EXPECT_LE(spec.fallback, spec.max) << spec.name;
    }
    fake::FakeRegistry registry;
    SettingsStore store(registry, "App", "Section");
    EXPECT_EQ(store.KeyPath(), "Software\\VB and VBA Program Settings\\App\\Section");
    store.Write(Spec(Setting::RunAtStartup), ".3", 1);  // one per user, whatever the profile
    store.Write(Spec(Setting::WinTop), ".3", -5);
    EXPECT_EQ(store.Read("RunAtStartup"), "1");
    EXPECT_EQ(store.Read("WinTop.3"), "-5");
}

TEST(StartupText, VersionSuffixFollowsTheRevision) {
    struct Case {
        int revision;
        const char* text;
    };
    const Case cases[] = {
        {0, "4.21"},         {1, "4.21a"},          {26, "4.21z"},        {27, "4.21"},
        {100, "4.21 Beta"},  {103, "4.21 Beta 3"},  {1000, "4.21 Alpha"}, {1999, "4.21 Alpha 999"},
        {2000, "4.21 Beta"}, {2005, "4.21 Beta 5"}, {255, "4.21ß"},       {9999, "4.21ß"},
        {300, "4.21"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProgramVersionText(4, 21, c.revision), c.text) << c.revision;
    }
    EXPECT_EQ(ProgramVersionText(5, 3, 0), "5.03");
}

TEST(StartupText, SystemDirectoryFromTheEnvironment) {
    EXPECT_EQ(SystemDirectory("C:\\WINDOWS", "Windows_NT"), "C:\\WINDOWS\\System32\\");
    EXPECT_EQ(SystemDirectory("  C:\\WINDOWS\\  ", " WINDOWS_NT "), "C:\\WINDOWS\\System32\\");
    EXPECT_EQ(SystemDirectory("C:\\WINDOWS", ""), "C:\\WINDOWS\\System\\");
    EXPECT_EQ(SystemDirectory("", "windows_nt"), "\\System32\\");
}

TEST(StartupText, LoadSourceFollowsPlatformArchitectureAndVersion) {
    EXPECT_EQ(ArchitectureValue(2, 9), 2);
    EXPECT_EQ(ArchitectureValue(2, 0), 1);
    EXPECT_EQ(ArchitectureValue(2, 6), 3);
    EXPECT_EQ(ArchitectureValue(2, 12), 0);
    EXPECT_EQ(ArchitectureValue(1, 9), 1);
    EXPECT_EQ(ChooseLoadSource(2, 2, 6, 0), LoadSourceKind::Pdh);
    EXPECT_EQ(ChooseLoadSource(2, 2, 5, 2), LoadSourceKind::KernelCounters);
    EXPECT_EQ(ChooseLoadSource(2, 1, 10, 0), LoadSourceKind::KernelCounters);
    EXPECT_EQ(ChooseLoadSource(1, 1, 4, 10), LoadSourceKind::Win9xStatistics);
}

TEST(StartupText, LeadingNumberReadsLikeVal) {
    EXPECT_EQ(LeadingNumber("2 3"), 23);
    EXPECT_EQ(LeadingNumber("\t7abc"), 7);
    EXPECT_EQ(LeadingNumber("1.5.2"), 1.5);
    EXPECT_EQ(LeadingNumber("1e2"), 100);
    EXPECT_EQ(LeadingNumber("abc"), 0);
    EXPECT_EQ(LeadingNumber("-"), 0);
    EXPECT_EQ(LeadingNumber("1e999"), 0);
}

}  // namespace
}  // namespace taktora
