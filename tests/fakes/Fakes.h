#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/Platform.h"
#include "platform/IconFactory.h"
#include "platform/MainWindow.h"
#include "sources/CoreTempSharedData.h"

// Scripted doubles of the platform: each answers from the fields a test sets and writes the calls that matter into
// `calls`, as text, in order.
namespace taktora::fake {

using Calls = std::vector<std::string>;
using platform::PdhStatus;
using platform::Rect;
std::string Text(const Rect& r);  // "left,top widthxheight"
std::string Join(const Calls& calls);
// Writes the call into the log and answers with the result.
template <typename T>
T Logged(Calls& calls, const std::string& call, T result) {
    calls.push_back(call);
    return result;
}
// The text of every input, each followed by a blank.
template <typename T, typename F>
std::string Each(const std::vector<T>& inputs, F text) {
    std::string texts;
    for (const T& input : inputs) {
        texts += text(input) + " ";
    }
    return texts;
}

class Registry : public platform::Registry {
public:
    // By "key\name", under "HKLM\" for the local machine.
    static std::string Path(platform::RegRoot root, const std::string& key, const std::string& name) {
        return (root == platform::RegRoot::LocalMachine ? "HKLM\\" : "") + key + "\\" + name;
    }
    std::optional<platform::RegData> Read(platform::RegRoot root, const std::string& key, const std::string& name,
                                          std::size_t maxChars) override {
        const auto it = values.find(*used.insert(Path(root, key, name)).first);
        return it == values.end() || it->second.text.size() > maxChars ? std::nullopt : std::optional(it->second);
    }
    bool WriteString(platform::RegRoot root, const std::string& key, const std::string& name,
                     const std::string& text) override {
        values[*used.insert(Path(root, key, name)).first] = {platform::RegType::String, text};
        return ++writes;
    }
    bool DeleteValue(platform::RegRoot root, const std::string& key, const std::string& name) override {
        return values.erase(*used.insert(Path(root, key, name)).first);
    }
    std::map<std::string, platform::RegData> values;
    std::set<std::string> used;  // every value read, written or deleted
    int writes = 0;
};

class System : public platform::System {
public:
    std::string Environment(const std::string& name) override { return name == "WINDIR" ? windir : os; }
    std::string ModulePath() override { return modulePath; }
    std::string CommandLineArguments() override { return arguments; }
    void Sleep(int ms) override { calls.push_back("Sleep " + std::to_string(ms)); }
    void RaiseThreadPriority() override { calls.push_back("thread priority"); }
    void RaiseProcessPriority() override { calls.push_back("process priority"); }
    platform::OsVersion Version() override { return version; }
    int NativeProcessorArchitecture() override { return architecture; }
    std::uint32_t TickCount() override { return static_cast<std::uint32_t>(tick); }
    std::optional<std::uint64_t> TickCount64() override { return tick64 ? std::optional(tick) : std::nullopt; }
    platform::LocalSeconds Now() override { return now; }
    platform::ProgramVersion Program() override { return {4, 21, 0, "info@brisko-software.de"}; }
    bool TopLevelWindowOfClassExists(const std::string& name) override { return name == windowClass; }
    std::string DecimalSeparator() override { return ","; }

