#pragma once

namespace taktora {

// What every processor-load source offers the main window: Initialize once, Query on every sampling tick (one sample
// in percent, possibly outside 0..100 or a failure value the caller's clamp absorbs), Terminate once.
class clsLoadSource {
public:
    virtual ~clsLoadSource() = default;
    virtual void Initialize() = 0;
    virtual double Query() = 0;
    virtual void Terminate() = 0;
    // After the machine slept: the next sample must not be an average over the sleep.
    virtual void StartFreshInterval() {}
    // The source cannot deliver and never will this session, so another one should measure.
    virtual bool Broken() const { return false; }
};

}  // namespace taktora
