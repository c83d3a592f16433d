#include "render/LoadGraph.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "tests/fakes/FakeTextPainter.h"

namespace taktora::render {
namespace {

using fake::FakeTextPainter;
using platform::Colour;
using platform::Font;

// A 20 x 13 box: W = 17, H = 10, columns x = 1..18, rows 1..11 between the frame lines.
constexpr int kSW = 20;
constexpr int kSH = 13;
constexpr int kW = 17;
constexpr int kH = 10;

constexpr Colour kFrame{100, 0, 0};
constexpr Colour kShadow{0, 0, 100};

constexpr Pixel F = ToPixel(kFrame);
constexpr Pixel S = ToPixel(kShadow);
constexpr Pixel K = Rgb(8, 8, 8);        // column background
constexpr Pixel B = Rgb(0, 160, 0);      // bar
constexpr Pixel T = Rgb(160, 255, 160);  // bar top
constexpr Pixel I = Rgb(0, 128, 0);      // mean inside the bar
constexpr Pixel N = Rgb(0, 80, 80);      // band up to a higher mean
constexpr Pixel A = Rgb(112, 153, 153);  // mean above the bar
constexpr Pixel C = Rgb(153, 16, 16);    // temperature
constexpr Pixel kOld = Rgb(18, 52, 86);  // whatever the box showed before

LoadHistory Recorded(std::initializer_list<float> loads, int w = kW, std::optional<float> temp = std::nullopt) {
    LoadHistory history;
    for (float load : loads) {
        history.Record(load, temp, w);
    }
    return history;
}

LoadGraphInput Input(const LoadHistory& history, int w = kW, int h = kH) {
    return LoadGraphInput{.history = history, .w = w, .h = h, .windowFrame = kFrame, .buttonShadow = kShadow};
}

std::vector<Pixel> Column(const Image& image, int x) {
    std::vector<Pixel> column;
    for (int y = 0; y < image.Height(); ++y) {
        column.push_back(image.At(x, y));
    }
    return column;
}

std::optional<std::string> Draw(Image& image, const LoadGraphInput& input, FakeTextPainter& painter) {
    image.Fill(kOld);
    return DrawLoadGraph(image, painter, input);
}

TEST(LoadGraph, ColumnPixels) {
    struct Case {
        const char* name;
        std::initializer_list<float> loads;  // the last one is the column at x = 18, recorded with the mean before it
        int x;
        std::vector<Pixel> expected;  // rows 0..12
    };
    const Case cases[] = {
        {"0 %", {0, 0}, 18, {F, K, K, K, K, K, K, K, K, K, K, T, S}},
        {"100 %", {100, 100}, 18, {F, B, B, B, B, B, B, B, B, B, B, B, S}},
        {"100 % over a mean of 0", {100, 100}, 17, {F, B, B, B, B, B, B, B, B, B, B, I, S}},
        {"mean 80 above a 20 % bar", {80, 20}, 18, {F, K, K, A, N, N, N, N, N, T, B, B, S}},
        {"mean 20 inside an 80 % bar", {20, 80}, 18, {F, K, K, T, B, B, B, B, B, I, B, B, S}},
        {"filling: first drawn column", {50, 50}, 16, {F, K, K, K, K, K, K, K, K, K, K, T, S}},
        {"filling: left of it stays black", {50, 50}, 15, {F, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, S}},
        {"filling: leftmost column", {50, 50}, 1, {F, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, S}},
    };
    for (const Case& c : cases) {
        const LoadHistory history = Recorded(c.loads);
        Image image(kSW, kSH);
        FakeTextPainter painter;
        Draw(image, Input(history), painter);
        EXPECT_EQ(Column(image, c.x), c.expected) << c.name;
    }
}

TEST(LoadGraph, BarTopRoundsHalvesToEven) {
    struct Case {
        float load;
        int barTop;  // 10 - load / 10 + 1
    };
    const Case cases[] = {{0, 11}, {15, 10}, {25, 8}, {45, 6}, {50, 6}, {95, 2}};
    for (const Case& c : cases) {
        const LoadHistory history = Recorded({c.load, c.load});
        Image image(kSW, kSH);
        FakeTextPainter painter;
        Draw(image, Input(history), painter);
        EXPECT_EQ(image.At(18, c.barTop), T) << c.load;
        EXPECT_EQ(image.At(18, c.barTop - 1), K) << c.load;
        EXPECT_EQ(image.At(18, c.barTop + 1), c.barTop == 11 ? S : B) << c.load;
    }
}

TEST(LoadGraph, TemperatureDotNeedsCurveAndLimit) {
    struct Case {
        bool showCurve;
        unsigned tjMax;
        bool dotExpected;
    };
    const LoadHistory history = Recorded({0, 0}, kW, 50.0f);
    for (const Case c : {Case{true, 100, true}, Case{false, 100, false}, Case{true, 0, false}}) {
        LoadGraphInput input = Input(history);
        input.ShowCurve = c.showCurve;
        input.TjMax = c.tjMax;
        Image image(kSW, kSH);
        FakeTextPainter painter;
        Draw(image, input, painter);
        // 10 - 50 * 10 / 100, no row offset
        EXPECT_EQ(image.At(18, 5) == C, c.dotExpected) << c.showCurve << " " << c.tjMax;
        EXPECT_EQ(image.At(18, 4), K);
    }
}

TEST(LoadGraph, FrameOnAllFourSides) {
    const LoadHistory history = Recorded({100, 100});
    Image image(kSW, kSH);
    FakeTextPainter painter;
    Draw(image, Input(history), painter);
    for (int x = 0; x < kSW; ++x) {
        EXPECT_EQ(image.At(x, 0), F) << x;
    }
    for (int y = 0; y < kSH; ++y) {
        EXPECT_EQ(image.At(0, y), F) << y;
    }
    for (int y = 1; y < kSH; ++y) {
        EXPECT_EQ(image.At(kSW - 1, y), S) << y;
    }
    for (int x = 1; x < kSW; ++x) {
        EXPECT_EQ(image.At(x, kSH - 1), S) << x;
    }
}

TEST(LoadGraph, HiddenWindowGetsOnlyTheFrame) {
    const LoadHistory history = Recorded({100, 100});
    LoadGraphInput input = Input(history);
    input.visible = false;
    input.ShowUptime = input.ShowSpeed = input.ShowTemp = true;
    Image image(kSW, kSH);
    FakeTextPainter painter;
    EXPECT_EQ(Draw(image, input, painter), std::nullopt);
    EXPECT_TRUE(painter.calls.empty());
    EXPECT_EQ(image.At(0, 5), F);
    EXPECT_EQ(image.At(10, 0), F);
    EXPECT_EQ(image.At(kSW - 1, 5), S);
    EXPECT_EQ(image.At(10, kSH - 1), S);
    for (int x = 1; x < kSW - 1; ++x) {
        EXPECT_EQ(Column(image, x),
                  std::vector<Pixel>({F, kOld, kOld, kOld, kOld, kOld, kOld, kOld, kOld, kOld, kOld, kOld, S}))
            << x;
    }
}

TEST(LoadGraph, FrameAloneAfterResize) {
    Image image(6, 4, kOld);
    DrawGraphFrame(image, kFrame, kShadow);
    EXPECT_EQ(Column(image, 0), std::vector<Pixel>({F, F, F, F}));
    EXPECT_EQ(Column(image, 3), std::vector<Pixel>({F, kOld, kOld, S}));
    EXPECT_EQ(Column(image, 5), std::vector<Pixel>({F, S, S, S}));
}

TEST(LoadGraph, LoadTextEndsSevenPixelsFromTheRight) {
    const Font bold{"MS Sans Serif", 7, true};
    struct Case {
        float periodLoad;
        const char* text;
    };
    for (const Case c : {Case{100, "100%"}, Case{37.9f, "37%"}, Case{0, "0%"}}) {
        const LoadHistory history = Recorded({c.periodLoad}, 189);
        LoadGraphInput input = Input(history, 189, 61);
        input.PeriodLoad = c.periodLoad;
        Image image(192, 64);
        FakeTextPainter painter;
        Draw(image, input, painter);
        const int width = FakeTextPainter::kCharWidth * static_cast<int>(std::string(c.text).size());
        ASSERT_EQ(painter.calls.size(), 2u);
        EXPECT_EQ(painter.calls[0], (FakeTextPainter::Call{bold, 192 - 7 - width + 1, 6, {64, 64, 64}, c.text}));
        EXPECT_EQ(painter.calls[1], (FakeTextPainter::Call{bold, 192 - 7 - width, 5, {255, 255, 255}, c.text}));
    }
}

TEST(LoadGraph, TooltipSummary) {
    struct Case {
        bool showTemp;
        bool showSpeed;
        const char* expected;
    };
    const Case cases[] = {
        {false, false, " CPU: 37%  (ø 21%) "},
        {true, false, " CPU: 37%  (ø 21%),  Temp: 46°C "},
        {false, true, " CPU: 37%  (ø 21%),  Speed: 2394,13 MHz (133,00 MHz * 18,0) "},
        {true, true, " CPU: 37%  (ø 21%),  Temp: 46°C,  Speed: 2394,13 MHz (133,00 MHz * 18,0) "},
    };
    const LoadHistory history = Recorded({21.9f}, 189);
    for (const Case& c : cases) {
        LoadGraphInput input = Input(history, 189, 61);
        input.PeriodLoad = 37.9f;
        input.ShowTemp = c.showTemp;
        input.ShowSpeed = c.showSpeed;
        input.Temp = 45.5f;
        input.fCPUspeed = 2394.125f;
        input.fFSBspeed = 133.0f;
        input.fMultipier = 18.0f;
        Image image(192, 64);
        FakeTextPainter painter;
        EXPECT_EQ(Draw(image, input, painter), c.expected);
    }
}

TEST(LoadGraph, InformationLinesStackFromTheTop) {
    const Font tahoma{"Tahoma", 7, false};
    const Colour uptimeText{204, 255, 204}, uptimeShadow{16, 64, 16};
    const Colour speedText{204, 204, 255}, speedShadow{16, 16, 64};
    const Colour tempText{255, 204, 204}, tempShadow{80, 16, 16};
    using Call = FakeTextPainter::Call;
    struct Case {
        bool showUptime;
        std::vector<Call> expected;
    };
    const Case cases[] = {
        {false,
         {{tahoma, 8, 6, speedShadow, "2395 MHz"},
          {tahoma, 7, 5, speedText, "2395 MHz"},
          {tahoma, 8, 17, tempShadow, "61 °C"},
          {tahoma, 7, 16, tempText, "61 °C"}}},
        {true,
         {{tahoma, 8, 6, uptimeShadow, "01:02:03:04"},
          {tahoma, 7, 5, uptimeText, "01:02:03:04"},
          {tahoma, 8, 17, speedShadow, "2395 MHz"},
          {tahoma, 7, 16, speedText, "2395 MHz"},
          {tahoma, 8, 28, tempShadow, "61 °C"},
          {tahoma, 7, 27, tempText, "61 °C"}}},
    };
    const LoadHistory history = Recorded({30}, 189);
    for (const Case& c : cases) {
        LoadGraphInput input = Input(history, 189, 61);
        input.ShowUptime = c.showUptime;
        input.uptimeText = "01:02:03:04";
        input.ShowSpeed = input.ShowTemp = true;
        input.fCPUspeed = 2394.5f;
        input.Temp = 60.5f;
        Image image(192, 64);
        FakeTextPainter painter;
        Draw(image, input, painter);
        ASSERT_EQ(painter.calls.size(), c.expected.size() + 2);  // after the load text
        EXPECT_EQ(std::vector<Call>(painter.calls.begin() + 2, painter.calls.end()), c.expected) << c.showUptime;
    }
}

TEST(LoadGraph, TallerFontsOnScaledScreensMoveTheLinesApart) {
    const LoadHistory history = Recorded({30}, 189);
    LoadGraphInput input = Input(history, 189, 61);
    input.ShowUptime = input.ShowSpeed = true;
    input.uptimeText = "01:02:03:04";
    Image image(192, 64);
    FakeTextPainter painter;
    painter.lineHeight = 22;  // Tahoma 7 at 200 %
    Draw(image, input, painter);
    ASSERT_EQ(painter.calls.size(), 6u);
    EXPECT_EQ(painter.calls[3].y, 5);
    EXPECT_EQ(painter.calls[5].y, 27);
}

TEST(LoadGraph, SizesThatDoNotMatchTheHistoryStayInside) {
    const LoadHistory history = Recorded({50, 60});
    for (const auto& [sw, sh, w] : {std::tuple{3, 3, kW}, std::tuple{20, 13, 9000}, std::tuple{1, 1, 1}}) {
        Image image(sw, sh);
        FakeTextPainter painter;
        EXPECT_TRUE(Draw(image, Input(history, w), painter).has_value());
    }
}

TEST(LoadGraph, WaitNoteIsAShadowedLabel) {
    const Font tahoma{"Tahoma", 7, false};
    Image image(192, 64);
    FakeTextPainter painter;
    DrawWaitNote(image, painter);
    EXPECT_EQ(painter.calls, (std::vector<FakeTextPainter::Call>{
                                 {tahoma, 7, 6, {64, 64, 64}, "Bitte warten ..."},
                                 {tahoma, 6, 5, {255, 255, 255}, "Bitte warten ..."},
                             }));
}

}  // namespace
}  // namespace taktora::render
