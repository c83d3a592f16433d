#include <gtest/gtest.h>

#include "tests/unit/FormFixture.h"

namespace taktora {
namespace {

using platform::RegRoot;
using platform::RegType;

constexpr const char* kTaskManager = "C:\\WINDOWS\\System32\\TaskMgr.exe";
constexpr const char* kExtra = "C:\\Programme\\Taktora\\Taktora.ext";

class CommandsTest : public FormTest {};

TEST_F(CommandsTest, MenuEntriesAndTheirEnabling) {
    Start();
    const std::vector<std::tuple<int, std::string, bool, bool>> expected = {
        {1, "&Einstellungen      F1", true, true},      {2, "&TaskManager      Alt+T", false, true},
        {3, "&ProcessViewer    Alt+P", true, true},     {8, "T&etraeder           Alt+E", false, false},
        {9, "&Beenden             Alt+F4", true, true},
    };
    ASSERT_EQ(form.Menu().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const platform::MenuEntry& entry = form.Menu()[i];
        EXPECT_EQ(std::tie(entry.index, entry.caption, entry.enabled, entry.visible), expected[i]);
    }
}

TEST_F(CommandsTest, ToolsFoundEnableTheirEntries) {
    files.Add(kTaskManager, 100);
    files.Add(kExtra, 100);
    Start();
    EXPECT_TRUE(form.Menu()[1].enabled);
    EXPECT_TRUE(form.Menu()[3].enabled);
    EXPECT_TRUE(form.Menu()[3].visible);
}

TEST_F(CommandsTest, GraphGestures) {
    Start();
    form.PicButtonDown(kLeftButton);
    form.PicClick();
    EXPECT_TRUE(window.menus.empty());  // a left click does nothing
    form.PicButtonDown(kRightButton);
    form.PicDoubleClick();
    EXPECT_FALSE(form.Settings().Visible());  // a right double-click neither
    form.PicButtonDown(kRightButton);
    form.PicClick();
    EXPECT_EQ(window.menus.size(), 1u);
    const int presents = window.presents;
    form.PicButtonDown(kLeftButton);
    form.PicDoubleClick();
    EXPECT_TRUE(form.Settings().Visible());
    EXPECT_EQ(window.presents, presents + 1);  // redrawn at once
}

TEST_F(CommandsTest, MenuChoicesRunTheirCommand) {
    files.Add(kTaskManager, 100);
    Start();
    window.menuChoice = 2;
    form.PicButtonDown(kRightButton);
    form.PicClick();
    ASSERT_EQ(processes.started.size(), 1u);
    EXPECT_EQ(processes.started[0].path, kTaskManager);
    EXPECT_EQ(processes.started[0].commandLine, std::string("\"") + kTaskManager + "\"");
    form.MenuClick(9);
    EXPECT_TRUE(window.closeRequested);
    form.MenuClick(1);
    EXPECT_TRUE(form.Settings().Visible());
}

TEST_F(CommandsTest, KeyTable) {
    Start();
    frmSet& s = form.Settings();
    const bool uptime = s.CkL.Checked();
    form.KeyS(Key::F2, kNoModifier);
    EXPECT_NE(s.CkL.Checked(), uptime);
    form.KeyS(Key::F2, kNoModifier);
    EXPECT_EQ(s.CkL.Checked(), uptime);

    // Without Core Temp the boxes of F3 to F5 are disabled: the keys do nothing.
    const bool speed = s.CkGS.Checked(), temp = s.CkGT.Checked(), curve = s.CkGL.Checked();
    s.CkGS.SetEnabled(false);
    s.CkGT.SetEnabled(false);
    s.CkGL.SetEnabled(false);
    for (const Key key : {Key::F3, Key::F4, Key::F5}) {
        form.KeyS(key, kNoModifier);
    }
    EXPECT_EQ(std::tie(speed, temp, curve), std::make_tuple(s.CkGS.Checked(), s.CkGT.Checked(), s.CkGL.Checked()));
    s.CkGS.SetEnabled(true);
    form.KeyS(Key::F3, kNoModifier);
    EXPECT_NE(s.CkGS.Checked(), speed);

    for (const unsigned shift : {1u, 2u, 3u, 5u, 6u}) {
        form.KeyS(Key::F2, shift);
        form.KeyS(Key::F4, shift);
        form.KeyS(Key::F1, shift);
    }
    EXPECT_EQ(s.CkL.Checked(), uptime);
    EXPECT_FALSE(window.closeRequested);
    EXPECT_FALSE(s.Visible());

    form.KeyS(Key::F1, kNoModifier);
    EXPECT_TRUE(s.Visible());
    form.KeyS(Key::F4, kAltKey);
    EXPECT_TRUE(window.closeRequested);
}

TEST_F(CommandsTest, AltKeysStartTheToolsThatExist) {
    Start();
    form.KeyS(Key::T, kAltKey);  // Alt+T without Task Manager
    form.KeyS(Key::E, kAltKey);  // Alt+E without the companion program
    EXPECT_TRUE(processes.started.empty());
    form.KeyS(Key::P, kAltKey);  // Alt+P without the viewer: the hint
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].title, " HINWEIS:");

