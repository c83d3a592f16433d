#pragma once

#include <optional>
#include <string>

#include "app/Form1.h"
#include "tests/fakes/CountingIconFactory.h"
#include "tests/fakes/FakePlatform.h"
#include "tests/fakes/FakeSources.h"
#include "tests/fakes/FakeTaskbarButton.h"
#include "tests/fakes/FakeTextPainter.h"
#include "tests/fakes/FakeTray.h"

namespace taktora::fake {

constexpr const char* kSettingsKey = "Software\\VB and VBA Program Settings\\Brisko-Software\\Taktora";
constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Every fake of the platform, wired into the services the main window's model uses.
struct FakeMachine {
    FakeRegistry registry;
    FakeSystem system;
    FakeFileSystem files;
    FakeKernel kernel;
    FakeDesktop desktop;
    fake::FakeTextPainter text;
    FakeShell shell;
    FakeProcesses processes;
    fake::CountingIconFactory icons;
    fake::FakeTray tray{icons};
    fake::FakeTaskbarButton taskbar{icons};
    FakeSharedMemory shared;
    FakePdh pdh;
    FakeDynStats dynStats;
    FakeMainWindow window;
    Platform platform{registry,  system, files,   kernel, desktop, text,    shell,
                      processes, tray,   taskbar, shared, pdh,     dynStats};

    void Store(const std::string& name, const std::string& text) {
        registry.Put(platform::RegRoot::CurrentUser, kSettingsKey, name, {platform::RegType::String, text});
    }
    std::optional<std::string> Stored(const std::string& name) const {
        return registry.Get(platform::RegRoot::CurrentUser, kSettingsKey, name);
    }
};

}  // namespace taktora::fake
