#include <windows.h>

#include <commctrl.h>

#include "core/Form1.h"
#include "platform/win32/MainWindow.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32Shell.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using namespace taktora::platform::win32;

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    Win32Registry registry;
    Win32System system;
    Win32FileSystem files;
    Win32Kernel kernel;
    Win32Desktop desktop;
    GdiTextPainter text(desktop.Dpi());
    Win32Shell shell;
    Win32Processes processes;
    taktora::Platform platform{registry, system, files, kernel, desktop, text, shell, processes};

    MainWindow window(instance);
    shell.SetOwner(window.Handle());
    taktora::Form1 form(platform, window);
    window.Attach(form);
    form.Load();
    form.ShowAfterLoad();

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
