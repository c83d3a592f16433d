#include "app/Form1.h"

#include <cmath>

#include "app/StartupRules.h"
#include "base/NumberFormat.h"
#include "base/RegistryStrings.h"
#include "clocks/RunTime.h"
#include "render/LoadGraph.h"
#include "sources/CPUUsage9x.h"
#include "sources/CPUUsageNT.h"
#include "sources/CPUpdh.h"
#include "tools/Launch.h"
#include "window/Geometry.h"

namespace taktora {

namespace {

constexpr const char* kBuildDate = "05.08.2010";
constexpr const char* kSettingsApp = "Brisko-Software";
constexpr const char* kSettingsSection = "Taktora";
constexpr int kDesignWidth = 192;
constexpr int kDesignHeight = 64;
constexpr int kDesignTop = 32;
constexpr int kDesignLeft = 32;
constexpr int kTwipsPerInch = 1440;
constexpr int kColourWindowFrame = 6;
constexpr int kColourButtonShadow = 16;
constexpr int kColour3dDarkShadow = 21;
constexpr int kColour3dHighlight = 20;

// Mouse messages of the tray icon's events.
constexpr int kTrayLeftDown = 0x201;
constexpr int kTrayLeftDoubleClick = 0x203;
constexpr int kTrayRightUp = 0x205;

// Setting names of the option boxes, in the order SaveSet writes them (RunAtStartup is written apart).
struct StoredOption {
    const char* key;
    int fallback;
    OptionBox frmSet::*box;
};
constexpr StoredOption kStoredOptions[] = {
    {"ShowRunTime", 1, &frmSet::CkL},     {"ShowInTask", 0, &frmSet::CkG},    {"ShowInTray", 1, &frmSet::CkT},
    {"ShowUsageValue", 1, &frmSet::CkN},  {"LockWindow", 0, &frmSet::CkM},    {"HideWindow", 0, &frmSet::CkB},
    {"WindowOnTop", 0, &frmSet::ckO},     {"UseBoldFont", 0, &frmSet::CkD},   {"AlignCenter", 0, &frmSet::CkZ},
    {"TaskManager", 1, &frmSet::CkTM},    {"ProcessView", 1, &frmSet::CkPV},  {"Magnetic", 1, &frmSet::ckMag},
    {"UseGetCoreTemp", 1, &frmSet::CkGD}, {"ShowCoreTemp", 1, &frmSet::CkGT}, {"ShowCoreTempLine", 1, &frmSet::CkGL},
    {"ShowCoreSpeed", 1, &frmSet::CkGS},
};

// The popup menu's entries; the blank runs line the key names up in the menu's font.
enum MenuIndex { kMenuSettings = 1, kMenuTaskManager = 2, kMenuProcessViewer = 3, kMenuExtra = 8, kMenuEnd = 9 };

// Virtual-key codes and shift masks of the key table.
constexpr int kShiftNone = 0;
constexpr int kShiftAlt = 4;
constexpr int kKeyE = 69;
constexpr int kKeyP = 80;
constexpr int kKeyT = 84;
constexpr int kKeyF1 = 112;
constexpr int kKeyF2 = 113;
constexpr int kKeyF3 = 114;
constexpr int kKeyF4 = 115;
constexpr int kKeyF5 = 116;

}  // namespace

Form1::Form1(Platform& platform, platform::MainWindow& window)
    : platform_(platform),
      window_(window),
      store_(platform.registry, kSettingsApp, kSettingsSection),
      settings_(*this),
      viewer_(platform.processes, platform.shell, store_),
      tray_(platform.tray) {
    mnuPopUp = {
        {kMenuSettings, "&Einstellungen      F1", true, true},
        {kMenuTaskManager, "&TaskManager      Alt+T", false, true},
        {kMenuProcessViewer, "&ProcessViewer    Alt+P", true, true},
        {kMenuExtra, "T&etraeder           Alt+E", false, false},
        {kMenuEnd, "&Beenden             Alt+F4", true, true},
    };
}

platform::Rect Form1::PrimaryScreen() {
    const platform::Size screen = platform_.desktop.ScreenSize();
    return {0, 0, screen.width, screen.height};
}

platform::Rect Form1::ScreenOf(const platform::Rect& window) {
    return window::MonitorFor(window, monitors_);
}

bool Form1::FileExists(const std::string& path) {
    // Hidden and system files and folders do not count, nor does an empty file.
    const auto entry = platform_.files.FindFirst(path);
    constexpr std::uint32_t kNotNormal =
        platform::kAttributeHidden | platform::kAttributeSystem | platform::kAttributeDirectory;
    return entry && (entry->attributes & kNotNormal) == 0 && entry->size > 0;
}

void Form1::Load() {
    SettingsApp = kSettingsApp;
    SettingsSection = kSettingsSection;
    RunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    FixPaths();
    CoreTempFound = platform_.system.TopLevelWindowOfClassExists(kCoreTempWindowClass);
    // The shared-memory reader is part of the program, so it is always at hand.
    CoreTempDllReady = true;

    const platform::ProgramVersion version = platform_.system.Program();
    ProgramVersion = ProgramVersionText(version.major, version.minor, version.revision);
    settings_.LV = "Version " + ProgramVersion + " - " + kBuildDate;
    settings_.MakerMail = version.comments;

    monitors_ = platform_.desktop.Monitors();
    const int dpi = platform_.desktop.Dpi();
    TwipsX = TwipsY = static_cast<float>(kTwipsPerInch) / (dpi > 0 ? dpi : 96);

    ApplyCommandLine();
    Clocks =
        SetStartTime(WindowsStartKnown, platform_.system.Now(), UptimeSeconds(), platform_.registry, platform_.files);
    ExtAvailable = FileExists(ExtFilePath);
    mnuPopUp[3].visible = mnuPopUp[3].enabled = ExtAvailable;
    InstallSizeLimits();
    RestoreGeometry();
    if (FileExists(ProcessViewerPath)) {
        viewer_.RepairSettings(platform_.registry, ViewerToolPath, FileExists(ViewerToolPath));
    }
    TransferOptions();
    CheckRunEntry();
    settings_.CkG.SetChecked(store_.ReadOption(Key("ShowInTask"), 0) != 0);
    platform_.taskbar.SetCaption(TaskbarText);
    settings_.CkZ.SetChecked(store_.ReadOption(Key("AlignCenter"), 0) != 0);
    settings_.CkD.SetChecked(store_.ReadOption(Key("UseBoldFont"), 0) != 0);
    ApplyPriority();
    CreateLoadSource();
    LoadSource->Initialize();
    ApplyInterval();
    if (runEntryToRestore_) {
        // Only now that every stored value is read does the save write back what the user had.
        SaveSet();
    }
    if (KeepOnTop) {
        window_.SetTopMost(true);
    }
    ReSize();
    if (!FirstTickDone) {
        render::DrawWaitNote(picture_, platform_.text);
        window_.Present(picture_);
    }
    CPUDraw();
    window_.StartTimer(platform::TimerId::Refresh, Interval);
    window_.StartTimer(platform::TimerId::Sampling, kSamplingInterval);
    SettingsCaption = settings_.Caption;
}

void Form1::ShowAfterLoad() {
    if (!hiddenByOption_) {
        window_.Show();
    }
}

void Form1::FixPaths() {
    const std::string modulePath = platform_.system.ModulePath();
    ProgramDir = FolderOf(modulePath);
    const std::string baseName = BaseNameOf(modulePath);
    QuotedExePath = "\"" + ProgramDir + baseName + ".exe\"";
    ExtFilePath = ProgramDir + baseName + ".ext";
    TaskManagerPath =
        SystemDirectory(platform_.system.Environment("WINDIR"), platform_.system.Environment("OS")) + "TaskMgr.exe";
    ProcessViewerPath = ProgramDir + "PViewer\\PrcView.exe";
    ViewerToolPath = ProgramDir + "PViewer\\PV.exe";
}

void Form1::ApplyCommandLine() {
    const CommandLineChoice choice = ParseCommandLine(platform_.system.CommandLineArguments());
    if (choice.startupWait) {
        // Started at logon: give the rest of the desktop its start before we take a high priority.
        platform_.system.Sleep(kStartupWaitMs);
        WindowsStartKnown = true;
    }
    KeySuffix = choice.keySuffix;
}

void Form1::InstallSizeLimits() {
    SubclassActive = true;
    ApplyLimits(window::UnlockedLimits({0, 0, kDesignWidth, kDesignHeight}, PrimaryScreen(), TwipsX, TwipsY));
}

void Form1::ApplyLimits(const window::MinMaxLimits& limits) {
    MinWidth = limits.MinWidth;
    MinHeight = limits.MinHeight;
    MaxWidth = limits.MaxWidth;
    MaxHeight = limits.MaxHeight;
}

void Form1::RestoreGeometry() {
    const auto pixels = [this](const char* name, int fallback) {
        return static_cast<int>(std::lround(store_.ReadNumber(Key(name), fallback)));
    };
    platform::Rect rect{pixels("WinLeft", kDesignLeft), pixels("WinTop", kDesignTop), pixels("WinWidth", kDesignWidth),
                        pixels("WinHeight", kDesignHeight)};
    // Windows would not let a sizable window be smaller than its tracking minimum either.
    rect.width = std::max(rect.width, MinWidth);
    rect.height = std::max(rect.height, MinHeight);
    // A place on a monitor that is no longer there would leave the window out of reach.
    if (!window::OnAnyMonitor(rect, monitors_)) {
        rect = window::KeepOnScreen(rect, ScreenOf(rect));
    }
    window_.SetRect(rect);
}

void Form1::TransferOptions() {
    const auto option = [this](const char* name, int fallback) { return store_.ReadOption(Key(name), fallback); };
    frmSet& s = settings_;

    s.CkGD.SetEnabled(CoreTempFound && CoreTempDllReady);
    if (option("UseGetCoreTemp", 1) == 0) {
        s.CkGD.SetChecked(false);
        for (OptionBox* box : {&s.CkGT, &s.CkGS, &s.CkGL}) {
            box->SetEnabled(false);
        }
        CoreTempActive = false;
    } else {
        s.CkGD.SetChecked(true);
        for (OptionBox* box : {&s.CkGT, &s.CkGS, &s.CkGL}) {
            box->SetEnabled(true);
        }
        CoreTempActive = CoreTempFound && CoreTempDllReady;
    }
    s.CkGT.SetChecked(option("ShowCoreTemp", 1) != 0);
    s.CkGS.SetChecked(option("ShowCoreSpeed", 1) != 0);
    s.CkGL.SetChecked(option("ShowCoreTempLine", 1) != 0);
    s.ckMag.SetChecked(option("Magnetic", 1) != 0);

    if (s.ckMag.Checked()) {
        const platform::Rect rect = window_.GetRect();
        window_.SetRect(window::KeepOnScreen(rect, ScreenOf(rect)));
    }
    Kept = window_.GetRect();

    s.CkL.SetChecked(option("ShowRunTime", 1) != 0);

    const int showInTray = option("ShowInTray", 1);
    if (showInTray != 0) {
        // The icon is registered at once, with the picture of a load of 0 and the still empty load text.
        render::IconSwitches switches = IconSwitchesNow();
        switches.tray = true;
        iconPicture_.Update(0, switches, IconFrame());
    }
    s.CkT.SetChecked(showInTray != 0);
    s.CkTM.SetEnabled(showInTray != 0);
    s.CkPV.SetEnabled(showInTray != 0);

    s.CkM.SetChecked(option("LockWindow", 0) != 0);
    s.CkN.SetChecked(option("ShowUsageValue", 1) != 0);
    s.CkB.SetChecked(option("HideWindow", 0) != 0);
    // The box's click hides the window behind any ticked tray box; at start only a tray setting of exactly 1 does.
    if (showInTray != 1) {
        hiddenByOption_ = false;
    }

    // The two double-click choices exclude each other; with both stored as 1 the Process Viewer wins.
    if (option("TaskManager", 1) != 0) {
        s.CkTM.SetChecked(true);
        s.CkPV.SetChecked(false);
    } else {
        s.CkTM.SetChecked(false);
    }
    if (option("ProcessView", 1) != 0) {
        s.CkPV.SetChecked(true);
        s.CkTM.SetChecked(false);
    } else {
        s.CkPV.SetChecked(false);
    }

    const bool onTop = option("WindowOnTop", 0) != 0;
    s.ckO.SetChecked(onTop);
    KeepOnTop = onTop;
}

void Form1::CheckRunEntry() {
    const std::string entry =
        RegGetString(platform_.registry, platform::RegRoot::CurrentUser, RunKeyPath, SettingsSection);
    settings_.CkS.SetChecked(!entry.empty());
    RunAtStartupOn = !entry.empty();
    if (entry.empty() && store_.ReadOption(Key("RunAtStartup"), 0) == 1) {
        // The user asked for the Run entry but it has gone (cleaned up by some tool): put it back once the rest of
        // the settings is read.
        RunAtStartupOn = true;
        settings_.CkS.SetChecked(true);
        runEntryToRestore_ = true;
    }
}

void Form1::ApplyPriority() {
    if (store_.ReadOption(Key("MaxTaskPriority"), 1) == 1) {
        platform_.system.RaiseThreadPriority();
        platform_.system.RaiseProcessPriority();
    }
}

void Form1::CreateLoadSource() {
    const platform::OsVersion os = platform_.system.Version();
    if (os.platformId == 2) {
        if (CoreTempFound && CoreTempDllReady) {
            TryCoreTemp();
        }
        if (!CoreTempActive) {
            settings_.CkGD.SetChecked(false);
            const int architecture = ArchitectureValue(os.platformId, platform_.system.NativeProcessorArchitecture());
            if (ChooseLoadSource(os.platformId, architecture, os.major, os.minor) == LoadSourceKind::Pdh) {
                LoadSource = std::make_unique<clsCPUpdh>(platform_.pdh);
            } else {
                LoadSource = std::make_unique<clsCPUUsageNT>(platform_.kernel);
            }
        }
        TaskManagerFound = FileExists(TaskManagerPath);
        mnuPopUp[1].enabled = TaskManagerFound;
        if (!TaskManagerFound) {
            settings_.CkTM.SetEnabled(false);
        }
    } else {
        LoadSource = std::make_unique<clsCPUUsage>(platform_.dynStats);
    }
    ProcessViewerFound = FileExists(ProcessViewerPath);
    if (!ProcessViewerFound && os.platformId == 2) {
        settings_.CkPV.SetEnabled(false);
    }

    if (ProcessViewerFound && !TaskManagerFound) {
        settings_.CkPV.SetEnabled(true);
        settings_.CkPV.SetChecked(true);
    }
    if (TaskManagerFound && !ProcessViewerFound) {
        settings_.CkTM.SetEnabled(true);
        settings_.CkTM.SetChecked(true);
    }
}

void Form1::TryCoreTemp() {
    auto coreTemp = std::make_unique<clsCoreTemp>(platform_.shared);
    if (!coreTemp->Init()) {
        settings_.CkGD.SetEnabled(false);
        CoreTempActive = false;
        return;
    }
    CoreTempActive = settings_.CkGD.Checked();
    if (CoreTempActive) {
        CoreTemp = coreTemp.get();
        LoadSource = std::move(coreTemp);
    }
}

void Form1::ApplyInterval() {
    Interval = store_.ReadInterval(Key("Interval"), kDefaultInterval);
    settings_.CO1 = RateBoxText(Interval);
}

void Form1::TimerCTick() {
    if (LoadSource) {
        SampleSum += static_cast<float>(LoadSource->Query());
    }
}

void Form1::Timer1Tick() {
    viewer_.Track(KeySuffix);
    const platform::Rect rect = window_.GetRect();
    if (const auto target = window::EnforceTickGeometry(rect, Kept, settings_.CkM.Checked(), settings_.ckMag.Checked(),
                                                        ScreenOf(rect))) {
        window_.SetRect(*target);
    }
    CPUDraw();
    FirstTickDone = true;
}

void Form1::CPUDraw() {
    const std::optional<float> load = LoadHistory::PeriodLoad(SampleSum, Interval, kSamplingInterval, FirstTickDone);
    SampleSum = 0;
    if (!load) {
        return;
    }
    PeriodLoad = *load;
    TaskbarText = "CPU:" + FormatGeneral(PeriodLoad, platform_.system.DecimalSeparator()) + "%";
    platform_.taskbar.SetCaption(TaskbarText);

    const platform::Size client = window_.ClientSize();
    const int w = LoadHistory::GraphSize(client.width);
    const int h = LoadHistory::GraphSize(client.height);
    render::LoadGraphInput graph{history_, w, h, PeriodLoad};
    std::optional<float> temp;
    if (CoreTempActive) {
        const frmSet& s = settings_;
        graph.ShowTemp = s.CkGD.Checked() && s.CkGT.Checked() && s.CkGT.Enabled();
        graph.ShowSpeed = s.CkGS.Checked() && s.CkGS.Enabled();
        graph.ShowCurve = s.CkGL.Checked() && s.CkGL.Enabled();
        graph.Temp = CoreTemp->Temp();
        graph.TjMax = CoreTemp->uiTjMax(0);
        graph.fCPUspeed = CoreTemp->fCPUspeed();
        graph.fFSBspeed = CoreTemp->fFSBspeed();
        graph.fMultipier = CoreTemp->fMultipier();
        temp = graph.Temp;
    }
    history_.Record(PeriodLoad, temp, w);

    if (picture_.Width() != client.width || picture_.Height() != client.height) {
        picture_.Resize(client.width, client.height);
    }
    graph.ShowUptime = settings_.CkL.Checked();
    if (graph.ShowUptime) {
        graph.uptimeText =
            WinRun(Clocks, platform_.system.Now(), platform_.system.TickCount(), platform_.system.TickCount64());
    }
    graph.decimalSeparator = platform_.system.DecimalSeparator();
    graph.windowFrame = platform_.desktop.SystemColour(kColourWindowFrame);
    graph.buttonShadow = platform_.desktop.SystemColour(kColourButtonShadow);
    graph.visible = window_.IsVisible();
    const std::optional<std::string> toolTip = render::DrawLoadGraph(picture_, platform_.text, graph);
    window_.Present(picture_);
    if (toolTip) {
        window_.SetToolTip(*toolTip);
    }
    RefreshClocks();
    CPUDrawIcon(PeriodLoad);
}

render::IconSwitches Form1::IconSwitchesNow() {
    return {settings_.CkT.Checked(), settings_.CkG.Checked(), settings_.CkN.Checked(), settings_.CkD.Checked(),
            settings_.CkZ.Checked()};
}

render::IconFrameColours Form1::IconFrame() {
    return {platform_.desktop.SystemColour(kColour3dDarkShadow), platform_.desktop.SystemColour(kColour3dHighlight)};
}

void Form1::CPUDrawIcon(float load) {
    if (!iconPicture_.Update(load, IconSwitchesNow(), IconFrame())) {
        return;
    }
    // Every icon handed to the shell is made anew, which is dear (a third of a millisecond under Wine); at refresh
    // rates faster than twice a second the notification area and the taskbar button get the newest picture twice a
    // second. Windows' timer messages come up to one clock tick early or late, hence the slack.
    const std::uint32_t now = platform_.system.TickCount();
    if (Interval < static_cast<int>(kIconIntervalMs) && lastIconSent_ &&
        now - *lastIconSent_ < kIconIntervalMs - kTimerSlackMs) {
        return;
    }
    lastIconSent_ = now;
    tray_.Update(iconPicture_.Canvas(), render::IconTooltip(load));
    if (settings_.CkG.Checked()) {
        platform_.taskbar.SetIcon(iconPicture_.Canvas());
    }
}

void Form1::TrayMessage(int mouseMessage) {
    frmSet& s = settings_;
    switch (mouseMessage) {
        case kTrayLeftDown:
            if (!s.CkB.Checked()) {
                ShowMainWindow(true);
            }
            break;
        case kTrayLeftDoubleClick:
            if (!s.CkTM.Checked() && !s.CkPV.Checked()) {
                if (s.CkB.Checked()) {
                    ShowSettings();
                }
                break;
            }
            if (s.CkTM.Checked() && TaskManagerFound) {
                Task();
            }
            if (s.CkPV.Checked() && ProcessViewerFound) {
                Proc();
            }
            break;
        case kTrayRightUp:
            OpenMenu();
            break;
        default:
            break;
    }
}

void Form1::Resumed() {
    if (LoadSource) {
        LoadSource->StartFreshInterval();
    }
    // A full refresh period of fresh samples follows; the graph goes on where it was.
    SampleSum = 0;
    window_.StartTimer(platform::TimerId::Refresh, Interval);
    window_.StartTimer(platform::TimerId::Sampling, kSamplingInterval);
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
    settings_.LPR = ProgramRunTime(Clocks, platform_.system.Now());
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
    Interval = milliseconds;
    window_.StartTimer(platform::TimerId::Refresh, Interval);
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
        if (rect != Kept) {
            window_.SetRect(Kept);
        }
        const platform::Size client = window_.ClientSize();
        if (picture_.Width() == client.width && picture_.Height() == client.height) {
            return;
        }
    } else {
        Kept.width = rect.width;
        Kept.height = rect.height;
    }
    const platform::Size client = window_.ClientSize();
    if (settings_.Visible() && !settings_.CkM.Checked()) {
        settings_.Caption =
            SettingsCaption + "   (Size: " + std::to_string(client.width) + "*" + std::to_string(client.height) + ")";
        settings_.Refresh();
    }
    picture_.Resize(client.width, client.height);
    if (client.width != graphWidth_) {
        graphWidth_ = client.width;
        history_.ResetForWidth();
    }
    render::DrawGraphFrame(picture_, platform_.desktop.SystemColour(kColourWindowFrame),
                           platform_.desktop.SystemColour(kColourButtonShadow));
    window_.Present(picture_);
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
        rect = Kept;
    }
    store_.Write(Key("WinTop"), std::to_string(rect.top));
    store_.Write(Key("WinLeft"), std::to_string(rect.left));
    store_.Write(Key("WinWidth"), std::to_string(rect.width));
    store_.Write(Key("WinHeight"), std::to_string(rect.height));
    store_.Write(Key("Interval"), std::to_string(Interval));

    // RunAtStartup is one per user, whatever profile is running.
    store_.Write("RunAtStartup", OptionText(settings_.CkS));
    if (RunAtStartupOn) {
        RegSetString(platform_.registry, platform::RegRoot::CurrentUser, RunKeyPath, SettingsSection,
                     QuotedExePath + " /startup");
    } else {
        RegDeleteString(platform_.registry, platform::RegRoot::CurrentUser, RunKeyPath, SettingsSection);
    }
    for (const StoredOption& option : kStoredOptions) {
        store_.Write(Key(option.key), OptionText(settings_.*option.box));
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
    if (LoadSource) {
        LoadSource->Terminate();
        CoreTemp = nullptr;
        LoadSource.reset();
    }
    tray_.Hide();
}

