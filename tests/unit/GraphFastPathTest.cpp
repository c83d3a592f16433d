#include <gtest/gtest.h>

#include <random>

#include "render/LoadGraph.h"

namespace taktora::render {
namespace {

// Text as solid boxes that reach one pixel past the width they report, as real glyphs may.
class BoxPainter : public platform::TextPainter {
public:
    int MeasureWidth(const platform::Font&, const std::string& text) override {
        return 5 * static_cast<int>(text.size());
    }
    int LineHeight(const platform::Font&) override { return 8; }
    void Draw(Image& image, const platform::Font&, int x, int y, platform::Colour colour,
              const std::string& text) override {
        for (int dy = 0; dy < 8; ++dy) {
            image.Line(x - 1, y + dy, x + 5 * static_cast<int>(text.size()), y + dy, ToPixel(colour));
        }
    }
};

// Random updates, resizes, hidden periods and switches: the fast painter's picture equals a full redraw every time.
TEST(GraphFastPath, EveryPictureEqualsAFullRedraw) {
    std::mt19937 random(7);
    const auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
    LoadHistory history;
    BoxPainter text;
    LoadGraphPainter painter;
    Image fast(120, 40);
    bool curve = true, temp = true, speed = false, uptime = true;
    unsigned tjMax = 100;
    int compared = 0;
    for (int update = 0; update < 800; ++update) {
        if (chance(2)) {  // a resize: a new size clears the picture and restarts the graph
            fast.Resize(60 + static_cast<int>(random() % 100), 20 + static_cast<int>(random() % 40));
            history.ResetForWidth();
            painter.Invalidate();
        }
        // F2 to F5 and a new temperature limit, now and then
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
        in.visible = !chance(3);  // a hidden window draws only the frame
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
