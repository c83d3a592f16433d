#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace taktora {

// A load in 0..100; NaN counts as 0, and -0 as 0.
float ClampedLoad(float load);
// Its whole part, rounded down: the figure the graph and the icon show.
int WholePercent(float load);

// The load history behind the graph: one column per refresh update, newest at index W, plus the moving mean over
// the visible window. Written by the measurement stage of CPUDraw, read by the graph drawing.
class LoadHistory {
public:
    // The mean load of one refresh period: the sum of its sampling-tick results over the number of samples taken
    // (Windows fires a 100 ms timer on its 15.6 ms clock and delays it when busy, so a second often holds 9 samples,
    // not 10); without a sample, over the nominal count. Clamped to 0..100 (a failed reading that ends up NaN counts
    // as 0). Empty when the update must be skipped: a reading of exactly 100 before the first refresh tick has
    // finished comes from the sources' start-up state, not from the machine.
    static std::optional<float> PeriodLoad(float sampleSum, int samples, int interval1Ms, int intervalCMs,
                                           bool firstTickDone);

    // W from the graph box's scale width, or H from its scale height, in pixels.
    static int GraphSize(double scaleSize);

    // The next update starts the graph afresh; called whenever the graph width changes.
    void ResetForWidth() {
        filledColumns_ = 0;
        ++serial_;
    }

    // The graph was W columns wide and is now newW: the columns keep their places from the newest on, the oldest
    // ones that no longer fit are dropped.
    void Rewidth(int w, int newW);

    // Records one update for a graph of W columns. temp is the Core Temp temperature, empty while Core Temp is not
    // the source (TempHistory is then left alone).
    void Record(float periodLoad, std::optional<float> temp, int w);

    // Per column, newest at index W. At least W + 2 elements after Record(.., w).
    const std::vector<float>& Loads() const { return loadHistory_; }
    const std::vector<float>& Means() const { return meanHistory_; }
    const std::vector<float>& Temps() const { return tempHistory_; }
    float WindowMean() const { return windowMean_; }
    int FilledColumns() const { return filledColumns_; }
    // Changes with every Record and every reset, so a drawing can tell whether exactly one update came since.
    std::uint64_t Serial() const { return serial_; }

private:
    std::vector<float> loadHistory_;
    std::vector<float> meanHistory_;
    std::vector<float> tempHistory_;
    float windowMean_ = 0.0f;
    int filledColumns_ = 0;
    std::uint64_t serial_{};
};

}  // namespace taktora
