#include "app/Form1.h"

#include "app/StartupRules.h"
#include "base/RegistryStrings.h"
#include "clocks/RunTime.h"
#include "dialog/SettingsLayout.h"
#include "tools/Launch.h"

namespace taktora {

namespace {

constexpr const char* kBuildDate = "05.08.2010";
constexpr const char* kSettingsApp = "Brisko-Software";
constexpr const char* kRunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// Windows' own switch for a Run entry (Task Manager's start-up page, the Settings app): a binary value named like
// it, whose first byte is even while the entry is on (2) and odd when the user switched it off (3, 7).
constexpr const char* kStartupApprovedPath =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
constexpr std::size_t kStartupApprovedBytes = 12;
constexpr int kTwipsPerInch = 1440;
constexpr int kNtPlatform = 2;

int OptionValue(const OptionBox& box) {
    return box.Checked() ? 1 : 0;
}

bool SwitchedOffByWindows(platform::Registry& registry) {
    const auto data =
        registry.Read(platform::RegRoot::CurrentUser, kStartupApprovedPath, kSettingsSection, kStartupApprovedBytes);
    return data && data->type == platform::RegType::Binary && !data->text.empty() && (data->text[0] & 1) != 0;
}

}  // namespace

Form1::Form1(Platform& platform, platform::MainWindow& window)
    : platform_(platform),
      window_(window),
      store_(platform.registry, kSettingsApp, kSettingsSection),
      settings_(*this),
      viewer_(platform.processes, platform.shell, store_),
      probe_(platform.system, platform.files),
      sources_(platform.kernel, platform.pdh, platform.dynStats, platform.shared),
      cycle_(platform, window, settings_),
      commands_(*this, settings_, window) {}

platform::Rect Form1::PrimaryScreen() {
    const platform::Size screen = platform_.desktop.ScreenSize();
    return {0, 0, screen.width, screen.height};
}

platform::Rect Form1::ScreenOf(const platform::Rect& window) {
    return window::MonitorFor(window, monitors_);
}

void Form1::Load() {
    probe_.FindPaths();
    probe_.LookForCoreTemp();

    const platform::ProgramVersion version = platform_.system.Program();
    programVersion_ = ProgramVersionText(version.major, version.minor, version.revision);
    settings_.LV = "Version " + programVersion_ + " - " + kBuildDate;
    settings_.MakerMail = version.comments;

    monitors_ = platform_.desktop.Monitors();
    const int dpi = platform_.desktop.Dpi();
    twipsX_ = twipsY_ = static_cast<float>(kTwipsPerInch) / dialog::UsableDpi(dpi);

    const bool windowsStartKnown = ApplyCommandLine();
    clocks_ =
        SetStartTime(windowsStartKnown, platform_.system.Now(), UptimeSeconds(), platform_.registry, platform_.files);
    probe_.LookForExtra();
    commands_.ShowExtra(probe_.ExtAvailable());
    InstallSizeLimits();
    RestoreGeometry();
    if (probe_.FileExists(probe_.ProcessViewerPath())) {
        viewer_.RepairSettings(platform_.registry, probe_.ViewerToolPath(), probe_.FileExists(probe_.ViewerToolPath()));
    }
    TransferOptions();
    CheckRunEntry();
    settings_.CkG.SetChecked(Stored(Setting::ShowInTask) != 0);
    platform_.taskbar.SetCaption(cycle_.TaskbarText());
    settings_.CkZ.SetChecked(Stored(Setting::AlignCenter) != 0);
    settings_.CkD.SetChecked(Stored(Setting::UseBoldFont) != 0);
    ApplyPriority();
    CreateLoadSource();
    sources_.Source()->Initialize();
    ReplaceBrokenSource();
    interval_ = Stored(Setting::Interval);
    settings_.CO1 = RateBoxText(interval_);
    if (runEntryToRestore_) {
        // Only now that every stored value is read does the save write back what the user had.
        SaveSet();
    }
    if (settings_.ckO.Checked()) {
        window_.SetTopMost(true);
    }
    ReSize();
    CPUDraw();
    window_.StartTimer(platform::TimerId::Refresh, interval_);
    window_.StartTimer(platform::TimerId::Sampling, MeasurementCycle::kSamplingInterval);
    settingsCaption_ = settings_.Caption;
    loaded_ = true;
}

void Form1::ShowAfterLoad() {
    if (!hiddenByOption_) {
        window_.Show();
    }
}

bool Form1::ApplyCommandLine() {
    const CommandLineChoice choice = ParseCommandLine(platform_.system.CommandLineArguments());
    keySuffix_ = choice.keySuffix;
    return choice.startupWait;
}

void Form1::WaitAtLogon(platform::System& system) {
    if (ParseCommandLine(system.CommandLineArguments()).startupWait) {
        system.Sleep(kStartupWaitMs);
    }
}

void Form1::InstallSizeLimits() {
    subclassActive_ = true;
    limits_ =
        window::UnlockedLimits({.width = Row(Setting::WinWidth).fallback, .height = Row(Setting::WinHeight).fallback},
                               PrimaryScreen(), twipsX_, twipsY_);
}

void Form1::RestoreGeometry() {
    platform::Rect rect{Stored(Setting::WinLeft), Stored(Setting::WinTop), Stored(Setting::WinWidth),
                        Stored(Setting::WinHeight)};
    // A size beyond all monitors together (a hand-edited or damaged value) would cost memory for pixels nobody sees
    // and be stored again at the close.
    const platform::Rect screens = window::VirtualScreen(monitors_);
    rect.width = std::min(rect.width, screens.width);
    rect.height = std::min(rect.height, screens.height);
    // Windows would not let a sizable window be smaller than its tracking minimum either.
    rect.width = std::max(rect.width, limits_.MinWidth);
    rect.height = std::max(rect.height, limits_.MinHeight);
    // A place on a monitor that is no longer there would leave the window out of reach.
    if (!window::OnAnyMonitor(rect, monitors_)) {
        rect = window::KeepOnScreen(rect, ScreenOf(rect));
    }
    window_.SetRect(rect);
}

void Form1::TransferOptions() {
    frmSet& s = settings_;

    s.CkGD.SetEnabled(probe_.CoreTempFound());
    const bool useCoreTemp = Stored(Setting::UseGetCoreTemp) != 0;
    s.CkGD.SetChecked(useCoreTemp);
    for (const BoxId id : kCoreTempDisplayBoxes) {
        s.Box(id).SetEnabled(useCoreTemp);
    }
    for (const Setting setting :
         {Setting::ShowCoreTemp, Setting::ShowCoreSpeed, Setting::ShowCoreTempLine, Setting::Magnetic}) {
        s.Box(Row(setting).box).SetChecked(Stored(setting) != 0);
    }

    if (s.ckMag.Checked()) {
        const platform::Rect rect = window_.GetRect();
        window_.SetRect(window::KeepOnScreen(rect, ScreenOf(rect)));
    }
    kept_ = window_.GetRect();

    s.CkL.SetChecked(Stored(Setting::ShowRunTime) != 0);

    const int showInTray = Stored(Setting::ShowInTray);
    if (showInTray != 0) {
        // The icon is registered at once, with the picture of a load of 0 and the still empty load text.
        cycle_.PrepareTrayIcon();
    }
    s.CkT.SetChecked(showInTray != 0);
    s.CkTM.SetEnabled(showInTray != 0);
    s.CkPV.SetEnabled(showInTray != 0);

    s.CkM.SetChecked(Stored(Setting::LockWindow) != 0);
    s.CkN.SetChecked(Stored(Setting::ShowUsageValue) != 0);
    s.CkB.SetChecked(Stored(Setting::HideWindow) != 0);
    // The box's click hides the window behind any ticked tray box; at start only a tray setting of exactly 1 does.
    if (showInTray != 1) {
        hiddenByOption_ = false;
    }

    const DoubleClickChoice doubleClick = StoredDoubleClick(Stored(Setting::TaskManager), Stored(Setting::ProcessView));
    s.CkTM.SetChecked(doubleClick.taskManager);
    s.CkPV.SetChecked(doubleClick.processViewer);

    s.ckO.SetChecked(Stored(Setting::WindowOnTop) != 0);
    // Kept while the figure is not available here: the next start may measure with PDH again.
    s.CkU.SetChecked(Stored(Setting::LoadAsTaskManager) != 0);
}

void Form1::CheckRunEntry() {
    const std::string entry =
        RegGetString(platform_.registry, platform::RegRoot::CurrentUser, kRunKeyPath, kSettingsSection);
    // An entry that Windows keeps switched off does not start the program.
    const bool starts = !entry.empty() && !SwitchedOffByWindows(platform_.registry);
    settings_.CkS.SetChecked(starts);
    runAtStartupOn_ = starts;
    // The box shows what Windows will do; a save rewrites nothing of it unless the user clicks the box. An entry
    // switched off in Windows' own startup list would otherwise be deleted, and could not be switched on there again.
    runEntryChosen_ = false;
    if (entry.empty() && Stored(Setting::RunAtStartup) == 1) {
        // The user asked for the Run entry but it has gone (cleaned up by some tool): put it back once the rest of
        // the settings is read.
        runAtStartupOn_ = true;
        settings_.CkS.SetChecked(true);
        runEntryToRestore_ = true;
        runEntryChosen_ = true;
    }
}

void Form1::ApplyPriority() {
    if (Stored(Setting::MaxTaskPriority) == 1) {
        platform_.system.RaiseThreadPriority();
        platform_.system.RaiseProcessPriority();
    }
}

void Form1::CreateLoadSource() {
    const platform::OsVersion os = platform_.system.Version();
    const bool nt = os.platformId == kNtPlatform;
    if (nt && probe_.CoreTempFound() && !sources_.TryCoreTemp(settings_.CkGD.Checked())) {
        settings_.CkGD.SetEnabled(false);
    }
    if (sources_.CoreTemp() == nullptr) {
        if (nt) {
            settings_.CkGD.SetChecked(false);
        }
        sources_.ChooseCounters(os, platform_.system.NativeProcessorArchitecture());
    }
    if (nt) {
        probe_.LookForTaskManager();
        commands_.EnableTaskManager(probe_.TaskManagerFound());
        if (!probe_.TaskManagerFound()) {
            settings_.CkTM.SetEnabled(false);
        }
    }
    probe_.LookForProcessViewer();
    const bool viewer = probe_.ProcessViewerFound();
    const bool taskManager = probe_.TaskManagerFound();
    if (!viewer && nt) {
        settings_.CkPV.SetEnabled(false);
    }
    // With one tool only, the double-click goes to that one.
    if (viewer && !taskManager) {
        settings_.CkPV.SetEnabled(true);
        settings_.CkPV.SetChecked(true);
    }
    if (taskManager && !viewer) {
        settings_.CkTM.SetEnabled(true);
        settings_.CkTM.SetChecked(true);
    }
}

void Form1::TimerCTick() {
    cycle_.Sample(sources_.Source());
    ReplaceBrokenSource();
}

// The kernel counters that take over from PDH have no Task Manager figure.
void Form1::ReplaceBrokenSource() {
    sources_.ReplaceBrokenSource();
    settings_.CkU.SetEnabled(sources_.LoadAsTaskManagerAvailable());
}

void Form1::Timer1Tick() {
    viewer_.Track(keySuffix_);
    const platform::Rect rect = window_.GetRect();
    if (const auto target = window::EnforceTickGeometry(rect, kept_, settings_.CkM.Checked(), settings_.ckMag.Checked(),
                                                        ScreenOf(rect))) {
        window_.SetRect(*target);
    }
    CPUDraw();
    firstTickDone_ = true;
}

void Form1::CPUDraw() {
    if (const std::optional<float> load = cycle_.Update(interval_, firstTickDone_, sources_.CoreTemp(), clocks_)) {
        RefreshClocks();
        CPUDrawIcon(*load);
    }
}

void Form1::Resumed() {
    if (clsLoadSource* source = sources_.Source()) {
        source->StartFreshInterval();
    }
    // A full refresh period of fresh samples follows; the graph goes on where it was.
    cycle_.DropSamples();
    window_.StartTimer(platform::TimerId::Refresh, interval_);
    window_.StartTimer(platform::TimerId::Sampling, MeasurementCycle::kSamplingInterval);
}

void Form1::TaskbarActivated() {
    if (!settings_.CkB.Checked()) {
        ShowMainWindow(true);
    }
}

void Form1::RefreshClocks() {
    if (!settings_.Visible()) {
        return;
    }
    settings_.LRT = UptimeText(platform_.system.TickCount(), platform_.system.TickCount64());
    settings_.LPR = ProgramRunTime(clocks_, platform_.system.Now());
    settings_.Refresh();
}

std::uint64_t Form1::UptimeSeconds() {
    const auto tick64 = platform_.system.TickCount64();
    return tick64 ? *tick64 / 1000 : static_cast<std::uint64_t>(TickSeconds(platform_.system.TickCount()));
}

void Form1::FocusMainWindow() {
    if (window_.IsVisible()) {
        window_.Focus();
    }
}

void Form1::SetRefreshInterval(int milliseconds) {
    interval_ = milliseconds;
    window_.StartTimer(platform::TimerId::Refresh, interval_);
}

void Form1::ShowRestartHint() {
    if (unloaded_) {
        return;  // the program is ending anyway
    }
    platform_.shell.ShowMessage(" HINWEIS:", "Bitte starten Sie den Taktora neu. Danke!    ",
                                platform::MessageIcon::Exclamation);
}

void Form1::ReSize() {
    const platform::Rect rect = window_.GetRect();
    if (settings_.CkM.Checked()) {
        // A locked window goes back to its kept size, and the graph it shows stays as it is.
        if (rect != kept_) {
            window_.SetRect(kept_);
        }
        if (cycle_.Fits(window_.ClientSize())) {
            return;
        }
    } else {
        kept_.width = rect.width;
        kept_.height = rect.height;
    }
    const platform::Size client = window_.ClientSize();
    if (settings_.Visible() && !settings_.CkM.Checked()) {
        settings_.Caption =
            settingsCaption_ + "   (Size: " + std::to_string(client.width) + "*" + std::to_string(client.height) + ")";
        settings_.Refresh();
    }
    cycle_.Resize(client, !firstTickDone_);
    cycle_.Redraw(sources_.CoreTemp(), clocks_);
}

void Form1::SaveSet() {
    // After the unload has saved, nothing is written any more: a close sent to every window of the process reaches
    // the settings dialog after the main window is gone, and its OK would store that window's empty rectangle.
    if (!unloaded_) {
        WriteSettings();
    }
}

void Form1::WriteSettings() {
    platform::Rect rect = window_.GetRect();
    // A rectangle that cannot be read is never stored; the last accepted one is.
    if (rect.width <= 0 || rect.height <= 0) {
        rect = kept_;
    }
    const auto value = [&](Setting setting) {
        switch (setting) {
            case Setting::WinTop:
                return rect.top;
            case Setting::WinLeft:
                return rect.left;
            case Setting::WinWidth:
                return rect.width;
            case Setting::WinHeight:
                return rect.height;
            case Setting::Interval:
                return interval_;
            default:
                return OptionValue(settings_.Box(Row(setting).box));
        }
    };
    for (std::size_t i = 0; i < kSavedSettingCount; ++i) {
        const auto setting = static_cast<Setting>(i);
        store_.Write(kSettings[i], keySuffix_, value(setting));
        if (setting == Setting::RunAtStartup && runEntryChosen_) {
            if (runAtStartupOn_) {
                RegSetString(platform_.registry, platform::RegRoot::CurrentUser, kRunKeyPath, kSettingsSection,
                             probe_.QuotedExePath() + " /startup");
                // The user asked for it here, so Windows' switch-off goes; otherwise the entry would stay inert.
                if (SwitchedOffByWindows(platform_.registry)) {
                    platform_.registry.DeleteValue(platform::RegRoot::CurrentUser, kStartupApprovedPath,
                                                   kSettingsSection);
                }
            } else {
                RegDeleteString(platform_.registry, platform::RegRoot::CurrentUser, kRunKeyPath, kSettingsSection);
            }
        }
    }
}

void Form1::Unload() {
    if (unloaded_) {
        return;
    }
    unloaded_ = true;
    window_.StopTimer(platform::TimerId::Refresh);
    window_.StopTimer(platform::TimerId::Sampling);
    settings_.Hide();
    WriteSettings();
    sources_.Terminate();
    cycle_.HideTrayIcon();
}

void Form1::ShowMainWindow(bool show) {
    hiddenByOption_ = !show;
    if (show) {
        // Start-up restores the boxes through their clicks; only later is a show the user's, who wants it in front.
        if (loaded_) {
            window_.ShowInFront();
        } else {
            window_.Show();
        }
        // While hidden only the frame was drawn; the columns recorded meanwhile show at once.
        cycle_.Redraw(sources_.CoreTemp(), clocks_);
    } else {
        window_.Hide();
    }
}

void Form1::SetLocked(bool locked) {
    if (!subclassActive_) {
        return;
    }
    const platform::Rect rect = window_.GetRect();
    limits_ = locked ? window::LockedLimits(rect) : window::UnlockedLimits(rect, PrimaryScreen(), twipsX_, twipsY_);
}

void Form1::MousePos(unsigned buttons, unsigned, int x, int y) {
    if (settings_.CkM.Checked()) {
        return;
    }
    const platform::Rect rect = window_.GetRect();
    kept_.left = rect.left;
    kept_.top = rect.top;
    const int magnet = settings_.ckMag.Checked() ? window::kMagnetDistance : 0;
    const platform::Rect screen = ScreenOf(rect);
    // A taskbar on another monitor does not limit this one.
    platform::Rect taskbar = platform_.desktop.TaskbarRect();
    if (!window::OnAnyMonitor(taskbar, {screen})) {
        taskbar = {};
    }
    if (const auto target = window::FormMove(drag_, rect, static_cast<int>(buttons), x, y, magnet, taskbar, screen)) {
        window_.SetRect(*target);
    }
}

void Form1::Task() {
    if (probe_.TaskManagerFound()) {
        const std::string& path = probe_.TaskManagerPath();
        StartProgram(platform_.processes, path, "\"" + path + "\"", false);
    }
}

void Form1::Ext() {
    if (probe_.ExtAvailable()) {
        const std::string& path = probe_.ExtFilePath();
        StartProgram(platform_.processes, path, "\"" + path + "\" !", false);
    }
}

void Form1::Proc() {
    viewer_.Proc(probe_.ProcessViewerFound(), probe_.ProcessViewerPath(), probe_.ProgramDir(), keySuffix_);
}

}  // namespace taktora