    FakeMachine m;
    auto& fs = m.files;
    fs.Add(kTaskManager, 100);
    fs.Add(kExtra, 100);
    auto& procs = m.processes;
    Form1 f{m.platform, m.window};
    f.Load();
    f.KeyS(Key::T, kAltKey);
    f.KeyS(Key::E, kAltKey);
    ASSERT_EQ(procs.started.size(), 2u);
    EXPECT_EQ(procs.started[1].path, kExtra);
    EXPECT_EQ(procs.started[1].commandLine, std::string("\"") + kExtra + "\" !");
    EXPECT_FALSE(procs.started[1].hidden);
    // Task Manager asking for elevation (Windows 8 and later, an administrator) is handed to the shell.
    procs.startError = 740;
    f.KeyS(Key::T, kAltKey);
    ASSERT_EQ(procs.shellStarted.size(), 1u);
    EXPECT_EQ(procs.shellStarted[0].path, kTaskManager);
}

TEST_F(CommandsTest, DragMovesTheWindowUnlessLocked) {
    Start();
    window.SetRect({200, 200, 192, 64});
    form.MousePos(0, 0, 50, 20);
    form.MousePos(1, 0, 80, 30);
    EXPECT_EQ(window.rect, (platform::Rect{230, 210, 192, 64}));
    form.MousePos(2, 0, 120, 40);  // right-button drag
    EXPECT_EQ(window.rect, (platform::Rect{230, 210, 192, 64}));
    form.MousePos(1, 0, -225, 30);  // dropped near the left edge: the magnet pulls it to x = 0
    EXPECT_EQ(window.rect.left, 0);

    form.Settings().CkM.SetChecked(true);
    form.MousePos(1, 0, 300, 300);
    EXPECT_EQ(window.rect.left, 0);
}

TEST_F(CommandsTest, LockedWindowIsPutBackAtTheNextTick) {
    Start();
    form.Settings().CkM.SetChecked(true);
    EXPECT_EQ(form.Limits().MinWidth, 192);
    EXPECT_EQ(form.Limits().MaxWidth, 192);
    EXPECT_EQ(form.Limits().MinHeight, 64);
    const platform::Rect kept = window.rect;
    window.rect = {400, 300, 300, 100};
    form.Timer1Tick();
    EXPECT_EQ(window.rect, kept);
    // A resize by other means is undone at once and leaves the graph as it was.
    const int presents = window.presents;
    window.rect = {kept.left, kept.top, 300, 100};
    form.ReSize();
    EXPECT_EQ(window.rect, kept);
    EXPECT_EQ(window.presents, presents);

    form.Settings().CkM.SetChecked(false);
    EXPECT_EQ(form.Limits().MinWidth, 125);
    EXPECT_EQ(form.Limits().MinHeight, 50);
    EXPECT_EQ(form.Limits().MaxWidth, 192 + 1024 * 15);
}

TEST_F(CommandsTest, MagneticTickPullsTheWindowBackOnScreen) {
    Start();
    window.rect = {900, 740, 192, 64};
    form.Timer1Tick();
    EXPECT_EQ(window.rect, (platform::Rect{1024 - 192, 768 - 64 - 28, 192, 64}));
    form.Settings().ckMag.SetChecked(false);
    window.rect = {900, 740, 192, 64};
    form.Timer1Tick();
    EXPECT_EQ(window.rect, (platform::Rect{900, 740, 192, 64}));
}

