#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/Form1.h"
#include "platform/fake/CountingIconFactory.h"
#include "platform/fake/FakePlatform.h"
#include "platform/fake/FakeSources.h"
#include "platform/fake/FakeTaskbarButton.h"
#include "platform/fake/FakeTextPainter.h"
#include "platform/fake/FakeTray.h"

namespace taktora {

constexpr const char* kSettingsKey = "Software\\VB and VBA Program Settings\\Brisko-Software\\Taktora";
constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Every fake of the platform, and a main window model over them.
struct FakeMachine {
    fake::FakeRegistry registry;
    fake::FakeSystem system;
    fake::FakeFileSystem files;
    fake::FakeKernel kernel;
    fake::FakeDesktop desktop;
    platform::FakeTextPainter text;
    fake::FakeShell shell;
    fake::FakeProcesses processes;
    platform::CountingIconFactory icons;
    platform::FakeTray tray{icons};
    platform::FakeTaskbarButton taskbar{icons};
    fake::FakeSharedMemory shared;
    fake::FakePdh pdh;
    fake::FakeDynStats dynStats;
    fake::FakeMainWindow window;
    Platform platform{registry,  system, files,   kernel, desktop, text,    shell,
                      processes, tray,   taskbar, shared, pdh,     dynStats};

    void Store(const std::string& name, const std::string& text) {
        registry.Put(platform::RegRoot::CurrentUser, kSettingsKey, name, {platform::RegType::String, text});
    }
    std::optional<std::string> Stored(const std::string& name) const {
        return registry.Get(platform::RegRoot::CurrentUser, kSettingsKey, name);
    }
};

class FormTest : public ::testing::Test, public FakeMachine {
protected:
    void Start() {
        form.Load();
        form.ShowAfterLoad();
    }

    Form1 form{platform, window};
};

}  // namespace taktora
