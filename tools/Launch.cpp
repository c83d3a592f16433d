#include "tools/Launch.h"

namespace taktora {

namespace {

constexpr std::uint32_t kErrorElevationRequired = 740;

constexpr const char* kBlanks = " \t";

// A drive path ("C:\...") or a network path ("\\server\..."): the shell looks for anything else along the search
// path and in its list of registered programs, which could start a program of the same name from elsewhere.
bool IsFullPath(const std::string& path) {
    const bool drive = path.size() >= 3 && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
                       path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    return drive || path.starts_with("\\\\");
}

// The command line without the program, split off as Windows does for argv[0]: a quoted program ends at the next
// quotation mark, an unquoted one at the first blank.
std::string Parameters(const std::string& commandLine) {
    const std::size_t programEnd =
        commandLine.starts_with('"') ? commandLine.find('"', 1) : commandLine.find_first_of(kBlanks);
    const std::size_t start =
        commandLine.find_first_not_of(kBlanks, programEnd == std::string::npos ? programEnd : programEnd + 1);
    return start == std::string::npos ? "" : commandLine.substr(start);
}

}  // namespace

std::optional<std::uint32_t> StartProgram(platform::Processes& processes, const std::string& applicationPath,
                                          const std::string& commandLine, bool hidden) {
    const platform::StartResult result = processes.Start(applicationPath, commandLine, hidden);
    if (result.processId != 0) {
        return result.processId;
    }
    // A program whose manifest asks for administrator rights (Task Manager since Windows 8) cannot be created
    // directly by an administrator with UAC on; only the shell can show the elevation prompt for it.
    if (result.error == kErrorElevationRequired && IsFullPath(applicationPath)) {
        return processes.ShellStart(applicationPath, Parameters(commandLine), hidden);
    }
    return std::nullopt;
}

}  // namespace taktora
