#include "win32/TaskbarWindow.h"

#include "render/Preview.h"
#include "win32/Handles.h"
#include "win32/NewerApis.h"
#include "win32/Rects.h"
#include "win32/Resources.h"
#include "win32/Text.h"

namespace taktora::platform::win32 {
namespace {

constexpr int kTwipsPerInch = 1440;
// Up and left of the screen, entirely out of sight: 1000 twips, about 67 pixels at 96 DPI.
constexpr int kOffScreenTwips = -1000;
constexpr int kWidthTwips = 540;
constexpr int kHeightTwips = 270;
constexpr const wchar_t* kInitialCaption = L"Taktora";

// The picture at the given size as DWM takes it: a top-down 32-bit bitmap whose alpha channel says opaque. GDI's
// halftone shrinking keeps thin lines of a wide graph visible in a small thumbnail.
GdiBitmap OpaqueBitmap(const Image& picture, Size size) {
    const BITMAPINFO info = PictureFormat(size.width, size.height);
    void* bits = nullptr;
    GdiBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const MemoryDc dc(CreateCompatibleDC(nullptr));
    if (!bitmap || bits == nullptr || !dc) {
        return {};
    }
    {
        const SelectedObject selected(dc.Get(), bitmap.Get());
        SetStretchBltMode(dc.Get(), HALFTONE);
        SetBrushOrgEx(dc.Get(), 0, 0, nullptr);
        const BITMAPINFO source = PictureFormat(picture.Stride(), picture.Height());
        StretchDIBits(dc.Get(), 0, 0, size.width, size.height, picture.Origin(), 0, picture.Width(), picture.Height(),
                      picture.Buffer(), &source, DIB_RGB_COLORS, SRCCOPY);
        GdiFlush();
    }
    Pixel* out = static_cast<Pixel*>(bits);
    for (std::size_t i = 0; i < static_cast<std::size_t>(size.width) * size.height; ++i) {
        out[i] |= 0xFF000000u;
    }
    return bitmap;
}

}  // namespace

TaskbarWindow::TaskbarWindow(HINSTANCE instance, int dpi, IconFactory& smallIcons, IconFactory& bigIcons)
    : dpi_(dpi), caption_(kInitialCaption), smallIcon_(smallIcons), bigIcon_(bigIcons) {
    // The class icon stands on the button until the first load picture replaces it.
    RegisterClass(instance, kClassName, 0, nullptr, TAKTORA_ICON);
    // WS_EX_APPWINDOW gives the button; WS_SYSMENU gives the button's menu its "Close".
    Create(instance, kClassName, kInitialCaption, WS_EX_APPWINDOW, WS_POPUP | WS_SYSMENU, 0, 0,
           MulDiv(kWidthTwips, dpi_, kTwipsPerInch), MulDiv(kHeightTwips, dpi_, kTwipsPerInch), nullptr);
    MoveOffScreen();
}

TaskbarWindow::~TaskbarWindow() {
    // The window draws the icons it was given until it is gone, so it goes before the icon slots.
    if (Handle() != nullptr) {
        DestroyWindow(Handle());
    }
}

void TaskbarWindow::MoveOffScreen() {
    // Measured from the top-left corner of all screens together, so that a screen left of or above the primary one
    // does not bring the window into view.
    const int offset = MulDiv(kOffScreenTwips, dpi_, kTwipsPerInch);
    SetWindowPos(Handle(), nullptr, GetSystemMetrics(SM_XVIRTUALSCREEN) + offset,
                 GetSystemMetrics(SM_YVIRTUALSCREEN) + offset, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TaskbarWindow::Show(bool show) {
    ShowWindow(Handle(), show ? SW_SHOWNA : SW_HIDE);
}

void TaskbarWindow::SetCaption(const std::string& caption) {
    std::wstring wide = Utf8ToWide(caption);
    if (wide == caption_) {
        return;
    }
    caption_ = std::move(wide);
    // Also while hidden: other programs read the current load from this caption.
    SetWindowTextW(Handle(), caption_.c_str());
}

void TaskbarWindow::SetIcon(const Image& small, const Image& big) {
    smallIcon_.Replace(
        small, [this](IconHandle icon) { SendMessageW(Handle(), WM_SETICON, ICON_SMALL, static_cast<LPARAM>(icon)); });
    bigIcon_.Replace(
        big, [this](IconHandle icon) { SendMessageW(Handle(), WM_SETICON, ICON_BIG, static_cast<LPARAM>(icon)); });
    // The icon follows each new graph, and so does the preview.
    if (iconicPreview_) {
        InvalidateIconicPreview(Handle());
    }
}

void TaskbarWindow::OnPreview(std::function<const Image*()> picture) {
    preview_ = std::move(picture);
    iconicPreview_ = UseIconicPreview(Handle());
}

void TaskbarWindow::SendPreview(Size limit, bool thumbnail) {
    const Image* picture = preview_ ? preview_() : nullptr;
    if (picture == nullptr || picture->Width() <= 0 || picture->Height() <= 0) {
        return;
    }
    const Size size = render::PreviewSize({picture->Width(), picture->Height()}, limit);
    if (const GdiBitmap bitmap = OpaqueBitmap(*picture, size)) {
        SetIconicPreview(Handle(), bitmap.Get(), thumbnail);
    }
}

void TaskbarWindow::Notify(const std::function<void()>& handler) {
    if (handler) {
        handler();
    }
}

LRESULT TaskbarWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) {
                Notify(activated_);
            }
            return Default(message, wParam, lParam);
        case WM_SYSCOMMAND:
            // A click on the button of the window that is active already asks it to minimise; for this window that
            // click means the same as the first one.
            if ((wParam & 0xFFF0) == SC_MINIMIZE) {
                Notify(activated_);
                return 0;
            }
            return Default(message, wParam, lParam);
        case WM_CLOSE:
            Notify(close_);
            return 0;
        case WM_DWMSENDICONICTHUMBNAIL:
            SendPreview({HIWORD(lParam), LOWORD(lParam)}, true);
            return 0;
        case WM_DWMSENDICONICLIVEPREVIEWBITMAP: {
            const Image* picture = preview_ ? preview_() : nullptr;
            SendPreview(picture != nullptr ? Size{picture->Width(), picture->Height()} : Size{}, false);
            return 0;
        }
        case WM_DISPLAYCHANGE:
            MoveOffScreen();
            return Default(message, wParam, lParam);
        default:
            return Default(message, wParam, lParam);
    }
}

}  // namespace taktora::platform::win32
