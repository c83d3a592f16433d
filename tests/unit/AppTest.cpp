#include <gtest/gtest.h>

#include "app/Form1.h"
#include "tests/fakes/Fakes.h"

namespace taktora {
namespace {

using fake::Join;
using fake::Text;
using platform::TimerId;

constexpr const char* kTaskManager = "C:\\WINDOWS\\System32\\TaskMgr.exe";
constexpr const char* kViewer = "C:\\T\\PViewer\\PrcView.exe";
constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Taktora";
constexpr const char* kApproved =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run\\Taktora";

struct App : ::testing::Test, fake::Machine {
    void Start() {
        form.Load();
        form.ShowAfterLoad();
    }
    void Add(const std::string& path) { files.files[path] = {"x", 100}; }
    // A refresh period: samples at the given load, 100 ms apart, then the refresh tick.
    void Period(int percent, int samples = 10) {
        for (int i = 0; i < samples; ++i) {
            kernel.Busy(percent);
            system.tick += 100;
            form.TimerCTick();
        }
        form.Timer1Tick();
    }
    std::string Saved(const std::string& suffix = "") {
        std::string saved;
        for (std::size_t i = 0; i < kSavedSettingCount; ++i) {
            const std::string name(kSettings[i].name);
            saved += name + "=" + Stored(name + (i == 5 ? "" : suffix)) + " ";
        }
        return saved;
    }
    Form1 form{platform, window};
    frmSet& s = form.Settings();
};

TEST_F(App, AFreshUserGetsTheDefaultsWhichTheUnloadSavesOnce) {
    Start();
    EXPECT_EQ(Text(window.rect), "32,32 192x64");
    EXPECT_TRUE(window.visible);
    EXPECT_EQ(window.timers, (std::map<TimerId, int>{{TimerId::Refresh, 1000}, {TimerId::Sampling, 100}}));
    EXPECT_EQ(s.CO1 + " " + s.LV + " " + s.MakerMail, "1.0 Version 4.21 - 05.08.2010 info@brisko-software.de");
    EXPECT_EQ(Join(system.calls), "thread priority; process priority");
    EXPECT_EQ(tray.calls.front(), "Add ") << "the icon is there before the first load is known";
    EXPECT_EQ(form.Limits(), (window::MinMaxLimits{125, 50, 192 + 1024 * 15, 64 + 768 * 15}));
    form.Unload();
    EXPECT_EQ(Saved(),
              "WinTop=32 WinLeft=32 WinWidth=192 WinHeight=64 Interval=1000 RunAtStartup=0 ShowRunTime=1 ShowInTask=0 "
              "ShowInTray=1 ShowUsageValue=1 LockWindow=0 HideWindow=0 WindowOnTop=0 UseBoldFont=0 AlignCenter=0 "
              "TaskManager=0 ProcessView=1 Magnetic=1 UseGetCoreTemp=0 ShowCoreTemp=1 ShowCoreTempLine=1 "
              "ShowCoreSpeed=1 ");
    EXPECT_EQ(registry.values.size(), 22u) << "no Run entry, no priority switch";
    EXPECT_EQ(tray.calls.back(), "Delete");
    EXPECT_TRUE(window.timers.empty());
    EXPECT_EQ(form.LoadSource(), LoadSourceKind::None);
    // Windows ending the session after the window closed, and the dialog's OK after the main window is gone.
    registry.values.clear();
    form.Unload();
    s.OnOk();
    EXPECT_TRUE(registry.values.empty());
}

TEST_F(App, AProfilesStoredSettingsAreRestoredAndUnusableOnesReplaced) {
    system.arguments = "3";
    for (const auto& [name, value] : std::map<std::string, std::string>{{"WinLeft.3", "40,6"},
                                                                        {"WinTop.3", "abc"},
                                                                        {"WinWidth.3", "300"},
                                                                        {"WinHeight.3", "10"},
                                                                        {"Interval.3", "2500"},
                                                                        {"ShowInTask.3", "2"},
                                                                        {"Magnetic.3", "256"},
                                                                        {"UseBoldFont.3", "1"},
                                                                        {"AlignCenter.3", "1"},
                                                                        {"WindowOnTop.3", "1"},
                                                                        {"MaxTaskPriority.3", "2"},
                                                                        {"WinTop", "200"},
                                                                        {"ShowRunTime.3", "7x"},
                                                                        {"HideWindow.3", "1"},
                                                                        {"ShowInTray.3", "2"}}) {
        Store(name, value);
    }
    Start();
    EXPECT_EQ(Text(window.rect), "41,32 300x50") << "no smaller than Windows allows";
    EXPECT_EQ(window.timers[TimerId::Refresh], 2500);
    EXPECT_EQ(s.CO1, "2.5");
    EXPECT_TRUE(taskbar.shown && s.CkD.Checked() && s.CkZ.Checked() && s.ckMag.Checked() && s.CkL.Checked());
    EXPECT_TRUE(window.visible) << "only a tray setting of exactly 1 hides the window at start";
    EXPECT_EQ(Join(window.calls), "TopMost; TopMost");
    EXPECT_TRUE(system.calls.empty());
    form.Unload();
    EXPECT_EQ(Saved(".3"),
              "WinTop=32 WinLeft=41 WinWidth=300 WinHeight=50 Interval=2500 RunAtStartup=0 ShowRunTime=1 ShowInTask=1 "
              "ShowInTray=1 ShowUsageValue=1 LockWindow=0 HideWindow=1 WindowOnTop=1 UseBoldFont=1 AlignCenter=1 "
              "TaskManager=0 ProcessView=1 Magnetic=1 UseGetCoreTemp=0 ShowCoreTemp=1 ShowCoreTempLine=1 "
              "ShowCoreSpeed=1 ");
    EXPECT_EQ(Stored("WinTop"), "200");
}

TEST_F(App, TheRunEntryFollowsTheBoxAndWindowsOwnSwitch) {
    // the Run entry there, Windows' switch (0 none, even on, odd off), RunAtStartup; the box at start, and with the
    // box ticked by the user the entry and the switch that are left
    const std::tuple<bool, char, const char*, bool, bool> cases[] = {
        {false, 0, "1", true, false}, {true, 0, "0", true, false},  {true, 2, "0", true, true},
        {true, 3, "0", false, false}, {true, 7, "1", false, false}, {false, 0, "0", false, false},
    };
    for (const auto& [entry, approved, stored, ticked, switchLeft] : cases) {
        fake::Machine m;
        if (entry) {
            m.registry.values[kRun] = {platform::RegType::String, "\"C:\\old.exe\" /startup"};
        }
        if (approved != 0) {
            m.registry.values[kApproved] = {platform::RegType::Binary,
                                            std::string(1, approved) + std::string(11, '\0')};
        }
        m.Store("RunAtStartup", stored);
        Form1 f{m.platform, m.window};
        f.Load();
        EXPECT_EQ(f.Settings().CkS.Checked(), ticked) << entry << int{approved} << stored;
        EXPECT_EQ(m.registry.values.contains(kRun), entry || ticked) << entry << int{approved} << stored;
        f.Settings().CkS.SetChecked(true);
        f.SaveSet();
        EXPECT_EQ(m.registry.values[kRun].text, "\"C:\\T\\Taktora.exe\" /startup");
        EXPECT_EQ(m.registry.values.contains(kApproved), switchLeft) << entry << int{approved} << stored;
        f.Settings().CkS.SetChecked(false);
        f.Unload();
        EXPECT_FALSE(m.registry.values.contains(kRun));
        EXPECT_EQ(m.Stored("RunAtStartup"), "0");
    }
}

TEST_F(App, TheLoadSourceFollowsTheSystemAndTheTemperatureMonitor) {
    // Windows' platform and version, its architecture, Core Temp (0 not running, 1 without a record, 2 publishing),
    // UseGetCoreTemp; the source, and the Core Temp box enabled and ticked
    const std::tuple<platform::OsVersion, int, int, const char*, LoadSourceKind, bool, bool> cases[] = {
        {{2, 6, 1}, 9, 0, "1", LoadSourceKind::Pdh, false, false},
        {{2, 5, 2}, 9, 0, "1", LoadSourceKind::KernelCounters, false, false},
        {{2, 10, 0}, 0, 0, "1", LoadSourceKind::KernelCounters, false, false},
        {{1, 4, 10}, 0, 0, "1", LoadSourceKind::Win9xStatistics, false, true},
        {{2, 6, 1}, 9, 2, "1", LoadSourceKind::CoreTemp, true, true},
        {{2, 6, 1}, 9, 1, "1", LoadSourceKind::Pdh, false, false},
        {{2, 5, 1}, 0, 2, "0", LoadSourceKind::KernelCounters, true, false},
        {{1, 4, 10}, 0, 2, "1", LoadSourceKind::Win9xStatistics, true, true},
    };
    for (const auto& [os, architecture, coreTemp, wanted, kind, enabled, ticked] : cases) {
        fake::Machine m;
        m.system.version = os;
        m.system.architecture = architecture;
        m.system.windowClass = coreTemp > 0 ? "CORETEMP" : "";
        if (coreTemp == 2) {
            m.shared.Publish(fake::TwoCores());
        }
        m.pdh.paths["\\Processor Information(_Total)\\% Processor Time"] = {10};
        m.Store("UseGetCoreTemp", wanted);
        Form1 f{m.platform, m.window};
        f.Load();
        EXPECT_EQ(f.LoadSource(), kind) << os.major << "." << os.minor << " " << coreTemp;
        EXPECT_EQ(f.Settings().CkGD.Enabled(), enabled) << os.major << "." << os.minor << " " << coreTemp;
        EXPECT_EQ(f.Settings().CkGD.Checked(), ticked) << os.major << "." << os.minor << " " << coreTemp;
    }
}

TEST_F(App, PdhThatCannotDeliverGivesWayToTheKernelCounters) {
    system.version = {2, 6, 1};
    system.architecture = 9;
    pdh.paths["\\Processor Information(_Total)\\% Processor Time"] = {10};
    pdh.collectStatus = -1;
    Start();
    for (int tick = 0; tick < 5; ++tick) {
        EXPECT_EQ(form.LoadSource(), LoadSourceKind::Pdh);
        form.TimerCTick();
    }
    EXPECT_EQ(form.LoadSource(), LoadSourceKind::KernelCounters);
    Period(70);
    Period(70);
    EXPECT_EQ(taskbar.caption, "CPU:70%");
}

TEST_F(App, EachPeriodsLoadReachesTheGraphTheCaptionTheTooltipsAndTheIcons) {
    system.windowClass = "CORETEMP";
    shared.Publish(fake::TwoCores());
    Store("ShowRunTime", "0");
    Store("ShowInTask", "1");
    Start();
    text.calls.clear();
    Period(0);
    EXPECT_EQ(taskbar.caption, "CPU:40,5%");
    EXPECT_EQ(window.toolTip, " CPU: 40%  (ø 20%),  Temp: 42°C,  Speed: 2400,00 MHz (200,00 MHz * 12,0) ");
    EXPECT_EQ(tray.calls.back(), "Modify  CPU-Auslastung: 40% ");
    EXPECT_EQ(Join(fake::Calls(text.calls.begin() + 2, text.calls.end())),
              "Tahoma 7 8,6 16.16.64 2400 MHz; Tahoma 7 7,5 204.204.255 2400 MHz; Tahoma 7 8,17 80.16.16 42 °C; "
              "Tahoma 7 7,16 255.204.204 42 °C");
    EXPECT_EQ(form.History().Temps()[LoadHistory::GraphSize(window.ClientSize().width)], 41.5f);
    EXPECT_EQ(window.picture.Width(), 186);
    // Core Temp quit: it reads 0, and its last temperature stays.
    shared.mutex = 0;
    Period(0);
    EXPECT_EQ(taskbar.caption, "CPU:0%");
    EXPECT_NE(window.toolTip.find("Temp: 42°C"), std::string::npos);
    // F3 to F5 switch the speed, the temperature and its curve off.
    for (const Key key : {Key::F3, Key::F4, Key::F5}) {
        form.KeyS(key, kNoModifier);
    }
    EXPECT_EQ(window.toolTip, " CPU: 0%  (ø 6%) ");
    EXPECT_FALSE(s.CkGS.Checked() || s.CkGT.Checked() || s.CkGL.Checked());
}

TEST_F(App, AtFasterRatesTheShellGetsTheNewestIconTwiceASecond) {
    Store("Interval", "100");
    Store("ShowInTask", "1");
    Start();  // the first picture goes to the shell at once, at tick 0
    // Windows' timer may come a clock tick early: 484 ms after the last picture count as half a second.
    std::string sent;
    for (const int tick : {100, 483, 484, 967, 968}) {
        system.tick = tick;
        const std::size_t before = tray.calls.size();
        form.Timer1Tick();
        sent += tray.calls.size() > before ? "1" : "0";
    }
    EXPECT_EQ(sent, "00101");
    EXPECT_EQ(taskbar.icons.size(), 3u);
    form.SetRefreshInterval(500);
    EXPECT_EQ(window.timers[TimerId::Refresh], 500);
    system.tick += 100;
    form.Timer1Tick();
    EXPECT_EQ(taskbar.icons.size(), 4u);
}

TEST_F(App, AfterSleepTheFirstLoadIsTheLoadAfterIt) {
    Start();
    form.Timer1Tick();
    for (int i = 0; i < 5; ++i) {
        kernel.Busy(100);
        form.TimerCTick();
    }
    kernel.time += 36000000000;  // an hour asleep, hardly idle
    window.timers.clear();
    form.Resumed();
    EXPECT_EQ(window.timers, (std::map<TimerId, int>{{TimerId::Refresh, 1000}, {TimerId::Sampling, 100}}));
    Period(25);
    EXPECT_EQ(taskbar.caption, "CPU:25%");
}

TEST_F(App, TheWindowIsDraggedSnappedKeptOnScreenAndLocked) {
    Start();
    form.MousePos(kNoButton, kNoModifier, 50, 20);
    form.MousePos(kLeftButton, kNoModifier, 80, 30);
    EXPECT_EQ(Text(window.rect), "62,42 192x64");
    form.MousePos(kRightButton, kNoModifier, 120, 40);
    form.MousePos(kLeftButton, kNoModifier, -225, 30);  // near the left edge the magnet pulls it in
    EXPECT_EQ(Text(window.rect), "0,52 192x64");
    window.rect = {900, 740, 192, 64};
    form.Timer1Tick();
    EXPECT_EQ(Text(window.rect), "832,676 192x64");
    s.CkM.SetChecked(true);
    EXPECT_EQ(form.Limits(), (window::MinMaxLimits{192, 64, 192, 64}));
    form.MousePos(kLeftButton, kNoModifier, 300, 300);
    window.rect = {400, 300, 300, 100};
    form.Timer1Tick();
    EXPECT_EQ(Text(window.rect), "832,676 192x64");
    window.rect = {832, 676, 300, 100};  // a resize by other means is undone at once
    form.ReSize();
    EXPECT_EQ(Text(window.rect), "832,676 192x64");
    s.CkM.SetChecked(false);
    EXPECT_EQ(form.Limits(), (window::MinMaxLimits{125, 50, 192 + 1024 * 15, 64 + 768 * 15}));
    s.Show();
    window.rect = {32, 32, 306, 106};
    form.ReSize();
    EXPECT_EQ(s.Caption, "Taktora Info / Settings   (Size: 300*100)");
    EXPECT_EQ(window.picture.Width(), 300);
    s.ckMag.SetChecked(false);
    window.rect = {900, 740, 192, 64};
    form.Timer1Tick();
    EXPECT_EQ(Text(window.rect), "900,740 192x64");
}

TEST_F(App, OnSeveralMonitorsTheWindowStaysOnItsOwnOrComesBackFromAGoneOne) {
    desktop.monitors.push_back({1024, 0, 1280, 1024});
    Store("WinLeft", "1500");
    Store("WinTop", "900");
    Start();
    EXPECT_EQ(Text(window.rect), "1500,900 192x64");
    window.rect = {2200, 1000, 192, 64};
    form.Timer1Tick();
    EXPECT_EQ(Text(window.rect), "2112,932 192x64");
    // The taskbar on the first monitor does not limit a drag on the second.
    form.MousePos(kNoButton, kNoModifier, 10, 10);
    form.MousePos(kLeftButton, kNoModifier, 30, 50);
    EXPECT_EQ(Text(window.rect), "2112,960 192x64");
    desktop.monitors.pop_back();
    form.DisplayChanged();
    form.Timer1Tick();
    EXPECT_EQ(Text(window.rect), "832,676 192x64");
    fake::Machine m;
    m.Store("WinLeft", "1500");
    m.Store("Magnetic", "0");
    Form1 f{m.platform, m.window};
    f.Load();
    EXPECT_EQ(Text(m.window.rect), "832,32 192x64");
}

TEST_F(App, TheMenuTheKeysAndTheMouseRunTheCommands) {
    Add(kTaskManager);
    Add("C:\\T\\Taktora.ext");
    Store("HideWindow", "1");
    Start();
    EXPECT_FALSE(window.visible);
    form.PicButtonDown(kLeftButton);
    form.PicClick();  // a left click does nothing, nor does a right double-click
    form.PicButtonDown(kRightButton);
    form.PicDoubleClick();
    form.PicButtonDown(kRightButton);
    form.PicClick();
    window.menuChoice = 8;
    form.TrayMessage(TrayMouse::RightUp);
    form.TrayMessage(TrayMouse::Other);
    form.TrayMessage(TrayMouse::LeftDown);  // hidden behind the icon: the window stays hidden
    form.TaskbarActivated();
    form.TrayMessage(TrayMouse::LeftDoubleClick);  // Task Manager, the only tool found, has the double-click
    for (const int index : {2, 3, 9, 4, 0}) {
        form.MenuClick(index);
    }
    const std::pair<Key, unsigned> keys[] = {{Key::T, kAltKey},
                                             {Key::E, kAltKey},
                                             {Key::P, kAltKey},
                                             {Key::F4, kAltKey},
                                             {Key::T, kAltKey | kCtrlKey},
                                             {Key::F1, kShiftKey},
                                             {Key::F3, kNoModifier},
                                             {Key::Other, kAltKey},
                                             {Key::Other, kNoModifier}};
    for (const auto& [key, modifiers] : keys) {
        form.KeyS(key, modifiers);
    }
    EXPECT_FALSE(window.visible || s.Visible() || s.CkGS.Checked() != true);
    EXPECT_EQ(Join(window.calls), "Menu 1 2 3 8 9; Menu 1 2 3 8 9; Close; Close");
    const std::string task = std::string("start ") + kTaskManager + " | \"" + kTaskManager + "\"";
    const std::string ext = "start C:\\T\\Taktora.ext | \"C:\\T\\Taktora.ext\" !";
    EXPECT_EQ(Join(processes.calls), ext + "; " + task + "; " + task + "; " + task + "; " + ext);
    EXPECT_EQ(shell.calls.size(), 2u) << "without the viewer, where to get it";
    s.CkB.SetChecked(false);
    window.visible = false;
    form.TrayMessage(TrayMouse::LeftDown);
    EXPECT_TRUE(window.visible);
    window.visible = false;
    form.TaskbarActivated();
    EXPECT_TRUE(window.visible);
    s.CkTM.SetChecked(false);
    form.TrayMessage(TrayMouse::LeftDoubleClick);  // no tool chosen and the window shown: nothing
    EXPECT_FALSE(s.Visible());
    s.CkB.SetChecked(true);
    form.TrayMessage(TrayMouse::LeftDoubleClick);
    EXPECT_TRUE(s.Visible());
    s.Hide();
    const bool uptime = s.CkL.Checked();
    form.KeyS(Key::F2, kNoModifier);
    EXPECT_NE(s.CkL.Checked(), uptime);
    form.KeyS(Key::F1, kNoModifier);
    EXPECT_TRUE(s.Visible());
    s.Hide();
    form.PicButtonDown(kLeftButton);
    form.PicDoubleClick();
    EXPECT_TRUE(s.Visible());
}

TEST_F(App, TheSettingsBoxesActOnTheProgram) {
    Add(kViewer);
    Start();
    int focusRequests = 0;
    s.OnFocusRequest([&] { ++focusRequests; });
    s.CkB.SetChecked(true);
    EXPECT_FALSE(window.visible);
    s.CkT.SetChecked(false);  // without the tray icon the window comes back, and nothing can hide it
    EXPECT_TRUE(window.visible && !s.CkB.Checked() && !s.CkB.Enabled() && !s.CkTM.Enabled() && !s.CkPV.Enabled());
    EXPECT_EQ(tray.calls.back(), "Delete");
    s.CkB.SetChecked(true);
    EXPECT_TRUE(window.visible);
    s.CkB.SetChecked(false);
    s.CkT.SetChecked(true);
    EXPECT_TRUE(s.CkB.Enabled() && s.CkPV.Enabled() && !s.CkTM.Enabled()) << "no Task Manager found";
    EXPECT_EQ(tray.calls.back(), "Add ");
    s.CkTM.SetChecked(true);  // the two double-click choices exclude each other
    EXPECT_FALSE(s.CkPV.Checked());
    s.CkPV.SetChecked(true);
    EXPECT_FALSE(s.CkTM.Checked());
    s.CkN.SetChecked(false);
    EXPECT_FALSE(s.CkZ.Enabled() || s.CkD.Enabled());
    s.CkG.SetChecked(true);
    EXPECT_TRUE(taskbar.shown);
    s.ckO.SetChecked(true);  // the user's change while the dialog is shown: the dialog keeps the focus
    s.Show();
    s.ckO.SetChecked(false);
    EXPECT_EQ(focusRequests, 1);
    EXPECT_EQ(Join(window.calls), "TopMost; NotTopMost");
    s.CkGD.SetChecked(true);
    EXPECT_TRUE(s.CkGT.Enabled() && s.CkGS.Enabled() && s.CkGL.Enabled());
    s.OnRateChosen("0.5");
    s.OnRateChosen("5.1");
    s.OnRateChosen("x");
    EXPECT_EQ(window.timers[TimerId::Refresh], 500);
    s.OnOk();  // saved, the restart hint once, the main window focused
    s.Show();
    s.OnOk();
    EXPECT_FALSE(s.Visible());
    EXPECT_EQ(Stored("Interval") + Stored("TaskManager") + Stored("ProcessView"), "50001");
    EXPECT_EQ(Join(shell.calls), " HINWEIS:1 Bitte starten Sie den Taktora neu. Danke!    ");
    EXPECT_EQ(Join(window.calls), "TopMost; NotTopMost; Focus; Focus");
    s.OnPictureClick();
    s.OnUrlClick();
    s.OnPictureClick();
    s.OnUrlClick();
    s.OnCoreTempClick();
    EXPECT_EQ(Join(fake::Calls(shell.calls.begin() + 1, shell.calls.end())),
              "open mailto:info@brisko-software.de?subject=Brisko Taktora  v4.21&body=; "
              "open http://www.brisko-software.de; open http://www.alcpu.com");
}

}  // namespace
}  // namespace taktora
