#include <gtest/gtest.h>

#include <cmath>

#include "tests/fakes/Fakes.h"
#include "window/Geometry.h"

namespace taktora::window {
namespace {

using fake::Text;
using platform::Rect;

constexpr Rect kScreen{0, 0, 1024, 768};
constexpr Rect kBottom{0, 738, 1024, 30}, kTop{0, 0, 1024, 30}, kLeft{0, 0, 60, 768}, kRight{964, 0, 60, 768};

TEST(WindowGeometry, TaskbarEdgeHeightAndSnapLimits) {
    // the taskbar, the screen; the edge, the height and the limits
    const std::tuple<Rect, Rect, TaskbarEdge, int, SnapLimits> cases[] = {
        {kBottom, kScreen, TaskbarEdge::Bottom, 30, {0, 738}},
        {kTop, kScreen, TaskbarEdge::Top, 30, {30, 768}},
        {kLeft, kScreen, TaskbarEdge::Left, 768, {0, 768}},
        {kRight, kScreen, TaskbarEdge::Right, 768, {0, 768}},
        {{}, kScreen, TaskbarEdge::Top, 0, {0, 768}},                     // the shell could not tell
        {{0, 766, 1024, 30}, kScreen, TaskbarEdge::Bottom, 2, {0, 766}},  // a hidden bar hanging below the screen
        {{1024, 570, 800, 30}, {1024, 0, 800, 600}, TaskbarEdge::Bottom, 30, {0, 570}},
        {{1024, 0, 800, 30}, {1024, 10, 800, 600}, TaskbarEdge::Top, 30, {40, 610}},
    };
    for (const auto& [taskbar, screen, edge, height, limits] : cases) {
        EXPECT_EQ(GetTaskbarEdge(taskbar, screen), edge) << Text(taskbar);
        EXPECT_EQ(GetTaskbarHeight(taskbar, screen), height) << Text(taskbar);
        EXPECT_EQ(GetSnapLimits(edge, height, screen), limits) << Text(taskbar);
    }
}

TEST(WindowGeometry, DragFollowsThePointerAndSnapsWithinEightPixels) {
    const Rect w{300, 200, 192, 64};
    // the taskbar, the button mask, the pointer (grabbed at 50, 20), the magnet; where the window goes ("" stays)
    const std::tuple<Rect, int, int, int, int, std::string> cases[] = {
        {kBottom, 1, 80, 5, 8, "330,185 192x64"},
        {kBottom, 2, 80, 5, 8, ""},
        {kBottom, 3, 80, 5, 8, ""},
        {kBottom, 1, 50, 20, 8, ""},
        {kBottom, 1, -242, 20, 8, "0,200 192x64"},
        {kBottom, 1, -241, 20, 8, "9,200 192x64"},
        {kBottom, 1, -249, 20, 1, "0,200 192x64"},
        {kBottom, 1, 50, -172, 8, "300,0 192x64"},
        {kBottom, 1, 50, -171, 8, "300,9 192x64"},
        {kTop, 1, 50, -142, 8, "300,30 192x64"},
        {kTop, 1, 50, -141, 8, "300,39 192x64"},
        {kBottom, 1, 574, 20, 8, "832,200 192x64"},
        {kBottom, 1, 573, 20, 8, "823,200 192x64"},
        {kBottom, 1, 50, 486, 8, "300,674 192x64"},
        {kBottom, 1, 50, 485, 8, "300,665 192x64"},
        {kBottom, 1, 50, 540, 8, "300,674 192x64"},
        {kLeft, 1, 50, 516, 8, "300,704 192x64"},
        {kRight, 1, 50, 516, 8, "300,704 192x64"},
        {kBottom, 1, -300, 560, 0, "-50,740 192x64"},
    };
    for (const auto& [taskbar, button, x, y, magnet, moved] : cases) {
        DragState state;
        EXPECT_EQ(FormMove(state, w, 0, 50, 20, magnet, taskbar, kScreen), std::nullopt);
        EXPECT_EQ(FormMove(state, w, 2, 10, 10, magnet, taskbar, kScreen), std::nullopt) << "no new anchor";
        const auto target = FormMove(state, w, button, x, y, magnet, taskbar, kScreen);
        EXPECT_EQ(target ? Text(*target) : "", moved) << button << " " << x << "," << y;
    }
    // Wider than the screen: the right edge wins; on a second monitor its own edges count.
    DragState state;
    EXPECT_EQ(FormMove(state, {0, 200, 1100, 64}, 1, 0, 10, 8, kBottom, kScreen), (Rect{-76, 210, 1100, 64}));
    EXPECT_EQ(FormMove(state, {1100, 200, 192, 64}, 1, -70, 0, 8, {}, {1024, 0, 800, 600}), (Rect{1024, 200, 192, 64}));
}

TEST(WindowGeometry, KeepOnScreenAndTheTickWithLockAndMagnet) {
    // the window, the kept rectangle, locked, magnetic; where it goes ("" stays) and what is kept afterwards
    const Rect home{100, 100, 192, 64};
    const std::tuple<Rect, Rect, bool, bool, std::string, std::string> cases[] = {
        {{200, 50, 300, 90}, home, false, false, "", "200,50 300x90"},
        {{200, 50, 192, 64}, home, true, false, "100,100 192x64", "100,100 192x64"},
        {home, home, true, false, "", "100,100 192x64"},
        {{100, 704, 192, 64}, home, false, true, "", "100,704 192x64"},
        {{100, 705, 192, 64}, home, false, true, "100,676 192x64", "100,676 192x64"},  // 28 pixels free below
        {{832, 100, 192, 64}, home, false, true, "", "832,100 192x64"},
        {{833, 100, 192, 64}, home, false, true, "832,100 192x64", "832,100 192x64"},
        {{-10, -5, 192, 64}, home, false, true, "0,0 192x64", "0,0 192x64"},
        {{0, 10, 192, 800}, home, false, true, "0,0 192x800", "0,0 192x800"},
        {home, {900, 720, 300, 90}, true, true, "724,650 300x90", "724,650 300x90"},
    };
    for (const auto& [window, kept, locked, magnetic, moved, keptAfter] : cases) {
        Rect remembered = kept;
        const auto target = EnforceTickGeometry(window, remembered, locked, magnetic, kScreen);
        EXPECT_EQ(target ? Text(*target) : "", moved) << Text(window);
        EXPECT_EQ(Text(remembered), keptAfter) << Text(window);
    }
}

TEST(WindowGeometry, SizeLimitsReachFarBeyondTheScreenUnlessLocked) {
    // the window, the screen, the twips per pixel; the limits
    const std::tuple<Rect, Rect, float, MinMaxLimits> cases[] = {
        {{32, 32, 192, 64}, kScreen, 15.0f, {125, 50, 15552, 11584}},
        {{0, 0, 200, 80}, {0, 0, 1280, 1024}, 12.0f, {125, 50, 15560, 12368}},
        {{0, 0, 100, 50}, {0, 0, 1000, 700}, 1440.0f / 110, {125, 50, 13191, 9214}},
        {{0, 0, 192, 64}, kScreen, 0.0f, {125, 50, 15552, 11584}},
        {{0, 0, 192, 64}, kScreen, NAN, {125, 50, 15552, 11584}},
        {{0, 0, 2147483000, 64}, kScreen, 15.0f, {125, 50, 2147483647, 11584}},
    };
    for (const auto& [window, screen, twips, limits] : cases) {
        EXPECT_EQ(UnlockedLimits(window, screen, twips, twips), limits) << twips;
    }
    EXPECT_EQ(LockedLimits({40, 60, 300, 90}), (MinMaxLimits{300, 90, 300, 90}));
}

TEST(WindowGeometry, MonitorOfAWindowIsTheOneHoldingMostOfItElseTheNearest) {
    const std::vector<Rect> monitors = {kScreen, {1024, 0, 1280, 1024}, {-800, 0, 800, 600}};
    // the window; the monitor's left edge (the first of equals), and whether any monitor holds part of it
    const std::tuple<Rect, int, bool> cases[] = {
        {{900, 10, 192, 64}, 0, true},      {{950, 10, 192, 64}, 1024, true}, {{-1, 599, 1, 1}, -800, true},
        {{3000, 10, 192, 64}, 1024, false}, {{-10, 600, 9, 5}, -800, false},  {{10, 800, 50, 64}, 0, false},
        {{1024, 768, 10, 10}, 1024, true},  {{-25, -100, 50, 64}, 0, false},  {{974, 10, 100, 64}, 0, true},
    };
    for (const auto& [window, left, onScreen] : cases) {
        EXPECT_EQ(MonitorFor(window, monitors).left, left) << Text(window);
        EXPECT_EQ(OnAnyMonitor(window, monitors), onScreen) << Text(window);
    }
    EXPECT_EQ(std::pair(MonitorFor({5000, 0, 10, 10}, {}), VirtualScreen({})), std::pair(kScreen, kScreen));
    EXPECT_EQ(VirtualScreen(monitors), (Rect{-800, 0, 3104, 1024}));
    EXPECT_EQ(VirtualScreen({{0, -600, 800, 600}, kScreen}), (Rect{0, -600, 1024, 1368}));
}

}  // namespace
}  // namespace taktora::window
