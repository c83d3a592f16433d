#pragma once

#include <windows.h>

#include "platform/Processes.h"
#include "platform/Shell.h"

namespace taktora::platform::win32 {

class Win32Shell final : public Shell {
public:
    // Message boxes are owned by this window, so they stay in front of the program.
    void SetOwner(HWND owner) { owner_ = owner; }
    void ShowMessage(const std::string& title, const std::string& text, MessageIcon icon) override;
    void OpenUrl(const std::string& address) override;

private:
    HWND owner_ = nullptr;
};

class Win32Processes final : public Processes {
public:
    // The elevation prompt is owned by this window, so Windows shows it in front instead of as a blinking button.
    void SetOwner(HWND owner) { owner_ = owner; }
    StartResult Start(const std::string& applicationPath, const std::string& commandLine, bool hidden) override;
    std::optional<std::uint32_t> ShellStart(const std::string& applicationPath, const std::string& parameters,
                                            bool hidden) override;
    WindowHandle FindWindowByTitle(const std::string& title) override;
    std::optional<Rect> GetWindowRect(WindowHandle window) override;
    void SetWindowPos(WindowHandle window, const Rect& rect, unsigned flags) override;

private:
    HWND owner_ = nullptr;
};

}  // namespace taktora::platform::win32
