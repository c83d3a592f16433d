#include <gtest/gtest.h>

#include <sstream>

#include "tests/fakes/Fakes.h"
#include "tools/Launch.h"
#include "tools/ProcessViewer.h"

namespace taktora {
namespace {

using fake::Join;

TEST(Launch, OnlyAProgramNeedingElevationGoesThroughTheShellAndOnlyByItsFullPath) {
    // the program, its command line, the error of CreateProcessW, whether it starts hidden and the user declines the
    // elevation; the calls and the process started (0 none)
    const std::tuple<std::string, std::string, std::uint32_t, bool, bool, std::string> cases[] = {
        {"C:\\a", "\"C:\\a\"", 0, false, true, "start C:\\a | \"C:\\a\" 4711"},
        {"C:\\a", "\"C:\\a\"", 0, true, false, "start C:\\a | \"C:\\a\" | hidden 4711"},
        {"C:\\a", "\"C:\\a\"", 5, false, false, "start C:\\a | \"C:\\a\" 0"},
        {"C:/a", "\"C:/a\"\t k", 740, true, false, "start C:/a | \"C:/a\"\t k | hidden; shell C:/a | k | hidden 4712"},
        {"C:/a", "\"C:/a\"\tk", 740, true, true, "start C:/a | \"C:/a\"\tk | hidden; shell C:/a | k | hidden 0"},
        {"C:\\P F", "\"C:\\P F\" !", 740, false, false, "start C:\\P F | \"C:\\P F\" !; shell C:\\P F | ! 4712"},
        {"C:\\a", "C:\\a\t-x \"y z\"", 740, false, true, "start C:\\a | C:\\a\t-x \"y z\"; shell C:\\a | -x \"y z\" 0"},
        {"C:\\a", "\"C:\\a -x", 740, false, false, "start C:\\a | \"C:\\a -x; shell C:\\a |  4712"},
        {"\\\\s\\a", "\"\\\\s\\a\"", 740, false, false, "start \\\\s\\a | \"\\\\s\\a\"; shell \\\\s\\a |  4712"},
        {"A:\\a", "a", 740, false, false, "start A:\\a | a; shell A:\\a |  4712"},
        {"Z:/a", "a", 740, false, false, "start Z:/a | a; shell Z:/a |  4712"},
        {"a:\\a", "a", 740, false, false, "start a:\\a | a; shell a:\\a |  4712"},
        {"z:\\a", "\"\" x", 740, false, false, "start z:\\a | \"\" x; shell z:\\a | x 4712"},
        {"C:\\", "a", 740, false, false, "start C:\\ | a; shell C:\\ |  4712"},
        {"@:\\a", "a", 740, false, false, "start @:\\a | a 0"},
        {"[:\\a", "a", 740, false, false, "start [:\\a | a 0"},
        {"`:\\a", "a", 740, false, false, "start `:\\a | a 0"},
        {"{:\\a", "a", 740, false, false, "start {:\\a | a 0"},
        {"C:a", "a", 740, false, false, "start C:a | a 0"},
        {"C:", "a", 740, false, false, "start C: | a 0"},
        {"a.exe", "a", 740, false, false, "start a.exe | a 0"},
        {"\\a.exe", "a", 740, false, false, "start \\a.exe | a 0"}};
    for (const auto& [path, line, error, hidden, declined, expected] : cases) {
        fake::Processes processes;
        processes.started = {error == 0 ? 4711u : 0u, error};
        processes.shellStarted = declined ? std::nullopt : std::optional(4712u);
        const auto id = StartProgram(processes, path, line, hidden);
        EXPECT_EQ(Join(processes.calls) + " " + std::to_string(id.value_or(0)), expected);
    }
}

struct Viewer : ::testing::Test {
    fake::Registry registry;
    fake::Shell shell;
    fake::Processes processes;
    SettingsStore store{registry, "B", "T"};
    ProcessViewer viewer{processes, shell, store};
    std::string Option(const char* name) {
        return registry.values[std::string("Software\\Vesk\\pview95\\") + name].text;
    }
};

TEST_F(Viewer, ItsOwnStartUpOptionsAreSwitchedOffWithAWarningWhenOneWasOn) {
    // UseSysTray, AllowMultiplyInstances, StartMinimized as stored; whether a warning comes, the tool ends a running
    // viewer, the options are written
    const std::tuple<std::string, std::string, std::string, bool, bool, bool> cases[] = {
        {"", "", "", false, true, true},  {"0", "", "", false, false, false}, {"1", "", "", true, true, true},
        {"0", "1", "", true, true, true}, {"0", "0", "1", true, true, true},  {"2", "", "", false, false, false},
    };
    for (const auto& [tray, multiple, minimized, warned, ended, written] : cases) {
        fake::Registry reg;
        fake::Processes procs;
        shell.calls.clear();
        ProcessViewer v{procs, shell, store};
        for (const auto& [name, value] :
             {std::pair{"UseSysTray", tray}, {"AllowMultiplyInstances", multiple}, {"StartMinimized", minimized}}) {
            reg.values[std::string("Software\\Vesk\\pview95\\") + name] = {platform::RegType::String, value};
        }
        v.RepairSettings(reg, "C:\\V\\PV.exe", true);
        EXPECT_EQ(Join(shell.calls).starts_with(" ACHTUNG:2 Die ''Start up'' Einstellungen vom ProcessViewer"), warned);
        EXPECT_EQ(Join(procs.calls), ended ? "start C:\\V\\PV.exe | \"C:\\V\\PV.exe\" -kf PrcView.exe | hidden" : "");
        EXPECT_EQ(reg.values["Software\\Vesk\\pview95\\StartMinimized"].text, written ? "0" : minimized);
        EXPECT_EQ(reg.values["Software\\Vesk\\pview95\\Colorize"].text, "1");
    }
    viewer.RepairSettings(registry, "C:\\V\\PV.exe", false);
    EXPECT_EQ(Join(processes.calls) + Option("AllowMultiplyInstances"), "0");  // nothing can end the viewer
}

TEST_F(Viewer, ARunningViewerComesForwardAtItsStoredPlaceAndMovesAreRemembered) {
    const std::string start = "start C:\\V.exe | \"C:\\V.exe\"";
    // the stored rectangle's top, left, width and height ("" none), the error of the start and whether the user
    // declines the elevation; the calls and the process tracked
    const std::tuple<std::string, std::uint32_t, bool, std::string, std::uint32_t> cases[] = {
        {"0 0 0 0", 0, false, start + "; place 7 0,0 0x0 128; place 7 0,0 0x0 96", 4711},
        {"1 2 3 4", 0, false, start + "; place 7 2,1 3x4 128; place 7 2,1 3x4 96", 4711},
        {"-1 -1 -1 -1", 0, false, start, 4711},
        {"-1 2 3 4", 0, false, start, 4711},
        {"", 740, false, start + "; shell C:\\V.exe | ; place 7 32,32 800x600 128; place 7 32,32 800x600 96", 4712},
        {"", 740, true, start + "; shell C:\\V.exe | ", 0},
        {"", 2, false, start, 0},
    };
    for (const auto& [stored, error, declined, calls, tracked] : cases) {
        fake::Processes procs;
        procs.started = {error == 0 ? 4711u : 0u, error};
        procs.shellStarted = declined ? std::nullopt : std::optional(4712u);
        procs.windows["Process Viewer"] = 7;
        registry.values.clear();
        std::istringstream values(stored);
        std::string value;
        for (const char* name : {"Top", "Left", "Width", "Height"}) {
            if (values >> value) {
                registry.values[store.KeyPath() + "\\PV." + name + ".2"] = {platform::RegType::String, value};
            }
        }
        ProcessViewer v{procs, shell, store};
        v.Proc(true, "C:\\V.exe", "C:\\", ".2");
        EXPECT_EQ(Join(procs.calls), calls);
        EXPECT_EQ(v.ViewerTracking, tracked);
    }
    viewer.Proc(true, "C:\\V.exe", "C:\\", ".2");
    processes.windows["Process Viewer"] = 9;
    // no rectangle yet, a move, the same again, the minimised viewer's, two partly off the screen, one exactly at the
    // screen's corner
    const std::pair<std::optional<platform::Rect>, int> moves[] = {{std::nullopt, 0},
                                                                   {platform::Rect{100, 50, 640, 480}, 4},
                                                                   {platform::Rect{100, 50, 640, 480}, 0},
                                                                   {platform::Rect{100, 60, 640, 480}, 4},
                                                                   {platform::Rect{-32000, -32000, 160, 24}, 0},
                                                                   {platform::Rect{-8, 60, 640, 480}, 0},
                                                                   {platform::Rect{100, -8, 640, 480}, 0},
                                                                   {platform::Rect{0, 0, 0, 0}, 4},
                                                                   {platform::Rect{2, 1, 3, 4}, 4}};
    for (const auto& [rect, writes] : moves) {
        processes.rects[9] = rect;
        registry.writes = 0;
        viewer.Track(".2");
        EXPECT_EQ(registry.writes, writes) << (rect ? fake::Text(*rect) : "none");
    }
    viewer.Proc(true, "C:\\V.exe", "C:\\", ".2");  // started again: put where it was left
    EXPECT_EQ(processes.calls.back(), "place 9 2,1 3x4 96");
}

}  // namespace
}  // namespace taktora
