#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/Image.h"
#include "platform/MainWindow.h"
#include "win32/WindowBase.h"
#include "win32/WindowFrame.h"

namespace taktora {
class Form1;
}

namespace taktora::platform::win32 {

// The caption-less tool window `Form1` lives in. It shows the picture the model hands over and passes every event
// to the model.
class MainWindow final : public platform::MainWindow, public WindowBase<MainWindow> {
public:
    static constexpr const wchar_t* kClassName = L"TaktoraMain";

    // The title is never drawn (there is no caption); a second start of the program finds the window by it.
    MainWindow(HINSTANCE instance, const std::wstring& title);
    void Attach(Form1& form) { form_ = &form; }
    // Called with the new DPI when the window moved to a screen of another scale.
    void OnDpiChanged(std::function<void(int)> handler) { dpiChanged_ = std::move(handler); }

    Rect GetRect() override;
    void SetRect(const Rect& rect) override;
    Size ClientSize() override;
    void Show() override;
    void ShowInFront() override;
    void Hide() override;
    bool IsVisible() override;
    void SetTopMost(bool topMost) override;
    void StartTimer(TimerId id, int milliseconds) override;
    void StopTimer(TimerId id) override;
    void Close() override;
    void Present(const Image& picture) override;
    // The picture presented last, nothing before the first; its owner keeps it alive.
    const Image* Picture() const { return picture_; }
    void SetToolTip(const std::string& text) override;
    int ShowPopupMenu(const std::vector<MenuEntry>& entries) override;
    void Focus() override;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void OnPaint();
    void Blit(HDC dc);
    void OnGetMinMaxInfo(MINMAXINFO& info);
    void OnMouseMove(WPARAM buttons, LPARAM position);
    void CreateToolTip(HINSTANCE instance);

    Form1* form_ = nullptr;
    WindowFrame frame_;
    std::function<void(int)> dpiChanged_;
    const Image* picture_ = nullptr;  // the last one presented, kept alive by its owner
    HWND toolTip_ = nullptr;
    std::wstring toolTipText_;
};

}  // namespace taktora::platform::win32
