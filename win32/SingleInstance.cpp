#include "win32/SingleInstance.h"

#include <utility>

#include "win32/MainWindow.h"

namespace taktora::platform::win32 {

namespace {

// A copy that is ending keeps the profile until its settings are stored; a copy started in that moment waits for it
// instead of ending unseen. One still waiting at logon, which has no window yet, is not waited for that long.
constexpr DWORD kHandOverMs = 3000;

}  // namespace

UINT ShowInstanceMessage() {
    static const UINT message = RegisterWindowMessageW(L"Taktora.ShowMainWindow");
    return message;
}

SingleInstance::SingleInstance(std::wstring name) : name_(std::move(name)) {
    // Local\: one copy per session; another user's session has a desktop, a tray and a namespace of its own.
    mutex_.Reset(CreateMutexW(nullptr, FALSE, (L"Local\\" + name_).c_str()));
    if (!mutex_) {
        // A copy run as administrator holds a mutex that this one may not open: the profile runs. Any other failure
        // (the name taken by an object of another kind) must not keep the program from starting.
        claimed_ = GetLastError() != ERROR_ACCESS_DENIED;
        return;
    }
    DWORD waited = WaitForSingleObject(mutex_.Get(), 0);
    if (waited == WAIT_TIMEOUT && RunningWindow() == nullptr) {
        waited = WaitForSingleObject(mutex_.Get(), kHandOverMs);
    }
    // Abandoned: the copy that held it was ended without closing, and the profile is free.
    owned_ = claimed_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

SingleInstance::~SingleInstance() {
    if (owned_) {
        ReleaseMutex(mutex_.Get());
    }
}

HWND SingleInstance::RunningWindow() const {
    return FindWindowW(MainWindow::kClassName, name_.c_str());
}

void SingleInstance::ShowRunning() const {
    const HWND window = RunningWindow();
    if (window == nullptr) {
        return;  // still waiting at logon: its window shows when it is ready
    }
    // Windows lets only the program the user just started bring a window to the front, and that is this one.
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    AllowSetForegroundWindow(process);
    PostMessageW(window, ShowInstanceMessage(), 0, 0);
}

}  // namespace taktora::platform::win32
