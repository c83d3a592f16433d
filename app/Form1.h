#pragma once

#include <memory>
#include <optional>
#include <string>

#include "base/LoadHistory.h"
#include "base/SettingsStore.h"
#include "clocks/StartTimes.h"
#include "dialog/frmSet.h"
#include "platform/Desktop.h"
#include "platform/DynStats.h"
#include "platform/FileSystem.h"
#include "platform/Image.h"
#include "platform/Kernel.h"
#include "platform/MainWindow.h"
#include "platform/Pdh.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/SharedMemory.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "platform/TaskbarButton.h"
#include "platform/TextPainter.h"
#include "platform/Tray.h"
#include "render/TrayIconImage.h"
#include "sources/CoreTemp.h"
#include "sources/LoadSource.h"
#include "tools/ProcessViewer.h"
#include "tray/TrayRegistration.h"
#include "window/Geometry.h"

namespace taktora {

// The Windows services the main window's model uses.
struct Platform {
    platform::Registry& registry;
    platform::System& system;
    platform::FileSystem& files;
    platform::Kernel& kernel;
    platform::Desktop& desktop;
    platform::TextPainter& text;
    platform::Shell& shell;
    platform::Processes& processes;
    platform::Tray& tray;
    platform::TaskbarButton& taskbar;
    platform::SharedMemory& shared;
    platform::Pdh& pdh;
    platform::DynStats& dynStats;
};

// The main window's behaviour: start-up, the stored settings, the measurement cycle and shutdown. The real window
// translates its messages into these calls.
class Form1 : public SettingsHost {
public:
    Form1(Platform& platform, platform::MainWindow& window);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // The load handler. The window itself becomes visible afterwards through ShowAfterLoad.
    void Load();
    void ShowAfterLoad();
    void TimerCTick();
    void Timer1Tick();
    // One measurement update and redraw. Every call records one sample, whoever calls it.
    void CPUDraw();
    // The window's size changed.
    void ReSize();

    // Mouse over the graph area: the button mask (1 left, 2 right), the shift mask, the pointer in graph pixels.
    void MousePos(int button, int shift, int x, int y);
    void PicButtonDown(int button) { LastPicButton = button; }
    void PicClick();
    void PicDoubleClick();
    void MenuClick(int index);
    // The key table of the main window: a virtual-key code and the shift mask (1 Shift, 2 Ctrl, 4 Alt).
    void KeyS(int keyCode, int shift);
    void ShowSettings() { settings_.Show(); }
    // The tray icon's picture and tooltip for a load, handed to the tray and the taskbar button.
    void CPUDrawIcon(float load);
    // The tray icon's mouse events: the Windows mouse message of the icon event.
    void TrayMessage(int mouseMessage);
    // Monitors were added, removed or rearranged.
    void DisplayChanged() { monitors_ = platform_.desktop.Monitors(); }
    // The machine woke up from sleep or hibernation.
    void Resumed();
    // The notification area was created anew.
    void TrayRecreated() { tray_.Recreated(); }
    // The taskbar button was clicked.
    void TaskbarActivated();
    bool TrayIconShown() const { return tray_.TrayIconShown(); }
    void Task();
    void Proc();
    void Ext();
    void SaveSet();
    // Closing the main window or Windows ending the session; runs once.
    void Unload();
    bool Unloaded() const { return unloaded_; }

    frmSet& Settings() { return settings_; }
    ProcessViewer& Viewer() { return viewer_; }

    // SettingsHost
    void ShowTrayIcon(bool show) override;
    void ShowMainWindow(bool show) override;
    void ShowTaskbarButton(bool show) override;
    void SetKeepOnTop(bool onTop) override;
    void SetLocked(bool locked) override;
    void SetRunAtStartup(bool run) override { RunAtStartupOn = run; }
    bool TaskManagerAvailable() override { return TaskManagerFound; }
    void SaveSettings() override { SaveSet(); }
    void FocusMainWindow() override;
    void SetRefreshInterval(int milliseconds) override;
    void OpenUrl(const std::string& address) override { platform_.shell.OpenUrl(address); }
    void ShowRestartHint() override;
    std::string VersionText() override { return ProgramVersion; }

