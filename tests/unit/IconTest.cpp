#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <map>
#include <sstream>

#include "render/TrayIconImage.h"
#include "tests/fakes/Fakes.h"
#include "tray/IconSlot.h"
#include "tray/TrayRegistration.h"

namespace taktora::render {
namespace {

constexpr IconFrameColours kFrame{{64, 64, 64}, {255, 255, 255}};

// The rows of the picture, each followed by a blank: D and L the frame, g bar, t its top, # glyph, . black.
std::string Rows(const Image& canvas) {
    const std::map<Pixel, char> legend = {{Rgb(64, 64, 64), 'D'},  {Rgb(255, 255, 255), 'L'}, {Rgb(0, 128, 0), 'g'},
                                          {Rgb(96, 204, 96), 't'}, {Rgb(252, 254, 252), '#'}, {0, '.'}};
    std::string rows;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            rows += legend.contains(canvas.At(x, y)) ? legend.at(canvas.At(x, y)) : '?';
        }
        rows += ' ';
    }
    return rows;
}

TEST(TrayIconPicture, BarsOfTheLastFourteenLoadsWithTheDigitsAndTheirShadowInAFrame) {
    // the loads, then digits, bold, centred; the picture
    const std::tuple<std::vector<float>, bool, bool, bool, std::string> cases[] = {
        {{100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 7},
         true,
         false,
         false,
         "DDDDDDDDDDDDDDDL Dggggggggggggg.L Dggggggggggggg.L Dggggggggggggg.L Dggggggg####gg.L Dgggggggg..#.g.L "
         "Dgggggggggg#.g.L Dgggggggggg#.g.L Dgggggggggg#.g.L Dgggggggggg#.g.L Dgggggggggg#.g.L Dggggggggggg.g.L "
         "Dggggggggggggg.L DgggggggggggggtL DggggggggggggggL DLLLLLLLLLLLLLLL "},
        // The first cell starts at x = -2; the right frame, drawn last, covers the last cell's shadow.
        {std::vector<float>(14, 100), true, true, false,
         "DDDDDDDDDDDDDDDL DggggggggggggggL DggggggggggggggL DggggggggggggggL D##g#####g#####L D##.##.##.##.##L "
         "D##.##.##.##.##L D##.##.##.##.##L D##.##.##.##.##L D##.##.##.##.##L D##.#####.#####L Dg..g.....g....L "
         "DggggggggggggggL DggggggggggggggL DggggggggggggggL DLLLLLLLLLLLLLLL "},
        {{5},
         false,
         true,
         true,
         "DDDDDDDDDDDDDDDL D..............L D..............L D..............L D..............L D..............L "
         "D..............L D..............L D..............L D..............L D..............L D..............L "
         "D..............L D.............tL D.............gL DLLLLLLLLLLLLLLL "},
    };
    for (const auto& [loads, digits, bold, centred, rows] : cases) {
        TrayIconPicture picture;
        for (const float load : loads) {
            EXPECT_TRUE(picture.Update(load, {false, true, digits, bold, centred}, kFrame));
        }
        EXPECT_EQ(Rows(picture.Canvas()), rows);
    }
}

