#include <windows.h>

#include <cstddef>
#include <cstring>

#include "win32/Win32Platform.h"

namespace taktora::platform::win32 {

namespace {

constexpr ULONG kSystemBasicInformation = 0;
constexpr ULONG kSystemPerformanceInformation = 2;
constexpr ULONG kSystemTimeOfDayInformation = 3;
constexpr LONG kStatusNotImplemented = static_cast<LONG>(0xC0000002);

// SYSTEM_BASIC_INFORMATION in the layout of the running process: the kernel insists on its exact size, which the
// three pointer-sized fields make 44 bytes for 32-bit and 64 bytes for 64-bit programs.
struct BasicInformation {
    ULONG reserved;
    ULONG timerResolution;
    ULONG pageSize;
    ULONG numberOfPhysicalPages;
    ULONG lowestPhysicalPageNumber;
    ULONG highestPhysicalPageNumber;
    ULONG allocationGranularity;
    ULONG_PTR minimumUserModeAddress;
    ULONG_PTR maximumUserModeAddress;
    ULONG_PTR activeProcessorsAffinityMask;
    CCHAR numberOfProcessors;
};
static_assert(sizeof(BasicInformation) == (sizeof(void*) == 8 ? 64 : 44));
static_assert(offsetof(BasicInformation, numberOfProcessors) == (sizeof(void*) == 8 ? 56 : 40));

// The leading part of SYSTEM_TIMEOFDAY_INFORMATION (48 bytes in full). The kernel accepts any length up to the full
// record and fills that much, so the same request works on every NT version.
struct TimeOfDayInformation {
    LARGE_INTEGER bootTime;
    LARGE_INTEGER currentTime;
    LARGE_INTEGER timeZoneBias;
    ULONG timeZoneId;
    ULONG reserved;
};
static_assert(sizeof(TimeOfDayInformation) == 32);
static_assert(offsetof(TimeOfDayInformation, currentTime) == 8);

// SYSTEM_PERFORMANCE_INFORMATION has grown with the Windows versions. The kernel refuses lengths below the size it
// expects (312 bytes natively, 328 for a 32-bit program on 64-bit Windows) and fills at most its own size of a
// longer buffer, so one generous zero-filled buffer fits them all. Only IdleTime, at offset 0, is read.
constexpr std::size_t kPerformanceInformationSize = 344;

}  // namespace

Win32Kernel::Win32Kernel() {
    if (HMODULE ntdll = GetModuleHandleW(L"ntdll.dll")) {
        query_ =
            reinterpret_cast<QueryFunction>(reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQuerySystemInformation")));
    }
}

long Win32Kernel::Query(ULONG informationClass, void* buffer, ULONG length) {
    if (query_ == nullptr) {
        return kStatusNotImplemented;
    }
    std::memset(buffer, 0, length);
    return query_(informationClass, buffer, length, nullptr);
}

long Win32Kernel::QueryProcessorCount(std::uint8_t& processors) {
    BasicInformation information;
    const long status = Query(kSystemBasicInformation, &information, sizeof information);
    if (status == 0) {
        processors = static_cast<std::uint8_t>(information.numberOfProcessors);
    }
    return status;
}

long Win32Kernel::QueryCurrentTime(std::int64_t& currentTime) {
    TimeOfDayInformation information;
    const long status = Query(kSystemTimeOfDayInformation, &information, sizeof information);
    if (status == 0) {
        currentTime = information.currentTime.QuadPart;
    }
    return status;
}

long Win32Kernel::QueryIdleTime(std::int64_t& idleTime) {
    alignas(8) unsigned char information[kPerformanceInformationSize];
    const long status = Query(kSystemPerformanceInformation, information, sizeof information);
    if (status == 0) {
        std::memcpy(&idleTime, information, sizeof idleTime);
    }
    return status;
}

}  // namespace taktora::platform::win32
