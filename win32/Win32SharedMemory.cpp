#include <windows.h>

#include "win32/Text.h"
#include "win32/Win32Sources.h"

namespace taktora::platform::win32 {

namespace {

HANDLE ToHandle(SharedMemory::Handle handle) {
    return reinterpret_cast<HANDLE>(handle);
}
SharedMemory::Handle FromHandle(HANDLE handle) {
    return reinterpret_cast<SharedMemory::Handle>(handle);
}

}  // namespace

SharedMemory::Handle Win32SharedMemory::OpenNamedMutex(const std::string& name) {
    return FromHandle(OpenMutexW(SYNCHRONIZE, FALSE, Utf8ToWide(name).c_str()));
}

SharedMemory::WaitResult Win32SharedMemory::WaitForMutex(Handle mutex, std::uint32_t milliseconds) {
    switch (WaitForSingleObject(ToHandle(mutex), milliseconds)) {
        case WAIT_OBJECT_0:
            return WaitResult::Acquired;
        case WAIT_ABANDONED:
            return WaitResult::Abandoned;
        case WAIT_TIMEOUT:
            return WaitResult::TimedOut;
        default:
            return WaitResult::Failed;
    }
}

bool Win32SharedMemory::ReleaseMutex(Handle mutex) {
    return ::ReleaseMutex(ToHandle(mutex)) != FALSE;
}

SharedMemory::Handle Win32SharedMemory::OpenMapping(const std::string& name) {
    return FromHandle(OpenFileMappingW(FILE_MAP_READ, FALSE, Utf8ToWide(name).c_str()));
}

// Windows refuses a view longer than the section, so a short mapping fails here instead of faulting in the copy.
const void* Win32SharedMemory::MapView(Handle mapping, std::size_t bytes) {
    return MapViewOfFile(ToHandle(mapping), FILE_MAP_READ, 0, 0, bytes);
}

void Win32SharedMemory::UnmapView(const void* view) {
    UnmapViewOfFile(view);
}

void Win32SharedMemory::Close(Handle handle) {
    CloseHandle(ToHandle(handle));
}

std::string Win32SharedMemory::DecodeAnsi(const std::string& bytes) {
    return WideToUtf8(AnsiToWide(bytes));
}

}  // namespace taktora::platform::win32
