// What taktora.exe costs before it draws anything: the load source's sample every 100 ms through the same kernel
// reads (clsCPUUsageNT on Win32Kernel), and, given a refresh interval in milliseconds on the command line, a second
// window timer at that rate that only empties the sum. scripts/overhead.sh measures it beside taktora.exe under Wine.
#include <windows.h>

#include <cwchar>

#include "sources/CPUUsageNT.h"
#include "win32/Win32Platform.h"

namespace {

constexpr UINT kSamplingMs = 100;
taktora::clsLoadSource* source = nullptr;
double sampleSum = 0;

void CALLBACK Sample(HWND, UINT, UINT_PTR, DWORD) {
    sampleSum += source->Query().value_or(0);
}

void CALLBACK Refresh(HWND, UINT, UINT_PTR, DWORD) {
    sampleSum = 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    taktora::platform::win32::Win32Kernel kernel;
    taktora::clsCPUUsageNT counters(kernel);
    source = &counters;
    counters.Initialize();
    SetTimer(nullptr, 0, kSamplingMs, Sample);
    const long refreshMs = std::wcstol(commandLine, nullptr, 10);
    if (refreshMs >= static_cast<long>(kSamplingMs)) {
        SetTimer(nullptr, 0, static_cast<UINT>(refreshMs), Refresh);
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    return 0;
}