TEST(TrayIconPicture, DigitsStartAtTheColumnOfTheirAlignmentFontAndCount) {
    // centred, bold, load; the first and the last column lit by a glyph. A lone "1" lights only its cell's right edge.
    const std::tuple<bool, bool, float, int, int> cases[] = {
        {0, 0, 0, 8, 11},   {0, 0, 1, 11, 11},  {0, 0, 5, 8, 11},     {0, 0, 15, 6, 11},  {0, 0, 50, 3, 11},
        {0, 0, 100, 2, 12}, {0, 1, 0, 8, 12},   {0, 1, 1, 11, 12},    {0, 1, 5, 8, 12},   {0, 1, 15, 5, 12},
        {0, 1, 50, 2, 12},  {0, 1, 100, 1, 14}, {1, 0, 0, 6, 9},      {1, 0, 1, 8, 8},    {1, 0, 5, 6, 9},
        {1, 0, 15, 5, 10},  {1, 0, 50, 3, 11},  {1, 0, 100, 2, 12},   {1, 1, 0, 6, 10},   {1, 1, 1, 8, 9},
        {1, 1, 5, 6, 10},   {1, 1, 15, 4, 11},  {1, 1, 50, 2, 12},    {1, 1, 100, 1, 14}, {0, 0, -5, 8, 11},
        {0, 0, NAN, 8, 11}, {0, 0, 250, 2, 12}, {0, 0, 99.9f, 3, 11}, {1, 0, 10, 5, 10},  {1, 0, 20, 3, 11},
    };
    for (const auto& [centred, bold, load, first, last] : cases) {
        TrayIconPicture picture;
        ASSERT_TRUE(picture.Update(load, {true, false, true, bold, centred}, kFrame));
        std::string lit(16, '.');
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                lit[x] = picture.Canvas().At(x, y) == Rgb(252, 254, 252) ? '#' : lit[x];
            }
        }
        EXPECT_EQ(lit.find('#'), first) << centred << bold << " " << load;
        EXPECT_EQ(lit.rfind('#'), last) << centred << bold << " " << load;
    }
}

TEST(TrayIconPicture, TooltipAndBarTopFollowTheWholeLoadClamped) {
    for (const auto& [load, text] : {std::pair{37.9f, "37"}, {-1.0f, "0"}, {NAN, "0"}, {1000.0f, "100"}}) {
        EXPECT_EQ(IconTooltip(load), std::string(" CPU-Auslastung: ") + text + "% ");
    }
    const std::pair<float, int> cases[] = {{0, 14},  {1, 13},  {7.9f, 13}, {8, 12},         {50, 7},  {99.9f, 0},
                                           {100, 0}, {-5, 14}, {NAN, 14},  {-INFINITY, 14}, {250, 0}, {1e30f, 0}};
    for (const auto& [load, top] : cases) {
        TrayIconPicture picture;
        picture.Update(load, {true, false, false, false, false}, kFrame);
        std::string column;
        for (int y = 1; y < 15; ++y) {
            column += Rows(picture.Canvas())[y * 17 + 14];
        }
        EXPECT_EQ(column, std::string(top > 0 ? top - 1 : 0, '.') + (top > 0 ? "t" : "") + std::string(14 - top, 'g'))
            << load;
    }
}

TEST(TrayIconPicture, HistoryMovesOnWhileNoPictureIsWanted) {
    TrayIconPicture picture;
    for (int update = 1; update <= 16; ++update) {
        ASSERT_TRUE(picture.Update(0, {true, false, false, false, false}, kFrame));
        // A load of 0 leaves its bar top in row 14, so row 14 shows which columns hold a bar.
        EXPECT_EQ(Rows(picture.Canvas()).substr(14 * 17, 16),
                  "D" + std::string(std::max(14 - update, 0), '.') + std::string(std::min(update, 14), 't') + "L");
    }
    const std::string before = Rows(picture.Canvas());
    for (const float load : {100, 100, 50}) {
        EXPECT_FALSE(picture.Update(load, {false, false, true, false, false}, kFrame));
    }
    EXPECT_EQ(Rows(picture.Canvas()), before);
    picture.Update(30, {true, false, false, false, false}, kFrame);
    EXPECT_EQ(Rows(picture.Canvas()).substr(7 * 17, 16), "D..........ggt.L");  // oldest on the left
}

Image Numbered(int id) {
    Image picture(16, 16);
    picture.Set(15, 15, static_cast<Pixel>(id));  // pictures that only a full comparison tells apart
    return id == 0 ? Image() : picture;
}

