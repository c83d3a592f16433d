#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace taktora {

// The settings dialog's check boxes, named here so that the table below can say which box shows a value without
// reaching up into the dialog.
enum class BoxId {
    None,
    CkL,
    CkG,
    CkT,
    CkTM,
    CkPV,
    CkB,
    CkN,
    CkZ,
    CkD,
    CkM,
    ckO,
    ckMag,
    CkS,
    CkU,
    CkGD,
    CkGT,
    CkGL,
    CkGS
};

// How a stored text becomes a value. Text that does not convert, or a value outside the range, yields the default,
// unless the kind says otherwise.
enum class SettingKind {
    WholeNumber,  // digits with an optional sign
    Pixels,       // a decimal number (earlier versions wrote a comma), rounded to whole pixels
    Clamped,      // digits with an optional sign; a value outside the range becomes the nearer limit
};

struct SettingRow {
    std::string_view name;  // the registry value's name; a profile adds its suffix
    int fallback;           // the default, also what a fresh user gets
    SettingKind kind;
    int min;
    int max;
    BoxId box;               // the dialog box that shows the value, if any
    bool perProfile = true;  // written with the profile's suffix
};

// Every value the program keeps under its settings key: first the 23 that SaveSet writes, in that order, then the
// priority switch that only the user sets and the process viewer's window rectangle. A new saved value goes at the end
// of the saved ones, so that earlier rows keep their numbers.
enum class Setting : std::size_t {
    WinTop,
    WinLeft,
    WinWidth,
    WinHeight,
    Interval,
    RunAtStartup,
    ShowRunTime,
    ShowInTask,
    ShowInTray,
    ShowUsageValue,
    LockWindow,
    HideWindow,
    WindowOnTop,
    UseBoldFont,
    AlignCenter,
    TaskManager,
    ProcessView,
    Magnetic,
    UseGetCoreTemp,
    ShowCoreTemp,
    ShowCoreTempLine,
    ShowCoreSpeed,
    LoadAsTaskManager,
    MaxTaskPriority,
    ViewerTop,
    ViewerLeft,
    ViewerWidth,
    ViewerHeight,
};

inline constexpr std::size_t kSavedSettingCount = 23;

namespace settings_detail {
constexpr int kPixelLimit = 1000000;  // beyond this no screen has a position
constexpr SettingRow Pixels(std::string_view name, int fallback) {
    return {name, fallback, SettingKind::Pixels, -kPixelLimit, kPixelLimit, BoxId::None};
}
constexpr SettingRow Option(std::string_view name, int fallback, BoxId box) {
    return {name, fallback, SettingKind::WholeNumber, 0, 255, box};
}
}  // namespace settings_detail

// clang-format off
inline constexpr std::array<SettingRow, 28> kSettings = {
    settings_detail::Pixels("WinTop", 32),
    settings_detail::Pixels("WinLeft", 32),
    settings_detail::Pixels("WinWidth", 192),
    settings_detail::Pixels("WinHeight", 64),
    SettingRow{"Interval", 1000, SettingKind::Clamped, 100, 32767, BoxId::None},
    // One per user, whatever profile runs; it is read with the profile's suffix all the same.
    SettingRow{"RunAtStartup", 0, SettingKind::WholeNumber, 0, 255, BoxId::CkS, false},
    settings_detail::Option("ShowRunTime", 1, BoxId::CkL),
    settings_detail::Option("ShowInTask", 0, BoxId::CkG),
    settings_detail::Option("ShowInTray", 1, BoxId::CkT),
    settings_detail::Option("ShowUsageValue", 1, BoxId::CkN),
    settings_detail::Option("LockWindow", 0, BoxId::CkM),
    settings_detail::Option("HideWindow", 0, BoxId::CkB),
    settings_detail::Option("WindowOnTop", 0, BoxId::ckO),
    settings_detail::Option("UseBoldFont", 0, BoxId::CkD),
    settings_detail::Option("AlignCenter", 0, BoxId::CkZ),
    settings_detail::Option("TaskManager", 1, BoxId::CkTM),
    settings_detail::Option("ProcessView", 1, BoxId::CkPV),
    settings_detail::Option("Magnetic", 1, BoxId::ckMag),
    settings_detail::Option("UseGetCoreTemp", 1, BoxId::CkGD),
    settings_detail::Option("ShowCoreTemp", 1, BoxId::CkGT),
    settings_detail::Option("ShowCoreTempLine", 1, BoxId::CkGL),
    settings_detail::Option("ShowCoreSpeed", 1, BoxId::CkGS),
    settings_detail::Option("LoadAsTaskManager", 0, BoxId::CkU),
    settings_detail::Option("MaxTaskPriority", 1, BoxId::None),
    settings_detail::Pixels("PV.Top", 32),
    settings_detail::Pixels("PV.Left", 32),
    settings_detail::Pixels("PV.Width", 800),
    settings_detail::Pixels("PV.Height", 600),
};
// clang-format on

constexpr const SettingRow& Row(Setting setting) {
    return kSettings[static_cast<std::size_t>(setting)];
}

// The rules between options.

// The two double-click boxes exclude each other: ticking one clears the box returned here (None for every other box).
constexpr BoxId ExcludedBy(BoxId box) {
    return box == BoxId::CkTM ? BoxId::CkPV : box == BoxId::CkPV ? BoxId::CkTM : BoxId::None;
}

// The boxes that show the temperature monitor's values; "use Core Temp" enables them.
inline constexpr auto kCoreTempDisplayBoxes = std::to_array({BoxId::CkGT, BoxId::CkGS, BoxId::CkGL});

// Both double-click choices stored as on: the process viewer wins.
struct DoubleClickChoice {
    bool taskManager;
    bool processViewer;
};
constexpr DoubleClickChoice StoredDoubleClick(int taskManager, int processView) {
    return {taskManager != 0 && processView == 0, processView != 0};
}

}  // namespace taktora
