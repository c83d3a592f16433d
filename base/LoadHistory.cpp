#include "base/LoadHistory.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>

namespace taktora {

namespace {

constexpr int kDefaultRefreshMs = 1000;
constexpr int kDefaultSamplingMs = 100;
// Windows keeps window sizes inside the 16-bit coordinate range; anything larger is a garbage size and must not
// turn into gigabytes of history.
constexpr double kMaxGraphSize = 32767.0;

}  // namespace

float ClampedLoad(float load) {
    // fmax turns NaN into 0, and adding 0 turns -0 into 0.
    return std::fmin(std::fmax(load, 0.0f), 100.0f) + 0.0f;
}

int WholePercent(float load) {
    return static_cast<int>(std::floor(ClampedLoad(load)));
}

std::optional<float> LoadHistory::PeriodLoad(float sampleSum, int samples, int interval1Ms, int intervalCMs,
                                             bool firstTickDone) {
    if (interval1Ms <= 0 || intervalCMs <= 0) {
        interval1Ms = kDefaultRefreshMs;
        intervalCMs = kDefaultSamplingMs;
    }
    const double divisor = samples > 0 ? samples : static_cast<double>(interval1Ms) / intervalCMs;
    const float load = ClampedLoad(static_cast<float>(sampleSum / divisor));
    if (load == 100.0f && !firstTickDone) {
        return std::nullopt;
    }
    return load;
}

int LoadHistory::GraphSize(double scaleSize) {
    if (!std::isfinite(scaleSize)) {
        return 1;
    }
    const double size = std::nearbyint(std::clamp(scaleSize, 0.0, kMaxGraphSize) - 1.0) - 2.0;
    return std::max(static_cast<int>(size), 1);
}

void LoadHistory::Rewidth(int w, int newW) {
    w = std::clamp(w, 1, static_cast<int>(kMaxGraphSize));
    newW = std::clamp(newW, 1, static_cast<int>(kMaxGraphSize));
    const std::size_t needed = static_cast<std::size_t>(std::max(w, newW)) + 2;
    for (std::vector<float>* column : {&loadHistory_, &meanHistory_, &tempHistory_}) {
        column->resize(std::max(column->size(), needed), 0.0f);
        if (newW > w) {
            std::copy_backward(column->begin(), column->begin() + w + 2, column->begin() + newW + 2);
            std::fill(column->begin(), column->begin() + (newW - w), 0.0f);
        } else {
            std::copy(column->begin() + (w - newW), column->begin() + w + 2, column->begin());
        }
    }
    filledColumns_ = std::min(filledColumns_, newW);
    ++serial_;
}

void LoadHistory::Record(float periodLoad, std::optional<float> temp, int w) {
    w = std::clamp(w, 1, static_cast<int>(kMaxGraphSize));
    const std::size_t needed = static_cast<std::size_t>(w) + 2;
    for (std::vector<float>* column : {&loadHistory_, &meanHistory_, &tempHistory_}) {
        column->resize(std::max(column->size(), needed), 0.0f);
    }
    const std::size_t newest = static_cast<std::size_t>(w) + 1;
    if (filledColumns_ == 0) {
        std::fill(loadHistory_.begin() + 1, loadHistory_.begin() + newest + 1, 0.0f);
        std::fill(meanHistory_.begin() + 1, meanHistory_.begin() + newest + 1, 0.0f);
    }
    if (temp) {
        tempHistory_[newest] = *temp;
    }
    loadHistory_[newest] = periodLoad;
    meanHistory_[newest] = windowMean_;

    const float sum = std::accumulate(loadHistory_.begin() + 1, loadHistory_.begin() + newest + 1, 0.0f);
    // Element W + 1 keeps a copy of the newest value until the next update overwrites it.
    std::copy(loadHistory_.begin() + 1, loadHistory_.begin() + newest + 1, loadHistory_.begin());
    std::copy(meanHistory_.begin() + 1, meanHistory_.begin() + newest + 1, meanHistory_.begin());
    std::copy(tempHistory_.begin() + 1, tempHistory_.begin() + newest + 1, tempHistory_.begin());

    ++serial_;
    int divisor = w;
    if (filledColumns_ < w) {
        ++filledColumns_;
        divisor = filledColumns_;
    }
    windowMean_ = sum / static_cast<float>(divisor);
}

}  // namespace taktora