TEST(IconSlot, MakesANewIconOnlyForANewPictureAndDestroysTheOldOneAfterTheInstall) {
    // the picture (0: empty), whether no icon can be made; whether the slot holds the picture's icon, the icon now
    const std::tuple<int, bool, bool, platform::IconHandle> steps[] = {
        {1, true, false, 0}, {1, false, true, 1},  {1, false, true, 1}, {2, true, false, 1},
        {2, false, true, 2}, {0, false, false, 2}, {1, false, true, 3},
    };
    fake::IconFactory icons;
    {
        IconSlot slot(icons);
        for (const auto& [id, fail, holds, icon] : steps) {
            icons.fail = fail;
            const platform::IconHandle before = slot.Current();
            EXPECT_EQ(slot.Replace(Numbered(id),
                                   [&](platform::IconHandle made) {
                                       EXPECT_TRUE(before == 0 || icons.live.contains(before))
                                           << "the window draws it until it has the new";
                                       EXPECT_EQ(made, icon);
                                   }),
                      holds);
            EXPECT_EQ(slot.Current(), icon);
            EXPECT_EQ(icons.live.size(), icon == 0 ? 0u : 1u);
        }
        EXPECT_TRUE(slot.Replace(Numbered(1)));
    }
    EXPECT_TRUE(icons.live.empty());
    EXPECT_EQ(icons.badDestroys, 0);
}

TEST(TrayRegistration, CallsTheShellOnlyWhenItMatters) {
    // S show, U update, H hide, R notification area created anew, each with the picture and tooltip it gives; a step
    // in lower case is refused by the shell (Add and Modify fail), T an Add that timed out but took the icon.
    const std::tuple<std::string, const char*, bool> cases[] = {
        {"S1a S2b H H", "Add a1; Delete", false},
        {"H U1a R", "", false},
        {"S1 U1 U2t U2t U2u", "Add 1; Modify t2; Modify u2", true},
        {"S1a U1b U2b U1b", "Add a1; Modify b1; Modify b2; Modify b1", true},
        {"s1a U1a U1a", "Add a1; Modify a1; Add a1", true},
        {"T1a U1a U2a", "Add a1; Modify a1; Modify a2", true},
        {"S1a u2b U2b", "Add a1; Modify b2; Add b2", true},
        {"S1a U2b R U2b", "Add a1; Modify b2; Add b2", true},
        {"S1a H R", "Add a1; Delete", false},
        {"s1a R", "Add a1; Modify a1; Add a1", true},
        {"s1a H", "Add a1; Modify a1; Delete", false},
        {"S1a H S2 U2", "Add a1; Delete; Add 2", true},
    };
    for (const auto& [steps, calls, shown] : cases) {
        fake::Tray tray;
        TrayRegistration registration(tray);
        std::istringstream in(steps);
        for (std::string step; in >> step;) {
            tray.addOk = std::isupper(step[0]) && step[0] != 'T';
            tray.modifyOk = std::isupper(step[0]);
            const std::size_t before = tray.calls.size();
            const Image picture = Numbered(step.size() > 1 ? step[1] - '0' : 0);
            const std::string tip = step.substr(std::min<std::size_t>(step.size(), 2));
            switch (std::toupper(step[0])) {
                case 'S':
                case 'T':
                    registration.Show(picture, tip);
                    break;
                case 'U':
                    registration.Update(picture, tip);
                    break;
                case 'H':
                    registration.Hide();
                    break;
                default:
                    registration.Recreated();
            }
            for (std::size_t i = before; i < tray.calls.size(); ++i) {
                tray.calls[i] += tray.calls[i] == "Delete" ? "" : std::to_string(tray.picture.At(15, 15));
            }
        }
        EXPECT_EQ(fake::Join(tray.calls), calls) << steps;
        EXPECT_EQ(registration.TrayIconShown(), shown) << steps;
    }
}

TEST(TrayRegistration, TipIsCutToTheFieldWithoutSplittingASurrogatePair) {
    const std::u16string pair = u"\xD83D\xDE00", x125(125, u'x');
    const std::tuple<std::u16string, std::size_t, std::size_t> cases[] = {
        {u"", 128, 0},
        {std::u16string(127, u'x'), 128, 127},
        {std::u16string(128, u'x'), 128, 127},
        {x125 + pair + u"y", 128, 127},
        {x125 + u"x" + pair, 128, 126},
        {u"abc", 1, 0},
        {u"abc", 0, 0},
    };
    for (const auto& [tip, capacity, fitting] : cases) {
        EXPECT_EQ(FittingTipLength(std::u16string_view(tip), capacity), fitting) << tip.size() << " " << capacity;
    }
}

}  // namespace
}  // namespace taktora::render
