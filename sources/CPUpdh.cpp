#include "sources/CPUpdh.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace taktora {

namespace {

using platform::kPdhMoreData;
using platform::kPdhSuccess;
using platform::PdhStatus;

// Windows names its processor object and counter in the system's language. Objects such as "Process" also carry a
// processor-time counter, whose total sums over all processes, so an exact object name wins over the first one that
// merely contains "Pro".
constexpr auto kProcessorObjects = std::to_array<std::string_view>({"Processor", "Prozessor"});
constexpr std::string_view kObjectNamePart = "Pro";
constexpr auto kProcessorTimeCounters =
    std::to_array<std::string_view>({"% Processortime", "Prozessorzeit (%)", "% Processor Time"});
constexpr std::string_view kTotalName = "_Total";

// PDH's English names, which every language understands from Windows Vista on. The Processor Information object
// (Windows 7 and later) counts every logical processor; Processor only the first 64.
constexpr auto kEnglishObjects = std::to_array<std::string_view>({"Processor Information", "Processor"});
constexpr std::string_view kEnglishObject = "Processor";
constexpr std::string_view kEnglishCounter = "% Processor Time";

// Task Manager's counter, which Windows 7 does not have. Turbo clocks take it beyond 100, which Task Manager shows as
// 100.
constexpr std::string_view kUtilityObject = "Processor Information";
constexpr std::string_view kUtilityCounter = "% Processor Utility";
constexpr double kMaxUtility = 100;

constexpr std::uintptr_t kQueryUserData = 1;

// Name lists come from outside the program; a length beyond this is no processor list and is not allocated.
constexpr std::uint32_t kMaxListLength = 1u << 20;

bool Enumerated(PdhStatus status) {
    return status == kPdhSuccess || status == kPdhMoreData;
}

bool UsableLength(std::uint32_t length) {
    return length != 0 && length <= kMaxListLength;
}

// Every piece between zero characters, so a multi-string ends in two empty names.
std::vector<std::string> SplitAtZeros(const std::string& list) {
    std::vector<std::string> names;
    std::size_t start = 0;
    for (std::size_t zero = list.find('\0'); zero != std::string::npos; zero = list.find('\0', start)) {
        names.push_back(list.substr(start, zero - start));
        start = zero + 1;
    }
    names.push_back(list.substr(start));
    return names;
}

// The names before the last piece of a split, which a list cut short by PDH_MORE_DATA may have truncated.
std::vector<std::string> CompleteNames(std::vector<std::string> names) {
    names.pop_back();
    return names;
}

template <std::size_t N>
bool IsOneOf(const std::string& name, const std::array<std::string_view, N>& candidates) {
    for (std::string_view candidate : candidates) {
        if (name == candidate) {
            return true;
        }
    }
    return false;
}

std::string ChooseObject(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        if (IsOneOf(name, kProcessorObjects)) {
            return name;
        }
    }
    for (const std::string& name : names) {
        if (name.find(kObjectNamePart) != std::string::npos) {
            return name;
        }
    }
    return {};
}

std::string ChooseCounter(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        if (IsOneOf(name, kProcessorTimeCounters)) {
            return name;
        }
    }
    return {};
}

// The processor number an instance name ends in; 0 for an empty name or a last character that is no digit.
int LastDigit(const std::string& instance) {
    if (instance.empty() || instance.back() < '0' || instance.back() > '9') {
        return 0;
    }
    return instance.back() - '0';
}

bool GoodCounterStatus(std::uint32_t counterStatus) {
    return counterStatus == platform::kPdhValidData || counterStatus == platform::kPdhNewData;
}

PdhCounterEntry EnglishTotal(std::string_view object = kEnglishObject) {
    return PdhCounterEntry{{}, std::string(object), std::string(kEnglishCounter), std::string(kTotalName)};
}

std::string CounterPath(const std::string& machine, const PdhCounterEntry& entry) {
    return machine + "\\" + entry.ObjectName + "(" + entry.InstanceName + ")\\" + entry.CounterName;
}

}  // namespace

void clsCPUpdh::Initialize(const std::string& Machine) {
    Counters.assign(1, PdhCounterEntry{});
    std::string machine;
    if (!Machine.empty() && pdh_.ConnectMachine(Machine) == kPdhSuccess) {
        machine = Machine;
    }
    if (pdh_.OpenQuery(kQueryUserData, QueryHandle) != kPdhSuccess) {
        return;
    }
    // By its English name the counter needs no enumeration, which takes seconds on many systems and finds only the
    // German and English names above.
    if (!AddEnglishTotal(machine)) {
        EnumerateCounters(machine);
        if (Counters.size() < 2) {
            // Without PdhAddEnglishCounterW an English Windows still knows the path by its own names.
            Counters.assign(1, EnglishTotal());
        }
        AddCounters(machine);
    }
    AddUtility(machine);
}

