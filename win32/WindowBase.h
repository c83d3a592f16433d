#pragma once

#include <windows.h>

namespace taktora::platform::win32 {

// Routes a window's messages to a C++ object: `this` is stored at WM_NCCREATE (passed as the creation parameter)
// and cleared at WM_NCDESTROY. Derived classes implement LRESULT HandleMessage(UINT, WPARAM, LPARAM).
template <typename Derived>
class WindowBase {
public:
    HWND Handle() const { return hwnd_; }

protected:
    WindowBase() = default;
    ~WindowBase() {
        if (hwnd_ != nullptr) {
            DestroyWindow(hwnd_);
        }
    }
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    // iconId names an icon group of the program's resources (0: none). Both sizes are shared icons, which the system
    // keeps for the life of the process, so nobody destroys them.
    static void RegisterClass(HINSTANCE instance, const wchar_t* className, UINT style, HBRUSH background,
                              WORD iconId = 0) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = style;
        wc.lpfnWndProc = &WindowBase::Procedure;
        wc.hInstance = instance;
        if (iconId != 0) {
            wc.hIcon = LoadIconSized(instance, iconId, SM_CXICON, SM_CYICON);
            wc.hIconSm = LoadIconSized(instance, iconId, SM_CXSMICON, SM_CYSMICON);
        }
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = background;
        wc.lpszClassName = className;
        RegisterClassExW(&wc);
    }

    HWND Create(HINSTANCE instance, const wchar_t* className, const wchar_t* title, DWORD exStyle, DWORD style, int x,
                int y, int width, int height, HWND owner) {
        return CreateWindowExW(exStyle, className, title, style, x, y, width, height, owner, nullptr, instance,
                               static_cast<Derived*>(this));
    }

    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }

private:
    static HICON LoadIconSized(HINSTANCE instance, WORD iconId, int widthMetric, int heightMetric) {
        return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                                             GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric), LR_SHARED));
    }

    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        Derived* self = nullptr;
        if (message == WM_NCCREATE) {
            self = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            self->hwnd_ = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        } else {
            self = reinterpret_cast<Derived*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        }
        if (self == nullptr) {
            return DefWindowProcW(hwnd, message, wParam, lParam);
        }
        const LRESULT result = self->HandleMessage(message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
        }
        return result;
    }

    HWND hwnd_ = nullptr;
};

}  // namespace taktora::platform::win32
