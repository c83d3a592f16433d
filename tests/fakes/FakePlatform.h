#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/Desktop.h"
#include "platform/FileSystem.h"
#include "platform/Image.h"
#include "platform/Kernel.h"
#include "platform/MainWindow.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/System.h"

namespace taktora::fake {

// Registry keys and value names compare without regard to case, as on Windows.
class FakeRegistry : public platform::Registry {
public:
    std::optional<platform::RegData> Read(platform::RegRoot root, const std::string& subkey, const std::string& name,
                                          std::size_t maxChars) override;
    bool WriteString(platform::RegRoot root, const std::string& subkey, const std::string& name,
                     const std::string& text) override;
    bool DeleteValue(platform::RegRoot root, const std::string& subkey, const std::string& name) override;

    void Put(platform::RegRoot root, const std::string& subkey, const std::string& name, platform::RegData data);
    std::optional<std::string> Get(platform::RegRoot root, const std::string& subkey, const std::string& name) const;
    // Names of every value under the key, in lower case.
    std::set<std::string> ValueNames(platform::RegRoot root, const std::string& subkey) const;

    int writes = 0;
    int deletes = 0;

private:
    using Key = std::tuple<platform::RegRoot, std::string, std::string>;
    static Key MakeKey(platform::RegRoot root, const std::string& subkey, const std::string& name);
    std::map<Key, platform::RegData> values_;
};

class FakeKernel : public platform::Kernel {
public:
    long QueryProcessorCount(std::uint8_t& out) override { return Answer(basicStatus, processors, out); }
    long QueryCurrentTime(std::int64_t& out) override { return Answer(timeStatus, currentTime, out); }
    long QueryIdleTime(std::int64_t& out) override { return Answer(performanceStatus, idleTime, out); }

    std::uint8_t processors = 1;
    std::int64_t currentTime = 0;
    std::int64_t idleTime = 0;
    long basicStatus = 0;
    long timeStatus = 0;
    long performanceStatus = 0;

private:
    template <typename T>
    static long Answer(long status, T value, T& out) {
        if (status == 0) {
            out = value;
        }
        return status;
    }
};

class FakeSystem : public platform::System {
public:
    std::string Environment(const std::string& name) override;
    std::string ModulePath() override { return modulePath; }
    std::string CommandLineArguments() override { return arguments; }
    void Sleep(int milliseconds) override { sleeps.push_back(milliseconds); }
    void RaiseThreadPriority() override { events.push_back("thread priority"); }
    void RaiseProcessPriority() override { events.push_back("process priority"); }
    platform::OsVersion Version() override { return version; }
    int NativeProcessorArchitecture() override { return architecture; }
    std::uint32_t TickCount() override { return static_cast<std::uint32_t>(tickCount); }
    std::optional<std::uint64_t> TickCount64() override;
    platform::LocalSeconds Now() override { return now; }
    platform::ProgramVersion Program() override { return program; }
    bool TopLevelWindowOfClassExists(const std::string& className) override {
        return windowClasses.count(className) != 0;
    }
    char DecimalSeparator() override { return decimalSeparator; }

    std::map<std::string, std::string> environment{{"WINDIR", "C:\\WINDOWS"}, {"OS", "Windows_NT"}};
    std::string modulePath = "C:\\Programme\\Taktora\\Taktora.exe";
    std::string arguments;
    std::vector<int> sleeps;
    std::vector<std::string> events;
    platform::OsVersion version{2, 5, 1};
    int architecture = 0;
    std::uint64_t tickCount = 0;
    bool hasTickCount64 = true;
    platform::LocalSeconds now = 0;
    platform::ProgramVersion program{4, 21, 0, "info@brisko-software.de"};
    std::set<std::string> windowClasses;
    char decimalSeparator = ',';
};

class FakeFileSystem : public platform::FileSystem {
public:
    std::optional<platform::FileEntry> FindFirst(const std::string& pattern) override;
    bool Delete(const std::string& path) override;

    // Adds a file of the given size; the entry's name is the part after the last backslash.
    void Add(const std::string& path, std::uint64_t size, std::uint32_t attributes = 0,
             platform::LocalSeconds lastWrite = 0);

