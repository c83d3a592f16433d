#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace taktora::platform {

// Another process's named mutex and file mapping, opened for reading. Handles are opaque numbers, 0 for none; each
// one that an Open call hands out must be given back to Close.
class SharedMemory {
public:
    using Handle = std::uintptr_t;

    enum class WaitResult {
        Acquired,   // WAIT_OBJECT_0
        Abandoned,  // WAIT_ABANDONED: its owner ended without releasing it; the caller owns it now
        TimedOut,   // WAIT_TIMEOUT
        Failed,     // WAIT_FAILED
    };

    virtual ~SharedMemory() = default;
    virtual Handle OpenNamedMutex(const std::string& name) = 0;  // OpenMutexW with SYNCHRONIZE; never creates it
    virtual WaitResult WaitForMutex(Handle mutex, std::uint32_t milliseconds) = 0;  // WaitForSingleObject
    virtual bool ReleaseMutex(Handle mutex) = 0;
    virtual Handle OpenMapping(const std::string& name) = 0;  // OpenFileMappingW with FILE_MAP_READ
    // MapViewOfFile of the first `bytes` bytes, read-only; null when the mapping is shorter than that.
    virtual const void* MapView(Handle mapping, std::size_t bytes) = 0;
    virtual void UnmapView(const void* view) = 0;
    virtual void Close(Handle handle) = 0;  // CloseHandle
    // MultiByteToWideChar from the system's ANSI code page, handed back as UTF-8.
    virtual std::string DecodeAnsi(const std::string& bytes) = 0;
};

}  // namespace taktora::platform
