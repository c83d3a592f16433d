#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Pdh.h"
#include "sources/LoadSource.h"

namespace taktora {

// One processor instance of the query.
struct PdhCounterEntry {
    platform::Pdh::Handle CounterHandle{};  // 0 when no counter could be added
    std::string ObjectName;
    std::string CounterName;
    std::string InstanceName;  // "_Total" or a processor number
};

// Load from PDH's processor-time counter of the total instance: by its English name, or, where PDH does not know
// that, through the system's names with one counter per processor instance.
class clsCPUpdh : public clsLoadSource {
public:
    explicit clsCPUpdh(platform::Pdh& pdh) : pdh_(pdh) {}

    // Builds the query on the local machine.
    void Initialize() override { Initialize(std::string()); }
    // A machine that cannot be connected to is dropped in favour of the local one.
    void Initialize(const std::string& Machine);
    std::optional<double> Query() override { return Query(kTotalInstance); }
    // With kTotalInstance the "_Total" value; otherwise the value of the first instance, in list order, whose last
    // character reads as CPU (a character that is no digit reads as 0) and whose value is valid. None when the
    // collection fails or no such value is valid; the first value after the counters were added never is, as the
    // processor time is a rate, which takes two collections.
    std::optional<double> Query(std::uint8_t CPU);
    void Terminate() override;
    // No counter could be added, or the last kMaxMissedSamples queries gave no value, whether the collection failed
    // or the values were invalid: disabled or damaged counters, which would leave the graph empty for the session.
    bool Broken() const override;
    // Task Manager's figure from Windows 8 on: the work done measured against the processors' nominal clock, where
    // the processor time counts only how long they were busy. Known where PDH has its counter; while it is known and
    // read, the total is that figure, capped at 100, from the next sample on.
    bool UtilityKnown() const { return utilityCounter_ != 0; }
    void ReadUtility(bool read) { readUtility_ = read; }
    // A collection now makes the next value cover the time from here on.
    void StartFreshInterval() override {
        if (QueryHandle != 0) {
            pdh_.CollectQueryData(QueryHandle);
        }
    }

    static constexpr std::uint8_t kTotalInstance = 255;
    static constexpr int kMaxMissedSamples = 5;

    platform::Pdh::Handle QueryHandle = 0;
    std::vector<PdhCounterEntry> Counters;

private:
    bool AddEnglishTotal(const std::string& machine);
    void EnumerateCounters(const std::string& machine);
    void AddCounters(const std::string& machine);
    void AddUtility(const std::string& machine);
    std::optional<double> CollectedValue(std::uint8_t CPU);
    std::optional<double> Value(platform::Pdh::Handle counter);

    platform::Pdh& pdh_;
    int missedSamples_ = 0;
    platform::Pdh::Handle utilityCounter_ = 0;  // 0 where PDH does not know the counter
    bool readUtility_ = false;
};

}  // namespace taktora
