#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "render/DigitStrips.h"
#include "render/TrayIconImage.h"

namespace taktora::render {
namespace {

constexpr platform::Colour kDarkShadow{64, 64, 64};
constexpr platform::Colour kHighlight{255, 255, 255};
constexpr IconFrameColours kFrame{kDarkShadow, kHighlight};
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

// Picture legend: D frame dark shadow, L frame highlight, g bar, t bar top, # glyph, . black.
Pixel Legend(char c) {
    switch (c) {
        case 'D':
            return ToPixel(kDarkShadow);
        case 'L':
            return ToPixel(kHighlight);
        case 'g':
            return Rgb(0, 128, 0);
        case 't':
            return Rgb(96, 204, 96);
        case '#':
            return Rgb(252, 254, 252);
        default:
            return Rgb(0, 0, 0);
    }
}

void ExpectPicture(const Image& canvas, const std::array<std::string_view, 16>& rows) {
    ASSERT_EQ(canvas.Width(), 16);
    ASSERT_EQ(canvas.Height(), 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            EXPECT_EQ(canvas.At(x, y), Legend(rows[y][x])) << "at (" << x << ", " << y << ")";
        }
    }
}

IconSwitches Switches(bool digits, bool bold, bool centred) {
    return {true, false, digits, bold, centred};
}

void Feed(TrayIconPicture& picture, const std::vector<float>& loads, const IconSwitches& switches) {
    for (const float load : loads) {
        picture.Update(load, switches, kFrame);
    }
}

// Cell art: # glyph (white on black, white in the shadow), s shadow (black in the digit strip, dark in the shadow
// strip), . neither.
struct ShadowCase {
    bool bold;
    int digit;
    std::array<std::string_view, 8> cell;
};

TEST(TrayIconDigitStrips, ShadowLiesOneRightOneDownWhereTheGlyphLeavesRoom) {
    const ShadowCase cases[] = {
        {false, 7, {"####.", ".ss#s", "...#s", "...#s", "...#s", "...#s", "...#s", "....s"}},
        {false, 2, {"####.", ".ss#s", "...#s", "####s", "#ssss", "#s...", "####.", ".ssss"}},
        {true, 0, {"#####.", "##s##s", "##s##s", "##s##s", "##s##s", "##s##s", "#####s", ".sssss"}},
        {true, 1, {"...##.", "...##s", "...##s", "...##s", "...##s", "...##s", "...##s", "....ss"}},
    };
    for (const ShadowCase& c : cases) {
        SCOPED_TRACE(std::string(c.bold ? "bold " : "regular ") + std::to_string(c.digit));
        const Image digits = MakeDigitStrip(c.bold);
        const Image shadow = MakeShadowStrip(digits);
        const int cellWidth = c.bold ? 6 : 5;
        ASSERT_EQ(digits.Width(), 10 * cellWidth);
        ASSERT_EQ(digits.Height(), 8);
        ASSERT_EQ(shadow.Width(), digits.Width());
        ASSERT_EQ(shadow.Height(), 8);
        for (int y = 0; y < 8; ++y) {
            for (int col = 0; col < cellWidth; ++col) {
                const char art = c.cell[y][col];
                const int x = c.digit * cellWidth + col;
                EXPECT_EQ(digits.At(x, y), art == '#' ? Rgb(252, 254, 252) : Rgb(0, 0, 0)) << x << "," << y;
                EXPECT_EQ(shadow.At(x, y), art == 's' ? Rgb(4, 2, 4) : Rgb(255, 255, 255)) << x << "," << y;
            }
        }
    }
}

TEST(TrayIconPicture, SingleRegularDigitRightAlignedWithShadowOverBars) {
    TrayIconPicture picture;
    std::vector<float> loads(13, 100.0f);
    loads.push_back(7.0f);
    Feed(picture, loads, Switches(true, false, false));
    ExpectPicture(picture.Canvas(), {
                                        "DDDDDDDDDDDDDDDL",
                                        "Dggggggggggggg.L",
                                        "Dggggggggggggg.L",
                                        "Dggggggggggggg.L",
                                        "Dggggggg####gg.L",
                                        "Dgggggggg..#.g.L",
                                        "Dgggggggggg#.g.L",
                                        "Dgggggggggg#.g.L",
                                        "Dgggggggggg#.g.L",
                                        "Dgggggggggg#.g.L",
                                        "Dgggggggggg#.g.L",
                                        "Dggggggggggg.g.L",
                                        "Dggggggggggggg.L",
                                        "DgggggggggggggtL",
                                        "DggggggggggggggL",
                                        "DLLLLLLLLLLLLLLL",
                                    });
}

// The first cell starts at x = -2, so its two left columns fall off the canvas; the last cell's shadow column lands
// on the right frame, which is drawn last and hides it.
TEST(TrayIconPicture, HundredBoldRightAlignedIsClippedAndFramedOver) {
    TrayIconPicture picture;
    Feed(picture, std::vector<float>(14, 100.0f), Switches(true, true, false));
    ExpectPicture(picture.Canvas(), {
                                        "DDDDDDDDDDDDDDDL",
                                        "DggggggggggggggL",
                                        "DggggggggggggggL",
                                        "DggggggggggggggL",
                                        "D##g#####g#####L",
                                        "D##.##.##.##.##L",
                                        "D##.##.##.##.##L",
                                        "D##.##.##.##.##L",
                                        "D##.##.##.##.##L",
                                        "D##.##.##.##.##L",
                                        "D##.#####.#####L",
                                        "Dg..g.....g....L",
                                        "DggggggggggggggL",
                                        "DggggggggggggggL",
                                        "DggggggggggggggL",
                                        "DLLLLLLLLLLLLLLL",
                                    });
}

TEST(TrayIconPicture, DigitsOffLeavesOnlyMiniGraphAndFrame) {
    // Bold and centred must not matter without digits; the taskbar button alone also wants a picture.
    TrayIconPicture picture;
    EXPECT_TRUE(picture.Update(5.0f, {false, true, false, true, true}, kFrame));
    ExpectPicture(picture.Canvas(), {
                                        "DDDDDDDDDDDDDDDL",
                                        "D..............L",
                                        "D..............L",
                                        "D..............L",
                                        "D..............L",
                                        "D..............L",
                                        "D..............L",
                                        "D..............L",
                                        "D..............L",
                                        "D..............L",
                                        "D..............L",
                                        "D..............L",
                                        "D..............L",
                                        "D.............tL",
                                        "D.............gL",
                                        "DLLLLLLLLLLLLLLL",
                                    });
}

struct StartCase {
    bool centred;
    bool bold;
    float load;
    int firstLitColumn;
    int lastLitColumn;
};

TEST(TrayIconPicture, DigitsStartAtTheTableColumn) {
    // A leading "1" lights only the right part of its cell: columns 3 (regular) or 3 and 4 (bold).
    const StartCase cases[] = {
        {false, false, 0, 8, 11},
        {false, false, 1, 11, 11},
        {false, false, 5, 8, 11},
        {false, false, 15, 6, 11},
        {false, false, 50, 3, 11},
        {false, false, 100, 2, 12},
        {false, true, 0, 8, 12},
        {false, true, 1, 11, 12},
        {false, true, 5, 8, 12},
        {false, true, 15, 5, 12},
        {false, true, 50, 2, 12},
        {false, true, 100, 1, 14},
        {true, false, 0, 6, 9},
        {true, false, 1, 8, 8},
        {true, false, 5, 6, 9},
        {true, false, 15, 5, 10},
        {true, false, 50, 3, 11},
        {true, false, 100, 2, 12},
        {true, true, 0, 6, 10},
        {true, true, 1, 8, 9},
        {true, true, 5, 6, 10},
        {true, true, 15, 4, 11},
        {true, true, 50, 2, 12},
        {true, true, 100, 1, 14},
        // Readings outside 0..100 are drawn as their clamped value.
        {false, false, -5, 8, 11},
        {false, false, kNaN, 8, 11},
        {false, false, 250, 2, 12},
        {false, false, 99.9f, 3, 11},
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE(std::string(c.centred ? "centred " : "right ") + (c.bold ? "bold " : "regular ") +
                     std::to_string(c.load));
        TrayIconPicture picture;
        ASSERT_TRUE(picture.Update(c.load, Switches(true, c.bold, c.centred), kFrame));
        int first = -1;
        int last = -1;
        int top = -1;
        for (int x = 0; x < 16; ++x) {
            for (int y = 0; y < 16; ++y) {
                if (picture.Canvas().At(x, y) == Rgb(252, 254, 252)) {
                    first = first < 0 ? x : first;
                    last = x;
                    top = top < 0 || y < top ? y : top;
                }
            }
        }
        EXPECT_EQ(first, c.firstLitColumn);
        EXPECT_EQ(last, c.lastLitColumn);
        EXPECT_EQ(top, 4);
    }
}

struct BarCase {
    float load;
    int top;  // row of the bar top; 0 means the bar fills rows 1 to 14 without a top pixel
};

TEST(TrayIconPicture, BarHeightFollowsLoad) {
    const BarCase cases[] = {
        {0, 14},  {1, 13},  {7, 13},    {7.9f, 13},       {8, 12},  {50, 7},        {99, 0},    {99.9f, 0},
        {100, 0}, {-5, 14}, {kNaN, 14}, {-kInfinity, 14}, {250, 0}, {kInfinity, 0}, {1e30f, 0},
    };
    for (const BarCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.load));
        TrayIconPicture picture;
        picture.Update(c.load, Switches(false, false, false), kFrame);
        for (int y = 1; y <= 14; ++y) {
            const char expected = y < c.top ? '.' : (y == c.top ? 't' : 'g');
            EXPECT_EQ(picture.Canvas().At(14, y), Legend(expected)) << "row " << y;
        }
    }
}

