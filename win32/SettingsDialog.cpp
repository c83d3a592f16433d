#include "win32/SettingsDialog.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <optional>

#include "win32/NewerApis.h"
#include "win32/Rects.h"
#include "win32/Text.h"

namespace taktora::platform::win32 {

namespace {

using GdiBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;

// The program picture: a few bars of a made-up load, in the graph's colours.
constexpr std::array<int, 11> kPictureLoads{35, 55, 30, 65, 85, 60, 45, 75, 95, 70, 40};
constexpr COLORREF kPictureBackground = RGB(8, 8, 8);
constexpr COLORREF kPictureBar = RGB(0, 160, 0);
constexpr COLORREF kPictureBarTop = RGB(160, 255, 160);

constexpr int kStaticId = -1;
constexpr int kPictureId = 100;
constexpr int kUrlId = 101;
constexpr int kCoreTempId = 102;
constexpr int kRateId = 103;
constexpr int kFirstBoxId = 200;

// Posted to itself, because activation must not be changed while WM_ACTIVATE is still being handled.
constexpr UINT kRetakeFocus = WM_APP + 1;

// The dialog's fonts, in the order of SettingsDialog::FontRole.
struct FontSpec {
    const wchar_t* face;
    int points;
    bool bold;
};
constexpr std::array<FontSpec, 3> kFonts{{{L"Tahoma", 8, false}, {L"Comic Sans MS", 12, false}, {L"Tahoma", 8, true}}};

WPARAM CheckState(int value) {
    switch (value) {
        case OptionBox::kUnchecked:
            return BST_UNCHECKED;
        case OptionBox::kGreyed:
            return BST_INDETERMINATE;
        default:
            return BST_CHECKED;  // every other value counts as ticked, as the model reads it
    }
}

bool IsMessageBox(HWND window) {
    wchar_t className[16]{};
    GetClassNameW(window, className, static_cast<int>(std::size(className)));
    return std::wcscmp(className, L"#32770") == 0;
}

}  // namespace

SettingsDialog::SettingsDialog(HINSTANCE instance, frmSet& model) : model_(model) {
    static_assert(dialog::kBoxPlaces.size() == kBoxCount);
    RegisterClass(instance, kClassName, 0, GetSysColorBrush(COLOR_BTNFACE));
    Create(instance, kClassName, L"", WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0,
           dialog::kClientWidth, dialog::kClientHeight, nullptr);
    if (Handle() == nullptr) {
        return;  // the model works on without a view
    }
    // Only a window knows the DPI of its monitor, so the fonts and the controls follow the window.
    dpi_ = dialog::UsableDpi(WindowDpi(Handle()));
    fonts_ = MakeFonts();
    FitClient();
    CreateToolTip(instance);
    CreateControls(instance);
    model_.OnViewChange([this] { UpdateView(); });
    model_.OnFocusRequest([this] { SetForegroundWindow(Handle()); });
    UpdateView();
}

SettingsDialog::~SettingsDialog() {
    model_.OnViewChange(nullptr);
    model_.OnFocusRequest(nullptr);
    for (OptionBox* box : model_.Boxes()) {
        box->OnChange(nullptr);
    }
    // Destroyed here rather than by the base, while the fonts the controls use still exist.
    if (Handle() != nullptr) {
        DestroyWindow(Handle());
    }
}

int SettingsDialog::Scale(int pixels) const {
    return dialog::Scale(pixels, dpi_);
}

std::array<GdiFont, SettingsDialog::kFontCount> SettingsDialog::MakeFonts() const {
    static_assert(kFonts.size() == kFontCount);
    std::array<GdiFont, kFontCount> fonts;
    for (std::size_t i = 0; i < kFontCount; ++i) {
        fonts[i] = GdiFont(CreateFontW(dialog::FontHeight(kFonts[i].points, dpi_), 0, 0, 0,
                                       kFonts[i].bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                       DEFAULT_PITCH | FF_DONTCARE, kFonts[i].face));
    }
    return fonts;
}

// The frame's size depends on the system's metrics and on the DPI, so the client size is set by measuring the frame.
void SettingsDialog::FitClient() {
    RECT outer{};
    RECT inner{};
    GetWindowRect(Handle(), &outer);
    GetClientRect(Handle(), &inner);
    const int width = Scale(dialog::kClientWidth);
    const int height = Scale(dialog::kClientHeight);
    if (inner.right != width || inner.bottom != height) {
        SetWindowPos(Handle(), nullptr, 0, 0, width + (outer.right - outer.left) - inner.right,
                     height + (outer.bottom - outer.top) - inner.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

HWND SettingsDialog::AddControl(HINSTANCE instance, const wchar_t* className, const std::wstring& text, DWORD style,
                                const dialog::Place& place, int id, FontRole font) {
    const Rect r = dialog::PlaceAt(place, dpi_);
    const HWND control =
        CreateWindowExW(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.width, r.height,
                        Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (control != nullptr) {
        controls_.push_back({control, place, font});
        if (font < kFontCount) {
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[font].Get()), FALSE);
        }
    }
    return control;
}

void SettingsDialog::ApplyDpi(int dpi) {
    dpi_ = dialog::UsableDpi(dpi);
    // The new fonts are in every control before the old ones go.
    std::array<GdiFont, kFontCount> fonts = MakeFonts();
    for (const Laid& laid : controls_) {
        if (laid.font < kFontCount) {
            SendMessageW(laid.control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts[laid.font].Get()), FALSE);
        }
        const Rect r = dialog::PlaceAt(laid.place, dpi_);
        SetWindowPos(laid.control, nullptr, r.left, r.top, r.width, r.height,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
    fonts_ = std::move(fonts);
    FitClient();
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void SettingsDialog::CreateToolTip(HINSTANCE instance) {
    toolTip_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, instance, nullptr);
}

void SettingsDialog::AddToolTip(HWND control, const std::string& text) {
    if (toolTip_ == nullptr || control == nullptr) {
        return;
    }
    std::wstring wide = Utf8ToWide(text);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = wide.data();  // the tooltip control keeps its own copy
    SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void SettingsDialog::CreateControls(HINSTANCE instance) {
    const auto add = [&](auto... arguments) { return AddControl(instance, arguments...); };
    // Every label is one line: a web address must not break at its slashes. None carries an access key, and the
    // texts that come from the model are data, so an "&" in them is shown as it is.
    constexpr DWORD kLabel = SS_LEFTNOWORDWRAP | SS_NOPREFIX;
    // Labels with a tooltip or a click action must not be transparent to the mouse.
    constexpr DWORD kActiveLabel = kLabel | SS_NOTIFY;

    add(WC_STATICW, L"", SS_OWNERDRAW | SS_NOTIFY, dialog::kPicturePlace, kPictureId, kNoFont);
    add(WC_STATICW, L"Brisko-Software  Taktora", kLabel, dialog::kTitlePlace, kStaticId, kTitleFont);
    const HWND version = add(WC_STATICW, L"", kLabel, dialog::kVersionPlace, kStaticId, kBoldFont);
    url_ = add(WC_STATICW, L"", kActiveLabel, dialog::kUrlPlace, kUrlId, kTextFont);
    add(WC_STATICW, L"Windows Laufzeit:", kLabel, dialog::kUptimeLabelPlace, kStaticId, kTextFont);
    const HWND uptime = add(WC_STATICW, L"", kActiveLabel, dialog::kUptimePlace, kStaticId, kTextFont);
    add(WC_STATICW, L"Programm Laufzeit:", kLabel, dialog::kRunTimeLabelPlace, kStaticId, kTextFont);
    const HWND runTime = add(WC_STATICW, L"", kActiveLabel, dialog::kRunTimePlace, kStaticId, kTextFont);
    AddToolTip(uptime, " Format = DD:HH:MM:SS ");
    AddToolTip(runTime, " Format = DD:HH:MM:SS ");

    // The boxes are created in the dialog's order from top to bottom, which is also the Tab order.
    boxModels_ = model_.Boxes();
    for (std::size_t i = 0; i < kBoxCount; ++i) {
        OptionBox& box = *boxModels_[i];
        // BS_3STATE: clicks are the model's business (never toggled by the control itself), and a greyed value
        // of the model can be shown as such.
        const DWORD style = BS_3STATE | WS_TABSTOP | (i == 0 ? WS_GROUP : 0);
        boxes_[i] = add(WC_BUTTONW, Utf8ToWide(box.Caption()), style, dialog::kBoxPlaces[i],
                        kFirstBoxId + static_cast<int>(i), kTextFont);
        AddToolTip(boxes_[i], box.ToolTip());
        box.OnChange([this, i] { UpdateBox(i); });
        UpdateBox(i);
    }
    coreTemp_ = add(WC_STATICW, L"", kActiveLabel, dialog::kCoreTempPlace, kCoreTempId, kTextFont);
    AddToolTip(coreTemp_, " CoreTemp Homepage ... ");

    add(WC_STATICW, L"Aktualisieren:", kLabel, dialog::kRateLabelPlace, kStaticId, kTextFont);
    rate_ = add(WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, dialog::kRatePlace, kRateId,
                kTextFont);
    AddToolTip(rate_, " Aktualsierungs-Rate der Messungen/Darstellung in Sekunden ");
    add(WC_STATICW, L"Sekunden", kLabel, dialog::kSecondsPlace, kStaticId, kTextFont);
    add(WC_BUTTONW, L"&OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, dialog::kOkPlace, IDOK, kTextFont);

    texts_ = {{Handle(), &model_.Caption, {}}, {version, &model_.LV, {}},  {url_, &model_.lURL, {}},
              {uptime, &model_.LRT, {}},       {runTime, &model_.LPR, {}}, {coreTemp_, &model_.lCoreTemp, {}}};
}

bool SettingsDialog::PreTranslate(MSG& message) {
    const HWND dialog = Handle();
    if (dialog == nullptr || (message.hwnd != dialog && !IsChild(dialog, message.hwnd))) {
        return false;
    }
    // Alt+F4 is the dialog's own key whichever control has the focus; a combo box would open its list instead.
    if (message.message == WM_SYSKEYDOWN && message.wParam == VK_F4) {
        model_.OnOk();
        return true;
    }
    return IsDialogMessageW(dialog, &message) != FALSE;
}

void SettingsDialog::UpdateView() {
    for (MirroredText& text : texts_) {
        if (text.shown != *text.source) {
            text.shown = *text.source;
            SetWindowTextW(text.control, Utf8ToWide(text.shown).c_str());
        }
    }
    UpdateRate();
    const bool shown = IsWindowVisible(Handle()) != FALSE;
    if (model_.Visible() && !shown) {
        ShowInPlace();
    } else if (!model_.Visible() && shown) {
        ShowWindow(Handle(), SW_HIDE);
    }
}

void SettingsDialog::UpdateBox(std::size_t index) {
    const OptionBox& box = *boxModels_[index];
    const HWND control = boxes_[index];
    SendMessageW(control, BM_SETCHECK, CheckState(box.Value()), 0);
    if (!box.Enabled() && GetFocus() == control) {
        FocusNextOf(control);  // a disabled control with the focus would leave the keyboard nowhere
    }
    EnableWindow(control, box.Enabled() ? TRUE : FALSE);
}

void SettingsDialog::UpdateRate() {
    std::vector<std::string> entries = model_.RateEntries();
    if (entries != rateEntries_) {
        rateEntries_ = std::move(entries);
        SendMessageW(rate_, CB_RESETCONTENT, 0, 0);
        for (const std::string& rate : rateEntries_) {
            SendMessageW(rate_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(rate).c_str()));
        }
    }
    const auto entry = std::find(rateEntries_.begin(), rateEntries_.end(), model_.CO1);
    const LRESULT index = entry == rateEntries_.end() ? CB_ERR : entry - rateEntries_.begin();
    if (SendMessageW(rate_, CB_GETCURSEL, 0, 0) != index) {
        SendMessageW(rate_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

// Centred the first time; afterwards where the user left it, unless no monitor shows that place any more.
void SettingsDialog::ShowInPlace() {
    if (!placed_ || MonitorFromWindow(Handle(), MONITOR_DEFAULTTONULL) == nullptr) {
        RECT window{};
        GetWindowRect(Handle(), &window);
        SetWindowPos(Handle(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - (window.right - window.left)) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - (window.bottom - window.top)) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        placed_ = true;
    }
    // A hidden window is not sure to hear of its monitor's new scale.
    if (const std::optional<int> dpi = MonitorDpi(Handle()); dpi && dialog::UsableDpi(*dpi) != dpi_) {
        ApplyDpi(*dpi);
    }
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
}

void SettingsDialog::OnCommand(int id, int code) {
    const int boxIndex = id - kFirstBoxId;
    if (boxIndex >= 0 && boxIndex < static_cast<int>(kBoxCount)) {
        if (code == BN_CLICKED) {
            boxModels_[boxIndex]->Toggle();
        }
        return;
    }
    switch (id) {
        case IDOK:
            if (code == BN_CLICKED) {
                model_.OnOk();
            }
            return;
        case kRateId:
            if (code == CBN_SELCHANGE) {
                const LRESULT index = SendMessageW(rate_, CB_GETCURSEL, 0, 0);
                if (index >= 0 && static_cast<std::size_t>(index) < rateEntries_.size()) {
                    model_.OnRateChosen(rateEntries_[index]);
                }
            }
            return;
        case kUrlId:
            if (code == STN_CLICKED) {
                model_.OnUrlClick();
            }
            return;
        case kCoreTempId:
            if (code == STN_CLICKED) {
                model_.OnCoreTempClick();
            }
            return;
        case kPictureId:
            if (code == STN_CLICKED) {
                model_.OnPictureClick();
            }
            return;
        default:
            return;
    }
}

void SettingsDialog::OnPaint() {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(Handle(), &paint);
    const int thickness = std::max(1, Scale(1));
    for (const dialog::HorizontalLine& line : dialog::kLines) {
        const int left = Scale(dialog::kFrame1.left + line.left);
        const int right = Scale(dialog::kFrame1.left + line.right) + thickness;
        const int top = Scale(dialog::kFrame1.top + line.top);
        const RECT shadow{left, top, right, top + thickness};
        const RECT light{left, top + thickness, right, top + 2 * thickness};
        FillRect(dc, &shadow, GetSysColorBrush(COLOR_GRAYTEXT));
        FillRect(dc, &light, GetSysColorBrush(COLOR_3DHILIGHT));
    }
    EndPaint(Handle(), &paint);
}

void SettingsDialog::DrawPicture(const DRAWITEMSTRUCT& item) {
    const HDC dc = item.hDC;
    RECT area = item.rcItem;
    DrawEdge(dc, &area, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    const GdiBrush background(CreateSolidBrush(kPictureBackground));
    const GdiBrush bar(CreateSolidBrush(kPictureBar));
    const GdiBrush barTop(CreateSolidBrush(kPictureBarTop));
    FillRect(dc, &area, background.Get());

    // Newest bar on the right, as in the graph; bars that do not fit whole are left out.
    const int barWidth = std::max(1, Scale(3));
    const int gap = std::max(1, Scale(1));
    const int topHeight = std::max(1, Scale(1));
    const int height = area.bottom - area.top;
    int right = area.right - gap;
    for (std::size_t i = 0; right - barWidth >= area.left + gap; ++i, right -= barWidth + gap) {
        const int load = kPictureLoads[kPictureLoads.size() - 1 - i % kPictureLoads.size()];
        const RECT body{right - barWidth, area.bottom - MulDiv(height, load, 100), right, area.bottom};
        const RECT top{body.left, body.top, body.right, body.top + topHeight};
        FillRect(dc, &body, bar.Get());
        FillRect(dc, &top, barTop.Get());
    }
}

void SettingsDialog::OnActivate(bool active) {
    if (!active) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(Handle(), focus)) {
            lastFocus_ = focus;
        }
        if (model_.Visible()) {
            PostMessageW(Handle(), kRetakeFocus, 0, 0);
        }
        return;
    }
    // Like a dialog, give the keyboard back to the control that had it.
    if (lastFocus_ != nullptr && IsWindowEnabled(lastFocus_)) {
        SetFocus(lastFocus_);
    } else {
        FocusNextOf(nullptr);
    }
}

// While visible, the dialog keeps the keyboard against the program's other windows. It gives way to message
// boxes, to menus and to windows being dragged, which would otherwise be cut short, and to other programs.
bool SettingsDialog::WantsFocusBack() const {
    if (!model_.Visible() || IsWindowVisible(Handle()) == FALSE) {
        return false;
    }
    const HWND active = GetForegroundWindow();
    if (active == nullptr || active == Handle() || GetWindowThreadProcessId(active, nullptr) != GetCurrentThreadId() ||
        IsMessageBox(active)) {
        return false;
    }
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    if (GetGUIThreadInfo(GetCurrentThreadId(), &thread) == FALSE) {
        return false;
    }
    constexpr DWORD kBusy = GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE | GUI_INMOVESIZE;
    return (thread.flags & kBusy) == 0 && thread.hwndCapture == nullptr;
}

void SettingsDialog::OnNextControl(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(lParam) != 0) {
        SetFocus(reinterpret_cast<HWND>(wParam));
        return;
    }
    HWND focus = GetFocus();
    if (focus != nullptr && !IsChild(Handle(), focus)) {
        focus = nullptr;
    }
    const HWND next = GetNextDlgTabItem(Handle(), focus, wParam != 0 ? TRUE : FALSE);
    if (next != nullptr) {
        SetFocus(next);
    }
}

void SettingsDialog::FocusNextOf(HWND control) {
    const HWND next = GetNextDlgTabItem(Handle(), control, FALSE);
    SetFocus(next != nullptr && next != control ? next : Handle());
}

LRESULT SettingsDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CLOSE:
            // Alt+F4 and the caption's close button act like OK; the dialog is only hidden.
            model_.OnOk();
            return 0;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_DRAWITEM:
            if (wParam == static_cast<WPARAM>(kPictureId)) {
                DrawPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
                return TRUE;
            }
            return FALSE;
        case WM_CTLCOLORSTATIC: {
            const auto dc = reinterpret_cast<HDC>(wParam);
            const auto control = reinterpret_cast<HWND>(lParam);
            const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
            const COLORREF link = ToColorRef(dialog::LinkColour(ToColour(GetSysColor(COLOR_HOTLIGHT)), ToColour(text),
                                                                ToColour(GetSysColor(COLOR_BTNFACE))));
            SetTextColor(dc, control == url_ || control == coreTemp_ ? link : text);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_SETCURSOR: {
            const auto target = reinterpret_cast<HWND>(wParam);
            if (target != nullptr && (target == url_ || target == coreTemp_)) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            return Default(message, wParam, lParam);
        }
        case WM_DPICHANGED: {
            // Windows suggests a place and size for the new scale; fonts and controls are made anew to fill it.
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                         suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
            ApplyDpi(HIWORD(wParam));
            return 0;
        }
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case kRetakeFocus:
            if (WantsFocusBack()) {
                SetActiveWindow(Handle());
            }
            return 0;
        case WM_NEXTDLGCTL:
            OnNextControl(wParam, lParam);
            return 0;
        case DM_GETDEFID:
            // Enter in any control presses OK.
            return MAKELRESULT(IDOK, DC_HASDEFID);
        default:
            return Default(message, wParam, lParam);
    }
}

}  // namespace taktora::platform::win32
