#pragma once

#include <optional>

namespace taktora {

// What every processor-load source offers the main window: Initialize once, Query on every sampling tick (one sample
// in percent, possibly a little outside 0..100, which the caller's clamp absorbs), Terminate once. A read that failed
// gives no sample rather than a made-up one: a period's load is the mean of the samples that came.
class clsLoadSource {
public:
    static constexpr int kSamplingIntervalMs = 100;  // the sampling tick

    virtual ~clsLoadSource() = default;
    virtual void Initialize() = 0;
    virtual std::optional<double> Query() = 0;
    virtual void Terminate() = 0;
    // After the machine slept: the next sample must not be an average over the sleep.
    virtual void StartFreshInterval() {}
    // The source cannot deliver and never will this session, so another one should measure.
    virtual bool Broken() const { return false; }
};

}  // namespace taktora
