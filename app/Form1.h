#pragma once

#include <string>
#include <vector>

#include "app/Commands.h"
#include "app/LoadSourceChoice.h"
#include "app/MeasurementCycle.h"
#include "app/Platform.h"
#include "app/StartupProbe.h"
#include "base/LoadHistory.h"
#include "base/SettingsStore.h"
#include "clocks/StartTimes.h"
#include "dialog/frmSet.h"
#include "platform/MainWindow.h"
#include "tools/ProcessViewer.h"
#include "window/Geometry.h"

namespace taktora {

// The main window's behaviour: start-up, the stored settings, the measurement cycle, the commands and shutdown. The
// real window translates its messages into these calls.
class Form1 : public SettingsHost, private CommandTarget {
public:
    Form1(Platform& platform, platform::MainWindow& window);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Started by the Run entry at logon: gives the rest of the desktop its start before we take a high priority.
    // Runs before any window of the program exists, so that nobody's broadcast waits for our message queue.
    static void WaitAtLogon(platform::System& system);
    // The load handler. The window itself becomes visible afterwards through ShowAfterLoad.
    void Load();
    void ShowAfterLoad();
    // The sampling tick and the refresh tick.
    void TimerCTick();
    void Timer1Tick();
    // One measurement update and redraw. Every call ends one period, whoever calls it.
    void CPUDraw();
    // The window's size changed.
    void ReSize();

    // Mouse over the graph area: the buttons held, the modifiers, the pointer in graph pixels.
    void MousePos(unsigned buttons, unsigned modifiers, int x, int y);
    void PicButtonDown(MouseButtons button) { commands_.ButtonDown(button); }
    void PicClick() { commands_.Click(); }
    void PicDoubleClick() { commands_.DoubleClick(); }
    void MenuClick(int index) { commands_.MenuClick(index); }
    void KeyS(Key key, unsigned modifiers) { commands_.KeyDown(key, modifiers); }
    void TrayMessage(TrayMouse event) { commands_.TrayEvent(event); }
    void ShowSettings() override { settings_.Show(); }
    // The tray icon's picture and tooltip for a load, handed to the tray and the taskbar button.
    void CPUDrawIcon(float load) { cycle_.DrawIcon(load, interval_); }
    // The screens, a scale or the taskbar's place changed (WM_DISPLAYCHANGE, WM_DPICHANGED, WM_SETTINGCHANGE).
    void DisplayChanged() {
        monitors_ = platform_.desktop.Monitors();
        cycle_.DisplayChanged();
    }
    // The machine woke up from sleep or hibernation.
    void Resumed();
    // The notification area was created anew: Explorer started again, its taskbar perhaps on another monitor.
    void TrayRecreated() {
        cycle_.DisplayChanged();
        cycle_.TrayRecreated();
    }
    // The taskbar button was clicked.
    void TaskbarActivated();
    void Task() override;
    void Proc() override;
    void Ext() override;
    void SaveSet();
    // Closing the main window or Windows ending the session; runs once.
    void Unload();
    bool Unloaded() const { return unloaded_; }

    frmSet& Settings() { return settings_; }
    const std::vector<platform::MenuEntry>& Menu() const { return commands_.Menu(); }
    // The answer to Windows' question how small and large the window may be made.
    const window::MinMaxLimits& Limits() const { return limits_; }
    bool SubclassActive() const { return subclassActive_; }
    const StartupProbe& Probe() const { return probe_; }
    LoadSourceKind LoadSource() const { return sources_.Kind(); }
    const LoadHistory& History() const { return cycle_.History(); }
    bool TrayIconShown() const { return cycle_.TrayIconShown(); }

    // SettingsHost
    void ShowTrayIcon(bool show) override { cycle_.ShowTrayIcon(show); }
    void ShowMainWindow(bool show) override;
    void ShowTaskbarButton(bool show) override { platform_.taskbar.Show(show); }
    void SetKeepOnTop(bool onTop) override { window_.SetTopMost(onTop); }
    void SetLocked(bool locked) override;
    void SetRunAtStartup(bool run) override {
        runAtStartupOn_ = run;
        runEntryChosen_ = true;
    }
    void SetLoadAsTaskManager(bool on) override { sources_.SetLoadAsTaskManager(on); }
    bool TaskManagerAvailable() override { return probe_.TaskManagerFound(); }
    void SaveSettings() override { SaveSet(); }
    void FocusMainWindow() override;
    void SetRefreshInterval(int milliseconds) override;
    void OpenUrl(const std::string& address) override { platform_.shell.OpenUrl(address); }
    void ShowRestartHint() override;
    std::string VersionText() override { return programVersion_; }

    static constexpr int kStartupWaitMs = 15000;

private:
    // CommandTarget
    void CloseMainWindow() override { window_.Close(); }
    void Redraw() override { CPUDraw(); }
    bool TaskManagerFound() const override { return probe_.TaskManagerFound(); }
    bool ProcessViewerFound() const override { return probe_.ProcessViewerFound(); }

    int Stored(Setting setting) { return store_.Read(Row(setting), keySuffix_); }
    // Takes the profile from the command line; true when it asks for the logon wait, so Windows has just started.
    bool ApplyCommandLine();
    std::uint64_t UptimeSeconds();
    void RefreshClocks();
    void InstallSizeLimits();
    void RestoreGeometry();
    void TransferOptions();
    void CheckRunEntry();
    void ApplyPriority();
    void CreateLoadSource();
    void ReplaceBrokenSource();
    void WriteSettings();
    platform::Rect PrimaryScreen();
    // The monitor that holds most of the window.
    platform::Rect ScreenOf(const platform::Rect& window);

    Platform& platform_;
    platform::MainWindow& window_;
    SettingsStore store_;
    frmSet settings_;
    ProcessViewer viewer_;
    StartupProbe probe_;
    LoadSourceChoice sources_;
    MeasurementCycle cycle_;
    Commands commands_;

    std::string keySuffix_;
    std::string programVersion_;
    std::string settingsCaption_;
    StartTimes clocks_;
    float twipsX_{};  // set first thing at start-up
    float twipsY_{};
    bool subclassActive_ = false;
    window::MinMaxLimits limits_;
    window::DragState drag_;
    std::vector<platform::Rect> monitors_;
    platform::Rect kept_;  // the last accepted position and size
    int interval_{};       // the refresh tick's, ms, from the settings at start-up
    bool firstTickDone_ = false;
    bool runAtStartupOn_{};  // read at start-up
    // Whether this session decided about the Run entry (the user's click on the box, or putting back a lost entry);
    // until then the entry and Windows' own switch are left as they are.
    bool runEntryChosen_ = false;
    bool hiddenByOption_ = false;
    bool runEntryToRestore_ = false;
    bool loaded_{};
    bool unloaded_ = false;
};

}  // namespace taktora
