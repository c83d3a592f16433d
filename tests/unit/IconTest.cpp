#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <map>
#include <set>
#include <sstream>

#include "render/DigitStrips.h"
#include "render/TrayIconImage.h"
#include "tests/fakes/Fakes.h"
#include "tray/IconSlot.h"
#include "tray/SharedIconFactory.h"
#include "tray/TrayRegistration.h"

namespace taktora::render {
namespace {

using fake::Each;

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

std::string Picture(const std::vector<float>& loads, const IconSwitches& switches) {
    TrayIconPicture picture;
    for (const float load : loads) {
        EXPECT_TRUE(picture.Update(load, switches, kFrame));
    }
    return Rows(picture.Canvas());
}

TEST(TrayIconPicture, BarsOfTheLastFourteenLoadsWithTheDigitsAndTheirShadowInAFrame) {
    std::vector<float> loads(13, 100);
    loads.push_back(7);
    EXPECT_EQ(Picture(loads, {true, false, true, false, false}),
              "DDDDDDDDDDDDDDDL Dggggggggggggg.L Dggggggggggggg.L Dggggggggggggg.L Dggggggg####gg.L Dgggggggg..#.g.L "
              "Dgggggggggg#.g.L Dgggggggggg#.g.L Dgggggggggg#.g.L Dgggggggggg#.g.L Dgggggggggg#.g.L Dggggggggggg.g.L "
              "Dggggggggggggg.L DgggggggggggggtL DggggggggggggggL DLLLLLLLLLLLLLLL ");
    // The first cell starts at x = -2; the right frame, drawn last, covers the last cell's shadow.
    EXPECT_EQ(Picture(std::vector<float>(14, 100), {false, true, true, true, false}),
              "DDDDDDDDDDDDDDDL DggggggggggggggL DggggggggggggggL DggggggggggggggL D##g#####g#####L D##.##.##.##.##L "
              "D##.##.##.##.##L D##.##.##.##.##L D##.##.##.##.##L D##.##.##.##.##L D##.#####.#####L Dg..g.....g....L "
              "DggggggggggggggL DggggggggggggggL DggggggggggggggL DLLLLLLLLLLLLLLL ");
}

TEST(TrayIconPicture, DigitsStartAtTheColumnOfTheirAlignmentFontAndCount) {
    // centred, bold, load; the first and the last column lit by a glyph. A lone "1" lights only its cell's right edge.
    const std::vector<std::tuple<bool, bool, float>> digits = {
        {0, 0, 0},  {0, 0, 1},   {0, 0, 5},   {0, 0, 15},    {0, 0, 50}, {0, 0, 100}, {0, 1, 0},  {0, 1, 1},
        {0, 1, 5},  {0, 1, 15},  {0, 1, 50},  {0, 1, 100},   {1, 0, 0},  {1, 0, 1},   {1, 0, 5},  {1, 0, 15},
        {1, 0, 50}, {1, 0, 100}, {1, 1, 0},   {1, 1, 1},     {1, 1, 5},  {1, 1, 15},  {1, 1, 50}, {1, 1, 100},
        {0, 0, -5}, {0, 0, NAN}, {0, 0, 250}, {0, 0, 99.9f}, {1, 0, 10}, {1, 0, 20}};
    EXPECT_EQ(Each(digits,
                   [](const auto& d) {
                       const auto [centred, bold, load] = d;
                       const std::string rows = Picture({load}, {true, false, true, bold, centred});
                       std::string lit(16, '.');
                       for (std::size_t i = 0; i < rows.size(); ++i) {
                           lit[i % 17 % 16] = rows[i] == '#' ? '#' : lit[i % 17 % 16];
                       }
                       return std::to_string(lit.find('#')) + "-" + std::to_string(lit.rfind('#'));
                   }),
              "8-11 11-11 8-11 6-11 3-11 2-12 8-12 11-12 8-12 5-12 2-12 1-14 6-9 8-8 6-9 5-10 3-11 2-12 6-10 8-9 6-10 "
              "4-11 2-12 1-14 8-11 8-11 2-12 3-11 5-10 3-11 ");
}

TEST(TrayIconPicture, BarTopFollowsTheWholeLoadClamped) {
    // the newest bar, rows 1 to 14
    EXPECT_EQ(Each<float>({0, 1, 7.9f, 8, 50, 99.9f, 100, -5, NAN, -INFINITY, 250, 1e30f},
                          [](float load) {
                              const std::string rows = Picture({load}, {true, false, false, false, false});
                              std::string column;
                              for (int y = 1; y < 15; ++y) {
                                  column += rows[y * 17 + 14];
                              }
                              return column;
                          }),
              ".............t ............tg ............tg ...........tgg ......tggggggg gggggggggggggg "
              "gggggggggggggg .............t .............t .............t gggggggggggggg gggggggggggggg ");
}

TEST(TrayIconPicture, HistoryMovesOnWhileNoPictureIsWanted) {
    TrayIconPicture picture;
    std::string rows14;  // a load of 0 leaves its bar top in row 14, which shows the columns that hold a bar
    for (int update = 1; update <= 15; ++update) {
        ASSERT_TRUE(picture.Update(0, {false, true, false, true, true}, kFrame));  // bold and centred need digits
        rows14 += update % 7 == 1 ? Rows(picture.Canvas()).substr(14 * 17, 17) : "";
    }
    EXPECT_EQ(rows14, "D.............tL D......ttttttttL DttttttttttttttL ");
    const std::string before = Rows(picture.Canvas());
    for (const float load : {100, 100, 50}) {
        EXPECT_FALSE(picture.Update(load, {false, false, true, false, false}, kFrame));
    }
    EXPECT_EQ(Rows(picture.Canvas()), before);
    picture.Update(30, {true, false, false, false, false}, kFrame);
    EXPECT_EQ(Rows(picture.Canvas()).substr(7 * 17, 16), "D..........ggt.L");  // oldest on the left
}

// The size and the first row with a glyph pixel; the lengths of the unbroken runs of glyph pixels along the rows (h)
// and along the columns (v), each length once: the shortest are the strokes' widths, the others their lengths.
std::string GlyphRuns(const Image& canvas) {
    std::string text =
        std::to_string(canvas.Width()) + "/" + std::to_string(Rows(canvas).find('#') / (canvas.Width() + 1)) + ":";
    for (const bool along : {true, false}) {
        std::set<int> runs;
        for (int line = 0; line < canvas.Height(); ++line) {
            int run = 0;
            for (int i = 0; i <= canvas.Width(); ++i) {
                if ((along ? canvas.At(i, line) : canvas.At(line, i)) == kGlyphWhite) {
                    ++run;
                } else if (run > 0) {
                    runs.insert(std::exchange(run, 0));
                }
            }
        }
        text += along ? " h" : " v";
        for (const int length : runs) {
            text += std::to_string(length) + ",";
        }
    }
    return text;
}

TEST(TrayIconPicture, AtEverySizeEveryStrokeOfTheDigitsIsEquallyWide) {
    // 88 regular, right-aligned; 100 bold, centred. Sizes no icon has give the 16-pixel picture.
    TrayIconPicture regular, bold;
    regular.Update(88, {true, false, true, false, false}, kFrame);
    bold.Update(100, {true, false, true, true, true}, kFrame);
    EXPECT_EQ(Each<int>({16, 20, 24, 28, 32, 0, 257},
                        [&](int size) { return GlyphRuns(regular.Canvas(size)) + " " + GlyphRuns(bold.Canvas(size)); }),
              "16/4: h1,4, v1,7, 16/4: h2,5, v1,7, 20/6: h1,4, v1,7, 20/6: h2,5, v1,7, 24/8: h1,4, v1,7, "
              "24/8: h2,5, v1,7, 28/10: h1,4, v1,7, 28/10: h2,5, v1,7, 32/8: h2,8, v2,14, 32/8: h4,10, v2,14, "
              "16/4: h1,4, v1,7, 16/4: h2,5, v1,7, 16/4: h1,4, v1,7, 16/4: h2,5, v1,7, ");
}

TEST(TrayIconPicture, TheShellsSizesComeFromTheTaskbarsScaleWhereWindowsKnowsIt) {
    // whether GetSystemMetricsForDpi exists, the taskbar's DPI, the system's DPI; the small and the big size (a custom
    // scale of 102 % rounds 24.5 up)
    fake::Desktop desktop;
    for (const auto& [perMonitor, taskbar, system, sizes] : std::vector<std::tuple<bool, int, int, std::string>>{
             {true, 98, 96, "16/25"}, {true, 168, 96, "28/42"}, {false, 168, 120, "20/40"}, {true, 0, 144, "24/48"}}) {
        std::tie(desktop.perMonitorMetrics, desktop.taskbarDpi, desktop.dpi) = std::tie(perMonitor, taskbar, system);
        const IconSizes shown = ShellIconSizes(desktop);
        EXPECT_EQ(std::to_string(shown.small) + "/" + std::to_string(shown.big), sizes);
    }
}

Image Numbered(int id) {
    Image picture(16, 16);
    picture.Set(15, 15, static_cast<Pixel>(id));  // pictures that only a full comparison tells apart
    return id == 0 ? Image() : picture;
}

TEST(IconSlot, MakesANewIconOnlyForANewPictureDestroysTheOldOneAfterTheInstallAndSharesOneForTwoSlots) {
    // the picture (0: empty) and whether no icon can be made; whether the slot holds the picture's icon, its icon and
    // the icons alive
    const std::vector<std::pair<int, bool>> steps = {{1, true},  {1, false}, {1, false}, {2, true},
                                                     {2, false}, {0, false}, {1, false}};
    fake::IconFactory icons;
    {
        IconSlot slot(icons);
        EXPECT_EQ(Each(steps,
                       [&](const auto& step) {
                           icons.fail = step.second;
                           const platform::IconHandle before = slot.Current();
                           const bool holds = slot.Replace(Numbered(step.first), [&](platform::IconHandle) {
                               EXPECT_TRUE(before == 0 || icons.live.contains(before)) << "drawn until replaced";
                           });
                           return std::to_string(holds) + "/" + std::to_string(slot.Current()) + "/" +
                                  std::to_string(icons.live.size());
                       }),
                  "0/0/0 1/1/1 1/1/1 0/1/1 1/2/1 0/2/1 1/3/1 ");
    }
    // The tray and the taskbar button showing one picture share one icon: which slot (a or b) takes which picture;
    // the icons made and the icons alive.
    icons.made = 0;  // numbered afresh: both slots end with icon 1
    {
        SharedIconFactory shared(icons);
        IconSlot a(shared);
        IconSlot b(shared);
        EXPECT_EQ(Each<std::string>({"a1", "b1", "b2", "b3", "b0", "b1"},
                                    [&](const std::string& step) {
                                        (step[0] == 'a' ? a : b).Replace(Numbered(step[1] - '0'));
                                        return std::to_string(icons.made) + "/" + std::to_string(icons.live.size());
                                    }),
                  "1/1 1/1 2/2 3/2 3/2 3/1 ");
    }
    EXPECT_TRUE(icons.live.empty());
    EXPECT_EQ(icons.badDestroys, 0);
}

TEST(TrayRegistration, CallsTheShellOnlyWhenItMatters) {
    // S show, U update, H hide, R notification area created anew, each with the picture and tooltip it gives; a step
    // in lower case is refused by the shell (Add and Modify fail), T an Add that timed out but took the icon. The
    // calls with their pictures, and whether the icon counts as shown.
    EXPECT_EQ(
        Each<std::string>({"S1a S2b H H", "H U1a R", "S1 U1 U2t U2t U2u", "S1a U1b U2b U1b", "s1a U1a U1a",
                           "T1a U1a U2a", "S1a u2b U2b", "S1a U2b R U2b", "S1a H R", "s1a R", "s1a H", "S1a H S2 U2"},
                          [](const std::string& steps) {
                              fake::Tray tray;
                              TrayRegistration registration(tray);
                              std::istringstream in(steps);
                              for (std::string step; in >> step;) {
                                  const char op = static_cast<char>(std::toupper(step[0]));
                                  tray.addOk = step[0] == op && op != 'T';
                                  tray.modifyOk = step[0] == op;
                                  const std::size_t before = tray.calls.size();
                                  const Image picture = Numbered(step.size() > 1 ? step[1] - '0' : 0);
                                  const std::string tip = step.substr(std::min<std::size_t>(step.size(), 2));
                                  op == 'H'   ? registration.Hide()
                                  : op == 'R' ? registration.Recreated()
                                  : op == 'U' ? registration.Update(picture, tip)
                                              : registration.Show(picture, tip);
                                  for (std::size_t i = before; i < tray.calls.size(); ++i) {
                                      tray.calls[i] +=
                                          tray.calls[i] != "Delete" ? std::to_string(tray.picture.At(15, 15)) : "";
                                  }
                              }
                              return fake::Join(tray.calls) + (registration.TrayIconShown() ? " shown\n" : "\n");
                          }),
        "Add a1; Delete\n \n Add 1; Modify t2; Modify u2 shown\n Add a1; Modify b1; Modify b2; Modify b1 shown\n "
        "Add a1; Modify a1; Add a1 shown\n Add a1; Modify a1; Modify a2 shown\n Add a1; Modify b2; Add b2 shown\n "
        "Add a1; Modify b2; Add b2 shown\n Add a1; Delete\n Add a1; Modify a1; Add a1 shown\n "
        "Add a1; Modify a1; Delete\n Add a1; Delete; Add 2 shown\n ");
}

TEST(TrayRegistration, TipIsCutToTheFieldWithoutSplittingASurrogatePair) {
    const std::u16string pair = u"\xD800\xDC00", x125(125, u'x');
    const std::vector<std::pair<std::u16string, std::size_t>> tips = {{u"ab", 1},
                                                                      {std::u16string(127, u'x'), 128},
                                                                      {std::u16string(128, u'x'), 128},
                                                                      {x125 + pair + u"y", 128},
                                                                      {x125 + u"x\xDBFF\xDFFF", 128},
                                                                      {u"ab\xD83D", 128},
                                                                      {pair + u"y", 2},
                                                                      {u"abc", 0}};
    EXPECT_EQ(Each(tips,
                   [](const auto& tip) {
                       return std::to_string(FittingTipLength(std::u16string_view(tip.first), tip.second));
                   }),
              "0 127 127 127 126 3 0 0 ");
}

}  // namespace
}  // namespace taktora::render
