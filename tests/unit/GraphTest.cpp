#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>

#include "base/LoadHistory.h"
#include "base/NumberFormat.h"
#include "render/LoadGraph.h"
#include "render/Preview.h"
#include "tests/fakes/Fakes.h"

namespace taktora::render {
namespace {

using fake::Each;

TEST(LoadHistory, PeriodLoadIsTheMeanOfTheSamplesTakenClampedAndGuarded) {
    // the sum, the samples taken, the refresh and sampling intervals, whether the first refresh tick has come
    const std::vector<std::tuple<float, int, int, int, bool>> periods = {
        {450, 9, 1000, 100, true},    {1100, 10, 1000, 100, true},  {1000, 10, 1000, 100, true},
        {1000, 10, 1000, 100, false}, {1100, 10, 1000, 100, false}, {999, 10, 1000, 100, false},
        {0, 0, 1000, 100, false},     {250, 0, 500, 100, true},     {-50, 10, 1000, 100, true},
        {NAN, 10, 1000, 100, true},   {400, 0, 0, 100, true},       {400, 0, 1000, 0, true},
        {400, 0, 1, 100, true},       {40, 0, 1000, 1, true}};
    // Exactly 100 before the first tick is the sources' start-up state; without a sample the count is nominal.
    EXPECT_EQ(Each(periods,
                   [](const auto& p) {
                       const auto load = std::apply(LoadHistory::PeriodLoad, p);
                       if (!load) {
                           return std::string("skip");
                       }
                       std::string text = std::signbit(*load) ? "-" : "";
                       return text.append(FormatGeneral(*load, "."));
                   }),
              "50 100 100 skip skip 99.9 0 50 0 0 40 40 100 0.04 ");
    EXPECT_EQ(Each<double>({0, 4, 5, 64, 192, 10.5, 11.5, 11.6, -20, NAN, 1e9},
                           [](double size) { return std::to_string(LoadHistory::GraphSize(size)); }),
              "1 1 2 61 189 8 8 9 1 1 32764 ");
}

// The loads, the means recorded with them and the moving mean of a history of W columns.
std::string Columns(const LoadHistory& history, int w) {
    std::string text;
    for (int i = 0; i <= w; ++i) {
        text += std::to_string(int(history.Loads()[i])) + "/" + std::to_string(int(history.Means()[i])) + " ";
    }
    return text + "mean " + std::to_string(history.WindowMean());
}

TEST(LoadHistory, MeanCoversTheFilledColumnsThenWPlusOneLoadsOverWAndAWidthChangeStartsAfresh) {
    LoadHistory history;
    std::string steps;
    for (const float load : {10, 20, 30, 40}) {
        history.Record(load, std::nullopt, 2);
        steps += Columns(history, 2) + "; ";
    }
    EXPECT_EQ(steps,
              "0/0 0/0 10/0 mean 10.000000; 0/0 10/0 20/10 mean 15.000000; 10/0 20/10 30/15 mean 30.000000; "
              "20/10 30/15 40/30 mean 45.000000; ");
    // A window that lost or gained its frame: the newest column stays at the right edge.
    history.Rewidth(2, 4);
    steps = Columns(history, 4) + "; ";
    history.Rewidth(4, 1);
    EXPECT_EQ(steps + Columns(history, 1) + " " + std::to_string(history.FilledColumns()),
              "0/0 0/0 20/10 30/15 40/30 mean 45.000000; 30/15 40/30 mean 45.000000 1");
    history.Record(7, std::nullopt, 0);  // a graph is at least one column wide
    EXPECT_EQ(std::pair(history.Loads()[1], history.WindowMean()), std::pair(7.0f, 47.0f));  // W + 1 loads over W
    history.ResetForWidth();
    history.Record(50, 61, 1);  // nothing of the old columns is left in the mean
    const float mean = history.WindowMean();
    history.ResetForWidth();
    history.Record(50, 61, 5000);
    EXPECT_EQ(
        std::tuple(mean, history.Loads()[4999], history.Loads()[5000], history.WindowMean(), history.FilledColumns()),
        std::tuple(50.0f, 0.0f, 50.0f, 50.0f, 1));
    // Without Core Temp nothing writes a temperature: the last one moves on with the columns.
    history.Record(50, 61, 3);
    history.Record(50, std::nullopt, 3);
    EXPECT_EQ(history.Temps()[2] + history.Temps()[3], 61 + 61);
}

constexpr platform::Colour kFrame{100, 0, 0}, kShadow{0, 0, 100};

// The pixels of column x from the top: F and S the frame, K background, B bar, T its top, I the mean inside the bar,
// N the band up to a higher mean, A that mean, C the temperature, . black, ? anything else.
std::string Column(const Image& image, int x) {
    const std::map<Pixel, char> legend = {{ToPixel(kFrame), 'F'},    {ToPixel(kShadow), 'S'},
                                          {Rgb(8, 8, 8), 'K'},       {Rgb(0, 160, 0), 'B'},
                                          {Rgb(160, 255, 160), 'T'}, {Rgb(0, 128, 0), 'I'},
                                          {Rgb(0, 80, 80), 'N'},     {Rgb(112, 153, 153), 'A'},
                                          {Rgb(153, 16, 16), 'C'},   {0, '.'}};
    std::string column;
    for (int y = 0; y < image.Height(); ++y) {
        column += legend.contains(image.At(x, y)) ? legend.at(image.At(x, y)) : '?';
    }
    return column;
}

// A 20 x 13 box: W = 17, H = 10; the newest column is x = 18, rows 1 to 11 lie between the frame lines.
struct Box {
    explicit Box(const std::vector<float>& loads, float temp = 0) {
        for (const float load : loads) {
            history.Record(load, temp, 17);
        }
        text.lineHeight = 0;  // texts leave no pixels
    }
    std::optional<std::string> Draw() { return DrawLoadGraph(image, text, in); }

