// resourcecount.exe CLASS: prints "gdi-objects handles" of the process that owns the first top-level window of the
// class, for scripts/soak.sh's leak watch. Wine 8 answers GetGuiResources and GetProcessHandleCount with 0, so the
// live entries of the process's GDI handle table and its entries in the system handle list are counted instead.
// Exit code 0 when done, 1 when the window is missing or the process cannot be read, 2 for bad arguments.
#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

template <typename Function>
Function Ntdll(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), name)));
}

// Live, non-stock entries of the GDI handle table the process's PEB points to: 24-byte cells with the owner's id at
// byte 8 (0 in Wine, whose table belongs to one process), the stock flag in byte 12 and the type in byte 14.
long long GdiObjects(HANDLE process, DWORD processId) {
    struct Cell {
        unsigned long long object;
        unsigned short owner, count;
        unsigned char extendedType, generation, type, flags;
        unsigned long long user;
    };
    static_assert(sizeof(Cell) == 24);
    PROCESS_BASIC_INFORMATION basic{};
    const auto query = Ntdll<LONG(WINAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG)>("NtQueryInformationProcess");
    const unsigned char* table = nullptr;
    if (query(process, 0, &basic, sizeof basic, nullptr) != 0 ||
        !ReadProcessMemory(process, reinterpret_cast<const unsigned char*>(basic.PebBaseAddress) + 0xF8, &table,
                           sizeof table, nullptr)) {
        return -1;
    }
    std::vector<Cell> cells(0x10000);
    if (!ReadProcessMemory(process, table, cells.data(), cells.size() * sizeof(Cell), nullptr)) {
        return -1;
    }
    return std::count_if(cells.begin(), cells.end(), [processId](const Cell& cell) {
        return cell.type != 0 && (cell.extendedType & 0x80) == 0 &&
               (cell.owner == 0 || cell.owner == static_cast<unsigned short>(processId));
    });
}

long long Handles(DWORD processId) {
    struct Entry {
        ULONG owner;
        BYTE type, flags;
        USHORT value;
        PVOID object;
        ACCESS_MASK access;
    };
    const auto query = Ntdll<LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG)>("NtQuerySystemInformation");
    // The list grows while it is read: retried with the size the call asks for.
    std::vector<unsigned char> buffer(1 << 16);
    LONG status = 0;
    ULONG needed = 0;
    for (int attempt = 0; attempt < 8; ++attempt) {
        status = query(16, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status != static_cast<LONG>(0xC0000004)) {
            break;
        }
        buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 4096));
    }
    ULONG count = 0;
    std::memcpy(&count, buffer.data(), sizeof count);
    const std::size_t first = sizeof(void*);
    if (status != 0 || first + count * sizeof(Entry) > buffer.size()) {
        return -1;
    }
    const auto* entries = reinterpret_cast<const Entry*>(buffer.data() + first);
    return std::count_if(entries, entries + count, [processId](const Entry& e) { return e.owner == processId; });
}

// The lowest of five readings over a little more than the fastest refresh period, so that objects living only
// inside one drawing call are not counted.
int Resources(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (process == nullptr) {
        return kFailed;
    }
    long long gdi = GdiObjects(process, processId);
    long long handles = Handles(processId);
    for (int reading = 1; reading < 5; ++reading) {
        Sleep(30);
        gdi = std::min(gdi, GdiObjects(process, processId));
        handles = std::min(handles, Handles(processId));
    }
    CloseHandle(process);
    const std::string line = std::to_string(gdi) + " " + std::to_string(handles) + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (__argc != 2) {
        return kUsage;
    }
    const HWND window = FindWindowW(__wargv[1], nullptr);
    return window != nullptr ? Resources(window) : kFailed;
}
