#include <gtest/gtest.h>

#include "tests/fakes/FakePlatform.h"
#include "tools/ProcessViewer.h"

namespace taktora {
namespace {

using platform::RegRoot;
using platform::RegType;

constexpr const char* kViewer = "C:\\T\\PViewer\\PrcView.exe";
constexpr const char* kTool = "C:\\T\\PViewer\\PV.exe";

class ProcessViewerTest : public ::testing::Test {
protected:
    std::optional<std::string> ViewerSetting(const char* name) {
        return registry.Get(RegRoot::CurrentUser, ProcessViewer::kSettingsKey, name);
    }
    fake::FakeRegistry registry;
    fake::FakeShell shell;
    fake::FakeProcesses processes;
    SettingsStore store{registry, "Brisko-Software", "Taktora"};
    ProcessViewer viewer{processes, shell, store};
};

TEST_F(ProcessViewerTest, FirstStartSwitchesTheViewersStartOptionsOffQuietly) {
    viewer.RepairSettings(registry, kTool, true);
    EXPECT_TRUE(shell.messages.empty());
    ASSERT_EQ(processes.started.size(), 1u);
    EXPECT_EQ(processes.started[0].commandLine, std::string("\"") + kTool + "\" -kf PrcView.exe");
    EXPECT_TRUE(processes.started[0].hidden);
    for (const char* name : {"UseSysTray", "AllowMultiplyInstances", "StartMinimized"}) {
        EXPECT_EQ(ViewerSetting(name), "0") << name;
    }
    EXPECT_EQ(ViewerSetting("Colorize"), "1");
}

TEST_F(ProcessViewerTest, AnOptionSwitchedOnIsWarnedAboutAndCorrected) {
    for (const char* name : {"UseSysTray", "AllowMultiplyInstances", "StartMinimized"}) {
        fake::FakeRegistry reg;
        fake::FakeShell sh;
        fake::FakeProcesses procs;
        ProcessViewer v{procs, sh, store};
        reg.Put(RegRoot::CurrentUser, ProcessViewer::kSettingsKey, "UseSysTray", {RegType::String, "0"});
        reg.Put(RegRoot::CurrentUser, ProcessViewer::kSettingsKey, name, {RegType::String, "1"});
        v.RepairSettings(reg, kTool, false);
        ASSERT_EQ(sh.messages.size(), 1u) << name;
        EXPECT_EQ(sh.messages[0].title, " ACHTUNG:");
        EXPECT_EQ(sh.messages[0].icon, platform::MessageIcon::Critical);
        EXPECT_EQ(reg.Get(RegRoot::CurrentUser, ProcessViewer::kSettingsKey, name), "0") << name;
        EXPECT_TRUE(procs.started.empty());  // no command-line tool to end a running viewer
    }
}

TEST_F(ProcessViewerTest, SettingsAlreadyOffAreLeftAlone) {
    registry.Put(RegRoot::CurrentUser, ProcessViewer::kSettingsKey, "UseSysTray", {RegType::String, "0"});
    viewer.RepairSettings(registry, kTool, true);
    EXPECT_TRUE(processes.started.empty());
    EXPECT_FALSE(ViewerSetting("StartMinimized"));
    EXPECT_EQ(ViewerSetting("Colorize"), "1");
}

TEST_F(ProcessViewerTest, HintNamesTheFolderTheViewerIsLookedFor) {
    viewer.Proc(false, kViewer, "C:\\T\\", "");
    ASSERT_EQ(shell.messages.size(), 1u);
    const std::string& text = shell.messages[0].text;
    EXPECT_NE(text.find("      C:\\T\\PViewer\\      \r\n"), std::string::npos);
    EXPECT_EQ(text.rfind("ProcessViewer ist ein externes Freeware Programm, daß Sie      \r\n", 0), 0u);
    EXPECT_NE(text.find("Danach müssen Sie Taktora neu starten und anschließend"), std::string::npos);
    EXPECT_TRUE(processes.started.empty());
}

TEST_F(ProcessViewerTest, RunningViewerIsPlacedAtTheStoredRectangleAndComesForward) {
    processes.windows["Process Viewer"] = 7;
    processes.zOrder = {3, 7};  // covered by another window, which has the focus
    processes.active = 3;
    viewer.Proc(true, kViewer, "C:\\T\\", "");
    ASSERT_EQ(processes.positions.size(), 2u);
    EXPECT_EQ(processes.positions[1].rect, (platform::Rect{32, 32, 800, 600}));
    EXPECT_EQ(processes.positions[0].flags, 0x80u);
    EXPECT_EQ(processes.positions[1].flags, 0x60u);
    EXPECT_EQ(processes.zOrder.front(), 7u);
    EXPECT_EQ(processes.active, 7u);
    EXPECT_EQ(viewer.ViewerTracking, 4711u);
    EXPECT_EQ(processes.started[0].commandLine, std::string("\"") + kViewer + "\"");
}

TEST_F(ProcessViewerTest, ViewerNeedingElevationIsStartedThroughTheShellAndTracked) {
    processes.startError = 740;
    viewer.Proc(true, kViewer, "C:\\T\\", "");
    ASSERT_EQ(processes.shellStarted.size(), 1u);
    EXPECT_EQ(processes.shellStarted[0].path, kViewer);
    EXPECT_EQ(viewer.ViewerTracking, 4712u);
}

TEST_F(ProcessViewerTest, FailedStartLeavesTrackingOff) {
    for (const bool elevation : {false, true}) {
        fake::FakeProcesses procs;
        procs.startError = elevation ? 740 : 2;
        procs.shellStartFails = true;  // the user declined the elevation
        procs.windows["Process Viewer"] = 7;
        ProcessViewer v{procs, shell, store};
        v.Proc(true, kViewer, "C:\\T\\", "");
        EXPECT_EQ(v.ViewerTracking, 0u) << elevation;
        EXPECT_TRUE(procs.positions.empty()) << elevation;
        v.Track("");
        EXPECT_EQ(registry.writes, 0) << elevation;
    }
}

TEST_F(ProcessViewerTest, TrackingSavesMovesButNotNegativePlaces) {
    viewer.Proc(true, kViewer, "C:\\T\\", ".2");
    viewer.Track(".2");  // no window yet: nothing changes
    EXPECT_EQ(registry.writes, 0);
    processes.windows["Process Viewer"] = 9;
    processes.rects[9] = {100, 50, 640, 480};
    viewer.Track(".2");
    EXPECT_EQ(registry.Get(RegRoot::CurrentUser, store.KeyPath(), "PV.Left.2"), "100");
    EXPECT_EQ(registry.Get(RegRoot::CurrentUser, store.KeyPath(), "PV.Height.2"), "480");
    const int writes = registry.writes;
    viewer.Track(".2");                              // unchanged
    processes.rects[9] = {-32000, -32000, 160, 24};  // minimised
    viewer.Track(".2");
    EXPECT_EQ(registry.writes, writes);
    EXPECT_EQ(registry.Get(RegRoot::CurrentUser, store.KeyPath(), "PV.Top.2"), "50");
}

}  // namespace
}  // namespace taktora
