#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/Platform.h"
#include "base/LoadHistory.h"
#include "clocks/StartTimes.h"
#include "platform/Image.h"
#include "platform/MainWindow.h"
#include "render/LoadGraph.h"
#include "render/TrayIconImage.h"
#include "sources/CoreTemp.h"
#include "sources/LoadSource.h"
#include "tray/TrayRegistration.h"

namespace taktora {

class frmSet;

// The measurement cycle: samples summed between two refresh ticks, the load of each period drawn into the graph,
// shown in the taskbar caption and handed to the tray icon and the taskbar button at a rate the shell can take.
class MeasurementCycle {
public:
    static constexpr int kSamplingInterval = clsLoadSource::kSamplingIntervalMs;
    static constexpr std::uint32_t kIconIntervalMs = 500;
    static constexpr std::uint32_t kTimerSlackMs = 16;  // one tick of Windows' clock

    MeasurementCycle(Platform& platform, platform::MainWindow& window, frmSet& settings);

    void Sample(clsLoadSource* source);
    // Drops the samples of the period under way: after sleep they would mix the time before and after it.
    void DropSamples() {
        sampleSum_ = 0;
        samples_ = 0;
    }
    // Ends the period: the graph and the caption show its load, which it returns for the icons. Returns nothing when
    // the period is skipped: before the first refresh tick, while the start-up period is not a whole period yet.
    std::optional<float> Update(int interval, bool firstTickDone, clsCoreTemp* coreTemp, const StartTimes& clocks);
    // The icon picture for a load, handed to the tray and the taskbar button.
    void DrawIcon(float load, int interval);
    // The icon registered at start with a load of 0, before the first update.
    void PrepareTrayIcon();

    // A new client size: a cleared graph with its frame, and a fresh graph when the window's width changed. Until
    // the first update, the picture also says that it is coming.
    void Resize(const platform::Size& client, bool waiting);
    // The graph drawn again from the history, without a new update: after the window was shown or lost its frame.
    void Redraw(clsCoreTemp* coreTemp, const StartTimes& clocks);
    // Whether the graph picture has the client size already.
    bool Fits(const platform::Size& client) const {
        return picture_.Width() == client.width && picture_.Height() == client.height;
    }

    // The screens, their scales or the taskbar changed: the icons' sizes are asked for again.
    void DisplayChanged() { iconSizes_.reset(); }

    void ShowTrayIcon(bool show);
    void HideTrayIcon() { tray_.Hide(); }
    void TrayRecreated() { tray_.Recreated(); }
    bool TrayIconShown() const { return tray_.TrayIconShown(); }

    const std::string& TaskbarText() const { return taskbarText_; }
    const LoadHistory& History() const { return history_; }

private:
    void Draw(clsCoreTemp* coreTemp, const StartTimes& clocks);
    render::IconSwitches IconSwitchesNow() const;
    render::IconFrameColours IconFrame() const;
    render::IconSizes IconSizes();

    Platform& platform_;
    platform::MainWindow& window_;
    frmSet& settings_;
    float sampleSum_ = 0;
    int samples_ = 0;
    float periodLoad_ = 0;
    std::string taskbarText_;
    LoadHistory history_;
    Image picture_;
    render::LoadGraphPainter graph_;
    std::optional<render::IconSizes> iconSizes_;  // the shell's, as last asked for
    std::optional<int> graphWidth_;               // of the client area, none before the first resize
    std::optional<int> windowWidth_;              // of the whole window
    render::TrayIconPicture iconPicture_;
    render::TrayRegistration tray_;
    std::optional<std::uint32_t> lastIconSent_;  // tick count of the last picture given to the shell
};

}  // namespace taktora
