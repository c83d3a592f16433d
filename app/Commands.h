#pragma once

#include <vector>

#include "base/SettingsTable.h"
#include "platform/MainWindow.h"

namespace taktora {

class frmSet;

// The keys of the main window's key table; the Win32 layer translates virtual-key codes into these.
enum class Key { Other, F1, F2, F3, F4, F5, E, P, T };

// The modifier keys held with a key or a mouse move, as a mask.
enum Modifiers : unsigned { kNoModifier = 0, kShiftKey = 1, kCtrlKey = 2, kAltKey = 4 };

// The mouse buttons held over the graph, as a mask.
enum MouseButtons : unsigned { kNoButton, kLeftButton, kRightButton };

// The tray icon's mouse events the program answers.
enum class TrayMouse { Other, LeftDown, LeftDoubleClick, RightUp };

// What the commands do to the rest of the program.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    virtual void ShowSettings() = 0;
    virtual void Task() = 0;
    virtual void Proc() = 0;
    virtual void Ext() = 0;
    virtual void CloseMainWindow() = 0;
    virtual void ShowMainWindow(bool show) = 0;
    virtual void Redraw() = 0;
    virtual bool TaskManagerFound() const = 0;
    virtual bool ProcessViewerFound() const = 0;
};

// The popup menu, the key table, the graph's mouse gestures and the tray icon's mouse events.
class Commands {
public:
    Commands(CommandTarget& target, frmSet& settings, platform::MainWindow& window);

    const std::vector<platform::MenuEntry>& Menu() const { return menu_; }
    void ShowExtra(bool available);
    void EnableTaskManager(bool found);

    void MenuClick(int index);
    void OpenMenu();
    void KeyDown(Key key, unsigned modifiers);
    void ButtonDown(MouseButtons button) { lastButton_ = button; }
    void Click();
    void DoubleClick();
    void TrayEvent(TrayMouse event);

private:
    // A display option switched by its key, and the graph redrawn; a greyed-out option stays as it is.
    void ToggleAndRedraw(BoxId box);

    CommandTarget& target_;
    frmSet& settings_;
    platform::MainWindow& window_;
    std::vector<platform::MenuEntry> menu_;
    MouseButtons lastButton_ = kNoButton;
};

}  // namespace taktora