TEST_F(CommandsTest, ResizeShowsTheSizeInTheDialogCaption) {
    Start();
    form.Settings().Show();
    window.rect = {32, 32, 306, 106};
    form.ReSize();
    EXPECT_EQ(form.Settings().Caption, "Taktora Info / Settings   (Size: 300*100)");
}

}  // namespace
}  // namespace taktora

namespace taktora {
namespace {

class TrayTest : public FormTest {};

TEST_F(TrayTest, IconIsRegisteredAtStartAndFollowsTheLoad) {
    Start();
    ASSERT_FALSE(tray.calls.empty());
    EXPECT_EQ(tray.calls[0].op, fake::FakeTray::Op::Add);
    EXPECT_EQ(tray.calls[0].tip, "");
    for (int i = 0; i < 10; ++i) {
        kernel.currentTime += 1000;
        kernel.idleTime += 630;  // 37 % busy
        system.tickCount += 100;
        form.TimerCTick();
    }
    form.Timer1Tick();
    EXPECT_EQ(tray.shellTip, " CPU-Auslastung: 37% ");
    EXPECT_EQ(taskbar.caption, "CPU:37%");
    EXPECT_EQ(window.toolTip, " CPU: 37%  (ø 18%) ");
    form.Unload();
    EXPECT_FALSE(tray.iconInShell);
}

TEST_F(TrayTest, FastRefreshGivesTheShellTheNewestPictureTwiceASecond) {
    Store("Interval", "100");
    Store("ShowInTask", "1");
    Start();
    const std::size_t made = icons.Made();
    const std::size_t calls = tray.calls.size();
    for (int update = 1; update <= 20; ++update) {  // two seconds
        system.tickCount += 100;
        Sample(1, update);
        form.Timer1Tick();
    }
    EXPECT_EQ(tray.calls.size() - calls, 4u);
    EXPECT_EQ(tray.shellTip, " CPU-Auslastung: 20% ");
    EXPECT_EQ(icons.Made() - made, 8u);  // tray and taskbar button
    // Once a second, as by default, every update reaches the shell.
    form.SetRefreshInterval(1000);
    for (int update = 0; update < 3; ++update) {
        system.tickCount += 1000;
        form.Timer1Tick();
    }
    EXPECT_EQ(tray.calls.size() - calls, 7u);
    // Every 0.5 s, even with Windows' timer coming a clock tick early or late.
    form.SetRefreshInterval(500);
    for (const std::uint32_t step : {484u, 516u, 484u, 500u}) {
        system.tickCount += step;
        Sample(5, static_cast<int>(step / 10));
        form.Timer1Tick();
    }
    EXPECT_EQ(tray.calls.size() - calls, 11u);
}

TEST_F(TrayTest, NoIconWhenTheOptionIsOff) {
    Store("ShowInTray", "0");
    Start();
    EXPECT_TRUE(tray.calls.empty());
    form.Settings().CkT.SetChecked(true);
    EXPECT_TRUE(tray.iconInShell);
    EXPECT_EQ(tray.shellTip, "");
    form.Settings().CkT.SetChecked(false);
    EXPECT_FALSE(tray.iconInShell);
    EXPECT_TRUE(window.visible);
}

TEST_F(TrayTest, IconGestures) {
    files.Add("C:\\WINDOWS\\System32\\TaskMgr.exe", 100);
    Store("HideWindow", "1");
    Start();
    EXPECT_FALSE(window.visible);
    form.TrayMessage(TrayMouse::LeftDown);  // left press with the hide option on: nothing
    EXPECT_FALSE(window.visible);
    form.Settings().CkB.SetChecked(false);
    form.Settings().CkB.SetChecked(true);
    form.Settings().CkB.SetChecked(false);
    window.visible = false;
    form.TrayMessage(TrayMouse::LeftDown);
    EXPECT_TRUE(window.visible);

    form.TrayMessage(TrayMouse::LeftDoubleClick);  // only Task Manager found: it has the double-click
    ASSERT_EQ(processes.started.size(), 1u);
    EXPECT_NE(processes.started[0].path.find("TaskMgr.exe"), std::string::npos);

    form.Settings().CkTM.SetChecked(false);
    form.TrayMessage(TrayMouse::LeftDoubleClick);  // neither choice, hide option off: nothing
    EXPECT_FALSE(form.Settings().Visible());
    form.Settings().CkB.SetChecked(true);
    form.TrayMessage(TrayMouse::LeftDoubleClick);
    EXPECT_TRUE(form.Settings().Visible());

    form.TrayMessage(TrayMouse::Other);  // a right press alone does nothing
    EXPECT_TRUE(window.menus.empty());
    form.TrayMessage(TrayMouse::RightUp);
    EXPECT_EQ(window.menus.size(), 1u);
}

TEST_F(TrayTest, TaskbarButtonFollowsItsOption) {
    Store("ShowInTask", "1");
    Store("HideWindow", "1");
    Start();
    EXPECT_TRUE(taskbar.shown);
    EXPECT_NE(taskbar.Icon(), 0u);
    form.TaskbarActivated();
    EXPECT_FALSE(window.visible);  // hidden behind the tray icon, the button does not bring it back
    form.Settings().CkB.SetChecked(false);
    window.visible = false;
    form.TaskbarActivated();
    EXPECT_TRUE(window.visible);
    form.Settings().CkG.SetChecked(false);
    EXPECT_FALSE(taskbar.shown);
}

TEST_F(TrayTest, RecreatedNotificationAreaGetsTheIconBack) {
    Start();
    tray.RecreateShell();
    form.TrayRecreated();
    EXPECT_TRUE(tray.iconInShell);
}

}  // namespace
}  // namespace taktora

