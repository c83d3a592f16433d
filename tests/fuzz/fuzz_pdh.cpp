// PDH's name lists come from the system's counter registry, in any language and any state of repair: any bytes as
// the object, counter and instance lists, with any of PDH's answers, through the load source from Initialize to
// Terminate. Every counter added must be removed and the query closed again.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "sources/CPUpdh.h"

namespace {

using taktora::platform::PdhStatus;

class FuzzedPdh : public taktora::platform::Pdh {
public:
    FuzzedPdh(const std::uint8_t* data, std::size_t size) {
        if (size > 0) {
            flags_ = data[0];
            ++data;
            --size;
        }
        // Three lists, split at 0xFF bytes.
        const std::string all(reinterpret_cast<const char*>(data), size);
        const std::size_t first = all.find('\xFF');
        const std::size_t second = first == std::string::npos ? first : all.find('\xFF', first + 1);
        objects_ = all.substr(0, first);
        counters_ = first == std::string::npos ? "" : all.substr(first + 1, second - first - 1);
        instances_ = second == std::string::npos ? "" : all.substr(second + 1);
    }
    PdhStatus ConnectMachine(const std::string&) override { return Status(0); }
    PdhStatus EnumObjectsLength(const std::string&, bool, std::uint32_t& length) override {
        length = Length(objects_, 1);
        return Listing(2);
    }
    PdhStatus EnumObjects(const std::string&, bool, std::uint32_t length, std::string& objects) override {
        objects = objects_.substr(0, length);
        return Listing(3);
    }
    PdhStatus EnumObjectItemsLength(const std::string&, const std::string&, std::uint32_t& counterLength,
                                    std::uint32_t& instanceLength) override {
        counterLength = Length(counters_, 1);
        instanceLength = Length(instances_, 1);
        return Listing(2);
    }
    PdhStatus EnumObjectItems(const std::string&, const std::string&, std::uint32_t counterLength,
                              std::uint32_t instanceLength, std::string& counters, std::string& instances) override {
        counters = counters_.substr(0, counterLength);
        instances = instances_.substr(0, instanceLength);
        return Listing(3);
    }
    PdhStatus OpenQuery(std::uintptr_t, Handle& query) override {
        query = 1;
        open_ = true;
        return taktora::platform::kPdhSuccess;
    }
    PdhStatus AddCounter(Handle, const std::string&, Handle& counter) override { return Add(counter, 4); }
    PdhStatus AddEnglishCounter(Handle, const std::string&, Handle& counter) override { return Add(counter, 5); }
    PdhStatus CollectQueryData(Handle) override { return Status(6); }
    PdhStatus GetDoubleValue(Handle counter, double& value, std::uint32_t& counterStatus) override {
        if (live_.count(counter) == 0) {
            std::abort();  // read from a counter that was never added or is gone
        }
        value = static_cast<double>(instances_.size()) - 3.5;
        counterStatus = flags_ & 0x80 ? 1 : 0;
        return Status(7);
    }
    PdhStatus RemoveCounter(Handle counter) override {
        return live_.erase(counter) == 1 ? taktora::platform::kPdhSuccess : static_cast<PdhStatus>(0xC0000BBCu);
    }
    PdhStatus CloseQuery(Handle) override {
        open_ = false;
        return taktora::platform::kPdhSuccess;
    }
    bool Clean() const { return live_.empty() && !open_; }

private:
    // One bit of the first byte per call: set means the call fails.
    PdhStatus Status(int bit) const {
        return flags_ & (1u << bit) ? static_cast<PdhStatus>(0xC0000BC6u) : taktora::platform::kPdhSuccess;
    }
    PdhStatus Listing(int bit) const {
        return flags_ & (1u << bit) ? taktora::platform::kPdhMoreData : taktora::platform::kPdhSuccess;
    }
    std::uint32_t Length(const std::string& list, int bit) const {
        return static_cast<std::uint32_t>(list.size()) + (flags_ & (1u << bit) ? 7u : 0u);
    }
    PdhStatus Add(Handle& counter, int bit) {
        if (flags_ & (1u << bit)) {
            return static_cast<PdhStatus>(0xC0000BB8u);  // PDH_CSTATUS_NO_OBJECT
        }
        counter = ++next_;
        live_.insert(counter);
        return taktora::platform::kPdhSuccess;
    }

    unsigned flags_ = 0;
    std::string objects_;
    std::string counters_;
    std::string instances_;
    std::set<Handle> live_;
    Handle next_ = 10;
    bool open_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedPdh pdh(data, size);
    taktora::clsCPUpdh source(pdh);
    source.Initialize();
    for (int i = 0; i < 3; ++i) {
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