    std::map<std::string, platform::FileEntry> files;  // by full path, lower case
    std::vector<std::string> deleted;
};

class FakeShell : public platform::Shell {
public:
    struct Message {
        std::string title;
        std::string text;
        platform::MessageIcon icon;
    };
    void ShowMessage(const std::string& title, const std::string& text, platform::MessageIcon icon) override {
        messages.push_back({title, text, icon});
    }
    void OpenUrl(const std::string& address) override { urls.push_back(address); }

    std::vector<Message> messages;
    std::vector<std::string> urls;
};

class FakeProcesses : public platform::Processes {
public:
    struct Started {
        std::string path;
        std::string commandLine;  // the parameters alone for a start through the shell
        bool hidden;
    };
    platform::StartResult Start(const std::string& path, const std::string& commandLine, bool hidden) override {
        started.push_back({path, commandLine, hidden});
        return startError != 0 ? platform::StartResult{0, startError} : platform::StartResult{4711, 0};
    }
    std::optional<std::uint32_t> ShellStart(const std::string& path, const std::string& parameters,
                                            bool hidden) override {
        shellStarted.push_back({path, parameters, hidden});
        return shellStartFails ? std::nullopt : std::optional<std::uint32_t>(4712);
    }
    platform::WindowHandle FindWindowByTitle(const std::string& title) override {
        return windows.count(title) != 0 ? windows.at(title) : 0;
    }
    std::optional<platform::Rect> GetWindowRect(platform::WindowHandle window) override;
    void SetWindowPos(platform::WindowHandle window, const platform::Rect& rect, unsigned flags) override;

    struct Placement {
        platform::WindowHandle window;
        platform::Rect rect;
        unsigned flags;
    };
    std::vector<Started> started;
    std::uint32_t startError = 0;  // the Windows error code every CreateProcessW fails with; 0 = it succeeds
    std::vector<Started> shellStarted;
    bool shellStartFails = false;
    std::map<std::string, platform::WindowHandle> windows;  // by title
    std::map<platform::WindowHandle, platform::Rect> rects;
    std::vector<Placement> positions;
    // The z-order as SetWindowPos leaves it, topmost first, and the window it activated last.
    std::vector<platform::WindowHandle> zOrder;
    platform::WindowHandle active = 0;
};

class FakeDesktop : public platform::Desktop {
public:
    platform::Size ScreenSize() override { return screen; }
    int Dpi() override { return dpi; }
    platform::Colour SystemColour(int index) override;
    platform::Rect TaskbarRect() override { return taskbar; }
    std::vector<platform::Rect> Monitors() override {
        return monitors.empty() ? std::vector<platform::Rect>{{0, 0, screen.width, screen.height}} : monitors;
    }

    platform::Size screen{1024, 768};
    int dpi = 96;
    platform::Rect taskbar{0, 738, 1024, 30};
    std::vector<platform::Rect> monitors;  // empty: the one screen
};

class FakeMainWindow : public platform::MainWindow {
public:
    platform::Rect GetRect() override { return rect; }
    void SetRect(const platform::Rect& r) override;
    platform::Size ClientSize() override { return {rect.width - 2 * border, rect.height - 2 * border}; }
    void Show() override { visible = true; }
    void Hide() override { visible = false; }
    bool IsVisible() override { return visible; }
    void Focus() override { ++focusCalls; }
    void SetTopMost(bool topMost) override;
    void StartTimer(platform::TimerId id, int milliseconds) override { timers[id] = milliseconds; }
    void StopTimer(platform::TimerId id) override { timers.erase(id); }
    void Close() override { closeRequested = true; }
    void Present(const Image& image) override;
    void SetToolTip(const std::string& text) override { toolTip = text; }
    int ShowPopupMenu(const std::vector<platform::MenuEntry>& entries) override {
        menus.push_back(entries);
        return menuChoice;
    }

    platform::Rect rect{0, 0, 192, 64};
    int border = 3;  // sizing border width on each side
    bool visible = false;
    bool topMost = false;
    int focusCalls = 0;
    std::vector<bool> topMostCalls;
    std::vector<platform::Rect> moves;
    std::map<platform::TimerId, int> timers;
    bool closeRequested = false;
    Image picture;
    int presents = 0;
    std::string toolTip;
    std::vector<std::vector<platform::MenuEntry>> menus;
    int menuChoice = 0;
};

}  // namespace taktora::fake
