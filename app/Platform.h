#pragma once

#include "platform/Desktop.h"
#include "platform/DynStats.h"
#include "platform/FileSystem.h"
#include "platform/Kernel.h"
#include "platform/Pdh.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/SharedMemory.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "platform/TaskbarButton.h"
#include "platform/TextPainter.h"
#include "platform/Tray.h"

namespace taktora {

// The Windows services the main window's model uses.
struct Platform {
    platform::Registry& registry;
    platform::System& system;
    platform::FileSystem& files;
    platform::Kernel& kernel;
    platform::Desktop& desktop;
    platform::TextPainter& text;
    platform::Shell& shell;
    platform::Processes& processes;
    platform::Tray& tray;
    platform::TaskbarButton& taskbar;
    platform::SharedMemory& shared;
    platform::Pdh& pdh;
    platform::DynStats& dynStats;
};

}  // namespace taktora