void Form1::ShowTrayIcon(bool show) {
    if (show) {
        // Until the next update the icon has no tooltip: the load text is not known yet at start-up, and a
        // tooltip from an earlier update would show an old load.
        tray_.Show(iconPicture_.Canvas(), "");
    } else {
        tray_.Hide();
    }
}

void Form1::ShowMainWindow(bool show) {
    hiddenByOption_ = !show;
    if (show) {
        window_.Show();
    } else {
        window_.Hide();
    }
}

void Form1::ShowTaskbarButton(bool show) {
    platform_.taskbar.Show(show);
}

void Form1::SetKeepOnTop(bool onTop) {
    KeepOnTop = onTop;
    window_.SetTopMost(onTop);
}

void Form1::SetLocked(bool locked) {
    if (!SubclassActive) {
        return;
    }
    const platform::Rect rect = window_.GetRect();
    ApplyLimits(locked ? window::LockedLimits(rect) : window::UnlockedLimits(rect, PrimaryScreen(), TwipsX, TwipsY));
}

void Form1::MousePos(int button, int, int x, int y) {
    if (settings_.CkM.Checked()) {
        return;
    }
    const platform::Rect rect = window_.GetRect();
    Kept.left = rect.left;
    Kept.top = rect.top;
    const int magnet = settings_.ckMag.Checked() ? window::kMagnetDistance : 0;
    const platform::Rect screen = ScreenOf(rect);
    // A taskbar on another monitor does not limit this one.
    platform::Rect taskbar = platform_.desktop.TaskbarRect();
    if (!window::OnAnyMonitor(taskbar, {screen})) {
        taskbar = {};
    }
    if (const auto target = window::FormMove(drag_, rect, button, x, y, magnet, taskbar, screen)) {
        window_.SetRect(*target);
    }
}