// Collected beside the processor time from the start, so that a switch between the two has a valid rate at once.
void clsCPUpdh::AddUtility(const std::string& machine) {
    const PdhCounterEntry utility{
        {}, std::string(kUtilityObject), std::string(kUtilityCounter), std::string(kTotalName)};
    pdh_.AddEnglishCounter(QueryHandle, CounterPath(machine, utility), utilityCounter_);
}

bool clsCPUpdh::AddEnglishTotal(const std::string& machine) {
    for (const std::string_view object : kEnglishObjects) {
        PdhCounterEntry total = EnglishTotal(object);
        if (pdh_.AddEnglishCounter(QueryHandle, CounterPath(machine, total), total.CounterHandle) == kPdhSuccess) {
            Counters.assign(1, total);
            return true;
        }
    }
    return false;
}

// Leaves Counters as they are unless the system's names for the processor object and its processor-time counter
// are found.
void clsCPUpdh::EnumerateCounters(const std::string& machine) {
    std::uint32_t objectsLength{};
    if (!Enumerated(pdh_.EnumObjectsLength(machine, true, objectsLength)) || !UsableLength(objectsLength)) {
        return;
    }
    std::string objects;
    if (!Enumerated(pdh_.EnumObjects(machine, false, objectsLength, objects))) {
        return;
    }
    const std::string object = ChooseObject(CompleteNames(SplitAtZeros(objects)));
    if (object.empty()) {
        return;
    }
    std::uint32_t countersLength{};
    std::uint32_t instancesLength{};
    if (!Enumerated(pdh_.EnumObjectItemsLength(machine, object, countersLength, instancesLength)) ||
        !UsableLength(countersLength) || !UsableLength(instancesLength)) {
        return;
    }
    std::string counterList;
    std::string instanceList;
    if (!Enumerated(
            pdh_.EnumObjectItems(machine, object, countersLength, instancesLength, counterList, instanceList))) {
        return;
    }
    const std::string counter = ChooseCounter(CompleteNames(SplitAtZeros(counterList)));
    if (counter.empty()) {
        return;
    }
    Counters.clear();
    for (const std::string& instance : CompleteNames(SplitAtZeros(instanceList))) {
        Counters.push_back(PdhCounterEntry{{}, object, counter, instance});
    }
}

void clsCPUpdh::AddCounters(const std::string& machine) {
    for (PdhCounterEntry& entry : Counters) {
        entry.CounterHandle = 0;
        // The empty names that end the instance list are no processors.
        if (entry.InstanceName.empty()) {
            continue;
        }
        platform::Pdh::Handle counter{};
        if (pdh_.AddCounter(QueryHandle, CounterPath(machine, entry), counter) == kPdhSuccess) {
            entry.CounterHandle = counter;
        }
    }
}

bool clsCPUpdh::Broken() const {
    const bool noCounter = std::none_of(Counters.begin(), Counters.end(),
                                        [](const PdhCounterEntry& entry) { return entry.CounterHandle != 0; });
    return noCounter || missedSamples_ >= kMaxMissedSamples;
}

std::optional<double> clsCPUpdh::Query(std::uint8_t CPU) {
    const std::optional<double> sample = CollectedValue(CPU);
    missedSamples_ = sample ? 0 : std::min(missedSamples_ + 1, kMaxMissedSamples);
    return sample;
}

std::optional<double> clsCPUpdh::CollectedValue(std::uint8_t CPU) {
    if (QueryHandle == 0 || pdh_.CollectQueryData(QueryHandle) != kPdhSuccess) {
        return std::nullopt;
    }
    const bool total = CPU == kTotalInstance;
    if (total && readUtility_ && utilityCounter_ != 0) {
        const std::optional<double> utility = Value(utilityCounter_);
        return utility ? std::optional(std::min(*utility, kMaxUtility)) : std::nullopt;
    }
    std::optional<double> result;
    for (const PdhCounterEntry& entry : Counters) {
        if (entry.CounterHandle == 0) {
            continue;
        }
        if (total ? entry.InstanceName != kTotalName : LastDigit(entry.InstanceName) != CPU) {
            continue;
        }
        const std::optional<double> value = Value(entry.CounterHandle);
        if (!value) {
            continue;
        }
        result = value;
        if (!total) {
            break;
        }
    }
    return result;
}

std::optional<double> clsCPUpdh::Value(platform::Pdh::Handle counter) {
    double value{};
    std::uint32_t counterStatus{};
    if (pdh_.GetDoubleValue(counter, value, counterStatus) != kPdhSuccess || !GoodCounterStatus(counterStatus)) {
        return std::nullopt;
    }
    return value;
}

void clsCPUpdh::Terminate() {
    if (QueryHandle == 0) {
        return;
    }
    for (PdhCounterEntry& entry : Counters) {
        if (entry.CounterHandle != 0 && pdh_.RemoveCounter(entry.CounterHandle) == kPdhSuccess) {
            entry.CounterHandle = 0;
        }
    }
    if (utilityCounter_ != 0 && pdh_.RemoveCounter(utilityCounter_) == kPdhSuccess) {
        utilityCounter_ = 0;
    }
    pdh_.CloseQuery(QueryHandle);
    QueryHandle = 0;
}

}  // namespace taktora
