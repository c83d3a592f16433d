#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "app/Form1.h"
#include "app/StartupRules.h"
#include "tray/SharedIconFactory.h"
#include "win32/MainWindow.h"
#include "win32/NewerApis.h"
#include "win32/SettingsDialog.h"
#include "win32/SingleInstance.h"
#include "win32/TaskbarWindow.h"
#include "win32/Text.h"
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

// Shell calls may load shell extensions, which are COM objects and some of which need a single-threaded apartment:
// the window thread is one for the whole run. Nothing here speaks OLE1's DDE.
class ComApartment {
public:
    ComApartment() : entered_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment() {
        if (entered_) {
            CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool entered_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using namespace taktora::platform::win32;

    LoadLibrariesFromSystemFolderOnly();

    // Before anything is read or written: a second copy of a running profile leaves everything to the first.
    Win32System system;
    const taktora::CommandLineChoice choice = taktora::ParseCommandLine(system.CommandLineArguments());
    const std::wstring name = Utf8ToWide(taktora::InstanceName(choice.keySuffix));
    const SingleInstance profile(name);
    if (!profile.Claimed()) {
        // A start by hand asks for the program; the Run entry's start at logon only makes sure it runs.
        if (!choice.startupWait) {
            profile.ShowRunning();
        }
        return 0;
    }
    const ComApartment com;

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    Win32Registry registry;
    taktora::Form1::WaitAtLogon(system);
    Win32FileSystem files;
    Win32Kernel kernel;
    Win32Desktop desktop;
    Win32Shell shell;
    Win32Processes processes;
    Win32SharedMemory shared;
    Win32Pdh pdh;
    Win32DynStats dynStats;
    // Declared before every window that holds icons, so the icons go before their factories. One for each size, so
    // that each keeps its bitmaps.
    Win32IconFactory smallIcons;
    Win32IconFactory bigIcons;
    // The tray's icon is the taskbar button's small one.
    taktora::render::SharedIconFactory sharedSmallIcons(smallIcons);

    MainWindow window(instance, name);
    // The graph's text takes the scale of the window's monitor, which need not be the system's.
    GdiTextPainter text(WindowDpi(window.Handle()));
    shell.SetOwner(window.Handle());
    processes.SetOwner(window.Handle());
    TrayIcon tray(window.Handle(), kTrayCallbackMessage, sharedSmallIcons);
    TaskbarWindow taskbar(instance, desktop.Dpi(), sharedSmallIcons, bigIcons);
    taktora::Platform platform{registry,  system, files,   kernel, desktop, text,    shell,
                               processes, tray,   taskbar, shared, pdh,     dynStats};

    taktora::Form1 form(platform, window);
    SettingsDialog settings(instance, form.Settings());
    taskbar.OnActivated([&form] { form.TaskbarActivated(); });
    taskbar.OnClose([&window] { window.Close(); });
    taskbar.OnPreview([&window] { return window.Picture(); });
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
