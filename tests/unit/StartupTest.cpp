#include <gtest/gtest.h>

#include "tests/unit/FormFixture.h"

namespace taktora {
namespace {

using platform::RegRoot;
using platform::RegType;

class StartupTest : public FormTest {};

TEST_F(StartupTest, FreshUserGetsEveryDefaultAndNoRunEntry) {
    Start();
    EXPECT_EQ(window.rect, (platform::Rect{32, 32, 192, 64}));
    EXPECT_TRUE(window.visible);
    form.Unload();

    const std::map<std::string, std::string> expected = {
        {"WinTop", "32"},          {"WinLeft", "32"},      {"WinWidth", "192"},     {"WinHeight", "64"},
        {"Interval", "1000"},      {"ShowRunTime", "1"},   {"ShowInTask", "0"},     {"ShowInTray", "1"},
        {"ShowUsageValue", "1"},   {"LockWindow", "0"},    {"HideWindow", "0"},     {"RunAtStartup", "0"},
        {"WindowOnTop", "0"},      {"UseBoldFont", "0"},   {"AlignCenter", "0"},    {"TaskManager", "0"},
        {"ProcessView", "1"},      {"Magnetic", "1"},      {"UseGetCoreTemp", "0"}, {"ShowCoreTemp", "1"},
        {"ShowCoreTempLine", "1"}, {"ShowCoreSpeed", "1"},
    };
    EXPECT_EQ(registry.ValueNames(RegRoot::CurrentUser, kSettingsKey).size(), expected.size());
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(Stored(name), value) << name;
    }
    EXPECT_FALSE(Stored("MaxTaskPriority"));
    EXPECT_FALSE(registry.Get(RegRoot::CurrentUser, kRunKey, "Taktora"));
}

TEST_F(StartupTest, MissingRunEntryIsRecreatedWithoutLosingOtherSettings) {
    const std::map<std::string, std::string> kept = {
        {"RunAtStartup", "1"}, {"ShowInTask", "1"}, {"UseBoldFont", "1"}, {"AlignCenter", "1"}, {"Interval", "2500"}};
    for (const auto& [name, value] : kept) {
        Store(name, value);
    }
    Start();
    EXPECT_EQ(registry.Get(RegRoot::CurrentUser, kRunKey, "Taktora"),
              "\"C:\\Programme\\Taktora\\Taktora.exe\" /startup");
    EXPECT_EQ(Stored("WinTop"), "32");  // everything was written during start-up
    EXPECT_TRUE(form.Settings().CkS.Checked());
    EXPECT_TRUE(taskbar.shown);
    EXPECT_TRUE(form.Settings().CkD.Checked());
    EXPECT_TRUE(form.Settings().CkZ.Checked());
    EXPECT_EQ(window.timers[platform::TimerId::Refresh], 2500);
    form.Unload();
    for (const auto& [name, value] : kept) {
        EXPECT_EQ(Stored(name), value) << name;
    }
}

TEST_F(StartupTest, ExistingRunEntryTicksTheBoxAndSurvivesTheSave) {
    registry.Put(RegRoot::CurrentUser, kRunKey, "Taktora", {RegType::String, "\"C:\\old.exe\" /startup"});
    Start();
    form.Settings().CkS.SetChecked(false);
    form.Unload();
    EXPECT_FALSE(registry.Get(RegRoot::CurrentUser, kRunKey, "Taktora"));
    EXPECT_EQ(Stored("RunAtStartup"), "0");
}

// Task Manager and the Settings app switch a Run entry off with a binary value of their own.
TEST_F(StartupTest, RunEntrySwitchedOffByWindowsShowsUntickedUntilTheUserTicksIt) {
    const std::string approved = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
    struct Case {
        char firstByte;
        bool ticked;
    };
    for (const Case c : {Case{2, true}, Case{3, false}, Case{7, false}}) {
        FakeMachine m;
        m.registry.Put(RegRoot::CurrentUser, kRunKey, "Taktora", {RegType::String, "\"C:\\T\\taktora.exe\" /startup"});
        m.registry.Put(RegRoot::CurrentUser, approved, "Taktora",
                       {RegType::Binary, std::string(1, c.firstByte) + std::string(11, '\0')});
        Form1 f{m.platform, m.window};
        f.Load();
        EXPECT_EQ(f.Settings().CkS.Checked(), c.ticked) << int{c.firstByte};
        f.Settings().CkS.SetChecked(true);
        f.SaveSet();
        EXPECT_EQ(m.registry.Get(RegRoot::CurrentUser, approved, "Taktora").has_value(), c.ticked)
            << "a switch-off is removed when the user ticks the box, " << int{c.firstByte};
        EXPECT_TRUE(m.registry.Get(RegRoot::CurrentUser, kRunKey, "Taktora"));
    }
}

TEST_F(StartupTest, ProfileRunAtStartupIsReadUnderTheSuffixAndWrittenWithout) {
    Store("RunAtStartup", "1");
    system.arguments = "2";
    Start();
    EXPECT_FALSE(registry.Get(RegRoot::CurrentUser, kRunKey, "Taktora"));
    form.Unload();
    EXPECT_EQ(Stored("RunAtStartup"), "0");
    EXPECT_EQ(Stored("WinTop.2"), "32");
    EXPECT_FALSE(Stored("RunAtStartup.2"));
}

TEST_F(StartupTest, CommandLineChoosesWaitAndProfile) {
    struct Case {
        const char* arguments;
        bool waits;
        const char* suffix;
    };
    const Case cases[] = {
        {"", false, ""},        {"3", false, ".3"},           {"abc", false, ""},       {"0", false, ""},
        {"/STARTUP", true, ""}, {"-x /Startup -y", true, ""}, {"/startup 3", true, ""}, {" 1 2", false, ".12"},
        {"1.5", false, ".1.5"}, {"-4", false, ".-4"},
    };
    for (const Case& c : cases) {
        FakeMachine m;
        auto& sys = m.system;
        sys.arguments = c.arguments;
        Form1::WaitAtLogon(sys);
        EXPECT_EQ(sys.sleeps, c.waits ? std::vector<int>{15000} : std::vector<int>{}) << c.arguments;
        Form1 f{m.platform, m.window};
        f.Load();  // the window exists by now: no more waiting
        EXPECT_EQ(sys.sleeps.size(), c.waits ? 1u : 0u) << c.arguments;
        f.Unload();
        EXPECT_TRUE(m.Stored(std::string("WinTop") + c.suffix)) << c.arguments;
    }
}

TEST_F(StartupTest, ProfileKeysCarryTheSuffix) {
    system.arguments = "3";
    Store("WinTop.3", "100");
    Store("WinTop", "200");
    Start();
    EXPECT_EQ(window.rect.top, 100);
    form.Unload();
    for (const char* name : {"WinTop.3", "Interval.3", "ShowRunTime.3", "ShowCoreSpeed.3", "RunAtStartup"}) {
        EXPECT_TRUE(Stored(name)) << name;
    }
    EXPECT_EQ(Stored("WinTop"), "200");
}

TEST_F(StartupTest, StoredGeometryIsRestoredAndSavedUnchanged) {
    Store("WinLeft", "500");
    Store("WinTop", "300");
    Store("WinWidth", "300");
    Store("WinHeight", "100");
    Start();
    EXPECT_EQ(window.rect, (platform::Rect{500, 300, 300, 100}));
    form.Unload();
    EXPECT_EQ(Stored("WinLeft"), "500");
    EXPECT_EQ(Stored("WinTop"), "300");
    EXPECT_EQ(Stored("WinWidth"), "300");
    EXPECT_EQ(Stored("WinHeight"), "100");
}

TEST_F(StartupTest, UnusableValuesFallBackToTheirDefaultsAndAreSavedValid) {
    Store("WinTop", "abc");
    Store("WinLeft", "40,6");  // the locale form of earlier versions
    Store("Interval", "0");
    Store("ShowRunTime", "7x");
    Store("Magnetic", "256");
    Store("ShowInTask", "2");
    registry.Put(RegRoot::CurrentUser, kSettingsKey, "WinWidth", {RegType::Other, "300"});
    Start();
    EXPECT_EQ(window.rect, (platform::Rect{41, 32, 192, 64}));
    EXPECT_EQ(window.timers[platform::TimerId::Refresh], 1000);
    EXPECT_TRUE(form.Settings().CkL.Checked());
    EXPECT_TRUE(form.Settings().ckMag.Checked());
    EXPECT_TRUE(form.Settings().CkG.Checked());
    form.Unload();
    EXPECT_EQ(Stored("WinTop"), "32");
    EXPECT_EQ(Stored("Interval"), "1000");
    EXPECT_EQ(Stored("ShowRunTime"), "1");
    EXPECT_EQ(Stored("ShowInTask"), "1");
}

TEST_F(StartupTest, IntervalSetsTheTimerAndTheRateBox) {
    struct Case {
        const char* stored;
        int timer;
        const char* box;
    };
    for (const Case& c : {Case{"2500", 2500, "2.5"}, Case{"12000", 12000, "1.0"}, Case{"500", 500, "0.5"},
                          Case{"99", 1000, "1.0"}, Case{"32768", 1000, "1.0"}, Case{"100", 100, "0.1"}}) {
        FakeMachine m;
        auto& reg = m.registry;
        reg.Put(RegRoot::CurrentUser, kSettingsKey, "Interval", {RegType::String, c.stored});
        auto& win = m.window;
        Form1 f{m.platform, m.window};
        f.Load();
        EXPECT_EQ(win.timers[platform::TimerId::Refresh], c.timer) << c.stored;
        EXPECT_EQ(win.timers[platform::TimerId::Sampling], 100) << c.stored;
        EXPECT_EQ(f.Settings().CO1, c.box) << c.stored;
    }
}

TEST_F(StartupTest, DoubleClickChoicesExcludeEachOtherAndFollowTheToolsFound) {
    struct Case {
        bool taskManager;
        bool viewer;
        bool tmEnabled, tmChecked, pvEnabled, pvChecked;
    };
    const Case cases[] = {
        {true, true, true, false, true, true},      // both stored as 1: the viewer wins
        {true, false, true, true, false, false},    // only Task Manager: it takes the double-click
        {false, true, false, false, true, true},    // only the viewer
        {false, false, false, false, false, true},  // neither: both disabled, the stored choice stays
    };
    for (const Case& c : cases) {
        FakeMachine m;
        auto& fs = m.files;
        if (c.taskManager) {
            fs.Add("C:\\WINDOWS\\System32\\TaskMgr.exe", 1000);
        }
        if (c.viewer) {
            fs.Add("C:\\Programme\\Taktora\\PViewer\\PrcView.exe", 1000);
        }
        Form1 f{m.platform, m.window};
        f.Load();
        const frmSet& s = f.Settings();
        EXPECT_EQ(s.CkTM.Enabled(), c.tmEnabled) << c.taskManager << c.viewer;
        EXPECT_EQ(s.CkTM.Checked(), c.tmChecked) << c.taskManager << c.viewer;
        EXPECT_EQ(s.CkPV.Enabled(), c.pvEnabled) << c.taskManager << c.viewer;
        EXPECT_EQ(s.CkPV.Checked(), c.pvChecked) << c.taskManager << c.viewer;
    }
}

TEST_F(StartupTest, EmptyHiddenOrFolderFilesDoNotCount) {
    files.Add("C:\\WINDOWS\\System32\\TaskMgr.exe", 0);
    files.Add("C:\\Programme\\Taktora\\PViewer\\PrcView.exe", 10, platform::kAttributeHidden);
    files.Add("C:\\Programme\\Taktora\\Taktora.ext", 10, platform::kAttributeDirectory);
    Start();
    EXPECT_FALSE(form.Probe().TaskManagerFound());
    EXPECT_FALSE(form.Probe().ProcessViewerFound());
    EXPECT_FALSE(form.Probe().ExtAvailable());
}

TEST_F(StartupTest, PriorityIsRaisedOnlyForExactlyOne) {
    for (const auto& [stored, raised] : std::vector<std::pair<std::string, bool>>{
             {"", true}, {"1", true}, {"0", false}, {"2", false}, {"junk", true}}) {
        FakeMachine m;
        auto& reg = m.registry;
        if (!stored.empty()) {
            reg.Put(RegRoot::CurrentUser, kSettingsKey, "MaxTaskPriority", {RegType::String, stored});
        }
        auto& sys = m.system;
        Form1 f{m.platform, m.window};
        f.Load();
        const std::vector<std::string> expected =
            raised ? std::vector<std::string>{"thread priority", "process priority"} : std::vector<std::string>{};
        EXPECT_EQ(sys.events, expected) << stored;
    }
}

TEST_F(StartupTest, HideWindowOnlyHidesBehindATrayIcon) {
    for (const auto& [tray, visible] :
         std::vector<std::pair<std::string, bool>>{{"0", true}, {"1", false}, {"2", true}}) {
        FakeMachine m;
        auto& reg = m.registry;
        reg.Put(RegRoot::CurrentUser, kSettingsKey, "HideWindow", {RegType::String, "1"});
        reg.Put(RegRoot::CurrentUser, kSettingsKey, "ShowInTray", {RegType::String, tray});
        auto& win = m.window;
        Form1 f{m.platform, m.window};
        f.Load();
        f.ShowAfterLoad();
        EXPECT_TRUE(f.Settings().CkB.Checked());
        EXPECT_EQ(win.visible, visible) << tray;
    }
}

TEST_F(StartupTest, MagneticStartPullsAnOffScreenWindowInside) {
    Store("WinLeft", "1000");
    Store("WinTop", "740");
    Start();
    EXPECT_EQ(window.rect, (platform::Rect{1024 - 192, 768 - 64 - 28, 192, 64}));

    FakeMachine m;
    auto& reg = m.registry;
    reg.Put(RegRoot::CurrentUser, kSettingsKey, "WinLeft", {RegType::String, "1000"});
    reg.Put(RegRoot::CurrentUser, kSettingsKey, "Magnetic", {RegType::String, "0"});
    auto& win = m.window;
    Form1 f{m.platform, m.window};
    f.Load();
    EXPECT_EQ(win.rect.left, 1000);
}

TEST_F(StartupTest, CoreTempOptionWithoutCoreTempIsStoredOff) {
    Store("UseGetCoreTemp", "1");
    Start();
    EXPECT_FALSE(form.Settings().CkGD.Checked());
    EXPECT_FALSE(form.Settings().CkGD.Enabled());
    form.Unload();
    EXPECT_EQ(Stored("UseGetCoreTemp"), "0");
}

TEST_F(StartupTest, WindowOnTopIsAppliedAtStart) {
    Store("WindowOnTop", "1");
    Start();
    EXPECT_TRUE(window.topMost);
}

TEST_F(StartupTest, UnloadSavesOnceAndEndsTheSource) {
    Start();
    form.Settings().Show();
    window.rect = {50, 60, 200, 70};
    form.ReSize();
    form.Timer1Tick();
    window.rect = {};  // a window that is gone reads as an empty rectangle
    form.SaveSet();
    EXPECT_EQ(Stored("WinLeft"), "50");
    EXPECT_EQ(Stored("WinHeight"), "70");
    form.Unload();
    const int writes = registry.writes;
    form.Unload();           // Windows ending the session after the window was closed
    form.Settings().OnOk();  // the dialog closed after the main window
    EXPECT_EQ(registry.writes, writes);
    EXPECT_FALSE(form.Settings().Visible());
    EXPECT_EQ(form.LoadSource(), LoadSourceKind::None);
    EXPECT_TRUE(window.timers.empty());
}

TEST_F(StartupTest, VersionLabelAndPaths) {
    system.modulePath = "D:\\Tools\\Monitor.EXE";
    system.environment = {{"WINDIR", " C:\\Windows\\ "}, {"OS", "windows_nt"}};
    system.program.comments = "post@example.de";
    Start();
    EXPECT_EQ(form.Settings().LV, "Version 4.21 - 05.08.2010");
    EXPECT_EQ(form.Settings().MakerMail, "post@example.de");
    const StartupProbe& probe = form.Probe();
    EXPECT_EQ(probe.ProgramDir(), "D:\\Tools\\");
    EXPECT_EQ(probe.QuotedExePath(), "\"D:\\Tools\\Monitor.exe\"");
    EXPECT_EQ(probe.ExtFilePath(), "D:\\Tools\\Monitor.ext");
    EXPECT_EQ(probe.TaskManagerPath(), "C:\\Windows\\System32\\TaskMgr.exe");
    EXPECT_EQ(probe.ProcessViewerPath(), "D:\\Tools\\PViewer\\PrcView.exe");
    EXPECT_EQ(form.Limits().MaxWidth, 192 + 1024 * 15);  // 15 twips a pixel at 96 dpi
}

}  // namespace
}  // namespace taktora
