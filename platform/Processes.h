#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Types.h"

namespace taktora::platform {

using WindowHandle = std::uintptr_t;  // 0 = no window

// The outcome of CreateProcessW: the new process's id, or 0 and the Windows error code (GetLastError).
struct StartResult {
    std::uint32_t processId{};
    std::uint32_t error{};
};

// Other programs and their windows.
class Processes {
public:
    virtual ~Processes() = default;
    // CreateProcessW with the full path as application name and the given command line; never a shell or a path
    // search, and no waiting for the program.
    virtual StartResult Start(const std::string& applicationPath, const std::string& commandLine, bool hidden) = 0;
    // ShellExecuteExW with the default verb, the path as file and the parameters (without the program itself), so
    // Windows may ask to elevate the program; no waiting for it. The process id, or nullopt when nothing started
    // (also when the user declined the elevation).
    virtual std::optional<std::uint32_t> ShellStart(const std::string& applicationPath, const std::string& parameters,
                                                    bool hidden) = 0;
    virtual WindowHandle FindWindowByTitle(const std::string& title) = 0;
    virtual std::optional<Rect> GetWindowRect(WindowHandle window) = 0;  // GetWindowRect
    // SetWindowPos with HWND_TOP and exactly these flags: without SWP_NOZORDER the window comes to the top, without
    // SWP_NOACTIVATE it is activated.
    virtual void SetWindowPos(WindowHandle window, const Rect& rect, unsigned flags) = 0;
};

}  // namespace taktora::platform
