#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/DynStats.h"
#include "platform/Pdh.h"
#include "platform/SharedMemory.h"
#include "sources/CoreTempSharedData.h"

namespace taktora::fake {

// Named objects as another process publishes them. Every call is logged in order, and every handle handed out is
// tracked until it is closed.
// Two cores at 30 % and 51 %, 40 and 43 degrees, TjMax 100, 2400 MHz = 200 MHz x 12.
CoreTempSharedData TwoCoreRecord();

class FakeSharedMemory : public platform::SharedMemory {
public:
    Handle OpenNamedMutex(const std::string& name) override;
    WaitResult WaitForMutex(Handle mutex, std::uint32_t milliseconds) override;
    bool ReleaseMutex(Handle mutex) override;
    Handle OpenMapping(const std::string& name) override;
    const void* MapView(Handle mapping, std::size_t bytes) override;
    void UnmapView(const void* view) override;
    void Close(Handle handle) override;
    // Latin-1, which the usual western ANSI code pages agree with for letters.
    std::string DecodeAnsi(const std::string& bytes) override;

    // The temperature monitor running and publishing the record.
    void Publish(const CoreTempSharedData& record);

    std::set<std::string> mutexes;                               // names of existing mutexes
    std::map<std::string, std::vector<unsigned char>> mappings;  // contents by name
    WaitResult waitResult = WaitResult::Acquired;                // what every wait reports

    std::vector<std::string> calls;
    std::set<Handle> openHandles;
    int liveViews = 0;
    bool mutexOwned = false;
    int strayReleases = 0;  // releases of a mutex the caller did not own

private:
    Handle Hand(const std::string& what);
    std::map<Handle, std::string> mappingNames_;
    Handle nextHandle_ = 0x40;
};

// A PDH that knows an object list, the counters and instances of each object, and which counter paths can be added
// with what reading.
class FakePdh : public platform::Pdh {
public:
    struct Items {
        std::string counters;   // multi-string
        std::string instances;  // multi-string
    };
    struct Reading {
        double value = 0;
        std::uint32_t counterStatus = platform::kPdhValidData;
        platform::PdhStatus status = platform::kPdhSuccess;
    };

    platform::PdhStatus ConnectMachine(const std::string& machine) override;
    platform::PdhStatus EnumObjectsLength(const std::string& machine, bool refresh, std::uint32_t& length) override;
    platform::PdhStatus EnumObjects(const std::string& machine, bool refresh, std::uint32_t length,
                                    std::string& list) override;
    platform::PdhStatus EnumObjectItemsLength(const std::string& machine, const std::string& object,
                                              std::uint32_t& counterLength, std::uint32_t& instanceLength) override;
    platform::PdhStatus EnumObjectItems(const std::string& machine, const std::string& object,
                                        std::uint32_t counterLength, std::uint32_t instanceLength,
                                        std::string& counterList, std::string& instanceList) override;
    platform::PdhStatus OpenQuery(std::uintptr_t userData, Handle& query) override;
    platform::PdhStatus AddCounter(Handle query, const std::string& path, Handle& counter) override;
    platform::PdhStatus AddEnglishCounter(Handle query, const std::string& path, Handle& counter) override;
    platform::PdhStatus CollectQueryData(Handle query) override;
    platform::PdhStatus GetDoubleValue(Handle counter, double& value, std::uint32_t& counterStatus) override;
    platform::PdhStatus RemoveCounter(Handle counter) override;
    platform::PdhStatus CloseQuery(Handle query) override;

    // The names, each ended by a zero character, and one more zero.
    static std::string MultiString(const std::vector<std::string>& names);

    std::set<std::string> machines;  // those that can be connected to
    std::string objects;             // multi-string
    std::map<std::string, Items> items;
    std::map<std::string, Reading> counters;         // paths AddCounter accepts
    std::map<std::string, Reading> englishCounters;  // paths AddEnglishCounter accepts
    bool hasEnglishCounter = true;                   // PdhAddEnglishCounterW exists
    platform::PdhStatus enumStatus = platform::kPdhSuccess;
    platform::PdhStatus openStatus = platform::kPdhSuccess;
    platform::PdhStatus collectStatus = platform::kPdhSuccess;

    std::vector<std::string> calls;
    std::set<Handle> openQueries;
    std::map<Handle, std::string> liveCounters;  // path of every counter in a query

private:
    // Fills a buffer of `length` characters with the list, cut short or padded with zero characters.
    static platform::PdhStatus Fill(const std::string& list, std::uint32_t length, std::string& buffer);
    platform::PdhStatus Add(const std::map<std::string, Reading>& known, const std::string& path, Handle& counter);

    std::map<Handle, Reading> readings_;
    Handle nextHandle_ = 0x1000;
};

// HKEY_DYN_DATA keys, each with or without the value "KERNEL\CPUUsage".
class FakeDynStats : public platform::DynStats {
public:
    Key Open(const std::string& subkey, std::uint32_t access) override;
    bool ReadDword(Key key, const std::string& name, std::uint32_t& value) override;
    void Close(Key key) override;

    std::map<std::string, std::optional<std::uint32_t>> keys;  // the statistic under each existing key
    bool readsFail = false;

    std::vector<std::string> calls;
    std::map<Key, std::string> openKeys;

private:
    Key nextKey_ = 0x80;
};

}  // namespace taktora::fake
