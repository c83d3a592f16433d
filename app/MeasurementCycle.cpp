#include "app/MeasurementCycle.h"

#include "base/NumberFormat.h"
#include "clocks/RunTime.h"
#include "dialog/frmSet.h"
#include "render/LoadGraph.h"

namespace taktora {

namespace {

// Indexes of the system colours the graph and the icon frame use.
constexpr int kColourWindowFrame = 6;
constexpr int kColourButtonShadow = 16;
constexpr int kColour3dDarkShadow = 21;
constexpr int kColour3dHighlight = 20;

// Spare columns of the graph's picture: it scrolls this many updates before its pixels move back.
constexpr int kScrollRoom = 256;

}  // namespace

MeasurementCycle::MeasurementCycle(Platform& platform, platform::MainWindow& window, frmSet& settings)
    : platform_(platform), window_(window), settings_(settings), tray_(platform.tray) {}

void MeasurementCycle::Sample(clsLoadSource* source) {
    if (source == nullptr) {
        return;
    }
    if (const std::optional<double> sample = source->Query()) {
        sampleSum_ += static_cast<float>(*sample);
        ++samples_;
    }
}

std::optional<float> MeasurementCycle::Update(int interval, bool firstTickDone, clsCoreTemp* coreTemp,
                                              const StartTimes& clocks) {
    const std::optional<float> load =
        LoadHistory::PeriodLoad(sampleSum_, samples_, interval, kSamplingInterval, firstTickDone);
    DropSamples();
    if (!load) {
        return std::nullopt;
    }
    periodLoad_ = *load;
    taskbarText_ = "CPU:" + FormatGeneral(periodLoad_, platform_.system.DecimalSeparator()) + "%";
    platform_.taskbar.SetCaption(taskbarText_);

    const int w = LoadHistory::GraphSize(window_.ClientSize().width);
    history_.Record(periodLoad_, coreTemp != nullptr ? std::optional(coreTemp->Temp()) : std::nullopt, w);
    Draw(coreTemp, clocks);
    return load;
}

void MeasurementCycle::Draw(clsCoreTemp* coreTemp, const StartTimes& clocks) {
    const platform::Size client = window_.ClientSize();
    const int w = LoadHistory::GraphSize(client.width);
    const int h = LoadHistory::GraphSize(client.height);
    render::LoadGraphInput graph{history_, w, h, periodLoad_};
    if (coreTemp != nullptr) {
        const frmSet& s = settings_;
        graph.ShowTemp = s.CkGD.Checked() && s.CkGT.Checked() && s.CkGT.Enabled();
        graph.ShowSpeed = s.CkGS.Checked() && s.CkGS.Enabled();
        graph.ShowCurve = s.CkGL.Checked() && s.CkGL.Enabled();
        graph.Temp = coreTemp->Temp();
        graph.TjMax = coreTemp->uiTjMax(0);
        graph.fCPUspeed = coreTemp->fCPUspeed();
        graph.fFSBspeed = coreTemp->fFSBspeed();
        graph.fMultipier = coreTemp->fMultipier();
    }
    if (!Fits(client)) {
        picture_.Resize(client.width, client.height, 0, kScrollRoom);
        graph_.Invalidate();
    }
    graph.ShowUptime = settings_.CkL.Checked();
    if (graph.ShowUptime) {
        graph.uptimeText =
            WinRun(clocks, platform_.system.Now(), platform_.system.TickCount(), platform_.system.TickCount64());
    }
    graph.decimalSeparator = platform_.system.DecimalSeparator();
    graph.windowFrame = platform_.desktop.SystemColour(kColourWindowFrame);
    graph.buttonShadow = platform_.desktop.SystemColour(kColourButtonShadow);
    graph.visible = window_.IsVisible();
    const std::optional<std::string> toolTip = graph_.Draw(picture_, platform_.text, graph);
    window_.Present(picture_);
    if (toolTip) {
        window_.SetToolTip(*toolTip);
    }
}

void MeasurementCycle::Redraw(clsCoreTemp* coreTemp, const StartTimes& clocks) {
    if (history_.FilledColumns() > 0) {
        Draw(coreTemp, clocks);
    }
}

render::IconSwitches MeasurementCycle::IconSwitchesNow() const {
    const frmSet& s = settings_;
    return {s.CkT.Checked(), s.CkG.Checked(), s.CkN.Checked(), s.CkD.Checked(), s.CkZ.Checked()};
}

render::IconFrameColours MeasurementCycle::IconFrame() const {
    return {platform_.desktop.SystemColour(kColour3dDarkShadow), platform_.desktop.SystemColour(kColour3dHighlight)};
}

void MeasurementCycle::PrepareTrayIcon() {
    render::IconSwitches switches = IconSwitchesNow();
    switches.tray = true;
    iconPicture_.Update(0, switches, IconFrame());
}

void MeasurementCycle::DrawIcon(float load, int interval) {
    if (!iconPicture_.Update(load, IconSwitchesNow(), IconFrame())) {
        return;
    }
    // Every icon handed to the shell is made anew, which is dear (a third of a millisecond under Wine); at refresh
    // rates faster than twice a second the notification area and the taskbar button get the newest picture twice a
    // second. Windows' timer messages come up to one clock tick early or late, hence the slack.
    const std::uint32_t now = platform_.system.TickCount();
    if (interval < static_cast<int>(kIconIntervalMs) && lastIconSent_ &&
        now - *lastIconSent_ < kIconIntervalMs - kTimerSlackMs) {
        return;
    }
    lastIconSent_ = now;
    const render::IconSizes sizes = IconSizes();
    const Image small = iconPicture_.Canvas(sizes.small);
    tray_.Update(small, render::IconTooltip(load));
    if (settings_.CkG.Checked()) {
        platform_.taskbar.SetIcon(small, iconPicture_.Canvas(sizes.big));
    }
}

// Asked for once, and again after Windows says that the screens, their scales or the taskbar changed: each question
// costs the shell's window and monitor and three calls to the window server under Wine.
render::IconSizes MeasurementCycle::IconSizes() {
    if (!iconSizes_) {
        iconSizes_ = render::ShellIconSizes(platform_.desktop);
    }
    return *iconSizes_;
}

void MeasurementCycle::ShowTrayIcon(bool show) {
    if (show) {
        // Until the next update the icon has no tooltip: the load text is not known yet at start-up, and a
        // tooltip from an earlier update would show an old load.
        tray_.Show(iconPicture_.Canvas(IconSizes().small), "");
    } else {
        tray_.Hide();
    }
}

void MeasurementCycle::Resize(const platform::Size& client, bool waiting) {
    picture_.Resize(client.width, client.height, 0, kScrollRoom);
    graph_.Invalidate();
    const int windowWidth = window_.GetRect().width;
    if (client.width != graphWidth_) {
        // A window of the same width whose client area changed lost or gained its frame (Windows 10 and 11 drop
        // the invisible one when the window is first shown): the same graph, only wider or narrower.
        if (windowWidth == windowWidth_) {  // never on the first resize
            history_.Rewidth(LoadHistory::GraphSize(*graphWidth_), LoadHistory::GraphSize(client.width));
        } else {
            history_.ResetForWidth();
        }
        graphWidth_ = client.width;
    }
    windowWidth_ = windowWidth;
    render::DrawGraphFrame(picture_, platform_.desktop.SystemColour(kColourWindowFrame),
                           platform_.desktop.SystemColour(kColourButtonShadow));
    if (waiting) {
        render::DrawWaitNote(picture_, platform_.text);
    }
    window_.Present(picture_);
}

}  // namespace taktora
