#include "tests/fakes/FakeSources.h"

#include <cstring>

namespace taktora::fake {

CoreTempSharedData TwoCoreRecord() {
    CoreTempSharedData record{};
    record.uiCoreCnt = 2;
    record.uiCPUcnt = 1;
    record.uiLoad[0] = 30;
    record.uiLoad[1] = 51;
    record.fTemp[0] = 40.0f;
    record.fTemp[1] = 43.0f;
    record.uiTjMax[0] = 100;
    record.fCPUspeed = 2400.0f;
    record.fFSBspeed = 200.0f;
    record.fMultipier = 12.0f;
    std::strcpy(record.sCPUname, "Core 2 Duo E6600");
    return record;
}

void FakeSharedMemory::Publish(const CoreTempSharedData& record) {
    mutexes.insert(kCoreTempMutexName);
    std::vector<unsigned char>& bytes = mappings[kCoreTempMappingName];
    bytes.resize(sizeof record);
    std::memcpy(bytes.data(), &record, sizeof record);
}

using platform::PdhStatus;

namespace {

constexpr PdhStatus kNoObject = static_cast<PdhStatus>(0xC0000BB8u);   // PDH_CSTATUS_NO_OBJECT
constexpr PdhStatus kNoCounter = static_cast<PdhStatus>(0xC0000BB9u);  // PDH_CSTATUS_NO_COUNTER
constexpr PdhStatus kBadHandle = static_cast<PdhStatus>(0xC0000BBCu);  // PDH_INVALID_HANDLE
constexpr PdhStatus kNoMachine = static_cast<PdhStatus>(0x800007D0u);  // PDH_CSTATUS_NO_MACHINE

std::string Hex(std::uint32_t value) {
    constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    do {
        text.insert(text.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    return text;
}

}  // namespace

// --- FakeSharedMemory ---

platform::SharedMemory::Handle FakeSharedMemory::Hand(const std::string& what) {
    const Handle handle = nextHandle_++;
    openHandles.insert(handle);
    calls.push_back(what);
    return handle;
}

platform::SharedMemory::Handle FakeSharedMemory::OpenNamedMutex(const std::string& name) {
    if (mutexes.count(name) == 0) {
        calls.push_back("OpenNamedMutex " + name + " failed");
        return 0;
    }
    return Hand("OpenNamedMutex " + name);
}

platform::SharedMemory::WaitResult FakeSharedMemory::WaitForMutex(Handle mutex, std::uint32_t milliseconds) {
    calls.push_back("WaitForMutex " + std::to_string(milliseconds));
    if (openHandles.count(mutex) == 0) {
        return WaitResult::Failed;
    }
    if (waitResult == WaitResult::Acquired || waitResult == WaitResult::Abandoned) {
        mutexOwned = true;
    }
    return waitResult;
}

bool FakeSharedMemory::ReleaseMutex(Handle mutex) {
    calls.push_back("ReleaseMutex");
    if (openHandles.count(mutex) == 0 || !mutexOwned) {
        ++strayReleases;
        return false;
    }
    mutexOwned = false;
    return true;
}

platform::SharedMemory::Handle FakeSharedMemory::OpenMapping(const std::string& name) {
    if (mappings.count(name) == 0) {
        calls.push_back("OpenMapping " + name + " failed");
        return 0;
    }
    const Handle handle = Hand("OpenMapping " + name);
    mappingNames_[handle] = name;
    return handle;
}

const void* FakeSharedMemory::MapView(Handle mapping, std::size_t bytes) {
    const auto name = mappingNames_.find(mapping);
    if (openHandles.count(mapping) == 0 || name == mappingNames_.end() || mappings[name->second].size() < bytes) {
        calls.push_back("MapView " + std::to_string(bytes) + " failed");
        return nullptr;
    }
    calls.push_back("MapView " + std::to_string(bytes));
    ++liveViews;
    return mappings[name->second].data();
}

void FakeSharedMemory::UnmapView(const void*) {
    calls.push_back("UnmapView");
    --liveViews;
}

void FakeSharedMemory::Close(Handle handle) {
    calls.push_back(mappingNames_.count(handle) != 0 ? "Close mapping" : "Close mutex");
    openHandles.erase(handle);
}

std::string FakeSharedMemory::DecodeAnsi(const std::string& bytes) {
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

// --- FakePdh ---

std::string FakePdh::MultiString(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names) {
        list += name;
        list += '\0';
    }
    list += '\0';
    return list;
}

PdhStatus FakePdh::Fill(const std::string& list, std::uint32_t length, std::string& buffer) {
    buffer = list.substr(0, length);
    buffer.resize(length, '\0');
    return list.size() > length ? platform::kPdhMoreData : platform::kPdhSuccess;
}

PdhStatus FakePdh::ConnectMachine(const std::string& machine) {
    calls.push_back("ConnectMachine " + machine);
    return machines.count(machine) != 0 ? platform::kPdhSuccess : kNoMachine;
}

PdhStatus FakePdh::EnumObjectsLength(const std::string& machine, bool refresh, std::uint32_t& length) {
    calls.push_back("EnumObjectsLength [" + machine + "] refresh " + std::to_string(refresh));
    if (enumStatus != platform::kPdhSuccess) {
        return enumStatus;
    }
    length = static_cast<std::uint32_t>(objects.size());
    return platform::kPdhMoreData;
}

PdhStatus FakePdh::EnumObjects(const std::string& machine, bool refresh, std::uint32_t length, std::string& list) {
    calls.push_back("EnumObjects [" + machine + "] refresh " + std::to_string(refresh));
    return Fill(objects, length, list);
}

PdhStatus FakePdh::EnumObjectItemsLength(const std::string& machine, const std::string& object,
                                         std::uint32_t& counterLength, std::uint32_t& instanceLength) {
    calls.push_back("EnumObjectItemsLength [" + machine + "] " + object);
    const auto found = items.find(object);
    if (found == items.end()) {
        return kNoObject;
    }
    counterLength = static_cast<std::uint32_t>(found->second.counters.size());
    instanceLength = static_cast<std::uint32_t>(found->second.instances.size());
    return platform::kPdhMoreData;
}

PdhStatus FakePdh::EnumObjectItems(const std::string& machine, const std::string& object, std::uint32_t counterLength,
                                   std::uint32_t instanceLength, std::string& counterList, std::string& instanceList) {
    calls.push_back("EnumObjectItems [" + machine + "] " + object);
    const auto found = items.find(object);
    if (found == items.end()) {
        return kNoObject;
    }
    const PdhStatus counterStatus = Fill(found->second.counters, counterLength, counterList);
    const PdhStatus instanceStatus = Fill(found->second.instances, instanceLength, instanceList);
    return counterStatus != platform::kPdhSuccess ? counterStatus : instanceStatus;
}

PdhStatus FakePdh::OpenQuery(std::uintptr_t userData, Handle& query) {
    calls.push_back("OpenQuery " + std::to_string(userData));
    if (openStatus != platform::kPdhSuccess) {
        return openStatus;
    }
    query = nextHandle_++;
    openQueries.insert(query);
    return platform::kPdhSuccess;
}

PdhStatus FakePdh::Add(const std::map<std::string, Reading>& known, const std::string& path, Handle& counter) {
    const auto found = known.find(path);
    if (found == known.end()) {
        return kNoCounter;
    }
    counter = nextHandle_++;
    liveCounters[counter] = path;
    readings_[counter] = found->second;
    return platform::kPdhSuccess;
}

PdhStatus FakePdh::AddCounter(Handle query, const std::string& path, Handle& counter) {
    calls.push_back("AddCounter " + path);
    if (openQueries.count(query) == 0) {
        return kBadHandle;
    }
    return Add(counters, path, counter);
}

PdhStatus FakePdh::AddEnglishCounter(Handle query, const std::string& path, Handle& counter) {
    if (!hasEnglishCounter) {
        return platform::kPdhFunctionMissing;
    }
    calls.push_back("AddEnglishCounter " + path);
    if (openQueries.count(query) == 0) {
        return kBadHandle;
    }
    return Add(englishCounters, path, counter);
}

PdhStatus FakePdh::CollectQueryData(Handle query) {
    calls.push_back("CollectQueryData");
    return openQueries.count(query) != 0 ? collectStatus : kBadHandle;
}

PdhStatus FakePdh::GetDoubleValue(Handle counter, double& value, std::uint32_t& counterStatus) {
    const auto found = liveCounters.find(counter);
    if (found == liveCounters.end()) {
        return kBadHandle;
    }
    calls.push_back("GetDoubleValue " + found->second);
    const Reading& reading = readings_[counter];
    if (reading.status == platform::kPdhSuccess) {
        value = reading.value;
        counterStatus = reading.counterStatus;
    }
    return reading.status;
}

PdhStatus FakePdh::RemoveCounter(Handle counter) {
    const auto found = liveCounters.find(counter);
    if (found == liveCounters.end()) {
        calls.push_back("RemoveCounter unknown");
        return kBadHandle;
    }
    calls.push_back("RemoveCounter " + found->second);
    liveCounters.erase(found);
    return platform::kPdhSuccess;
}

PdhStatus FakePdh::CloseQuery(Handle query) {
    calls.push_back("CloseQuery");
    return openQueries.erase(query) != 0 ? platform::kPdhSuccess : kBadHandle;
}

// --- FakeDynStats ---

platform::DynStats::Key FakeDynStats::Open(const std::string& subkey, std::uint32_t access) {
    calls.push_back("Open " + subkey + " " + Hex(access));
    if (keys.count(subkey) == 0) {
        return 0;
    }
    const Key key = nextKey_++;
    openKeys[key] = subkey;
    return key;
}

bool FakeDynStats::ReadDword(Key key, const std::string& name, std::uint32_t& value) {
    const auto open = openKeys.find(key);
    calls.push_back("Read " + (open != openKeys.end() ? open->second : std::string("closed key")) + " " + name);
    if (open == openKeys.end() || readsFail || name != "KERNEL\\CPUUsage" || !keys[open->second]) {
        return false;
    }
    value = *keys[open->second];
    return true;
}

void FakeDynStats::Close(Key key) {
    const auto open = openKeys.find(key);
    calls.push_back("Close " + (open != openKeys.end() ? open->second : std::string("unknown key")));
    if (open != openKeys.end()) {
        openKeys.erase(open);
    }
}

}  // namespace taktora::fake
