#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>

#include "base/LoadHistory.h"
#include "render/LoadGraph.h"
#include "tests/fakes/Fakes.h"

namespace taktora::render {
namespace {

TEST(LoadHistory, PeriodLoadIsTheMeanOfTheSamplesTakenClampedAndGuarded) {
    const struct {
        float sum;
        int samples, refreshMs;
        bool firstTickDone;
        std::optional<float> load;
        int samplingMs = 100;
    } cases[] = {
        {450, 9, 1000, true, 50},  // Windows' timer gave 9 samples in a second, not 10
        {1100, 10, 1000, true, 100}, {1000, 10, 1000, true, 100},
        {1000, 10, 1000, false, {}},  // exactly 100 before the first tick is the sources' start-up state
        {1100, 10, 1000, false, {}}, {999, 10, 1000, false, 99.9f},
        {0, 0, 1000, false, 0},      {250, 0, 500, true, 50},  // no sample: the nominal count
        {-50, 10, 1000, true, 0},    {NAN, 10, 1000, true, 0},
        {400, 0, 0, true, 40},       {400, 0, 1000, true, 40, 0},  // a broken interval counts as one second
    };
    for (const auto& c : cases) {
        const auto load = LoadHistory::PeriodLoad(c.sum, c.samples, c.refreshMs, c.samplingMs, c.firstTickDone);
        EXPECT_EQ(load, c.load) << c.sum << " " << c.samples;
        EXPECT_FALSE(load && std::signbit(*load)) << c.sum;
    }
}

TEST(LoadHistory, GraphSizeIsTheBoxLessItsFrameAtLeastOne) {
    const std::pair<double, int> cases[] = {{0, 1},    {4, 1},    {5, 2},   {64, 61}, {192, 189},  {10.5, 8},
                                            {11.5, 8}, {11.6, 9}, {-20, 1}, {NAN, 1}, {1e9, 32764}};
    for (const auto& [size, expected] : cases) {
        EXPECT_EQ(LoadHistory::GraphSize(size), expected) << size;
    }
}

TEST(LoadHistory, MeanCoversTheFilledColumnsThenWPlusOneLoadsOverW) {
    const struct {
        float load, windowMean, meanRecordedWithLoad;
    } steps[] = {{10, 10, 0}, {20, 15, 10}, {30, 30, 15}, {40, 45, 30}};
    LoadHistory history;
    for (const auto& s : steps) {
        history.Record(s.load, std::nullopt, 2);
        EXPECT_EQ(history.WindowMean(), s.windowMean) << s.load;
        EXPECT_EQ(history.Loads()[2], s.load);
        EXPECT_EQ(history.Loads()[1], &s == steps ? 0 : (&s)[-1].load);
        EXPECT_EQ(history.Means()[2], s.meanRecordedWithLoad) << s.load;
    }
    EXPECT_EQ(history.FilledColumns(), 2);
}

TEST(LoadHistory, WidthChangeStartsAfreshAndAWiderGraphGrowsTheHistory) {
    LoadHistory history;
    for (const float load : {90, 80, 70, 60}) {
        history.Record(load, 40, 3);
    }
    history.ResetForWidth();
    history.Record(50, std::nullopt, 5000);
    ASSERT_GE(history.Temps().size(), 5002u);
    EXPECT_EQ(history.FilledColumns(), 1);
    EXPECT_EQ(history.WindowMean(), 50);
    EXPECT_EQ(history.Loads()[5000], 50);
    EXPECT_EQ(history.Loads()[4999], 0);
    EXPECT_EQ(history.Means()[4999], 0);
    // Without Core Temp nothing writes a temperature; the last one moves on with the columns.
    history.Record(50, 61, 3);
    history.Record(50, std::nullopt, 3);
    EXPECT_EQ(history.Temps()[2], 61);
    EXPECT_EQ(history.Temps()[3], 61);
}

constexpr platform::Colour kFrame{100, 0, 0}, kShadow{0, 0, 100};

// The pixels of column x from the top: F and S the frame, K background, B bar, T its top, I the mean inside the bar,
// N the band up to a higher mean, A that mean, C the temperature, . black.
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
    explicit Box(std::initializer_list<float> loads, std::optional<float> temp = std::nullopt) {
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
    const struct {
        std::initializer_list<float> loads;  // the last one is drawn at x = 18, with the mean of those before it
        int x;
        const char* column;
    } cases[] = {
        {{0, 0}, 18, "FKKKKKKKKKKTS"},   {{100, 100}, 18, "FBBBBBBBBBBBS"}, {{100, 100}, 17, "FBBBBBBBBBBIS"},
        {{80, 20}, 18, "FKKANNNNNTBBS"}, {{20, 80}, 18, "FKKTBBBBBIBBS"},   {{50, 50}, 16, "FKKKKKKKKKKTS"},
        {{50, 50}, 15, "F...........S"}, {{50, 50}, 1, "F...........S"},    {{0, 0}, 19, "FSSSSSSSSSSSS"},
        {{0, 0}, 0, "FFFFFFFFFFFFF"},
    };
    for (const auto& c : cases) {
        Box box(c.loads);
        ASSERT_TRUE(box.Draw());
        EXPECT_EQ(Column(box.image, c.x), c.column) << c.loads.size() << " at " << c.x;
    }
    const std::pair<float, int> tops[] = {{0, 11}, {15, 10}, {25, 8}, {45, 6}, {50, 6}, {95, 2}};
    for (const auto& [load, top] : tops) {
        Box box({load, load});
        box.Draw();
        EXPECT_EQ(Column(box.image, 18), "F" + std::string(top - 1, 'K') + "T" + std::string(11 - top, 'B') + "S")
            << load;  // halves of a row round to even
    }
}

TEST(LoadGraph, TemperatureDotNeedsTheCurveAndALimit) {
    const std::tuple<bool, unsigned, const char*> cases[] = {{true, 100, "FKKKKCKKKKKTS"},
                                                             {false, 100, "FKKKKKKKKKKTS"},
                                                             {true, 0, "FKKKKKKKKKKTS"},
                                                             {true, 60, "FKCKKKKKKKKTS"}};
    for (const auto& [curve, tjMax, column] : cases) {
        Box box({0, 0}, 50.0f);
        box.in.ShowCurve = curve;
        box.in.TjMax = tjMax;
        box.Draw();
        EXPECT_EQ(Column(box.image, 18), column) << curve << " " << tjMax;
    }
}

TEST(LoadGraph, HiddenWindowGetsOnlyTheFrame) {
    Box box({100, 100});
    box.in.visible = false;
    box.in.ShowUptime = box.in.ShowSpeed = box.in.ShowTemp = true;
    EXPECT_EQ(box.Draw(), std::nullopt);
    EXPECT_TRUE(box.text.calls.empty());
    EXPECT_EQ(Column(box.image, 0), "FFFFFFFFFFFFF");
    EXPECT_EQ(Column(box.image, 10), "F???????????S");
    EXPECT_EQ(Column(box.image, 19), "FSSSSSSSSSSSS");
}

TEST(LoadGraph, TextsStackDownFromTheTopAndTheLoadSitsAtTheRight) {
    LoadHistory history;
    history.Record(21.9f, std::nullopt, 189);
    fake::TextPainter text;
    Image image(192, 64);
    LoadGraphInput in{history, 189, 61, 37.9f, true, true, true, false, "01:02:03:04", 60.5f, 0, 2394.5f};
    DrawLoadGraph(image, text, in);
    const fake::Calls expected = {"MS Sans Serif 7 bold 171,6 64.64.64 37%",
                                  "MS Sans Serif 7 bold 170,5 255.255.255 37%",
                                  "Tahoma 7 8,6 16.64.16 01:02:03:04",
                                  "Tahoma 7 7,5 204.255.204 01:02:03:04",
                                  "Tahoma 7 8,17 16.16.64 2395 MHz",
                                  "Tahoma 7 7,16 204.204.255 2395 MHz",
                                  "Tahoma 7 8,28 80.16.16 61 °C",
                                  "Tahoma 7 7,27 255.204.204 61 °C"};
    EXPECT_EQ(text.calls, expected);
    // On a scaled screen the taller font moves the lines apart.
    text.calls.clear();
    text.lineHeight = 22;
    in.ShowUptime = false;
    DrawLoadGraph(image, text, in);
    EXPECT_EQ(text.calls[5], "Tahoma 7 7,27 255.204.204 61 °C");
    DrawWaitNote(image, text);
    EXPECT_EQ(text.calls.back(), "Tahoma 7 6,5 255.255.255 Bitte warten ...");
    EXPECT_EQ(text.calls.end()[-2], "Tahoma 7 7,6 64.64.64 Bitte warten ...");
}

TEST(LoadGraph, TooltipSummarisesLoadMeanTemperatureAndSpeed) {
    const struct {
        bool temp, speed;
        const char* tip;
    } cases[] = {
        {false, false, " CPU: 100%  (ø 0%) "},
        {true, false, " CPU: 100%  (ø 0%),  Temp: 46°C "},
        {false, true, " CPU: 100%  (ø 0%),  Speed: 2394,13 MHz (133,00 MHz * 18,0) "},
        {true, true, " CPU: 100%  (ø 0%),  Temp: 46°C,  Speed: 2394,13 MHz (133,00 MHz * 18,0) "},
    };
    for (const auto& c : cases) {
        Box box({-5});
        box.in.PeriodLoad = 250;
        box.in.ShowTemp = c.temp;
        box.in.ShowSpeed = c.speed;
        box.in.Temp = 45.5f;
        box.in.fCPUspeed = 2394.125f;
        box.in.fFSBspeed = 133;
        box.in.fMultipier = 18;
        EXPECT_EQ(box.Draw(), c.tip);
    }
}

TEST(LoadGraph, SizesThatDoNotMatchTheHistoryStayInside) {
    const std::tuple<int, int, int> cases[] = {{3, 3, 17}, {20, 13, 9000}, {1, 1, 1}, {0, 0, 17}};
    for (const auto& [width, height, w] : cases) {
        Box box({50, 60});
        box.image.Resize(width, height);
        box.in.w = w;
        box.in.ShowCurve = true;
        box.in.TjMax = 1;  // a temperature far above the box
        EXPECT_TRUE(box.Draw()) << width << " " << w;
    }
}

// Random updates, resizes, hidden periods and switches: the painter's picture equals a full redraw every time.
TEST(LoadGraph, EveryUpdateOfThePainterEqualsAFullRedraw) {
    std::mt19937 random(7);
    const auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
    LoadHistory history;
    fake::TextPainter text;
    LoadGraphPainter painter;
    Image fast(120, 40);
    bool curve = true, temp = true, speed = false, uptime = true;
    unsigned tjMax = 100;
    int compared = 0;
    for (int update = 0; update < 800; ++update) {
        if (chance(2)) {
            fast.Resize(60 + static_cast<int>(random() % 100), 20 + static_cast<int>(random() % 40));
            history.ResetForWidth();
            painter.Invalidate();
        }
        curve ^= chance(4);
        temp ^= chance(4);
        speed ^= chance(4);
        uptime ^= chance(4);
        tjMax = chance(3) ? 80 + static_cast<unsigned>(random() % 40) : tjMax;
        LoadGraphInput in{history, LoadHistory::GraphSize(fast.Width()), LoadHistory::GraphSize(fast.Height())};
        in.PeriodLoad = static_cast<float>(random() % 101);
        in.ShowCurve = curve;
        in.TjMax = tjMax;
        in.ShowTemp = temp;
        in.ShowSpeed = speed;
        in.ShowUptime = uptime;
        in.uptimeText = std::string(random() % 12, 'x');
        in.Temp = static_cast<float>(random() % 110);
        in.windowFrame = {1, 2, 3};
        in.buttonShadow = {4, 5, 6};
        in.visible = !chance(3);
        history.Record(in.PeriodLoad, in.Temp, in.w);
        const auto tip = painter.Draw(fast, text, in);
        if (!in.visible) {
            continue;
        }
        Image full(fast.Width(), fast.Height());
        EXPECT_EQ(tip, DrawLoadGraph(full, text, in));
        ASSERT_TRUE(std::equal(full.Data(), full.Data() + full.Width() * full.Height(), fast.Data()))
            << "update " << update;
        ++compared;
    }
    EXPECT_GT(compared, 700);
}

}  // namespace
}  // namespace taktora::render
