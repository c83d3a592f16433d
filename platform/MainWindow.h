#pragma once

#include "platform/Desktop.h"
#include "platform/Image.h"
#include "platform/Types.h"

#include <string>
#include <vector>

namespace taktora::platform {

enum class TimerId { Refresh = 1, Sampling = 2 };

struct MenuEntry {
    int index{};  // what a click on the entry reports
    std::string caption;
    bool enabled;
    bool visible;
};

// The real main window as its model sees it. Every call maps onto one window operation.
class MainWindow {
public:
    virtual ~MainWindow() = default;
    virtual Rect GetRect() = 0;
    virtual void SetRect(const Rect& rect) = 0;
    virtual Size ClientSize() = 0;
    virtual void Show() = 0;  // without taking the focus from the window the user works in
    // Shows the window in front of the others and activates it: right after a click on the tray icon or the taskbar
    // button, or in the settings dialog, the shell lets the program take the foreground.
    virtual void ShowInFront() = 0;
    virtual void Hide() = 0;
    virtual bool IsVisible() = 0;
    virtual void Focus() = 0;
    virtual void SetTopMost(bool topMost) = 0;
    virtual void StartTimer(TimerId id, int milliseconds) = 0;
    virtual void StopTimer(TimerId id) = 0;
    virtual void Close() = 0;  // asks the window to unload, as Alt+F4 does
    // Shows the finished graph picture now and at every paint until the next call. The window keeps no copy: the
    // caller keeps the picture alive and unchanged until it presents it (or another one) again.
    virtual void Present(const Image& picture) = 0;
    virtual void SetToolTip(const std::string& text) = 0;
    // Opens the popup menu at the pointer and returns the index of the chosen entry, 0 when none was chosen.
    virtual int ShowPopupMenu(const std::vector<MenuEntry>& entries) = 0;
};

}  // namespace taktora::platform
