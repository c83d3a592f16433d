#include <gtest/gtest.h>

#include <string>

#include "window/Frame.h"

namespace taktora::window {
namespace {

using platform::Rect;

TEST(WindowFrame, OnlyAnInvisibleBorderDropsTheFrame) {
    const Rect window{100, 50, 206, 71};
    const std::tuple<std::string, Rect, bool> cases[] = {
        // Windows 10 and 11: 7 pixels left, right and below are invisible, the top strip is drawn.
        {"Windows 10", {107, 50, 192, 64}, true},
        {"Windows 7 and 8 draw the whole frame", window, false},
        {"invisible at the right and below only", {100, 50, 199, 64}, true},
        {"invisible at the left only", {107, 50, 199, 71}, true},
        {"larger than the window", {99, 50, 208, 71}, false},
        {"one visible pixel", {107, 50, 1, 1}, true},
        {"no width", {107, 50, 0, 64}, false},
        {"no height", {107, 50, 192, 0}, false},
    };
    for (const auto& [name, visible, invisible] : cases) {
        EXPECT_EQ(HasInvisibleFrame(window, visible), invisible) << name;
    }
}

TEST(WindowFrame, EdgesAndCornersResizeTheRestDragsAndADoubleClickAnywhereIsTheGraphs) {
    using enum WindowPart;
    const Rect window{100, 50, 192, 64};  // right edge x = 291, bottom y = 113
    const Rect tiny{0, 0, 12, 9};         // thirds: 4 across, 3 down
    const struct {
        std::string name;
        Rect window;
        int x;
        int y;
        int dpi;
        WindowPart part;
    } cases[] = {
        {"middle", window, 200, 80, 96, Graph},
        {"left, first pixel", window, 100, 80, 96, Left},
        {"left, last pixel of the band", window, 105, 80, 96, Left},
        {"just inside the left band", window, 106, 80, 96, Graph},
        {"right edge", window, 291, 80, 96, Right},
        {"right band's inner pixel", window, 286, 80, 96, Right},
        {"inside the right band", window, 285, 80, 96, Graph},
        {"top", window, 200, 55, 96, Top},
        {"bottom", window, 200, 108, 96, Bottom},
        {"above the bottom band", window, 200, 107, 96, Graph},
        {"top-left", window, 105, 55, 96, TopLeft},
        {"top-right", window, 286, 50, 96, TopRight},
        {"bottom-left", window, 100, 113, 96, BottomLeft},
        {"bottom-right", window, 291, 113, 96, BottomRight},
        {"left of the window", window, 99, 80, 96, Outside},
        {"past the right edge", window, 292, 80, 96, Outside},
        {"below", window, 200, 114, 96, Outside},
        {"150 %: 9 pixels", window, 108, 80, 144, Left},
        {"150 %: the tenth is graph", window, 109, 80, 144, Graph},
        {"150 %: bottom band", window, 200, 105, 144, Bottom},
        {"125 %: 7.5 rounds to 8", window, 107, 80, 120, Left},
        {"no DPI counts as 96", window, 105, 80, 0, Left},
        {"tiny: left third", tiny, 3, 4, 96, Left},
        {"tiny: middle stays draggable", tiny, 4, 4, 96, Graph},
        {"tiny: right third", tiny, 8, 4, 96, Right},
        {"tiny: top third", tiny, 6, 2, 96, Top},
        {"tiny: middle row", tiny, 6, 3, 96, Graph},
        {"tiny: bottom-right", tiny, 11, 6, 192, BottomRight},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(HitTest(c.window, c.x, c.y, c.dpi, false), c.part);
        // locked: no band at all; a double-click anywhere inside, band included, is the graph's
        EXPECT_EQ(HitTest(c.window, c.x, c.y, c.dpi, true), c.part == Outside ? Outside : Graph);
        EXPECT_EQ(IsGraphDoubleClick(c.part), c.part != Outside);
    }
}

}  // namespace
}  // namespace taktora::window
