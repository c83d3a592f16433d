#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>

#include "platform/Desktop.h"
#include "platform/IconFactory.h"
#include "platform/TaskbarButton.h"
#include "tray/IconSlot.h"
#include "win32/WindowBase.h"

namespace taktora::platform::win32 {

// The taskbar-button window: a borderless window that lies off screen, so that showing it shows nothing but its taskbar
// button. Created hidden, with the caption "Taktora".
class TaskbarWindow final : public TaskbarButton, public WindowBase<TaskbarWindow> {
public:
    static constexpr const wchar_t* kClassName = L"TaktoraTaskBar";

    // dpi: logical pixels per inch of the screen, for the window's place and size given in twips.
    TaskbarWindow(HINSTANCE instance, int dpi, IconFactory& smallIcons, IconFactory& bigIcons);
    ~TaskbarWindow();

    void Show(bool show) override;
    void SetCaption(const std::string& caption) override;
    void SetIcon(const Image& small, const Image& big) override;

    // The user brought the button's window forward: a click on the button, also while it is active, or Alt+Tab.
    void OnActivated(std::function<void()> handler) { activated_ = std::move(handler); }
    // The button was closed (its menu, Alt+F4). The window itself stays until it is destroyed with this object.
    void OnClose(std::function<void()> handler) { close_ = std::move(handler); }
    // Where the graph's picture comes from for the button's thumbnail and Alt+Tab's preview, which would otherwise
    // show this empty window; nothing while there is no picture yet.
    void OnPreview(std::function<const Image*()> picture);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void MoveOffScreen();
    void SendPreview(Size limit, bool thumbnail);
    void Notify(const std::function<void()>& handler);

    int dpi_;
    std::wstring caption_;
    render::IconSlot smallIcon_;
    render::IconSlot bigIcon_;
    std::function<void()> activated_;
    std::function<void()> close_;
    std::function<const Image*()> preview_;
    bool iconicPreview_ = false;
};

}  // namespace taktora::platform::win32
