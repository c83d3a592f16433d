// PDH's name lists come from the system's counter registry, in any language and any state of repair: any bytes as
// the object, counter and instance lists, with any of PDH's answers, through the load source from Initialize to
// Terminate. Every counter added must be removed and the query closed again.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "sources/CPUpdh.h"

namespace {

using taktora::platform::PdhStatus;

constexpr PdhStatus kFailed = static_cast<PdhStatus>(0xC0000BC6u);

// The first byte says which calls fail (one bit each); the rest holds the three lists, split at 0xFF bytes.
class FuzzedPdh : public taktora::platform::Pdh {
public:
    FuzzedPdh(const std::uint8_t* data, std::size_t size)
        : flags_(size > 0 ? data[0] : 0), rest_(reinterpret_cast<const char*>(data) + (size > 0), size - (size > 0)) {
        for (std::string* list : {&objects_, &counters_, &instances_}) {
            const std::size_t split = std::min(rest_.find('\xFF'), rest_.size());
            *list = rest_.substr(0, split);
            rest_.erase(0, split + 1);
        }
    }
    PdhStatus ConnectMachine(const std::string&) override { return Status(0); }
    PdhStatus EnumObjectsLength(const std::string&, bool, std::uint32_t& length) override {
        length = Length(objects_);
        return Listing();
    }
    PdhStatus EnumObjects(const std::string&, bool, std::uint32_t length, std::string& objects) override {
        objects = objects_.substr(0, length);
        return Listing();
    }
    PdhStatus EnumObjectItemsLength(const std::string&, const std::string&, std::uint32_t& counterLength,
                                    std::uint32_t& instanceLength) override {
        counterLength = Length(counters_);
        instanceLength = Length(instances_);
        return Listing();
    }
    PdhStatus EnumObjectItems(const std::string&, const std::string&, std::uint32_t counterLength,
                              std::uint32_t instanceLength, std::string& counters, std::string& instances) override {
        counters = counters_.substr(0, counterLength);
        instances = instances_.substr(0, instanceLength);
        return Listing();
    }
    PdhStatus OpenQuery(std::uintptr_t, Handle& query) override {
        query = open_ = 1;
        return 0;
    }
    PdhStatus AddCounter(Handle, const std::string&, Handle& counter) override { return Add(counter, 4); }
    PdhStatus AddEnglishCounter(Handle, const std::string&, Handle& counter) override { return Add(counter, 5); }
    PdhStatus CollectQueryData(Handle) override { return Status(6); }
    PdhStatus GetDoubleValue(Handle counter, double& value, std::uint32_t& counterStatus) override {
        if (live_.count(counter) == 0) {
            std::abort();  // read from a counter that was never added or is gone
        }
        value = static_cast<double>(instances_.size()) - 3.5;
        counterStatus = flags_ >> 7;
        return Status(7);
    }
    PdhStatus RemoveCounter(Handle counter) override { return live_.erase(counter) == 1 ? 0 : kFailed; }
    PdhStatus CloseQuery(Handle) override { return open_ = 0; }
    bool Clean() const { return live_.empty() && open_ == 0; }

private:
    PdhStatus Status(int bit) const { return flags_ & (1u << bit) ? kFailed : 0; }
    // Bit 1: the lists come with PDH_MORE_DATA and a length that overstates them.
    PdhStatus Listing() const { return flags_ & 2u ? taktora::platform::kPdhMoreData : 0; }
    std::uint32_t Length(const std::string& list) const {
        return static_cast<std::uint32_t>(list.size()) + (flags_ & 2u ? 7 : 0);
    }
    PdhStatus Add(Handle& counter, int bit) {
        if (flags_ & (1u << bit)) {
            return kFailed;
        }
        live_.insert(counter = ++next_);
        return 0;
    }

    unsigned flags_;
    std::string rest_, objects_, counters_, instances_;
    std::set<Handle> live_;
    Handle next_ = 10;
    int open_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedPdh pdh(data, size);
    taktora::clsCPUpdh source(pdh);
    source.Initialize();
    for (int i = 0; i < 3; ++i) {
        source.ReadUtility(i == 1);
        (void)source.Query();
    }
    for (std::uint8_t cpu = 0; cpu < 10; ++cpu) {
        (void)source.Query(cpu);
    }
    (void)source.Broken();
    source.Terminate();
    if (!pdh.Clean()) {
        std::abort();  // a counter or the query left open
    }
    return 0;
}
