#pragma once

#include <cstdint>
#include <string>

namespace taktora::platform {

// The performance-counter library, one operation per wide-character PDH function. Names and paths are UTF-8; name
// lists are multi-strings: names separated by zero characters, ended by two. Every call returns its PDH status,
// where a library or function that cannot be loaded answers kPdhFunctionMissing. Handles are opaque numbers, 0 for
// none. Outputs are written only on success, for the enumerations also when PDH reports more data.
using PdhStatus = std::int32_t;

inline constexpr PdhStatus kPdhSuccess = 0;
inline constexpr PdhStatus kPdhMoreData = static_cast<PdhStatus>(0x800007D2u);         // PDH_MORE_DATA
inline constexpr PdhStatus kPdhFunctionMissing = static_cast<PdhStatus>(0xC0000BBEu);  // PDH_FUNCTION_NOT_FOUND
inline constexpr std::uint32_t kPdhValidData = 0;                                      // PDH_CSTATUS_VALID_DATA
inline constexpr std::uint32_t kPdhNewData = 1;                                        // PDH_CSTATUS_NEW_DATA

class Pdh {
public:
    using Handle = std::uintptr_t;

    virtual ~Pdh() = default;
    virtual PdhStatus ConnectMachine(const std::string& machine) = 0;
    // PdhEnumObjectsW (no data source, detail level PERF_DETAIL_WIZARD; an empty machine is the local one), first
    // for the length of the object list in characters, then for the list itself into a buffer of that length.
    virtual PdhStatus EnumObjectsLength(const std::string& machine, bool refresh, std::uint32_t& length) = 0;
    virtual PdhStatus EnumObjects(const std::string& machine, bool refresh, std::uint32_t length,
                                  std::string& objects) = 0;
    // PdhEnumObjectItemsW for one object, likewise: the two lengths, then the counter and the instance list.
    virtual PdhStatus EnumObjectItemsLength(const std::string& machine, const std::string& object,
                                            std::uint32_t& counterLength, std::uint32_t& instanceLength) = 0;
    virtual PdhStatus EnumObjectItems(const std::string& machine, const std::string& object,
                                      std::uint32_t counterLength, std::uint32_t instanceLength, std::string& counters,
                                      std::string& instances) = 0;
    virtual PdhStatus OpenQuery(std::uintptr_t userData, Handle& query) = 0;  // no data source
    virtual PdhStatus AddCounter(Handle query, const std::string& path, Handle& counter) = 0;
    // The path in the English names of every Windows language; PdhAddEnglishCounterW exists from Windows Vista on.
    virtual PdhStatus AddEnglishCounter(Handle query, const std::string& path, Handle& counter) = 0;
    virtual PdhStatus CollectQueryData(Handle query) = 0;
    // PdhGetFormattedCounterValue as PDH_FMT_DOUBLE: the value and its CStatus.
    virtual PdhStatus GetDoubleValue(Handle counter, double& value, std::uint32_t& counterStatus) = 0;
    virtual PdhStatus RemoveCounter(Handle counter) = 0;
    virtual PdhStatus CloseQuery(Handle query) = 0;
};

}  // namespace taktora::platform