    std::string windir = "C:\\WINDOWS", os = "Windows_NT", modulePath = "C:\\T\\Taktora.exe", arguments, windowClass;
    platform::OsVersion version;
    int architecture = 0;
    std::uint64_t tick = 0;
    bool tick64 = true;
    platform::LocalSeconds now = 0;
    Calls calls;
};

class Files : public platform::FileSystem {
public:
    std::optional<platform::FileEntry> FindFirst(const std::string& path) override {
        return files.contains(path) ? std::optional(files[path]) : std::nullopt;
    }
    bool Delete(const std::string&) override { return false; }
    std::map<std::string, platform::FileEntry> files;  // by the exact path asked for
};

class Kernel : public platform::Kernel {
public:
    long QueryProcessorCount(std::uint8_t& out) override { return Answer(1, processors, out); }
    long QueryCurrentTime(std::int64_t& out) override { return Answer(2, time, out); }
    long QueryIdleTime(std::int64_t& out) override { return Answer(3, idle, out); }
    // One sampling interval at the given load of one processor.
    void Busy(int percent) {
        time += 1000000;
        idle += 10000 * (100 - percent);
    }
    std::uint8_t processors = 1;
    std::int64_t time = 0, idle = 0;
    int failing = 0;  // the query that fails: 1 processor count, 2 time, 3 idle time

private:
    template <typename T>
    long Answer(int query, T value, T& out) {
        out = query == failing ? out : value;
        return query == failing ? 0xC0000004L : 0;
    }
};

class Desktop : public platform::Desktop {
public:
    platform::Size ScreenSize() override { return {1024, 768}; }
    int Dpi() override { return dpi; }
    platform::Colour SystemColour(int index) override { return {static_cast<std::uint8_t>(index), 1, 2}; }
    Rect TaskbarRect() override { return taskbar; }
    std::vector<Rect> Monitors() override { return monitors; }
    int TaskbarDpi() override { return taskbarDpi; }
    // Scaled to the DPI, 0 before 1607: learn.microsoft.com/windows/win32/api/winuser/nf-winuser-getsystemmetricsfordpi
    int SystemMetricForDpi(int index, int at) override { return perMonitorMetrics ? Metric(index, at) : 0; }
    int SystemMetric(int index) override { return Metric(index, dpi); }
    static int Metric(int index, int at) { return (index == 49 ? 16 : index == 11 ? 32 : 0) * at / 96; }  // small, big
    int dpi = 96;  // the system's
    int taskbarDpi = 96;
    bool perMonitorMetrics = true;
    Rect taskbar{0, 738, 1024, 30};
    std::vector<Rect> monitors{{0, 0, 1024, 768}};
};

// Text as solid boxes that reach three pixels past the 5 pixels a character they report on either side, as glyphs
// overhang their advance by their negative A and C widths (learn.microsoft.com: GetCharABCWidthsW).
class TextPainter : public platform::TextPainter {
public:
    int MeasureWidth(const platform::Font&, const std::string& text) override { return 5 * int(text.size()); }
    int LineHeight(const platform::Font&) override { return lineHeight; }
    void Draw(Image& image, const platform::Font& font, int x, int y, platform::Colour colour,
              const std::string& text) override;
    int lineHeight = 8;
    Calls calls;  // "Tahoma 7 x,y r.g.b text", "bold" after the points
};

class Shell : public platform::Shell {
public:
    void ShowMessage(const std::string& title, const std::string& text, platform::MessageIcon icon) override {
        calls.push_back(title + std::to_string(static_cast<int>(icon)) + " " + text);
    }
    void OpenUrl(const std::string& address) override { calls.push_back("open " + address); }
    Calls calls;
};

class Processes : public platform::Processes {
public:
    platform::StartResult Start(const std::string& path, const std::string& line, bool hidden) override {
        calls.push_back("start " + path + " | " + line + (hidden ? " | hidden" : ""));
        return started;
    }
    std::optional<std::uint32_t> ShellStart(const std::string& path, const std::string& parameters,
                                            bool hidden) override {
        calls.push_back("shell " + path + " | " + parameters + (hidden ? " | hidden" : ""));
        return shellStarted;
    }
    platform::WindowHandle FindWindowByTitle(const std::string& title) override { return windows[title]; }
    std::optional<Rect> GetWindowRect(platform::WindowHandle window) override { return rects[window]; }
    void SetWindowPos(platform::WindowHandle window, const Rect& r, unsigned flags) override {
        calls.push_back("place " + std::to_string(window) + " " + Text(r) + " " + std::to_string(flags));
    }
    platform::StartResult started{4711, 0};
    std::optional<std::uint32_t> shellStarted = 4712;
    std::map<std::string, platform::WindowHandle> windows;
    std::map<platform::WindowHandle, std::optional<Rect>> rects;
    Calls calls;
};

class Tray : public platform::Tray {
public:
    bool Add(const Image& p, const std::string& tip) override { return Call("Add " + tip, p, addOk); }
    bool Modify(const Image& p, const std::string& tip) override { return Call("Modify " + tip, p, modifyOk); }
    void Delete() override { calls.push_back("Delete"); }
    bool addOk = true, modifyOk = true;
    Image picture;
    Calls calls;

private:
    bool Call(const std::string& call, const Image& p, bool ok) {
        picture = p;
        return Logged(calls, call, ok);
    }
};

class TaskbarButton : public platform::TaskbarButton {
public:
    void Show(bool show) override { shown = show; }
    void SetCaption(const std::string& text) override { caption = text; }
    void SetIcon(const Image& small, const Image& big) override { icons.emplace_back(small, big); }
    bool shown = false;
    std::string caption;
    std::vector<std::pair<Image, Image>> icons;  // small, big
};

// The mutex is handle 1 and the mapping 2 once Core Temp publishes its record.
class SharedMemory : public platform::SharedMemory {
public:
    Handle OpenNamedMutex(const std::string& name) override { return Logged(calls, "OpenMutex " + name, mutex); }
    WaitResult WaitForMutex(Handle, std::uint32_t ms) override {
        return Logged(calls, "Wait " + std::to_string(ms), wait);
    }
    bool ReleaseMutex(Handle mutex) override { return Logged(calls, "Release " + std::to_string(mutex), true); }
    Handle OpenMapping(const std::string& name) override { return Logged(calls, "OpenMapping " + name, mapping); }
    const void* MapView(Handle, std::size_t size) override {
        return Logged(calls, "MapView " + std::to_string(size), bytes.size() >= size ? bytes.data() : nullptr);
    }
    void UnmapView(const void*) override { calls.push_back("Unmap"); }
    void Close(Handle handle) override { calls.push_back("Close " + std::to_string(handle)); }
    std::string DecodeAnsi(const std::string& text) override { return "ansi " + text; }
    void Publish(const CoreTempSharedData& data);