void Form1::Task() {
    if (TaskManagerFound) {
        StartProgram(platform_.processes, TaskManagerPath, "\"" + TaskManagerPath + "\"", false);
    }
}

void Form1::Ext() {
    if (ExtAvailable) {
        StartProgram(platform_.processes, ExtFilePath, "\"" + ExtFilePath + "\" !", false);
    }
}

void Form1::Proc() {
    viewer_.Proc(ProcessViewerFound, ProcessViewerPath, ProgramDir, KeySuffix);
}

void Form1::PicClick() {
    if (LastPicButton == 2) {
        OpenMenu();
    }
}

void Form1::PicDoubleClick() {
    if (LastPicButton == 1) {
        ShowSettings();
        CPUDraw();
    }
    LastPicButton = 0;
}

void Form1::OpenMenu() {
    MenuClick(window_.ShowPopupMenu(mnuPopUp));
}

void Form1::MenuClick(int index) {
    switch (index) {
        case kMenuSettings:
            ShowSettings();
            break;
        case kMenuTaskManager:
            Task();
            break;
        case kMenuProcessViewer:
            Proc();
            break;
        case kMenuExtra:
            Ext();
            break;
        case kMenuEnd:
            window_.Close();
            break;
        default:
            break;
    }
}

void Form1::ToggleAndRedraw(OptionBox& box) {
    if (box.Enabled()) {
        box.Toggle();
        CPUDraw();
    }
}

void Form1::KeyS(int keyCode, int shift) {
    if (shift == kShiftNone) {
        switch (keyCode) {
            case kKeyF1:
                ShowSettings();
                return;
            case kKeyF2:
                settings_.CkL.Toggle();
                CPUDraw();
                return;
            case kKeyF3:
                ToggleAndRedraw(settings_.CkGS);
                return;
            case kKeyF4:
                ToggleAndRedraw(settings_.CkGT);
                return;
            case kKeyF5:
                ToggleAndRedraw(settings_.CkGL);
                return;
            default:
                return;
        }
    }
    if (shift != kShiftAlt) {
        return;
    }
    switch (keyCode) {
        case kKeyF4:
            window_.Close();
            return;
        case kKeyE:
            Ext();
            return;
        case kKeyP:
            Proc();
            return;
        case kKeyT:
            Task();
            return;
        default:
            return;
    }
}

}  // namespace taktora
