// guires.exe <window class>
// Prints the resource counts of the process that owns the first top-level window of the class, as one line
// "gdi user handles gdi-table system-handles":
//   gdi, user       GetGuiResources(GR_GDIOBJECTS), GetGuiResources(GR_USEROBJECTS)
//   handles         GetProcessHandleCount
//   gdi-table       live entries of the GDI handle table the process's PEB points to (stock objects left out)
//   system-handles  the process's entries in the system handle list (NtQuerySystemInformation class 16)
// The last two are the lowest of several readings spread over a little more than 0.1 s, the fastest refresh period,
// so that objects living only inside one drawing call are not counted.
// The last two exist because Wine answers the first three with 0; a figure that cannot be read is printed as -1.
// Exit code 0 when printed, 1 when there is no such window, 2 without a class argument, 3 when the process cannot be
// opened.
#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using QueryProcessFunction = LONG(WINAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);
using QuerySystemFunction = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

constexpr ULONG kProcessBasicInformation = 0;
constexpr ULONG kSystemHandleInformation = 16;
constexpr LONG kStatusInfoLengthMismatch = static_cast<LONG>(0xC0000004);
constexpr std::size_t kPebGdiTableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;
constexpr std::size_t kGdiTableEntries = 0x10000;
constexpr std::size_t kGdiEntriesPerRead = 4096;

// One cell of the GDI handle table: 24 bytes on 64-bit Windows and in Wine, with the owner's process id at byte 8
// (0 in Wine, whose table belongs to one process), the stock flag in byte 12 and the object type in byte 14.
struct GdiTableEntry {
    unsigned long long object;
    unsigned short ownerId;
    unsigned short count;
    unsigned char extendedType;
    unsigned char generation;
    unsigned char type;
    unsigned char flags;
    unsigned long long userPointer;
};
static_assert(sizeof(GdiTableEntry) == 24);

constexpr unsigned char kStockFlag = 0x80;
constexpr int kReadings = 5;
constexpr DWORD kReadingPause = 30;

struct SystemHandleEntry {
    ULONG ownerId;
    BYTE objectType;
    BYTE flags;
    USHORT value;
    PVOID object;
    ACCESS_MASK access;
};

struct SystemHandleList {
    ULONG count;
    SystemHandleEntry entries[1];
};

template <typename Function>
Function NtdllFunction(const char* name) {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(ntdll, name)))
                            : nullptr;
}

long long CountGdiTableEntries(HANDLE process, DWORD processId) {
    const auto query = NtdllFunction<QueryProcessFunction>("NtQueryInformationProcess");
    PROCESS_BASIC_INFORMATION basic{};
    if (query == nullptr || query(process, kProcessBasicInformation, &basic, sizeof basic, nullptr) != 0 ||
        basic.PebBaseAddress == nullptr) {
        return -1;
    }
    const auto* pebBytes = reinterpret_cast<const unsigned char*>(basic.PebBaseAddress);
    const unsigned char* table = nullptr;
    if (!ReadProcessMemory(process, pebBytes + kPebGdiTableOffset, &table, sizeof table, nullptr) || table == nullptr) {
        return -1;
    }
    std::vector<GdiTableEntry> entries(kGdiEntriesPerRead);
    long long live = 0;
    for (std::size_t first = 0; first < kGdiTableEntries; first += kGdiEntriesPerRead) {
        if (!ReadProcessMemory(process, table + first * sizeof(GdiTableEntry), entries.data(),
                               entries.size() * sizeof(GdiTableEntry), nullptr)) {
            return -1;
        }
        for (const GdiTableEntry& entry : entries) {
            const bool owned = entry.ownerId == 0 || entry.ownerId == static_cast<unsigned short>(processId);
            if (entry.type != 0 && (entry.extendedType & kStockFlag) == 0 && owned) {
                ++live;
            }
        }
    }
    return live;
}

long long CountSystemHandles(DWORD processId) {
    const auto query = NtdllFunction<QuerySystemFunction>("NtQuerySystemInformation");
    if (query == nullptr) {
        return -1;
    }
    // The list grows while it is read; a few retries with the size the call asks for settle it.
    std::vector<unsigned char> buffer(1 << 16);
    LONG status = kStatusInfoLengthMismatch;
    for (int attempt = 0; attempt < 8 && status == kStatusInfoLengthMismatch; ++attempt) {
        ULONG needed = 0;
        status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == kStatusInfoLengthMismatch) {
            buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 4096));
        }
    }
    if (status != 0) {
        return -1;
    }
    ULONG count = 0;
    std::memcpy(&count, buffer.data(), sizeof count);
    constexpr std::size_t firstEntry = offsetof(SystemHandleList, entries);
    if (firstEntry + static_cast<std::size_t>(count) * sizeof(SystemHandleEntry) > buffer.size()) {
        return -1;
    }
    const auto* entries = reinterpret_cast<const SystemHandleEntry*>(buffer.data() + firstEntry);
    long long owned = 0;
    for (ULONG index = 0; index < count; ++index) {
        if (entries[index].ownerId == processId) {
            ++owned;
        }
    }
    return owned;
}

template <typename Reading>
long long Lowest(Reading reading) {
    long long lowest = reading();
    for (int index = 1; index < kReadings; ++index) {
        Sleep(kReadingPause);
        lowest = std::min(lowest, reading());
    }
    return lowest;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (__argc < 2) {
        return 2;
    }
    const HWND window = FindWindowW(__wargv[1], nullptr);
    DWORD processId = 0;
    if (window == nullptr || GetWindowThreadProcessId(window, &processId) == 0) {
        return 1;
    }
    const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (process == nullptr) {
        return 3;
    }
    DWORD handles = 0;
    const long long handleCount = GetProcessHandleCount(process, &handles) ? static_cast<long long>(handles) : -1;
    const long long tableEntries = Lowest([&] { return CountGdiTableEntries(process, processId); });
    const long long systemHandles = Lowest([&] { return CountSystemHandles(processId); });
    char line[160];
    const int length =
        std::snprintf(line, sizeof line, "%lu %lu %lld %lld %lld\n", GetGuiResources(process, GR_GDIOBJECTS),
                      GetGuiResources(process, GR_USEROBJECTS), handleCount, tableEntries, systemHandles);
    CloseHandle(process);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line, static_cast<DWORD>(length), &written, nullptr);
    return 0;
}
