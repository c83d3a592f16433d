#include <gtest/gtest.h>

#include <set>

#include "base/RegistryStrings.h"
#include "base/SettingsStore.h"
#include "tests/fakes/Fakes.h"

namespace taktora {
namespace {

using platform::RegRoot;
using platform::RegType;

TEST(Settings, UnusableStoredValuesReadAsTheDefault) {
    const struct {
        Setting setting;
        RegType type;
        std::optional<std::string> stored;
        int value;
    } cases[] = {
        {Setting::ShowInTray, RegType::String, "255", 255},
        {Setting::ShowInTray, RegType::String, "256", 1},
        {Setting::ShowInTray, RegType::String, "0", 0},
        {Setting::ShowInTray, RegType::String, "-1", 1},
        {Setting::ShowInTray, RegType::String, std::nullopt, 1},
        {Setting::ShowInTray, RegType::Binary, "0", 1},
        {Setting::Interval, RegType::String, "100", 100},
        {Setting::Interval, RegType::String, "99", 1000},
        {Setting::Interval, RegType::String, "32767", 32767},
        {Setting::Interval, RegType::String, "32768", 1000},
        {Setting::WinLeft, RegType::String, "-12,5", -13},
        {Setting::WinLeft, RegType::String, "40.4", 40},
        {Setting::WinLeft, RegType::String, "1000001", 32},
        {Setting::WinWidth, RegType::String, "2e3", 192},
        {Setting::ViewerHeight, RegType::String, std::string("480\0x", 5), 480},
    };
    for (const auto& c : cases) {
        fake::Registry registry;
        SettingsStore store(registry, "App", "Sec");
        const SettingSpec& spec = Spec(c.setting);
        if (c.stored) {
            registry.values[store.KeyPath() + "\\" + std::string(spec.name) + ".2"] = {c.type, *c.stored};
        }
        EXPECT_EQ(store.Read(spec, ".2"), c.value) << spec.name << " " << c.stored.value_or("missing");
    }
}

TEST(Settings, EveryDefaultIsValidAndEveryNameUnique) {
    std::set<std::string_view> names;
    for (const SettingSpec& spec : kSettings) {
        EXPECT_TRUE(names.insert(spec.name).second) << spec.name;
        EXPECT_TRUE(spec.fallback >= spec.min && spec.fallback <= spec.max) << spec.name;
    }
}

TEST(Settings, OnlyRunAtStartupIsWrittenWithoutTheProfile) {
    fake::Registry registry;
    SettingsStore store(registry, "App", "Sec");
    store.Write(Spec(Setting::RunAtStartup), ".3", 1);
    store.Write(Spec(Setting::WinTop), ".3", -5);
    EXPECT_EQ(store.Read("RunAtStartup"), "1");
    EXPECT_EQ(store.Read("WinTop.3"), "-5");
}

TEST(Settings, RegistryTextEndsAtTheZeroCharactersOfItsType) {
    const struct {
        RegType type;
        std::string stored;
        std::string read;
    } cases[] = {
        {RegType::String, std::string("abc\0d", 5), "abc"},
        {RegType::String, "no terminator", "no terminator"},
        {RegType::MultiString, std::string("C:\\p.sys 0 0\0D:\\x\0\0", 19), std::string("C:\\p.sys 0 0\0D:\\x", 17)},
        {RegType::MultiString, std::string("a\0", 2), std::string("a\0", 2)},
        {RegType::Binary, "1234", "fallback"},
        {RegType::Other, "1234", "fallback"},
        {RegType::String, std::string(kMaxRegistryChars, 'x'), std::string(kMaxRegistryChars, 'x')},
        {RegType::String, std::string(kMaxRegistryChars + 1, 'x'), "fallback"},
    };
    for (const auto& c : cases) {
        fake::Registry registry;
        registry.values["HKLM\\K\\V"] = {c.type, c.stored};
        EXPECT_EQ(RegGetString(registry, RegRoot::LocalMachine, "K", "V", "fallback"), c.read) << c.stored;
    }
    fake::Registry registry;
    RegSetString(registry, RegRoot::CurrentUser, "K", "V", "x");
    EXPECT_EQ(RegGetString(registry, RegRoot::CurrentUser, "K", "V"), "x");
    RegDeleteString(registry, RegRoot::CurrentUser, "K", "V");
    EXPECT_EQ(RegGetString(registry, RegRoot::CurrentUser, "K", "V"), "");
}

}  // namespace
}  // namespace taktora
