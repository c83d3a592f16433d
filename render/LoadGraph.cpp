#include "render/LoadGraph.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "base/NumberFormat.h"

namespace taktora::render {

namespace {

using platform::Colour;
using platform::Font;

constexpr Pixel kColumnBackground = Rgb(8, 8, 8);
constexpr Pixel kLoadBar = Rgb(0, 160, 0);
constexpr Pixel kBarTop = Rgb(160, 255, 160);
constexpr Pixel kMeanInsideBar = Rgb(0, 128, 0);
constexpr Pixel kMeanBand = Rgb(0, 80, 80);
constexpr Pixel kMeanAboveBar = Rgb(112, 153, 153);
constexpr Pixel kTemperatureDot = Rgb(153, 16, 16);

constexpr Colour kWhite{255, 255, 255};
constexpr Colour kDarkGrey{64, 64, 64};

struct LineColours {
    Colour text;
    Colour shadow;
};
constexpr LineColours kUptimeColours{{204, 255, 204}, {16, 64, 16}};
constexpr LineColours kSpeedColours{{204, 204, 255}, {16, 16, 64}};
constexpr LineColours kTemperatureColours{{255, 204, 204}, {80, 16, 16}};

constexpr int kFirstLineTop = 5;
constexpr int kLineStep = 11;

Font LoadTextFont() {
    return Font{"MS Sans Serif", 7, true};
}
Font InfoFont() {
    return Font{"Tahoma", 7, false};
}

// Rounds halves to even. Values far outside the box (or NaN from a bad temperature) land on row -1, which the image
// clips, instead of overflowing the conversion.
int Row(double y, int boxHeight) {
    return static_cast<int>(std::nearbyint(std::fmin(std::fmax(y, -1.0), boxHeight)));  // fmax takes -1 for NaN
}

void TrimTrailingBlanks(std::string& text) {
    text.erase(text.find_last_not_of(' ') + 1);  // npos + 1 wraps to 0: all blanks go
}

// The columns the history fills: indexes first to last, drawn at x = index + 1; every other column is black.
struct ColumnRange {
    int first;
    int last;
};

ColumnRange Columns(const LoadGraphInput& in) {
    // A W that the history was never recorded with must not read past its end.
    const int last = std::min(in.w, static_cast<int>(in.history.Loads().size()) - 1);
    return {std::max(last - in.history.FilledColumns(), 0), last};
}

bool ShowsCurve(const LoadGraphInput& in) {
    return in.ShowCurve && in.TjMax != 0;
}

// One column of a cleared picture: the whole height, background, mean band, bar and dots.
void DrawColumn(Image& image, const LoadGraphInput& in, int i) {
    const int x = i + 1;
    const int bottom = image.Height() - 1;
    const double h = in.h;
    const float load = in.history.Loads()[i];
    const float mean = in.history.Means()[i];
    const int yL = Row(h - load * h / 100.0 + 1.0, image.Height());
    const int yA = Row(h - mean * h / 100.0 + 1.0, image.Height());

    // The bar covers yL down to the bottom, so the background stops above it: half the writes on tall boxes.
    image.Line(x, 0, x, std::min(yL - 1, bottom), kColumnBackground);
    if (mean > load) {
        image.Line(x, yA, x, yL, kMeanBand);
        image.Set(x, yA, kMeanAboveBar);
    }
    image.Line(x, yL, x, bottom, kLoadBar);
    if (load > mean) {
        image.Set(x, yA, kMeanInsideBar);
    }
    if (ShowsCurve(in)) {
        image.Set(x, Row(h - in.history.Temps()[i] * h / in.TjMax, image.Height()), kTemperatureDot);
    }
    if (yL > 1) {
        image.Set(x, yL, kBarTop);
    }
}

void DrawColumns(Image& image, const LoadGraphInput& in) {
    const ColumnRange range = Columns(in);
    for (int i = range.first; i <= range.last; ++i) {
        DrawColumn(image, in, i);
    }
}

// Column x as a full redraw leaves it before the texts and the frame.
void RedrawColumn(Image& image, const LoadGraphInput& in, const ColumnRange& range, int x) {
    const int i = x - 1;  // the history index drawn at x
    if (i >= range.first && i <= range.last) {
        DrawColumn(image, in, i);  // paints every row
    } else {
        image.Line(x, 0, x, image.Height(), 0);  // Line clips to the picture
    }
}

using TextColumns = std::vector<std::pair<int, int>>;

void DrawShadowed(Image& image, platform::TextPainter& painter, int y, const LineColours& colours,
                  const std::string& text, TextColumns& columns) {
    const Font font = InfoFont();
    painter.Draw(image, font, 8, y + 1, colours.shadow, text);
    painter.Draw(image, font, 7, y, colours.text, text);
    columns.emplace_back(7, 7 + painter.MeasureWidth(font, text));  // with the shadow a column to the right
}

std::string Tooltip(const LoadGraphInput& in, const std::string& loadText) {
    std::string tip = " CPU: " + loadText + "  (ø " + std::to_string(WholePercent(in.history.WindowMean())) + "%) ";
    if (in.ShowTemp) {
        TrimTrailingBlanks(tip);
        tip += ",  Temp: " + FormatFixed(in.Temp, 0, in.decimalSeparator) + "°C ";
    }
    if (in.ShowSpeed) {
        TrimTrailingBlanks(tip);
        tip += ",  Speed: " + FormatFixed(in.fCPUspeed, 2, in.decimalSeparator) + " MHz (" +
               FormatFixed(in.fFSBspeed, 2, in.decimalSeparator) + " MHz * " +
               FormatFixed(in.fMultipier, 1, in.decimalSeparator) + ") ";
    }
    return tip;
}

// The load text, the information lines and the frame over the columns; returns the tooltip.
std::string DrawOverlays(Image& image, platform::TextPainter& painter, const LoadGraphInput& in, TextColumns& columns) {
    columns.clear();
    const std::string loadText = std::to_string(WholePercent(in.PeriodLoad)) + "%";
    const Font loadFont = LoadTextFont();
    const int textWidth = painter.MeasureWidth(loadFont, loadText);
    const int textLeft = image.Width() - textWidth - 1 - 6;
    painter.Draw(image, loadFont, textLeft + 1, 6, kDarkGrey, loadText);
    painter.Draw(image, loadFont, textLeft, 5, kWhite, loadText);
    columns.emplace_back(textLeft, textLeft + textWidth);

    std::string tooltip = Tooltip(in, loadText);

    // On a scaled screen the font grows; the lines move apart with it so they never overlap.
    const int lineStep = std::max(kLineStep, painter.LineHeight(InfoFont()));
    int y = kFirstLineTop;
    if (in.ShowUptime) {
        DrawShadowed(image, painter, y, kUptimeColours, in.uptimeText, columns);
        y += lineStep;
    }
    if (in.ShowSpeed) {
        DrawShadowed(image, painter, y, kSpeedColours, FormatFixed(in.fCPUspeed, 0, in.decimalSeparator) + " MHz",
                     columns);
        y += lineStep;
    }
    if (in.ShowTemp) {
        DrawShadowed(image, painter, y, kTemperatureColours, FormatFixed(in.Temp, 0, in.decimalSeparator) + " °C",
                     columns);
    }

    DrawGraphFrame(image, in.windowFrame, in.buttonShadow);
    return tooltip;
}

// Glyphs may reach a little past the width their font reports (overhang, ClearType's fringe).
constexpr int kTextMargin = 3;

}  // namespace

std::optional<std::string> DrawLoadGraph(Image& image, platform::TextPainter& painter, const LoadGraphInput& in) {
    if (!in.visible) {
        DrawGraphFrame(image, in.windowFrame, in.buttonShadow);
        return std::nullopt;
    }
    image.Fill(0);
    DrawColumns(image, in);
    TextColumns columns;
    return DrawOverlays(image, painter, in, columns);
}

std::optional<std::string> LoadGraphPainter::Draw(Image& image, platform::TextPainter& painter,
                                                  const LoadGraphInput& in) {
    if (!in.visible) {
        layout_.reset();
        return DrawLoadGraph(image, painter, in);
    }
    const Layout layout{image.Width(), image.Height(), in.w, in.h, ShowsCurve(in), ShowsCurve(in) ? in.TjMax : 0};
    const ColumnRange range = Columns(in);
    const bool oneUpdate = layout_ == layout && in.history.Serial() == serial_ + 1;
    if (!oneUpdate) {
        image.Fill(0);
        DrawColumns(image, in);
    } else {
        // Every column moves one to the left, as the history moved by one index; then the new column and what lies
        // right of it (the frame moved in) are drawn again, and the frame at the left is drawn over with the texts.
        image.ScrollLeft();
        for (int x = range.last + 1; x < image.Width(); ++x) {
            RedrawColumn(image, in, range, x);
        }
        // What the texts of the last picture covered, glyph overhang included, now one column further left.
        for (const auto& [left, right] : textColumns_) {
            for (int x = left - 1 - kTextMargin; x <= right - 1 + kTextMargin; ++x) {
                RedrawColumn(image, in, range, x);  // clipped to the picture
            }
        }
    }
    layout_ = layout;
    serial_ = in.history.Serial();
    return DrawOverlays(image, painter, in, textColumns_);
}

void DrawGraphFrame(Image& image, Colour windowFrame, Colour buttonShadow) {
    const int sw = image.Width();
    const int sh = image.Height();
    image.Line(0, 0, sw, 0, ToPixel(windowFrame));
    image.Line(0, 1, 0, sh, ToPixel(windowFrame));
    image.Line(sw - 1, 1, sw - 1, sh, ToPixel(buttonShadow));
    image.Line(1, sh - 1, sw - 1, sh - 1, ToPixel(buttonShadow));
}

void DrawWaitNote(Image& image, platform::TextPainter& painter) {
    const Font font = InfoFont();
    const std::string note = "Bitte warten ...";
    painter.Draw(image, font, 7, 6, kDarkGrey, note);
    painter.Draw(image, font, 6, 5, kWhite, note);
}

}  // namespace taktora::render
