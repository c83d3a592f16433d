#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/DynStats.h"
#include "platform/Pdh.h"
#include "platform/SharedMemory.h"

namespace taktora::platform::win32 {

class Win32SharedMemory final : public SharedMemory {
public:
    Handle OpenNamedMutex(const std::string& name) override;
    WaitResult WaitForMutex(Handle mutex, std::uint32_t milliseconds) override;
    bool ReleaseMutex(Handle mutex) override;
    Handle OpenMapping(const std::string& name) override;
    const void* MapView(Handle mapping, std::size_t bytes) override;
    void UnmapView(const void* view) override;
    void Close(Handle handle) override;
    std::string DecodeAnsi(const std::string& bytes) override;
};

// pdh.dll is loaded on the first call, from the system directory only, and every function is looked up by name, so
// that a Windows without it (or without one of its functions) merely reads no counters.
class Win32Pdh final : public Pdh {
public:
    Win32Pdh();
    ~Win32Pdh() override;
    Win32Pdh(const Win32Pdh&) = delete;
    Win32Pdh& operator=(const Win32Pdh&) = delete;

    PdhStatus ConnectMachine(const std::string& machine) override;
    PdhStatus EnumObjectsLength(const std::string& machine, bool refresh, std::uint32_t& length) override;
    PdhStatus EnumObjects(const std::string& machine, bool refresh, std::uint32_t length,
                          std::string& objects) override;
    PdhStatus EnumObjectItemsLength(const std::string& machine, const std::string& object, std::uint32_t& counterLength,
                                    std::uint32_t& instanceLength) override;
    PdhStatus EnumObjectItems(const std::string& machine, const std::string& object, std::uint32_t counterLength,
                              std::uint32_t instanceLength, std::string& counters, std::string& instances) override;
    PdhStatus OpenQuery(std::uintptr_t userData, Handle& query) override;
    PdhStatus AddCounter(Handle query, const std::string& path, Handle& counter) override;
    PdhStatus AddEnglishCounter(Handle query, const std::string& path, Handle& counter) override;
    PdhStatus CollectQueryData(Handle query) override;
    PdhStatus GetDoubleValue(Handle counter, double& value, std::uint32_t& counterStatus) override;
    PdhStatus RemoveCounter(Handle counter) override;
    PdhStatus CloseQuery(Handle query) override;

private:
    struct Functions;
    const Functions& Api();

    std::unique_ptr<Functions> functions_;
};

class Win32DynStats final : public DynStats {
public:
    Key Open(const std::string& subkey, std::uint32_t access) override;
    bool ReadDword(Key key, const std::string& name, std::uint32_t& value) override;
    void Close(Key key) override;
};

}  // namespace taktora::platform::win32
