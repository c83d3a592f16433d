#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <regex>
#include <sstream>

#include "app/Form1.h"
#include "tests/fakes/Fakes.h"

namespace taktora {
namespace {

using fake::Join;
using fake::Text;
using platform::TimerId;

constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Taktora";
constexpr const char* kApproved =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run\\Taktora";

// The dialog's boxes from top to bottom: X ticked, O not, lower case while disabled.
std::string Boxes(frmSet& s) {
    std::string boxes;
    for (const BoxId id : frmSet::kDialogOrder) {
        boxes += static_cast<char>((s.Box(id).Checked() ? 'X' : 'O') + (s.Box(id).Enabled() ? 0 : 'a' - 'A'));
    }
    return boxes;
}

// The main window's model over every double.
struct Program : fake::Machine {
    // Stores "name=text" pairs separated by blanks, and files by their first letter: Task Manager, the viewer, the
    // companion program.
    void Set(const std::string& pairs, const std::string& tools = "") {
        std::istringstream in(pairs);
        for (std::string pair; in >> pair;) {
            Store(pair.substr(0, pair.find('=')), pair.substr(pair.find('=') + 1));
        }
        for (const char tool : tools) {
            files.files[tool == 'T'   ? "C:\\WINDOWS\\System32\\TaskMgr.exe"
                        : tool == 'V' ? "C:\\T\\PViewer\\PrcView.exe"
                                      : "C:\\T\\Taktora.ext"] = {"x", 100};
        }
    }
    void Start() {
        form.Load();
        form.ShowAfterLoad();
    }
    // A refresh period: ten samples at the given load, 100 ms apart, the kernel counters failing at every failEvery-th
    // sampling tick, then the refresh tick.
    void Period(int percent, int failEvery = 0) {
        for (int i = 0; i < 10; ++i) {
            kernel.Busy(percent);
            system.tick += 100;
            kernel.failing = failEvery > 0 && system.tick / 100 % failEvery == 0 ? 3 : 0;
            form.TimerCTick();
        }
        form.Timer1Tick();
    }
    std::string Saved(const std::string& suffix = "") {
        std::string saved;
        for (std::size_t i = 0; i < kSavedSettingCount; ++i) {
            saved += Stored(std::string(kSettings[i].name) + (i == 5 ? "" : suffix)) + " ";
        }
        return saved;
    }
    Form1 form{platform, window};
    frmSet& s = form.Settings();
};

struct App : ::testing::Test, Program {};

TEST_F(App, AFreshUserGetsTheDefaultsWhichTheUnloadSavesOnce) {
    Start();
    EXPECT_EQ(registry.writes, 0) << "start-up writes nothing";
    EXPECT_EQ(Text(window.rect) + " " + Boxes(s) + " " + std::to_string(window.visible),
              "32,32 192x64 XOXoxOXOOOOXOooxxx 1");
    EXPECT_EQ(window.timers, (std::map<TimerId, int>{{TimerId::Refresh, 1000}, {TimerId::Sampling, 100}}));
    EXPECT_EQ(s.CO1 + " " + s.LV + " " + s.MakerMail, "1.0 Version 4.21 - 05.08.2010 info@brisko-software.de");
    EXPECT_EQ(Join(system.calls), "thread priority; process priority");
    EXPECT_EQ(tray.calls.front(), "Add ") << "the icon is there before the first load is known";
    EXPECT_EQ(form.Limits(), (window::MinMaxLimits{125, 50, 192 + 1024 * 15, 64 + 768 * 15}));
    form.PicButtonDown(kRightButton);
    form.PicClick();
    EXPECT_EQ(Join(window.calls), "Menu 1 3 9") << "no Task Manager, no companion program";
    window.rect = {5, 5, 0, 64};  // a rectangle that could not be read
    form.Unload();
    // WinTop to LoadAsTaskManager, as listed in the settings table
    EXPECT_EQ(Saved(), "32 32 192 64 1000 0 1 0 1 1 0 0 0 0 0 0 1 1 0 1 1 1 0 ");
    EXPECT_EQ(registry.values.size(), 23u) << "no Run entry, no priority switch";
    EXPECT_EQ(tray.calls.back() + " " + std::to_string(window.timers.size()), "Delete 0") << "no timer left";
    EXPECT_EQ(form.LoadSource(), LoadSourceKind::None);
    // Windows ending the session after the window closed, and the dialog's OK after the main window is gone.
    registry.values.clear();
    form.Unload();
    s.RestartNeeded = true;
    s.OnOk();
    EXPECT_TRUE(registry.values.empty() && shell.calls.empty());
}

TEST_F(App, AProfilesStoredSettingsAreRestoredAndUnusableOnesReplaced) {
    system.arguments = "3";
    Set("WinLeft.3=40,6 WinTop.3=abc WinWidth.3=300 WinHeight.3=10 Interval.3=2500 ShowInTask.3=2 Magnetic.3=256 "
        "UseBoldFont.3=1 WindowOnTop.3=1 MaxTaskPriority.3=2 WinTop=200 ShowRunTime.3=7x "
        "HideWindow.3=1 ShowInTray.3=2 LockWindow.3=1 LoadAsTaskManager.3=3");
    Start();
    EXPECT_EQ(Text(window.rect) + " " + Boxes(s), "41,32 300x50 XXXoxXXOXXXXOxoxxx")
        << "no smaller than Windows allows";
    EXPECT_EQ(tray.picture.At(12, 7), Rgb(252, 254, 252)) << "a bold 0 at the right reaches column 12, a centred not";
    EXPECT_EQ(std::to_string(window.timers[TimerId::Refresh]) + " " + s.CO1, "2500 2.5");
    EXPECT_TRUE(window.visible && taskbar.shown) << "only a tray setting of exactly 1 hides the window at start";
    EXPECT_EQ(Join(window.calls) + "|" + Join(system.calls), "TopMost; TopMost|");
    window.rect = {7, 7, 300, 0};
    form.Unload();
    EXPECT_EQ(Saved(".3") + Stored("WinTop"), "32 41 300 50 2500 0 1 1 1 1 1 1 1 1 0 0 1 1 0 1 1 1 1 200");
}

TEST_F(App, AStoredSizeBeyondAllMonitorsIsLimitedToThemAndSavedSo) {
    desktop.monitors = {{0, 0, 1024, 768}, {1024, 0, 1280, 1024}};
    Set("WinWidth=487401 WinHeight=300000");
    Start();
    EXPECT_EQ(Text(window.rect), "1024,0 2304x1024") << "and the magnet pulled it onto the monitor it is on";
    form.Unload();
    EXPECT_EQ(Stored("WinWidth") + "x" + Stored("WinHeight"), "2304x1024");
}

TEST_F(App, StartUpChoosesTheSourceAndTheBoxesFromTheSystemTheToolsAndTheSettings) {
    // Windows' platform and version, its architecture, Core Temp (0 not running, 1 without a record, 2 publishing), the
    // tools found and the stored settings; the source and the boxes
    const std::vector<std::tuple<platform::OsVersion, int, int, std::string, std::string>> starts = {
        {{2, 6, 1}, 9, 0, "", ""},
        {{2, 5, 2}, 9, 0, "T", ""},
        {{2, 10, 0}, 0, 0, "V", ""},
        {{1, 4, 10}, 0, 0, "T", ""},
        {{2, 6, 1}, 9, 2, "TV", ""},
        {{2, 6, 1}, 9, 1, "TV", "TaskManager=0 ProcessView=0"},
        {{2, 5, 1}, 0, 2, "", "UseGetCoreTemp=0"},
        {{1, 4, 10}, 0, 2, "V", ""},
        {{2, 5, 1}, 0, 0, "TV", "ShowInTray=0"}};
    EXPECT_EQ(fake::Each(starts,
                         [](const auto& start) {
                             const auto& [os, architecture, coreTemp, tools, stored] = start;
                             Program app;
                             app.system.version = os;
                             app.system.architecture = architecture;
                             app.system.windowClass = coreTemp > 0 ? "CORETEMP" : "";
                             if (coreTemp == 2) {
                                 app.shared.Publish(fake::TwoCores());
                             }
                             app.pdh.paths["\\Processor Information(_Total)\\% Processor Time"] = {10};
                             app.Set(stored, tools);
                             app.form.Load();
                             return std::to_string(static_cast<int>(app.form.LoadSource())) + Boxes(app.s);
                         }),
              "2XOXoxOXOOOOXOooxxx 1XOXXoOXOOOOXOooxxx 1XOXoXOXOOOOXOooxxx 3XOXOXOXOOOOXOoxXXX 4XOXOXOXOOOOXOoXXXX "
              "2XOXOOOXOOOOXOooxxx 1XOXoxOXOOOOXOoOxxx 3XOXOXOXOOOOXOoXXXX 1XOOoxOXOOOOXOooxxx ");
}

TEST_F(App, TheRunEntryFollowsTheBoxAndWindowsOwnSwitch) {
    // the Run entry there, Windows' switch (0 none, even on, odd off), RunAtStartup stored; the box at start, the
    // Run entry and Windows' switch after a save with the box untouched, Windows' switch after the user ticked it; the
    // registry's writes in all (23 values a save, one more for the Run entry of a save that decides about it)
    const std::vector<std::tuple<bool, char, std::string>> starts = {{false, 0, "1"}, {true, 0, "0"}, {true, 2, "0"},
                                                                     {true, 3, "0"},  {true, 7, "1"}, {false, 0, "0"}};
    EXPECT_EQ(fake::Each(starts,
                         [](const auto& start) {
                             const auto& [entry, approved, stored] = start;
                             Program app;
                             if (entry) {
                                 app.registry.values[kRun] = {platform::RegType::String, "old"};
                             }
                             if (approved != 0) {  // twelve bytes, Windows' own length
                                 app.registry.values[kApproved] = {platform::RegType::Binary,
                                                                   std::string(1, approved) + std::string(11, '\0')};
                             }
                             app.Store("RunAtStartup", stored);
                             app.form.Load();
                             app.form.SaveSet();
                             const std::string atStart = std::to_string(app.s.CkS.Checked()) +
                                                         std::to_string(app.registry.values.contains(kRun)) +
                                                         std::to_string(app.registry.values.contains(kApproved));
                             app.s.CkS.SetChecked(false);  // the user's clicks until the box is ticked
                             app.s.CkS.SetChecked(true);
                             app.form.SaveSet();
                             EXPECT_EQ(app.registry.values[kRun].text, "\"C:\\T\\Taktora.exe\" /startup");
                             const bool switchLeft = app.registry.values.contains(kApproved);
                             app.s.CkS.SetChecked(false);
                             app.form.Unload();
                             EXPECT_FALSE(app.registry.values.contains(kRun));
                             return atStart + std::to_string(switchLeft) + app.Stored("RunAtStartup") + "/" +
                                    std::to_string(app.registry.writes);
                         }),
              "11000/95 11000/70 11110/70 01100/70 01100/70 00000/70 ");
}

TEST_F(App, EachPeriodsLoadReachesTheGraphTheCaptionTheTooltipsAndTheIcons) {
    system.windowClass = "CORETEMP";
    shared.Publish(fake::TwoCores());
    Set("ShowRunTime=0 ShowInTask=1");
    Start();
    text.calls.clear();
    Period(0);
    EXPECT_EQ(taskbar.caption, "CPU:40,5%");
    EXPECT_EQ(window.toolTip, " CPU: 40%  (ø 20%),  Temp: 42°C,  Speed: 2400,00 MHz (200,00 MHz * 12,0) ");
    EXPECT_EQ(tray.calls.back(), "Modify  CPU-Auslastung: 40% ");
    // the icon's frame in the system colours 21 and 20
    const Image& icon = taskbar.icons.back().first;
    EXPECT_EQ(std::tuple(icon.At(0, 15), icon.At(1, 15), icon.At(15, 0)),
              std::tuple(Rgb(21, 1, 2), Rgb(20, 1, 2), Rgb(20, 1, 2)));
    EXPECT_EQ(Join(fake::Calls(text.calls.begin() + 2, text.calls.end())),
              "Tahoma 7 8,6 16.16.64 2400 MHz; Tahoma 7 7,5 204.204.255 2400 MHz; Tahoma 7 8,17 80.16.16 42 °C; "
              "Tahoma 7 7,16 255.204.204 42 °C");
    EXPECT_EQ(form.History().Temps()[LoadHistory::GraphSize(window.ClientSize().width)], 41.5f);
    // the graph's frame in the system colours 6 and 16
    EXPECT_EQ(std::tuple(window.Picture().Width(), window.Picture().At(0, 9), window.Picture().At(185, 9)),
              std::tuple(186, Rgb(6, 1, 2), Rgb(16, 1, 2)));
    // Core Temp quit: it reads 0, and its last temperature stays. The taskbar moved to a monitor at 175 %: once
    // Windows says so, the next icons have its sizes.
    shared.mutex = 0;
    desktop.taskbarDpi = 168;
    form.DisplayChanged();
    Period(0);
    EXPECT_EQ(std::tuple(tray.picture.Width(), taskbar.icons.back().first.Width(), taskbar.icons.back().second.Width()),
              std::tuple(28, 28, 42));
    EXPECT_EQ(taskbar.caption, "CPU:0%");
    EXPECT_NE(window.toolTip.find("Temp: 42°C"), std::string::npos);
    // F3 to F5 switch the speed, the temperature and its curve off.
    for (const Key key : {Key::F3, Key::F4, Key::F5}) {
        form.KeyS(key, kNoModifier);
    }
    EXPECT_EQ(window.toolTip + Boxes(s).substr(15), " CPU: 0%  (ø 6%) OOO");
}

TEST_F(App, APeriodsLoadIsTheMeanOfTheSamplesThatCameAndPdhThatCannotDeliverGivesWay) {
    // PDH delivering 10 % (and with the utility counter Task Manager's 40 %), its collections failing, its values
    // invalid (a damaged counter database), and Windows XP, which has the kernel counters only; they read 50 % and
    // fail every third time. Task Manager's figure is stored as wanted, cleared for the second period and ticked again
    // for the third. The source, the load, the box and the graph's columns (the first is start-up's) of three periods.
    const std::vector<std::tuple<int, platform::PdhStatus, std::uint32_t, bool>> systems = {
        {6, 0, 0, false}, {6, 0, 0, true}, {6, -1, 0, true}, {6, 0, 0xC0000BBA, true}, {5, 0, 0, true}};
    EXPECT_EQ(
        fake::Each(systems,
                   [](const auto& system) {
                       const auto& [major, collect, counterStatus, utility] = system;
                       Program app;
                       app.system.version = {2, major, 1};
                       app.system.architecture = 9;
                       app.pdh.paths["\\Processor Information(_Total)\\% Processor Time"] = {10, counterStatus};
                       if (utility) {
                           app.pdh.paths["\\Processor Information(_Total)\\% Processor Utility"] = {40, counterStatus};
                       }
                       app.pdh.collectStatus = collect;
                       app.Set("LoadAsTaskManager=1");
                       app.Start();
                       std::string loads;
                       for (int period = 0; period < 3; ++period) {
                           app.s.CkU.SetChecked(period != 1);
                           app.Period(50, 3);
                           loads += std::to_string(static_cast<int>(app.form.LoadSource())) + app.taskbar.caption +
                                    Boxes(app.s)[13] + std::to_string(app.form.History().FilledColumns()) + "/";
                       }
                       return loads;
                   }),
        "2CPU:10%x2/2CPU:10%o3/2CPU:10%x4/ 2CPU:40%X2/2CPU:10%O3/2CPU:40%X4/ 1CPU:50%x2/1CPU:50%o3/1CPU:50%x4/ "
        "1CPU:50%x2/1CPU:50%o3/1CPU:50%x4/ 1CPU:50%x2/1CPU:50%o3/1CPU:50%x4/ ");
}

TEST_F(App, AtFasterRatesTheShellGetsTheNewestIconTwiceASecond) {
    Set("Interval=100 ShowInTask=1");
    Start();  // the first picture goes to the shell at once, at tick 0
    // Windows' timer may come a clock tick early: 484 ms after the last picture count as half a second.
    std::string sent;
    for (const int tick : {100, 483, 484, 967, 968}) {
        system.tick = tick;
        const std::size_t before = tray.calls.size();
        form.Timer1Tick();
        sent += std::to_string(tray.calls.size() - before);
    }
    form.SetRefreshInterval(500);
    system.tick += 100;
    form.Timer1Tick();
    EXPECT_EQ(sent + " " + std::to_string(taskbar.icons.size()), "00101 4");
    EXPECT_EQ(window.timers[TimerId::Refresh], 500);
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
    std::string places;
    const auto place = [&] { places += Text(window.rect) + "; "; };
    form.MousePos(kNoButton, kNoModifier, 50, 20);
    form.MousePos(kLeftButton, kNoModifier, 80, 30);
    place();
    form.MousePos(kRightButton, kNoModifier, 120, 40);
    form.MousePos(kLeftButton, kNoModifier, -225, 30);  // near the left edge the magnet pulls it in
    place();
    window.rect = {900, 740, 192, 64};
    form.Timer1Tick();
    place();
    s.CkM.SetChecked(true);
    EXPECT_EQ(form.Limits(), (window::MinMaxLimits{192, 64, 192, 64}));
    form.MousePos(kLeftButton, kNoModifier, 300, 300);
    window.rect = {400, 300, 300, 100};
    form.Timer1Tick();
    place();
    window.rect = {832, 676, 300, 100};  // a resize by other means is undone at once
    form.ReSize();
    place();
    s.CkM.SetChecked(false);
    EXPECT_EQ(form.Limits(), (window::MinMaxLimits{125, 50, 192 + 1024 * 15, 64 + 768 * 15}));
    s.Show();
    window.rect = {32, 32, 306, 106};
    form.ReSize();
    EXPECT_EQ(s.Caption + " " + std::to_string(window.Picture().Width()),
              "Taktora Info / Settings   (Size: 300*100) 300");
    s.ckMag.SetChecked(false);
    window.rect = {900, 740, 192, 64};
    form.Timer1Tick();
    place();
    form.MousePos(kNoButton, kNoModifier, 0, 0);
    form.MousePos(kLeftButton, kNoModifier, -899, -700);  // without the magnet, a pixel from the edge stays there
    place();
    EXPECT_EQ(places,
              "62,42 192x64; 0,52 192x64; 832,676 192x64; 832,676 192x64; 832,676 192x64; 900,740 192x64; "
              "1,40 192x64; ");
}

TEST_F(App, OnSeveralMonitorsTheWindowStaysOnItsOwnOrComesBackFromAGoneOne) {
    desktop.monitors.push_back({1024, 0, 1280, 1024});
    Set("WinLeft=1500 WinTop=900");
    Start();
    std::string places = Text(window.rect);
    window.rect = {2200, 1000, 192, 64};
    form.Timer1Tick();
    places += "; " + Text(window.rect);
    // The taskbar on the first monitor does not limit a drag on the second.
    form.MousePos(kNoButton, kNoModifier, 10, 10);
    form.MousePos(kLeftButton, kNoModifier, 30, 50);
    places += "; " + Text(window.rect);
    desktop.monitors.pop_back();
    form.DisplayChanged();
    form.Timer1Tick();
    EXPECT_EQ(places + "; " + Text(window.rect), "1500,900 192x64; 2112,932 192x64; 2112,960 192x64; 832,676 192x64");
    Program gone;
    gone.Set("WinLeft=1500 Magnetic=0");
    gone.form.Load();
    EXPECT_EQ(Text(gone.window.rect), "832,32 192x64");
}

TEST_F(App, TheMenuTheKeysAndTheMouseRunTheCommands) {
    Set("HideWindow=1", "TE");
    Start();
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
                                             {Key::T, kAltKey | kShiftKey},
                                             {Key::F1, kShiftKey},
                                             {Key::F3, kNoModifier},
                                             {Key::Other, kAltKey},
                                             {Key::Other, kNoModifier}};
    for (const auto& [key, modifiers] : keys) {
        form.KeyS(key, modifiers);
    }
    EXPECT_FALSE(window.visible || s.Visible()) << "F3 leaves the greyed-out speed alone: " << Boxes(s);
    EXPECT_EQ(Join(window.calls), "Menu 1 2 3 8 9; Menu 1 2 3 8 9; Close; Close");
    const std::string task = "start C:\\WINDOWS\\System32\\TaskMgr.exe | \"C:\\WINDOWS\\System32\\TaskMgr.exe\"";
    const std::string ext = "start C:\\T\\Taktora.ext | \"C:\\T\\Taktora.ext\" !";
    EXPECT_EQ(Join(processes.calls), ext + "; " + task + "; " + task + "; " + task + "; " + ext);
    EXPECT_EQ(shell.calls.size(), 2u) << "without the viewer, where to get it";
    std::string shown;
    const auto show = [&](auto action) {
        window.visible = false;
        window.calls.clear();
        s.Hide();
        action();
        shown += std::to_string(window.visible) + std::to_string(s.Visible()) + Join(window.calls) + " ";
    };
    s.CkB.SetChecked(false);
    show([&] { form.TrayMessage(TrayMouse::LeftDown); });
    show([&] { form.TaskbarActivated(); });
    s.CkTM.SetChecked(false);
    show([&] { form.TrayMessage(TrayMouse::LeftDoubleClick); });  // no tool chosen and no hiding: nothing
    s.CkB.SetChecked(true);
    show([&] { form.TrayMessage(TrayMouse::LeftDoubleClick); });
    show([&] { form.KeyS(Key::F2, kNoModifier); });  // the Windows run time off, and redrawn
    show([&] { form.KeyS(Key::F1, kNoModifier); });
    show([&] {
        form.PicButtonDown(kLeftButton);
        form.PicDoubleClick();
    });
    EXPECT_EQ(shown + Boxes(s).substr(0, 1), "10Front 10Front 00 01 00 01 01 O");
}

TEST_F(App, TheSettingsBoxesActOnTheProgram) {
    Set("", "V");
    Start();
    int focusRequests = 0;
    s.OnFocusRequest([&] { ++focusRequests; });
    std::string states;
    const auto state = [&] { states += std::to_string(window.visible) + tray.calls.back() + Boxes(s) + "; "; };
    s.CkB.SetChecked(true);
    form.TrayRecreated();  // Explorer restarted and forgot the icon
    state();
    s.CkT.SetChecked(false);  // without the tray icon the window comes back, and nothing can hide it
    form.TrayRecreated();
    state();
    s.CkB.SetChecked(true);
    state();
    s.CkB.SetChecked(false);
    s.CkT.SetChecked(true);
    state();
    s.CkTM.SetChecked(true);  // the two double-click choices exclude each other
    state();
    s.CkPV.SetChecked(true);
    s.CkN.SetChecked(false);
    s.CkG.SetChecked(true);
    state();
    EXPECT_EQ(states + std::to_string(taskbar.shown),
              "0Add  CPU-Auslastung: 0% XOXoXXXOOOOXOooxxx; 1DeleteXOOoxoXOOOOXOooxxx; 1DeleteXOOoxxXOOOOXOooxxx; "
              "1Add XOXoXOXOOOOXOooxxx; 1Add XOXxOOXOOOOXOooxxx; 1Add XXXoXOOooOOXOooxxx; 1");
    s.Show();
    form.KeyS(Key::F1, kNoModifier);  // open already, perhaps covered: brought to the front
    s.ckO.SetChecked(true);  // the first change counts as start-up's restoring, later ones keep the dialog focused
    s.ckO.SetChecked(false);
    s.CkGD.SetChecked(true);
    for (const auto& [rate, interval] : {std::pair{"0.1", 100}, {"2.5", 2500}, {"5.0", 5000}}) {
        s.OnRateChosen(rate);
        EXPECT_EQ(window.timers[TimerId::Refresh], interval) << rate;
    }
    // a stored interval that is no entry of the box stands in its place among them
    const std::string list = "0.1 0.5 1.0 1.5 2.0 2.5 3.0 3.5 4.0 4.5 5.0 ";
    std::string shown;
    for (const char* rate : {"1.2", "32.8", "0.05", "0.1", ""}) {
        s.CO1 = rate;
        shown += fake::Each(s.RateEntries(), [](const std::string& entry) { return entry; }) + "| ";
    }
    EXPECT_EQ(shown, "0.1 0.5 1.0 1.2 1.5 2.0 2.5 3.0 3.5 4.0 4.5 5.0 | " + list + "32.8 | 0.05 " + list + "| " + list +
                         "| " + list + "| ");
    s.OnRateChosen("0.5");
    s.OnRateChosen("5.1");
    s.OnRateChosen("x");
    s.OnOk();  // saved, the restart hint once, the main window focused
    s.Show();
    s.OnOk();
    EXPECT_EQ(focusRequests, 2);
    EXPECT_EQ(Stored("Interval") + Stored("TaskManager") + Stored("ProcessView") + Boxes(s).substr(14), "50001xXXX");
    EXPECT_EQ(Join(window.calls), "Front; TopMost; NotTopMost; Focus; Focus") << "the window the tray box brings back";
    s.OnPictureClick();
    s.OnUrlClick();
    s.OnPictureClick();
    s.OnUrlClick();
    s.OnCoreTempClick();
    EXPECT_EQ(Join(shell.calls),
              " HINWEIS:1 Bitte starten Sie den Taktora neu. Danke!    ; open "
              "mailto:info@brisko-software.de?subject=Brisko Taktora  v4.21&body=; open "
              "http://www.brisko-software.de; open http://www.alcpu.com");
}

TEST_F(App, EveryTextTheUserReadsIsSpelledAsWritten) {
    Set("", "V");  // the viewer there, with its own tray option on: the warning at start
    registry.values["Software\\Vesk\\pview95\\UseSysTray"] = {platform::RegType::String, "1"};
    Start();
    form.TrayMessage(TrayMouse::RightUp);
    const auto boxes = s.Boxes();
    const std::string texts = fake::Each(window.shownMenu, [](const auto& entry) { return entry.caption + "|"; }) +
                              fake::Each(std::vector(boxes.begin(), boxes.end()),
                                         [](auto box) { return box->Caption() + "|" + box->ToolTip(); });
    Program bare;  // without the viewer: where to get it
    bare.Start();
    bare.form.Proc();
    EXPECT_EQ(
        texts + Join(shell.calls) + Join(bare.shell.calls),
        "&Einstellungen      F1| &TaskManager      Alt+T| &ProcessViewer    Alt+P| T&etraeder           Alt+E| "
        "&Beenden             Alt+F4| Windows &Laufzeit im Hauptfenster anzeigen| Zeigt die Windows-Laufzeit im "
        "Hauptfenster an ...  &Programm in der Task-Leiste zeigen| Programm in der Task-Leiste anzeigen ...  "
        "CPU-Auslastung als SysTray-Icon &anzeigen| CPU-Auslastung als Icon im SysTray (Infobereich) anzeigen "
        "...  &DoppelKlick auf SysTray-Icon öffnet TaskManager| Doppel-Klick auf das SysTray-Icon startet den "
        "Windows TaskManager ...  D&oppelKlick auf SysTray-Icon öffnet ProcessView| Doppel-Klick auf das "
        "SysTray-Icon startet ProcessViewer ...  Hauptfenster aus&blenden, wenn SysTray-Icon aktiv| Blendet das "
        "Hauptfenster aus, wenn das SysTray-Icon aktiv ist  CPU-Auslastungswert im &Icon anzeigen| "
        "CPU-Auslastungswert im Icon anzeigen ...  Schrift im Icon &zentriert ausrichten| Schrift im Icon "
        "zentriert ausrichten (Standard: rechtsbündig)  Schrift im Icon &dicker darstellen| Schrift im Icon wird "
        "etwas dicker dargestellt  Hauptfenster vor Änderungen &schützen| Verschieben bzw. Größenänderung wird "
        "beim Hauptfenster verhindert ...  Hauptfenster immer im &Vordergrund halten | Programm immer im "
        "Vordergrund anzeigen  &Magnetisches Hauptfenster| Hauptfenster wird magnetisch vom Bildschirmrand "
        "angezogen  Programm beim Start von &Windows laden| Programm beim Start von Windows automatisch laden  "
        "A&uslastung wie im Task-Manager (ab Windows 8)| Zeigt die CPU-Auslastung wie der Task-Manager ab Windows 8 "
        "(Prozessor-Nutzen statt Prozessorzeit)  "
        "CoreTemp verwenden| Verwendet CoreTemp zum ermitteln der CPU-Auslastung (genauer). CoreTemp und "
        "neustart von Taktora erforderlich!  CoreTemp: Zeige &Temperatur| Zeigt die CPU-Temperatur in °C an.  "
        "CoreTemp: Zeige Temperatur-&Kurve| Zeigt die CPU-Temperatur als Kurve an.  CoreTemp: Zeige "
        "&Geschwindigkeit| Zeigt die aktuelle CPU-Geschwindigkeit in MHz an   ACHTUNG:2 Die ''Start up'' "
        "Einstellungen vom ProcessViewer sollte für die Verwendung mit      \r\nTaktora ausgeschaltet sein!  Die "
        "Einstellungen werden jetzt abgeschaltet.      \r\n\r\n HINWEIS:0 ProcessViewer ist ein externes "
        "Freeware Programm, daß Sie      \r\nunter folgender Adresse kostenlos herunterladen können:\r\n\r\n     "
        " http://www.brisko-software.de/prcview/      \r\n\r\nKopieren Sie den Inhalt des runtergeladenen "
        "Archives nach:      \r\n\r\n      C:\\T\\PViewer\\      \r\n\r\nDanach müssen Sie Taktora neu starten "
        "und anschließend      \r\nProcessViewer in den Einstellungen aktivieren.      \r\n\r\n");
}

TEST_F(App, TheClocksCountFromTheLogonThePageFileOrTheTickCount) {
    // the command line and the paging files (the page file was last written 41 s into a minute); what ran before the
    // window, the Windows run time in the graph and the dialog's two clocks
    const std::vector<std::pair<std::string, std::string>> starts = {
        {"", "C:\\pagefile.sys 2048 4096"}, {"/startup", "C:\\pagefile.sys"}, {"", "D:\\pagefile.sys"}};
    std::string clocks;
    for (const auto& [arguments, pagingFiles] : starts) {
        Program app;
        app.Set("MaxTaskPriority=0");
        app.system.arguments = arguments;
        app.system.now = 1000000;
        app.system.tick = 3723500;
        app.registry
            .values["HKLM\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\PagingFiles"] = {
            platform::RegType::MultiString, fake::Pdh::Names({pagingFiles})};
        app.files.files["C:\\pagefile.sys"] = {"pagefile.sys", 1, 0, 992741};
        Form1::WaitAtLogon(app.system);
        app.Start();
        app.s.Show();
        app.system.now += 100;
        app.Period(0);
        clocks += Join(app.system.calls) + " " + app.text.calls.back() + " " + app.s.LRT + " " + app.s.LPR + "|";
    }
    EXPECT_EQ(clocks,
              " Tahoma 7 7,5 204.255.204 00:02:03:20 00:01:02:04 00:00:01:40|Sleep 15000 Tahoma 7 7,5 204.255.204 "
              "00:01:03:43 00:01:02:04 00:00:01:40| Tahoma 7 7,5 204.255.204 00:01:02:04 00:01:02:04 00:00:01:40|");
}

// A window started hidden that drops its frame when first shown, then moves to a monitor of another scale (Windows
// keeps its size in pixels, WM_DPICHANGED): the graph goes on with every column. A new width starts it afresh.
TEST_F(App, AFirstShowWithoutTheFrameOrAMoveToAnotherScaleKeepsTheGraphAndANewWidthRestartsIt) {
    window.dropsFrameOnShow = true;
    Set("HideWindow=1");
    Start();
    for (int tick = 0; tick < 30; ++tick) {
        Period(50);
    }
    form.ShowMainWindow(true);
    form.ReSize();  // the frame change's WM_SIZE
    int bars = 0;   // across the lower half, where the start-up column of 0 % has none
    for (int x = 0; x < window.Picture().Width(); ++x) {
        bars += window.Picture().At(x, 48) == Rgb(0, 160, 0);
    }
    std::string columns = std::to_string(form.History().FilledColumns()) + " " + std::to_string(bars) + " ";
    window.rect = {1100, 40, 192, 64};
    form.ReSize();
    columns += std::to_string(form.History().FilledColumns()) + " ";
    window.rect.width = 250;
    form.ReSize();
    columns += std::to_string(form.History().FilledColumns()) + " ";
    window.rect.width = 260;  // a width, then a height, that the update meets before the window's WM_SIZE
    Period(50);
    columns += std::to_string(window.Picture().Width()) + " ";
    window.rect.height = 70;
    Period(50);
    EXPECT_EQ(columns + std::to_string(window.Picture().Height()), "31 30 31 0 260 70");
}

// The built guide's registry commands name only what the program keeps in the registry, and its "reg delete" commands
// (a whole key, or one value with /v) remove every value that a run with autostart and the process viewer touches
// under the user's key.
TEST_F(App, TheGuidesRegistryCommandsRemoveWhatTheProgramKeepsAndNameNothingElse) {
    Set("", "V");
    Start();
    s.CkS.SetChecked(true);
    form.Unload();
    std::vector<std::array<std::string, 3>> commands;  // delete or add, key, and the value or "" for the whole key
    std::ifstream guide(TAKTORA_GUIDE);
    const std::regex command(R"re(reg (delete|add) "HKCU\\([^"]+)"(?: /v (\S+))?(?: /d \S+)? /f)re");
    for (std::string line; std::getline(guide, line);) {
        if (std::smatch found; std::regex_search(line, found, command)) {
            commands.push_back({found[1], found[2], found[3]});
        }
    }
    const auto names = [](const std::array<std::string, 3>& command, const std::string& path) {
        return command[2].empty() ? path.starts_with(command[1] + "\\") : path == command[1] + "\\" + command[2];
    };
    std::string wrong;
    for (const std::string& path : registry.used) {
        const auto removes = [&](const auto& command) { return command[0] == "delete" && names(command, path); };
        if (!path.starts_with("HKLM\\") && std::ranges::none_of(commands, removes)) {
            wrong += "left: " + path + "; ";
        }
    }
    for (const auto& command : commands) {
        if (std::ranges::none_of(registry.used, [&](const std::string& path) { return names(command, path); })) {
            wrong += "not the program's: " + command[1] + " " + command[2] + "; ";
        }
    }
    EXPECT_EQ(wrong, "");
}

}  // namespace
}  // namespace taktora
