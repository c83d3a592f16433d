#include "tools/ProcessViewer.h"

#include "base/RegistryStrings.h"
#include "tools/Launch.h"

namespace taktora {

namespace {

// Neither carries SWP_NOZORDER nor SWP_NOACTIVATE: a running viewer hidden behind other windows comes to the top
// and takes the focus, which is what the user asked for by calling it.
constexpr unsigned kHideWindow = 0x80;         // SWP_HIDEWINDOW
constexpr unsigned kShowWindow = 0x40 | 0x20;  // SWP_SHOWWINDOW | SWP_FRAMECHANGED
constexpr const char* kCrLf = "\r\n";

}  // namespace

std::string ViewerHintText(const std::string& programDir) {
    const std::string blanks = "      ";
    return std::string("ProcessViewer ist ein externes Freeware Programm, daß Sie      ") + kCrLf +
           "unter folgender Adresse kostenlos herunterladen können:" + kCrLf + kCrLf + blanks +
           ProcessViewer::kDownloadAddress + blanks + kCrLf + kCrLf +
           "Kopieren Sie den Inhalt des runtergeladenen Archives nach:      " + kCrLf + kCrLf + blanks + programDir +
           "PViewer\\      " + kCrLf + kCrLf + "Danach müssen Sie Taktora neu starten und anschließend      " + kCrLf +
           "ProcessViewer in den Einstellungen aktivieren.      " + kCrLf + kCrLf;
}

std::string ViewerWarningText() {
    return std::string("Die ''Start up'' Einstellungen vom ProcessViewer sollte für die Verwendung mit      ") + kCrLf +
           "Taktora ausgeschaltet sein!  Die Einstellungen werden jetzt abgeschaltet.      " + kCrLf + kCrLf;
}

ProcessViewer::ProcessViewer(platform::Processes& processes, platform::Shell& shell, SettingsStore& store)
    : processes_(processes), shell_(shell), store_(store) {}

void ProcessViewer::RepairSettings(platform::Registry& registry, const std::string& viewerToolPath,
                                   bool viewerToolPresent) {
    const auto read = [&](const char* name) {
        return RegGetString(registry, platform::RegRoot::CurrentUser, kSettingsKey, name);
    };
    const auto write = [&](const char* name, const char* text) {
        RegSetString(registry, platform::RegRoot::CurrentUser, kSettingsKey, name, text);
    };
    std::string useSysTray = read("UseSysTray");
    if (useSysTray == "1" || read("AllowMultiplyInstances") == "1" || read("StartMinimized") == "1") {
        shell_.ShowMessage(" ACHTUNG:", ViewerWarningText(), platform::MessageIcon::Critical);
        useSysTray.clear();
    }
    write("Colorize", "1");
    if (!useSysTray.empty()) {
        return;
    }
    if (viewerToolPresent) {
        // Ends a viewer that is running with the old settings.
        StartProgram(processes_, viewerToolPath, "\"" + viewerToolPath + "\" -kf PrcView.exe", true);
    }
    write("UseSysTray", "0");
    write("AllowMultiplyInstances", "0");
    write("StartMinimized", "0");
}

void ProcessViewer::Proc(bool found, const std::string& viewerPath, const std::string& programDir,
                         const std::string& keySuffix) {
    if (!found) {
        shell_.ShowMessage(" HINWEIS:", ViewerHintText(programDir), platform::MessageIcon::Information);
        return;
    }
    const auto processId = StartProgram(processes_, viewerPath, "\"" + viewerPath + "\"", false);
    if (processId.value_or(0) == 0) {
        return;
    }
    const auto stored = [&](Setting setting) { return store_.Read(Row(setting), keySuffix); };
    ViewerTop = stored(Setting::ViewerTop);
    ViewerLeft = stored(Setting::ViewerLeft);
    ViewerWidth = stored(Setting::ViewerWidth);
    ViewerHeight = stored(Setting::ViewerHeight);
    if (ViewerTop >= 0 && ViewerLeft >= 0 && ViewerWidth >= 0 && ViewerHeight >= 0) {
        // A viewer that was already running is put where the user last had it; a new one is picked up by Track.
        if (const platform::WindowHandle window = processes_.FindWindowByTitle(kWindowTitle)) {
            const platform::Rect rect{ViewerLeft, ViewerTop, ViewerWidth, ViewerHeight};
            processes_.SetWindowPos(window, rect, kHideWindow);
            processes_.SetWindowPos(window, rect, kShowWindow);
        }
    }
    ViewerTracking = *processId;
}

void ProcessViewer::Track(const std::string& keySuffix) {
    if (ViewerTracking == 0) {
        return;
    }
    const platform::WindowHandle window = processes_.FindWindowByTitle(kWindowTitle);
    const auto rect = window != 0 ? processes_.GetWindowRect(window) : std::nullopt;
    if (!rect || (rect->top == ViewerTop && rect->left == ViewerLeft && rect->width == ViewerWidth &&
                  rect->height == ViewerHeight)) {
        return;
    }
    ViewerTop = rect->top;
    ViewerLeft = rect->left;
    ViewerWidth = rect->width;
    ViewerHeight = rect->height;
    // A minimised or off-screen viewer has negative coordinates; that is not a place to come back to.
    if (ViewerTop >= 0 && ViewerLeft >= 0 && ViewerWidth >= 0 && ViewerHeight >= 0) {
        store_.Write(Row(Setting::ViewerTop), keySuffix, ViewerTop);
        store_.Write(Row(Setting::ViewerLeft), keySuffix, ViewerLeft);
        store_.Write(Row(Setting::ViewerWidth), keySuffix, ViewerWidth);
        store_.Write(Row(Setting::ViewerHeight), keySuffix, ViewerHeight);
    }
}

}  // namespace taktora