    static constexpr int kDefaultInterval = 1000;
    static constexpr int kSamplingInterval = 100;
    static constexpr int kStartupWaitMs = 15000;
    static constexpr std::uint32_t kIconIntervalMs = 500;
    static constexpr std::uint32_t kTimerSlackMs = 16;  // one tick of Windows' clock

    // Fixed at start-up.
    std::string SettingsApp;
    std::string SettingsSection;
    std::string RunKeyPath;
    std::string KeySuffix;
    std::string ProgramDir;
    std::string QuotedExePath;
    std::string ExtFilePath;
    std::string TaskManagerPath;
    std::string ProcessViewerPath;
    std::string ViewerToolPath;
    std::string ProgramVersion;
    bool ExtAvailable = false;
    bool TaskManagerFound = false;
    bool ProcessViewerFound = false;
    bool CoreTempFound = false;
    bool CoreTempDllReady = false;
    bool CoreTempActive = false;
    bool WindowsStartKnown = false;
    float TwipsX = 15;
    float TwipsY = 15;
    bool SubclassActive = false;
    int MinWidth = 0;
    int MinHeight = 0;
    int MaxWidth = 0;
    int MaxHeight = 0;
    std::string SettingsCaption;
    std::unique_ptr<clsLoadSource> LoadSource;
    clsCoreTemp* CoreTemp = nullptr;  // the same object as LoadSource while CoreTempActive

    // Live state.
    bool RunAtStartupOn = false;
    bool KeepOnTop = false;
    int Interval = kDefaultInterval;  // Timer1's interval, ms
    float SampleSum = 0;
    bool FirstTickDone = false;
    std::string TaskbarText;
    int LastPicButton = 0;
    platform::Rect Kept;  // the last accepted position and size
    std::vector<platform::MenuEntry> mnuPopUp;
    float PeriodLoad = 0;
    StartTimes Clocks;
    const LoadHistory& History() const { return history_; }

private:
    std::string Key(const std::string& name) const { return name + KeySuffix; }
    void FixPaths();
    void ApplyCommandLine();
    std::uint64_t UptimeSeconds();
    void RefreshClocks();
    void InstallSizeLimits();
    void RestoreGeometry();
    void TransferOptions();
    void CheckRunEntry();
    void ApplyPriority();
    void CreateLoadSource();
    void TryCoreTemp();
    void ApplyInterval();
    void WriteSettings();
    bool FileExists(const std::string& path);
    std::string OptionText(const OptionBox& box) const { return box.Checked() ? "1" : "0"; }

    render::IconSwitches IconSwitchesNow();
    render::IconFrameColours IconFrame();
    void ApplyLimits(const window::MinMaxLimits& limits);
    void OpenMenu();
    void ToggleAndRedraw(OptionBox& box);
    platform::Rect PrimaryScreen();
    // The monitor that holds most of the window.
    platform::Rect ScreenOf(const platform::Rect& window);

    Platform& platform_;
    platform::MainWindow& window_;
    SettingsStore store_;
    frmSet settings_;
    ProcessViewer viewer_;
    window::DragState drag_;
    std::vector<platform::Rect> monitors_;
    LoadHistory history_;
    render::TrayIconPicture iconPicture_;
    render::TrayRegistration tray_;
    std::optional<std::uint32_t> lastIconSent_;  // tick count of the last picture given to the shell
    Image picture_;                              // the graph box Pic1
    int graphWidth_ = -1;
    bool hiddenByOption_ = false;
    bool unloaded_ = false;
    bool runEntryToRestore_ = false;
};

}  // namespace taktora
