#include <gtest/gtest.h>

#include "tests/fakes/FakePlatform.h"
#include "tools/Launch.h"

namespace taktora {
namespace {

constexpr std::uint32_t kElevationRequired = 740;

struct LaunchCase {
    const char* name;
    std::string path;
    std::string commandLine;
    bool hidden;
    std::uint32_t startError;  // of CreateProcessW; 0 = it starts
    bool shellFails;
    std::optional<std::string> shellParameters;  // nullopt: the shell must not be asked
    std::optional<std::uint32_t> processId;
};

TEST(LaunchTest, OnlyAProgramNeedingElevationGoesThroughTheShellAndOnlyByFullPath) {
    const std::string taskManager = "C:\\WINDOWS\\System32\\TaskMgr.exe";
    const std::string quoted = "\"" + taskManager + "\"";
    const LaunchCase cases[] = {
        {"started directly", taskManager, quoted, false, 0, false, std::nullopt, 4711},
        {"elevation", taskManager, quoted, false, kElevationRequired, false, "", 4712},
        {"elevation declined", taskManager, quoted, false, kElevationRequired, true, "", std::nullopt},
        {"access denied", taskManager, quoted, false, 5, false, std::nullopt, std::nullopt},
        {"file not found", taskManager, quoted, false, 2, false, std::nullopt, std::nullopt},
        {"hidden, blanks before the parameters", "C:\\T\\PV.exe", "\"C:\\T\\PV.exe\" \t -kf PrcView.exe", true,
         kElevationRequired, false, "-kf PrcView.exe", 4712},
        {"blank inside the quoted program", "C:\\Program Files\\T\\taktora.ext",
         "\"C:\\Program Files\\T\\taktora.ext\" !", false, kElevationRequired, false, "!", 4712},
        {"unquoted program", "C:\\T\\a.exe", "C:\\T\\a.exe\t-x \"y z\"", false, kElevationRequired, false, "-x \"y z\"",
         4712},
        {"unclosed quotation mark", "C:\\T\\a.exe", "\"C:\\T\\a.exe -x", false, kElevationRequired, false, "", 4712},
        {"network path", "\\\\srv\\t\\a.exe", "\"\\\\srv\\t\\a.exe\"", false, kElevationRequired, false, "", 4712},
        {"forward slash", "c:/t/a.exe", "\"c:/t/a.exe\"", false, kElevationRequired, false, "", 4712},
        {"bare name", "taskmgr.exe", "\"taskmgr.exe\"", false, kElevationRequired, false, std::nullopt, std::nullopt},
        {"relative path", "System32\\taskmgr.exe", "\"System32\\taskmgr.exe\"", false, kElevationRequired, false,
         std::nullopt, std::nullopt},
        {"drive-relative path", "C:taskmgr.exe", "\"C:taskmgr.exe\"", false, kElevationRequired, false, std::nullopt,
         std::nullopt},
        {"no path", "", "\"\"", false, kElevationRequired, false, std::nullopt, std::nullopt},
    };
    for (const LaunchCase& c : cases) {
        fake::FakeProcesses processes;
        processes.startError = c.startError;
        processes.shellStartFails = c.shellFails;
        EXPECT_EQ(StartProgram(processes, c.path, c.commandLine, c.hidden), c.processId) << c.name;
        ASSERT_EQ(processes.started.size(), 1u) << c.name;
        EXPECT_EQ(processes.started[0].path, c.path) << c.name;
        EXPECT_EQ(processes.started[0].commandLine, c.commandLine) << c.name;
        EXPECT_EQ(processes.started[0].hidden, c.hidden) << c.name;
        if (!c.shellParameters) {
            EXPECT_TRUE(processes.shellStarted.empty()) << c.name;
            continue;
        }
        ASSERT_EQ(processes.shellStarted.size(), 1u) << c.name;
        EXPECT_EQ(processes.shellStarted[0].path, c.path) << c.name;
        EXPECT_EQ(processes.shellStarted[0].commandLine, *c.shellParameters) << c.name;
        EXPECT_EQ(processes.shellStarted[0].hidden, c.hidden) << c.name;
    }
}

}  // namespace
}  // namespace taktora
