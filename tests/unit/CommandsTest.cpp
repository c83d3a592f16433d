#include <gtest/gtest.h>

#include "core/Form1.h"
#include "platform/fake/FakePlatform.h"
#include "platform/fake/FakeTextPainter.h"

namespace taktora {
namespace {

using platform::RegRoot;
using platform::RegType;

constexpr const char* kSettingsKey = "Software\\VB and VBA Program Settings\\Brisko-Software\\Taktora";
constexpr const char* kTaskManager = "C:\\WINDOWS\\System32\\TaskMgr.exe";
constexpr const char* kExtra = "C:\\Programme\\Taktora\\Taktora.ext";
constexpr int kAlt = 4;

class CommandsTest : public ::testing::Test {
protected:
    void Start() {
        form.Load();
        form.ShowAfterLoad();
    }
    void Store(const std::string& name, const std::string& text) {
        registry.Put(RegRoot::CurrentUser, kSettingsKey, name, {RegType::String, text});
    }

    fake::FakeRegistry registry;
    fake::FakeSystem system;
    fake::FakeFileSystem files;
    fake::FakeKernel kernel;
    fake::FakeDesktop desktop;
    platform::FakeTextPainter text;
    fake::FakeShell shell;
    fake::FakeProcesses processes;
    fake::FakeMainWindow window;
    Platform platform{registry, system, files, kernel, desktop, text, shell, processes};
    Form1 form{platform, window};
};

TEST_F(CommandsTest, MenuEntriesAndTheirEnabling) {
    Start();
    const std::vector<std::tuple<int, std::string, bool, bool>> expected = {
        {1, "&Einstellungen      F1", true, true},      {2, "&TaskManager      Alt+T", false, true},
        {3, "&ProcessViewer    Alt+P", true, true},     {8, "T&etraeder           Alt+E", false, false},
        {9, "&Beenden             Alt+F4", true, true},
    };
    ASSERT_EQ(form.mnuPopUp.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const platform::MenuEntry& entry = form.mnuPopUp[i];
        EXPECT_EQ(std::tie(entry.index, entry.caption, entry.enabled, entry.visible), expected[i]);
    }
}

TEST_F(CommandsTest, ToolsFoundEnableTheirEntries) {
    files.Add(kTaskManager, 100);
    files.Add(kExtra, 100);
    Start();
    EXPECT_TRUE(form.mnuPopUp[1].enabled);
    EXPECT_TRUE(form.mnuPopUp[3].enabled);
    EXPECT_TRUE(form.mnuPopUp[3].visible);
}

TEST_F(CommandsTest, GraphGestures) {
    Start();
    form.PicButtonDown(1);
    form.PicClick();
    EXPECT_TRUE(window.menus.empty());  // a left click does nothing
    form.PicButtonDown(2);
    form.PicDoubleClick();
    EXPECT_FALSE(form.Settings().Visible());  // a right double-click neither
    form.PicButtonDown(2);
    form.PicClick();
    EXPECT_EQ(window.menus.size(), 1u);
    const int presents = window.presents;
    form.PicButtonDown(1);
    form.PicDoubleClick();
    EXPECT_TRUE(form.Settings().Visible());
    EXPECT_EQ(window.presents, presents + 1);  // redrawn at once
    EXPECT_EQ(form.LastPicButton, 0);
}

TEST_F(CommandsTest, MenuChoicesRunTheirCommand) {
    files.Add(kTaskManager, 100);
    Start();
    window.menuChoice = 2;
    form.PicButtonDown(2);
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
    form.KeyS(113, 0);
    EXPECT_NE(s.CkL.Checked(), uptime);
    form.KeyS(113, 0);
    EXPECT_EQ(s.CkL.Checked(), uptime);

    // Without Core Temp the boxes of F3 to F5 are disabled: the keys do nothing.
    const bool speed = s.CkGS.Checked(), temp = s.CkGT.Checked(), curve = s.CkGL.Checked();
    s.CkGS.SetEnabled(false);
    s.CkGT.SetEnabled(false);
    s.CkGL.SetEnabled(false);
    for (int key : {114, 115, 116}) {
        form.KeyS(key, 0);
    }
    EXPECT_EQ(std::tie(speed, temp, curve), std::make_tuple(s.CkGS.Checked(), s.CkGT.Checked(), s.CkGL.Checked()));
    s.CkGS.SetEnabled(true);
    form.KeyS(114, 0);
    EXPECT_NE(s.CkGS.Checked(), speed);

    for (int shift : {1, 2, 3, 5, 6}) {
        form.KeyS(113, shift);
        form.KeyS(115, shift);
        form.KeyS(112, shift);
    }
    EXPECT_EQ(s.CkL.Checked(), uptime);
    EXPECT_FALSE(window.closeRequested);
    EXPECT_FALSE(s.Visible());

    form.KeyS(112, 0);
    EXPECT_TRUE(s.Visible());
    form.KeyS(115, kAlt);
    EXPECT_TRUE(window.closeRequested);
}

TEST_F(CommandsTest, AltKeysStartTheToolsThatExist) {
    Start();
    form.KeyS(84, kAlt);  // Alt+T without Task Manager
    form.KeyS(69, kAlt);  // Alt+E without the companion program
    EXPECT_TRUE(processes.started.empty());
    form.KeyS(80, kAlt);  // Alt+P without the viewer: the hint
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].title, " HINWEIS:");

    fake::FakeFileSystem fs;
    fs.Add(kTaskManager, 100);
    fs.Add(kExtra, 100);
    fake::FakeMainWindow win;
    fake::FakeProcesses procs;
    Platform p{registry, system, fs, kernel, desktop, text, shell, procs};
    Form1 f{p, win};
    f.Load();
    f.KeyS(84, kAlt);
    f.KeyS(69, kAlt);
    ASSERT_EQ(procs.started.size(), 2u);
    EXPECT_EQ(procs.started[1].path, kExtra);
    EXPECT_EQ(procs.started[1].commandLine, std::string("\"") + kExtra + "\" !");
    EXPECT_FALSE(procs.started[1].hidden);
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
    EXPECT_EQ(form.MinWidth, 192);
    EXPECT_EQ(form.MaxWidth, 192);
    EXPECT_EQ(form.MinHeight, 64);
    const platform::Rect kept = window.rect;
    window.rect = {400, 300, 300, 100};
    form.Timer1Tick();
    EXPECT_EQ(window.rect, kept);

    form.Settings().CkM.SetChecked(false);
    EXPECT_EQ(form.MinWidth, 125);
    EXPECT_EQ(form.MinHeight, 50);
    EXPECT_EQ(form.MaxWidth, 192 + 1024 * 15);
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
