#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Types.h"

namespace taktora::platform {

using WindowHandle = std::uintptr_t;  // 0 = no window

// Other programs and their windows.
class Processes {
public:
    virtual ~Processes() = default;
    // Starts the program at the full path with the given command line (CreateProcessW, never through a shell or a
    // path search) and does not wait for it. The process id, or nullopt when the start failed.
    virtual std::optional<std::uint32_t> Start(const std::string& applicationPath, const std::string& commandLine,
                                               bool hidden) = 0;
    virtual WindowHandle FindWindowByTitle(const std::string& title) = 0;
    virtual std::optional<Rect> GetWindowRect(WindowHandle window) = 0;                    // GetWindowRect
    virtual void SetWindowPos(WindowHandle window, const Rect& rect, unsigned flags) = 0;  // no z-order change
};

}  // namespace taktora::platform
