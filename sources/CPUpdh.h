#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Pdh.h"
#include "sources/LoadSource.h"

namespace taktora {

// One processor instance of the query.
struct PdhCounterEntry {
    platform::Pdh::Handle CounterHandle = 0;  // 0 when no counter could be added
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
    double Query() override { return Query(kTotalInstance); }
    // With kTotalInstance the "_Total" value; otherwise the value of the first instance, in list order, whose last
    // character reads as CPU (a character that is no digit reads as 0). 0 when collecting or reading fails.
    double Query(std::uint8_t CPU);
    void Terminate() override;
    // No counter could be added, or the last kMaxFailedCollections collections failed: disabled or damaged
    // counters, which would read 0 % for the whole session.
    bool Broken() const override;
    // A collection now makes the next value cover the time from here on.
    void StartFreshInterval() override {
        if (QueryHandle != 0) {
            pdh_.CollectQueryData(QueryHandle);
        }
    }

    static constexpr std::uint8_t kTotalInstance = 255;
    static constexpr int kMaxFailedCollections = 5;

    platform::Pdh::Handle QueryHandle = 0;
    std::vector<PdhCounterEntry> Counters;

private:
    bool AddEnglishTotal(const std::string& machine);
    void EnumerateCounters(const std::string& machine);
    void AddCounters(const std::string& machine);

    platform::Pdh& pdh_;
    int failedCollections_ = 0;
};

}  // namespace taktora