    Handle mutex = 0, mapping = 0;
    WaitResult wait = WaitResult::Acquired;
    std::vector<unsigned char> bytes;  // the mapping's contents
    Calls calls;
};

// Two cores at 30 % and 51 %, 40 and 43 degrees, TjMax 100, 2400 MHz = 200 MHz x 12.
CoreTempSharedData TwoCores();

// Knows the counter paths in `paths` (by their English names, too, while `english`), with their readings, and the
// name lists of one processor object. Counter handles count from 101 in the order added; the query is 7. Every
// counter counts a rate, so a value is invalid until the query has collected twice.
class Pdh : public platform::Pdh {
public:
    struct Reading {
        double value = 0;
        std::uint32_t counterStatus = platform::kPdhValidData;
        PdhStatus status = platform::kPdhSuccess;
    };
    PdhStatus ConnectMachine(const std::string& machine) override { return machines.contains(machine) ? 0 : -1; }
    PdhStatus EnumObjectsLength(const std::string&, bool refresh, std::uint32_t& length) override {
        length = objectsLength.value_or(static_cast<std::uint32_t>(objects.size()));
        return Logged(calls, refresh ? "ObjectsLength refresh" : "ObjectsLength", enumStatus);
    }
    PdhStatus EnumObjects(const std::string&, bool refresh, std::uint32_t, std::string& list) override {
        list = objects;
        return Logged(calls, refresh ? "Objects refresh" : "Objects", enumStatus);
    }
    PdhStatus EnumObjectItemsLength(const std::string&, const std::string& object, std::uint32_t& counterLength,
                                    std::uint32_t& instanceLength) override {
        counterLength = static_cast<std::uint32_t>(counters.size());
        instanceLength = static_cast<std::uint32_t>(instances.size());
        return Logged(calls, "ItemsLength " + object, enumStatus);
    }
    PdhStatus EnumObjectItems(const std::string&, const std::string& object, std::uint32_t, std::uint32_t,
                              std::string& counterList, std::string& instanceList) override {
        counterList = counters;
        instanceList = instances;
        return Logged(calls, "Items " + object, enumStatus);
    }
    PdhStatus OpenQuery(std::uintptr_t data, Handle& query) override {
        query = openStatus == 0 ? 7 : query;
        return Logged(calls, "OpenQuery " + std::to_string(data), openStatus);
    }
    PdhStatus AddCounter(Handle, const std::string& path, Handle& counter) override { return Add(path, counter); }
    PdhStatus AddEnglishCounter(Handle, const std::string& path, Handle& counter) override {
        return english ? Add(path, counter) : platform::kPdhFunctionMissing;
    }
    PdhStatus CollectQueryData(Handle) override {
        collected += collectStatus == platform::kPdhSuccess;
        return Logged(calls, "Collect", collectStatus);
    }
    PdhStatus GetDoubleValue(Handle counter, double& value, std::uint32_t& counterStatus) override {
        const Reading& reading = paths.at(added.at(counter - 101));
        value = reading.value;
        counterStatus = reading.counterStatus;
        // https://learn.microsoft.com/en-us/windows/win32/perfctrs/collecting-performance-data
        return collected < 2 ? static_cast<PdhStatus>(0xC0000BC6u) : reading.status;  // PDH_INVALID_DATA
    }
    PdhStatus RemoveCounter(Handle counter) override { return Logged(calls, "Remove " + std::to_string(counter), 0); }
    PdhStatus CloseQuery(Handle) override { return Logged(calls, "CloseQuery", 0); }
    // Multi-strings of the names: each ended by a zero character, and one more.
    static std::string Names(const std::vector<std::string>& names);