TEST(TrayIconPicture, BarsFillFromTheRightAndStopAtFourteen) {
    TrayIconPicture picture;
    const IconSwitches plain = Switches(false, false, false);
    // A load of 0 still leaves its bar top at row 14, so row 14 shows which columns hold a bar.
    for (int call = 1; call <= 16; ++call) {
        SCOPED_TRACE("call " + std::to_string(call));
        picture.Update(0.0f, plain, kFrame);
        for (int x = 1; x <= 14; ++x) {
            EXPECT_EQ(picture.Canvas().At(x, 14), Legend(x > 14 - call ? 't' : '.')) << "column " << x;
        }
    }
    // Oldest on the left, newest at x = 14.
    Feed(picture, {100.0f, 50.0f}, plain);
    EXPECT_EQ(picture.Canvas().At(13, 1), Legend('g'));
    EXPECT_EQ(picture.Canvas().At(14, 6), Legend('.'));
    EXPECT_EQ(picture.Canvas().At(14, 7), Legend('t'));
    EXPECT_EQ(picture.Canvas().At(12, 13), Legend('.'));
    EXPECT_EQ(picture.Canvas().At(12, 14), Legend('t'));
}

TEST(TrayIconPicture, HistoryAdvancesWhileNothingIsShown) {
    TrayIconPicture picture;
    const IconSwitches off{false, false, true, false, false};
    ASSERT_TRUE(picture.Update(0.0f, Switches(true, false, false), kFrame));
    const std::vector<Pixel> before(picture.Canvas().Data(), picture.Canvas().Data() + 256);
    for (int call = 0; call < 3; ++call) {
        EXPECT_FALSE(picture.Update(100.0f, off, kFrame));
    }
    EXPECT_EQ(std::vector<Pixel>(picture.Canvas().Data(), picture.Canvas().Data() + 256), before);

    ASSERT_TRUE(picture.Update(50.0f, Switches(false, false, false), kFrame));
    EXPECT_EQ(picture.Canvas().At(9, 14), Legend('.'));
    EXPECT_EQ(picture.Canvas().At(10, 14), Legend('t'));
    for (int x = 11; x <= 13; ++x) {
        EXPECT_EQ(picture.Canvas().At(x, 1), Legend('g')) << "column " << x;
    }
    EXPECT_EQ(picture.Canvas().At(14, 7), Legend('t'));
}

TEST(TrayIconTooltip, CarriesTheClampedWholeLoad) {
    const struct {
        float load;
        const char* text;
    } cases[] = {
        {37.0f, " CPU-Auslastung: 37% "},    {37.9f, " CPU-Auslastung: 37% "}, {0.0f, " CPU-Auslastung: 0% "},
        {100.0f, " CPU-Auslastung: 100% "},  {-1.0f, " CPU-Auslastung: 0% "},  {kNaN, " CPU-Auslastung: 0% "},
        {1000.0f, " CPU-Auslastung: 100% "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IconTooltip(c.load), c.text) << c.load;
    }
}

}  // namespace
}  // namespace taktora::render