    LoadHistory history;
    fake::TextPainter text;
    Image image{20, 13, Rgb(1, 2, 3)};
    LoadGraphInput in{.history = history, .w = 17, .h = 10, .windowFrame = kFrame, .buttonShadow = kShadow};
};

TEST(LoadGraph, ColumnPixels) {
    // The newest column, x = 18, holds the last load with the mean of those before it.
    const std::vector<std::vector<float>> histories = {{0, 0},   {100, 100}, {80, 20}, {20, 80}, {15, 15},
                                                       {25, 25}, {45, 45},   {50, 50}, {95, 95}};
    EXPECT_EQ(Each(histories,
                   [](const auto& loads) {
                       Box box(loads);
                       box.Draw();
                       return Column(box.image, 18);
                   }),
              "FKKKKKKKKKKTS FBBBBBBBBBBBS FKKANNNNNTBBS FKKTBBBBBIBBS FKKKKKKKKKTBS FKKKKKKKTBBBS FKKKKKTBBBBBS "
              "FKKKKKTBBBBBS FKTBBBBBBBBBS ");  // halves of a row round to even
    // Two updates fill the columns from x = 16 on; the frame surrounds them.
    Box box({100, 100});
    box.Draw();
    EXPECT_EQ(Each<int>({0, 1, 15, 16, 17, 19}, [&](int x) { return Column(box.image, x); }),
              "FFFFFFFFFFFFF F...........S F...........S FKKKKKKKKKKTS FBBBBBBBBBBIS FSSSSSSSSSSSS ");
}

TEST(LoadGraph, TemperatureDotNeedsTheCurveAndALimit) {
    // the curve switch, TjMax (0: left at its default) and the temperature
    const std::vector<std::tuple<bool, unsigned, float>> switches = {
        {true, 100, 50}, {false, 100, 50}, {true, 0, 0.5f}, {true, 60, 50}};
    EXPECT_EQ(Each(switches,
                   [](const auto& s) {
                       Box box({0, 0}, std::get<2>(s));
                       box.in.ShowCurve = std::get<0>(s);
                       box.in.TjMax = std::max(box.in.TjMax, std::get<1>(s));
                       box.Draw();
                       return Column(box.image, 18);
                   }),
              "FKKKKCKKKKKTS FKKKKKKKKKKTS FKKKKKKKKKKTS FKCKKKKKKKKTS ");
}

TEST(LoadGraph, HiddenWindowGetsOnlyTheFrameAndOddSizesStayInside) {
    Box box({100, 100});
    box.in.visible = false;
    box.in.ShowUptime = box.in.ShowSpeed = box.in.ShowTemp = true;
    EXPECT_EQ(box.Draw(), std::nullopt);
    EXPECT_EQ(Column(box.image, 0) + Column(box.image, 10) + Column(box.image, 19),
              "FFFFFFFFFFFFFF???????????SFSSSSSSSSSSSS");
    // the picture's size and the graph's width; the picture's columns, a temperature far above the box
    const std::vector<std::array<int, 3>> sizes = {{3, 3, 17}, {6, 5, 9000}, {1, 1, 1}, {0, 0, 17}};
    EXPECT_EQ(Each(sizes,
                   [](const auto& size) {
                       Box odd({50, 60}, 1e6);
                       odd.image.Resize(size[0], size[1]);
                       odd.in.w = size[2];
                       odd.in.ShowCurve = true;
                       odd.in.TjMax = 1;
                       odd.Draw();
                       std::string columns;
                       for (int x = 0; x < size[0]; ++x) {
                           columns += Column(odd.image, x) + " ";
                       }
                       return columns + "|";
                   }),
              "FFF F.S FSS | FFFFF F...S F...S F...S F...S FSSSS | S | | ");
}

TEST(LoadGraph, ThePreviewShowsTheWholePictureShrunkToTheShellsLimitNeverEnlarged) {
    // the picture, the shell's limit; the preview's size
    const std::tuple<platform::Size, platform::Size, platform::Size> cases[] = {
        {{192, 64}, {200, 120}, {192, 64}},   {{3840, 200}, {200, 120}, {200, 10}}, {{100, 300}, {200, 120}, {40, 120}},
        {{400, 240}, {200, 120}, {200, 120}}, {{20000, 1}, {200, 120}, {200, 1}},   {{0, 64}, {200, 120}, {1, 1}},
        {{192, 64}, {0, 120}, {1, 1}},        {{1, 64}, {200, 120}, {1, 64}}};
    for (const auto& [picture, limit, preview] : cases) {
        EXPECT_EQ(render::PreviewSize(picture, limit), preview) << picture.width << "x" << picture.height;
    }
}

TEST(LoadGraph, TextsStackDownFromTheTopTheLoadSitsAtTheRightAndTheTooltipSumsUp) {
    LoadHistory history;
    history.Record(21.9f, std::nullopt, 189);
    fake::TextPainter text;
    Image image(192, 64);
    LoadGraphInput in{history, 189, 61, 37.9f, true, true, true, false, "01:02:03:04", 60.5f, 0, 2394.125f, 133, 18};
    EXPECT_EQ(DrawLoadGraph(image, text, in),
              " CPU: 37%  (ø 21%),  Temp: 61°C,  Speed: 2394,13 MHz (133,00 MHz * 18,0) ");
    EXPECT_EQ(fake::Join(text.calls),
              "MS Sans Serif 7 bold 171,6 64.64.64 37%; MS Sans Serif 7 bold 170,5 255.255.255 37%; "
              "Tahoma 7 8,6 16.64.16 01:02:03:04; Tahoma 7 7,5 204.255.204 01:02:03:04; "
              "Tahoma 7 8,17 16.16.64 2394 MHz; Tahoma 7 7,16 204.204.255 2394 MHz; "
              "Tahoma 7 8,28 80.16.16 61 °C; Tahoma 7 7,27 255.204.204 61 °C");
    // On a scaled screen the taller font moves the lines apart.
    text.calls.clear();
    text.lineHeight = 22;
    in.ShowUptime = false;
    in.PeriodLoad = 250;
    DrawLoadGraph(image, text, in);
    EXPECT_EQ(text.calls[5], "Tahoma 7 7,27 255.204.204 61 °C");
    in.ShowTemp = false;
    EXPECT_EQ(DrawLoadGraph(image, text, in), " CPU: 100%  (ø 21%),  Speed: 2394,13 MHz (133,00 MHz * 18,0) ");
    in.ShowSpeed = false;
    in.ShowTemp = true;
    EXPECT_EQ(DrawLoadGraph(image, text, in), " CPU: 100%  (ø 21%),  Temp: 61°C ");
    in.ShowTemp = false;
    EXPECT_EQ(DrawLoadGraph(image, text, in), " CPU: 100%  (ø 21%) ");
    DrawWaitNote(image, text);
    EXPECT_EQ(fake::Join(fake::Calls(text.calls.end() - 2, text.calls.end())),
              "Tahoma 7 7,6 64.64.64 Bitte warten ...; Tahoma 7 6,5 255.255.255 Bitte warten ...");
}

// Random updates, resizes, hidden periods and switches: the painter's picture equals a full redraw every time.
TEST(LoadGraph, EveryUpdateOfThePainterEqualsAFullRedraw) {
    std::mt19937 random(7);
    const auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
    LoadHistory history;
    fake::TextPainter text;
    LoadGraphPainter painter;
    Image fast;
    fast.Resize(120, 40, 0, 5);  // room for five scrolls: the pixels move back every sixth update
    LoadGraphInput in{history, 0, 0, 0, true, true, false, true, "", 0, 100, 0, 0, 0, ",", {1, 2, 3}, {4, 5, 6}};
    for (int update = 0; update < 800; ++update) {
        if (chance(2)) {
            fast.Resize(60 + static_cast<int>(random() % 100), 20 + static_cast<int>(random() % 40), 0, 5);
            history.ResetForWidth();
            painter.Invalidate();
        }
        in.ShowCurve ^= chance(4);
        in.ShowTemp ^= chance(4);
        in.ShowSpeed ^= chance(4);
        in.ShowUptime ^= chance(4);
        in.TjMax = chance(3) ? 80 + static_cast<unsigned>(random() % 40) : in.TjMax;
        in.w = LoadHistory::GraphSize(fast.Width());
        in.h = LoadHistory::GraphSize(fast.Height());
        in.PeriodLoad = static_cast<float>(random() % 101);
        in.uptimeText = std::string(random() % 12, 'x');
        in.Temp = static_cast<float>(random() % 110);
        in.visible = !chance(3);
        history.Record(in.PeriodLoad, in.Temp, in.w);
        painter.Draw(fast, text, in);
        if (in.visible) {
            Image full(fast.Width(), fast.Height());
            DrawLoadGraph(full, text, in);
            ASSERT_TRUE(full == fast) << update;
        }
    }
    // The next update moves the picture and draws only the new column, the frame and what the texts covered: marks
    // anywhere else move a column to the left.
    Image picture(60, 30);
    LoadGraphInput two{history, 57, 27, 50, true, false, false, false, "ab", 0, 0, 0, 0, 0, ",", {1, 2, 3}, {4, 5, 6}};
    std::string kept;
    for (int update = 0; update < 2; ++update) {
        history.Record(50, std::nullopt, two.w);
        painter.Draw(picture, text, two);
        for (int x = 0; x < 60; ++x) {
            kept += update == 0 ? (picture.Set(x, 28, 1), "") : picture.At(x, 28) == 1 ? "1" : ".";
        }
    }
    EXPECT_EQ(kept, ".11.................11111111111111......................11..");
}

}  // namespace
}  // namespace taktora::render
