#pragma once

#include <array>

#include "platform/Types.h"

// Where the settings dialog's controls lie and how large its fonts are. The layout is drawn at 96 DPI; a window of
// its own class gets nothing scaled by Windows but its frame, so every control and font is worked out here for the
// DPI of the monitor the dialog is on, and the dialog looks the same at every scale.
namespace taktora::dialog {

constexpr int kDesignDpi = 96;

// The frames of the dialog are borderless groups: they only shift their controls.
struct Frame {
    int left;
    int top;
};
constexpr Frame kFrame5{14, 10};
constexpr Frame kFrame1{4, 0};
constexpr Frame kFrameCT{4, 324};
constexpr Frame kFrame2{4, 406};
constexpr Frame kFrame4{228, 406};

// A control's place at 96 DPI, relative to its frame.
struct Place {
    Frame frame;
    int left;
    int top;
    int width;
    int height;
};

constexpr int kClientWidth = 297;
constexpr int kClientHeight = 453;

constexpr int kBoxWidth = 275;
constexpr int kBoxHeight = 15;
constexpr int kBoxStep = 14;
constexpr int kUpperBoxes = 14;  // the boxes of kFrame1; the rest belong to the Core Temp group
constexpr int kBoxes = 18;

constexpr std::array<Place, kBoxes> kBoxPlaces = [] {
    std::array<Place, kBoxes> places{};
    for (int i = 0; i < kUpperBoxes; ++i) {
        places[i] = {kFrame1, 11, 126 + i * kBoxStep, kBoxWidth, kBoxHeight};
    }
    places[kUpperBoxes] = {kFrameCT, 11, 16, 128, kBoxHeight};
    for (int i = kUpperBoxes + 1; i < kBoxes; ++i) {
        places[i] = {kFrameCT, 11, 30 + (i - kUpperBoxes - 1) * kBoxStep, kBoxWidth, kBoxHeight};
    }
    return places;
}();

constexpr Place kPicturePlace{kFrame5, 0, 0, 47, 53};
constexpr Place kTitlePlace{kFrame1, 68, 10, 211, 23};
constexpr Place kVersionPlace{kFrame1, 68, 33, 211, 17};
constexpr Place kUrlPlace{kFrame1, 108, 50, 171, 14};
constexpr Place kUptimeLabelPlace{kFrame1, 11, 82, 180, 13};
constexpr Place kUptimePlace{kFrame1, 204, 82, 75, 13};
constexpr Place kRunTimeLabelPlace{kFrame1, 11, 96, 180, 13};
constexpr Place kRunTimePlace{kFrame1, 204, 96, 75, 13};
constexpr Place kCoreTempPlace{kFrameCT, 166, 16, 113, 11};
constexpr Place kRateLabelPlace{kFrame2, 11, 18, 88, 13};
constexpr Place kRatePlace{kFrame2, 102, 14, 41, 160};  // the height includes the opened list
constexpr Place kSecondsPlace{kFrame2, 152, 18, 60, 13};
constexpr Place kOkPlace{kFrame4, 10, 14, 45, 21};

// Horizontal lines of kFrame1, drawn etched: the grey line with a light one below it.
struct HorizontalLine {
    int left;
    int right;
    int top;
};
constexpr std::array<HorizontalLine, 2> kLines{{{10, 279, 74}, {10, 279, 118}}};

// The DPI the layout is made for: a DPI that is no positive number, or more than ten times the design's (beyond any
// scale Windows offers), counts as 96.
int UsableDpi(int dpi);
// Pixels of the design at the DPI, rounded to the nearest pixel.
int Scale(int pixels, int dpi);
// The control's rectangle in the client area at the DPI.
platform::Rect PlaceAt(const Place& place, int dpi);
// The height of a font of so many points at the DPI, negative as CreateFont takes it for the character height
// without internal leading, which is what a point size means.
int FontHeight(int points, int dpi);

// The links' colour: the system's hot-track colour, which high-contrast themes pick to be readable on the dialog's
// face; where it barely differs from the face in brightness (a theme that sets a light grey), the text colour.
platform::Colour LinkColour(platform::Colour hotTrack, platform::Colour text, platform::Colour face);

}  // namespace taktora::dialog