    std::map<std::string, Reading> paths;
    bool english = true;
    std::string objects, counters, instances;
    std::set<std::string> machines;  // those that can be connected to
    std::optional<std::uint32_t> objectsLength;
    PdhStatus enumStatus = platform::kPdhMoreData, openStatus = 0, collectStatus = 0;
    std::vector<std::string> added;  // the path of each counter handle
    int collected = 0;               // successful collections
    Calls calls;

private:
    PdhStatus Add(const std::string& path, Handle& counter);
};

// The Windows 9x statistic's keys, each with or without its value; key n is keys[n - 1].
class DynStats : public platform::DynStats {
public:
    Key Open(const std::string& subkey, std::uint32_t access) override;
    bool ReadDword(Key key, const std::string& name, std::uint32_t& value) override {
        calls.push_back("Read " + std::to_string(key) + " " + name);
        value = keys.at(key - 1).second.value_or(value);
        return keys.at(key - 1).second.has_value();
    }
    void Close(Key key) override { calls.push_back("Close " + std::to_string(key)); }
    std::vector<std::pair<std::string, std::optional<std::uint32_t>>> keys;
    Calls calls;
};

class MainWindow : public platform::MainWindow {
public:
    Rect GetRect() override { return rect; }
    void SetRect(const Rect& r) override { rect = r; }
    platform::Size ClientSize() override { return {rect.width - 2 * frame, rect.height - 2 * frame}; }
    // Windows 10 and 11 tell the invisible frame only once the window is shown (DwmGetWindowAttribute,
    // DWMWA_EXTENDED_FRAME_BOUNDS); then the window drops it and its client area grows to the whole window.
    void Show() override {
        visible = true;
        frame = dropsFrameOnShow ? 0 : frame;
    }
    void ShowInFront() override {
        Show();
        calls.push_back("Front");
    }
    void Hide() override { visible = false; }
    bool IsVisible() override { return visible; }
    void Focus() override { calls.push_back("Focus"); }
    void SetTopMost(bool on) override { calls.push_back(on ? "TopMost" : "NotTopMost"); }
    void StartTimer(platform::TimerId id, int ms) override { timers[id] = ms; }
    void StopTimer(platform::TimerId id) override { timers.erase(id); }
    void Close() override { calls.push_back("Close"); }
    void Present(const Image& p) override { presented = &p; }
    const Image& Picture() const { return *presented; }
    void SetToolTip(const std::string& text) override { toolTip = text; }
    int ShowPopupMenu(const std::vector<platform::MenuEntry>& entries) override;

    Rect rect;
    int frame = 3;
    bool dropsFrameOnShow = false;
    bool visible = false;
    std::map<platform::TimerId, int> timers;
    const Image* presented = nullptr;  // the program's own picture, as Windows reads it on WM_PAINT
    std::string toolTip;
    std::vector<platform::MenuEntry> shownMenu;
    int menuChoice = 0;
    Calls calls;  // and "Menu" with the index of every entry shown and enabled
};

// Numbered icons, so that a test sees which ones are alive.
class IconFactory : public platform::IconFactory {
public:
    platform::IconHandle Make(const Image& picture) override {
        return fail || picture.Width() == 0 ? 0 : *live.insert(++made).first;
    }
    void Destroy(platform::IconHandle icon) override { badDestroys += live.erase(icon) == 0; }
    std::set<platform::IconHandle> live;
    platform::IconHandle made = 0;
    bool fail = false;
    int badDestroys = 0;
};

// Every double, wired into the services the main window's model uses.
struct Machine {
    static constexpr const char* kKey = "Software\\VB and VBA Program Settings\\Brisko-Software\\Taktora";
    void Store(const std::string& name, const std::string& text) {
        registry.values[std::string(kKey) + "\\" + name] = {platform::RegType::String, text};
    }
    std::string Stored(const std::string& name) const {
        const auto it = registry.values.find(std::string(kKey) + "\\" + name);
        return it == registry.values.end() ? "" : it->second.text;
    }

    Registry registry;
    System system;
    Files files;
    Kernel kernel;
    Desktop desktop;
    TextPainter text;
    Shell shell;
    Processes processes;
    Tray tray;
    TaskbarButton taskbar;
    SharedMemory shared;
    Pdh pdh;
    DynStats dynStats;
    MainWindow window;
    Platform platform{registry,  system, files,   kernel, desktop, text,    shell,
                      processes, tray,   taskbar, shared, pdh,     dynStats};
};

}  // namespace taktora::fake
