#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "dialog/SettingsLayout.h"
#include "dialog/frmSet.h"
#include "win32/Handles.h"
#include "win32/WindowBase.h"

namespace taktora::platform::win32 {

// The real window of the settings dialog: it mirrors the model `frmSet` (boxes, texts, visibility) and hands every
// click back to it. It is created hidden and lives as long as the model's view is needed; showing and hiding never
// recreate it, so the controls keep their state in between.
class SettingsDialog final : public WindowBase<SettingsDialog> {
public:
    static constexpr const wchar_t* kClassName = L"TaktoraSettings";

    // The model must outlive this window.
    SettingsDialog(HINSTANCE instance, frmSet& model);
    ~SettingsDialog();

    // For the message loop, before TranslateMessage/DispatchMessage: gives the dialog its keyboard (Tab, access keys,
    // Enter). True when the message has been handled and must not be dispatched again.
    bool PreTranslate(MSG& message);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static constexpr std::size_t kBoxCount = std::tuple_size_v<decltype(std::declval<frmSet&>().Boxes())>;

    // A control text that follows a text of the model; `shown` avoids redrawing unchanged texts on every update.
    struct MirroredText {
        HWND control;
        const std::string* source;
        std::string shown;
    };

    // Indexes of fonts_; kNoFont for a control that draws itself.
    enum FontRole : std::size_t { kTextFont, kTitleFont, kBoldFont, kFontCount, kNoFont = kFontCount };

    // A control with its place and font, to be laid out anew when the DPI changes.
    struct Laid {
        HWND control;
        dialog::Place place;
        FontRole font;
    };

    int Scale(int pixels) const;
    std::array<GdiFont, kFontCount> MakeFonts() const;
    void FitClient();
    void CreateToolTip(HINSTANCE instance);
    void AddToolTip(HWND control, const std::string& text);
    HWND AddControl(HINSTANCE instance, const wchar_t* className, const std::wstring& text, DWORD style,
                    const dialog::Place& place, int id, FontRole font);
    void CreateControls(HINSTANCE instance);
    void ApplyDpi(int dpi);

    void UpdateView();
    void UpdateBox(std::size_t index);
    void UpdateRate();
    void ShowInPlace();

    void OnCommand(int id, int code);
    void OnPaint();
    void DrawPicture(const DRAWITEMSTRUCT& item);
    void OnActivate(bool active);
    void OnNextControl(WPARAM wParam, LPARAM lParam);
    bool WantsFocusBack() const;
    void FocusNextOf(HWND control);

    frmSet& model_;
    int dpi_ = dialog::kDesignDpi;
    std::array<GdiFont, kFontCount> fonts_;
    std::vector<Laid> controls_;
    bool placed_ = false;  // shown once, so the user has had the chance to move it
    HWND toolTip_ = nullptr;
    std::array<OptionBox*, kBoxCount> boxModels_{};
    std::array<HWND, kBoxCount> boxes_{};
    HWND rate_ = nullptr;
    std::vector<std::string> rateEntries_;  // what the rate box lists now
    HWND url_ = nullptr;
    HWND coreTemp_ = nullptr;
    HWND lastFocus_ = nullptr;
    std::vector<MirroredText> texts_;
};

}  // namespace taktora::platform::win32
