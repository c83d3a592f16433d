#include "app/Commands.h"

#include "dialog/frmSet.h"

namespace taktora {

namespace {

// The popup menu's entries; the blank runs line the key names up in the menu's font.
enum MenuIndex { kMenuSettings = 1, kMenuTaskManager = 2, kMenuProcessViewer = 3, kMenuExtra = 8, kMenuEnd = 9 };
constexpr std::size_t kTaskManagerEntry = 1;
constexpr std::size_t kExtraEntry = 3;

}  // namespace

Commands::Commands(CommandTarget& target, frmSet& settings, platform::MainWindow& window)
    : target_(target),
      settings_(settings),
      window_(window),
      menu_{
          {kMenuSettings, "&Einstellungen      F1", true, true},
          // Whether there is a Task Manager and the extra entry, start-up tells.
          {kMenuTaskManager, "&TaskManager      Alt+T", {}, true},
          {kMenuProcessViewer, "&ProcessViewer    Alt+P", true, true},
          {kMenuExtra, "T&etraeder           Alt+E", {}, {}},
          {kMenuEnd, "&Beenden             Alt+F4", true, true},
      } {}

void Commands::ShowExtra(bool available) {
    menu_[kExtraEntry].visible = menu_[kExtraEntry].enabled = available;
}

void Commands::EnableTaskManager(bool found) {
    menu_[kTaskManagerEntry].enabled = found;
}

void Commands::OpenMenu() {
    MenuClick(window_.ShowPopupMenu(menu_));
}

void Commands::MenuClick(int index) {
    switch (index) {
        case kMenuSettings:
            target_.ShowSettings();
            break;
        case kMenuTaskManager:
            target_.Task();
            break;
        case kMenuProcessViewer:
            target_.Proc();
            break;
        case kMenuExtra:
            target_.Ext();
            break;
        case kMenuEnd:
            target_.CloseMainWindow();
            break;
        default:
            break;
    }
}

void Commands::ToggleAndRedraw(BoxId box) {
    OptionBox& option = settings_.Box(box);
    if (option.Enabled()) {
        option.Toggle();
        target_.Redraw();
    }
}

void Commands::KeyDown(Key key, unsigned modifiers) {
    if (modifiers == kNoModifier) {
        switch (key) {
            case Key::F1:
                target_.ShowSettings();
                return;
            case Key::F2:
                settings_.CkL.Toggle();
                target_.Redraw();
                return;
            case Key::F3:
                ToggleAndRedraw(BoxId::CkGS);
                return;
            case Key::F4:
                ToggleAndRedraw(BoxId::CkGT);
                return;
            case Key::F5:
                ToggleAndRedraw(BoxId::CkGL);
                return;
            default:
                return;
        }
    }
    if (modifiers != kAltKey) {
        return;
    }
    switch (key) {
        case Key::F4:
            target_.CloseMainWindow();
            return;
        case Key::E:
            target_.Ext();
            return;
        case Key::P:
            target_.Proc();
            return;
        case Key::T:
            target_.Task();
            return;
        default:
            return;
    }
}

void Commands::Click() {
    if (lastButton_ == kRightButton) {
        OpenMenu();
    }
}

void Commands::DoubleClick() {
    if (lastButton_ == kLeftButton) {
        target_.ShowSettings();
        target_.Redraw();
    }
    lastButton_ = kNoButton;
}

void Commands::TrayEvent(TrayMouse event) {
    const frmSet& s = settings_;
    switch (event) {
        case TrayMouse::LeftDown:
            if (!s.CkB.Checked()) {
                target_.ShowMainWindow(true);
            }
            break;
        case TrayMouse::LeftDoubleClick:
            if (!s.CkTM.Checked() && !s.CkPV.Checked()) {
                if (s.CkB.Checked()) {
                    target_.ShowSettings();
                }
                break;
            }
            if (s.CkTM.Checked() && target_.TaskManagerFound()) {
                target_.Task();
            }
            if (s.CkPV.Checked() && target_.ProcessViewerFound()) {
                target_.Proc();
            }
            break;
        case TrayMouse::RightUp:
            OpenMenu();
            break;
        case TrayMouse::Other:
            break;
    }
}

}  // namespace taktora
