#include <gtest/gtest.h>

#include <algorithm>

#include "base/RegistryStrings.h"
#include "base/SettingsStore.h"
#include "tests/fakes/Fakes.h"

namespace taktora {
namespace {

using platform::RegType;

TEST(Settings, StoredValuesOutsideTheirRangeOrOfAnotherFormReadAsTheDefaultOrTheNearerLimit) {
    using enum Setting;
    const std::vector<std::pair<Setting, std::string>> stored = {
        {ShowInTray, "255"}, {ShowInTray, "256"},
        {ShowInTray, "0"},   {ShowInTray, "-1"},
        {ShowInTray, "-"},   {Interval, "100"},
        {Interval, "99"},    {Interval, "32767"},
        {Interval, "32768"}, {WinLeft, "-12,5"},
        {WinLeft, "40.4"},   {WinLeft, "1000001"},
        {WinWidth, "2e3"},   {ViewerHeight, std::string("480\0x", 5)}};
    EXPECT_EQ(fake::Each(stored,
                         [](const auto& setting) {
                             fake::Registry registry;
                             SettingsStore store(registry, "App", "Sec");
                             registry.values[store.KeyPath() + "\\" + std::string(Row(setting.first).name) + ".2"] = {
                                 setting.second == "-" ? RegType::Binary : RegType::String,  // "-": binary 0
                                 setting.second == "-" ? "0" : setting.second};
                             return std::to_string(store.Read(Row(setting.first), ".2"));
                         }),
              "255 1 0 1 1 100 100 32767 32767 -13 40 32 192 480 ");
    fake::Registry registry;
    SettingsStore(registry, "App", "Sec").Write(Row(RunAtStartup), ".3", 1);  // one per user, whatever the profile
    EXPECT_EQ(registry.values.begin()->first, "Software\\VB and VBA Program Settings\\App\\Sec\\RunAtStartup");
}

TEST(Settings, RegistryTextEndsAtTheZeroCharactersOfItsType) {
    const std::vector<std::pair<RegType, std::string>> stored = {
        {RegType::String, std::string("abc\0d", 5)},
        {RegType::String, "nozero"},
        {RegType::MultiString, std::string("C:\\p\0D:\\x\0\0", 11)},
        {RegType::MultiString, std::string("a\0", 2)},
        {RegType::Binary, "1234"},
        {RegType::Other, "1234"},
        {RegType::String, std::string(kMaxRegistryChars, 'x')},
        {RegType::String, std::string(kMaxRegistryChars + 1, 'y')}};
    // zero characters shown as ^, long texts by their length
    EXPECT_EQ(fake::Each(stored,
                         [](const auto& value) {
                             fake::Registry registry;
                             registry.values["HKLM\\K\\V"] = {value.first, value.second};
                             std::string text = RegGetString(registry, platform::RegRoot::LocalMachine, "K", "V", "-");
                             std::replace(text.begin(), text.end(), '\0', '^');
                             return text.size() > 9 ? std::to_string(text.size()) : text;
                         }),
              "abc nozero C:\\p^D:\\x a^ - - 4096 - ");
}

}  // namespace
}  // namespace taktora