namespace taktora {
namespace {

class HardeningTest : public FormTest {};

TEST_F(HardeningTest, FirstLoadAfterResumeIsTheLoadAfterTheResume) {
    Start();
    form.Timer1Tick();
    Sample(5, 100);  // samples taken just before the sleep
    // An hour of sleep, during which the idle counter barely moved: as one interval it would read as full load.
    kernel.currentTime += 36000000000;
    kernel.idleTime += 1000;
    form.Resumed();
    EXPECT_EQ(window.timers[platform::TimerId::Refresh], 1000);
    for (int i = 0; i < 10; ++i) {
        kernel.currentTime += 1000000;
        kernel.idleTime += 750000;  // 25 % busy
        form.TimerCTick();
    }
    form.Timer1Tick();
    EXPECT_EQ(taskbar.caption, "CPU:25%");
}

TEST_F(HardeningTest, WindowOnASecondMonitorStaysThere) {
    desktop.monitors = {{0, 0, 1024, 768}, {1024, 0, 1280, 1024}};
    Store("WinLeft", "1500");
    Store("WinTop", "900");
    Start();
    EXPECT_EQ(window.rect, (platform::Rect{1500, 900, 192, 64}));
    form.Timer1Tick();
    EXPECT_EQ(window.rect, (platform::Rect{1500, 900, 192, 64}));
    // Pulled back inside the second monitor, not onto the first.
    window.rect = {2200, 1000, 192, 64};
    form.Timer1Tick();
    EXPECT_EQ(window.rect, (platform::Rect{1024 + 1280 - 192, 1024 - 64 - 28, 192, 64}));
    // Dragged near the second monitor's right edge: snaps to it; the taskbar of the first does not limit it.
    form.MousePos(0, 0, 10, 10);
    form.MousePos(1, 0, 10 + 20, 10 + 40);
    EXPECT_EQ(window.rect.left, 1024 + 1280 - 192);
    EXPECT_EQ(window.rect.top, 1024 - 64);
}

TEST_F(HardeningTest, PlaceOnARemovedMonitorIsBroughtBack) {
    desktop.monitors = {{0, 0, 1024, 768}};
    Store("WinLeft", "1500");
    Store("WinTop", "300");
    Store("Magnetic", "0");
    Start();
    EXPECT_EQ(window.rect, (platform::Rect{1024 - 192, 300, 192, 64}));
}

}  // namespace
}  // namespace taktora
