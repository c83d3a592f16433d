#include <windows.h>

#include <commctrl.h>

#include "app/Form1.h"
#include "win32/MainWindow.h"
#include "win32/SettingsDialog.h"
#include "win32/TaskbarWindow.h"
#include "win32/TrayIcon.h"
#include "win32/Win32IconFactory.h"
#include "win32/Win32Platform.h"
#include "win32/Win32Shell.h"
#include "win32/Win32Sources.h"

namespace {

// Libraries the program loads itself (PDH) come from the system folder only, never from the program's folder or
// the current directory. Windows before 8 without its update KB2533623 lacks the call.
void LoadLibrariesFromSystemFolderOnly() {
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const auto set =
        reinterpret_cast<SetDirectories>(reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (set != nullptr) {
        set(LOAD_LIBRARY_SEARCH_SYSTEM32);
    } else {
        SetDllDirectoryW(L"");
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using namespace taktora::platform::win32;

    LoadLibrariesFromSystemFolderOnly();

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    Win32Registry registry;
    Win32System system;
    taktora::Form1::WaitAtLogon(system);
    Win32FileSystem files;
    Win32Kernel kernel;
    Win32Desktop desktop;
    GdiTextPainter text(desktop.Dpi());
    Win32Shell shell;
    Win32Processes processes;
    Win32SharedMemory shared;
    Win32Pdh pdh;
    Win32DynStats dynStats;
    // Declared before every window that holds icons, so the icons go before their factories. One for each size, so
    // that each keeps its bitmaps.
    Win32IconFactory smallIcons;
    Win32IconFactory bigIcons;

    MainWindow window(instance);
    shell.SetOwner(window.Handle());
    processes.SetOwner(window.Handle());
    TrayIcon tray(window.Handle(), kTrayCallbackMessage, smallIcons);
    TaskbarWindow taskbar(instance, desktop.Dpi(), smallIcons, bigIcons);
    taktora::Platform platform{registry,  system, files,   kernel, desktop, text,    shell,
                               processes, tray,   taskbar, shared, pdh,     dynStats};

    taktora::Form1 form(platform, window);
    SettingsDialog settings(instance, form.Settings(), desktop.Dpi());
    taskbar.OnActivated([&form] { form.TaskbarActivated(); });
    taskbar.OnClose([&window] { window.Close(); });
    window.Attach(form);
    window.OnDpiChanged([&](int dpi) { text.SetDpi(dpi); });
    form.Load();
    form.ShowAfterLoad();

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!settings.PreTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return 0;
}
