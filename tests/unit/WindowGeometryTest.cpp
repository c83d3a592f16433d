#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "window/Geometry.h"

namespace taktora::window {
namespace {

using platform::Rect;

const Rect kScreen{0, 0, 1024, 768};
const Rect kBottomBar{0, 738, 1024, 30};
const Rect kTopBar{0, 0, 1024, 30};
const Rect kLeftBar{0, 0, 60, 768};
const Rect kRightBar{964, 0, 60, 768};
const Rect kFailedQuery{};

struct TaskbarCase {
    std::string name;
    Rect taskbar;
    Rect screen;
    int edgeCode;
    int height;
    SnapLimits limits;
};

TEST(WindowGeometryTaskbar, EdgeHeightAndSnapLimits) {
    const TaskbarCase cases[] = {
        {"bottom", kBottomBar, kScreen, 3, 30, {0, 738}},
        {"top", kTopBar, kScreen, 2, 30, {30, 768}},
        {"left uses the full height", kLeftBar, kScreen, 0, 768, {0, 768}},
        {"right uses the full height", kRightBar, kScreen, 1, 768, {0, 768}},
        {"failed query", kFailedQuery, kScreen, 2, 0, {0, 768}},
        {"hidden bar hanging below the screen", {0, 766, 1024, 30}, kScreen, 3, 2, {0, 766}},
        {"second monitor", {1024, 570, 800, 30}, {1024, 0, 800, 600}, 3, 30, {0, 570}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TaskbarEdge edge = GetTaskbarEdge(c.taskbar, c.screen);
        EXPECT_EQ(static_cast<int>(edge), c.edgeCode);
        const int height = GetTaskbarHeight(c.taskbar, c.screen);
        EXPECT_EQ(height, c.height);
        EXPECT_EQ(GetSnapLimits(edge, height, c.screen), c.limits);
    }
}

struct DragCase {
    std::string name;
    Rect taskbar;
    Rect window;
    int button;
    int x;  // the anchor is always (50, 20)
    int y;
    int magnet;
    std::optional<Rect> expected;
    Rect screen = kScreen;
};

TEST(WindowGeometryDrag, SnapsAndFollowsPointer) {
    const Rect w{300, 200, 192, 64};
    const DragCase cases[] = {
        {"follows the pointer", kBottomBar, w, 1, 80, 5, 8, Rect{330, 185, 192, 64}},
        {"right button does nothing", kBottomBar, w, 2, 80, 5, 8, std::nullopt},
        {"both buttons do nothing", kBottomBar, w, 3, 80, 5, 8, std::nullopt},
        {"no distance, no move", kBottomBar, w, 1, 50, 20, 8, std::nullopt},
        {"left edge within 8", kBottomBar, w, 1, 50 - 292, 20, 8, Rect{0, 200, 192, 64}},
        {"left edge 9 away stays", kBottomBar, w, 1, 50 - 291, 20, 8, Rect{9, 200, 192, 64}},
        {"top within 8", kBottomBar, w, 1, 50, 20 - 192, 8, Rect{300, 0, 192, 64}},
        {"top 9 away stays", kBottomBar, w, 1, 50, 20 - 191, 8, Rect{300, 9, 192, 64}},
        {"below a top taskbar", kTopBar, w, 1, 50, 20 - 162, 8, Rect{300, 30, 192, 64}},
        {"top taskbar 9 away stays", kTopBar, w, 1, 50, 20 - 161, 8, Rect{300, 39, 192, 64}},
        {"right edge within 8", kBottomBar, w, 1, 50 + 524, 20, 8, Rect{832, 200, 192, 64}},
        {"right edge 9 away stays", kBottomBar, w, 1, 50 + 523, 20, 8, Rect{823, 200, 192, 64}},
        {"8 above the taskbar lands on it", kBottomBar, w, 1, 50, 20 + 466, 8, Rect{300, 674, 192, 64}},
        {"9 above the taskbar stays", kBottomBar, w, 1, 50, 20 + 465, 8, Rect{300, 665, 192, 64}},
        {"over the taskbar lands on it", kBottomBar, w, 1, 50, 20 + 520, 8, Rect{300, 674, 192, 64}},
        {"left taskbar: full height", kLeftBar, w, 1, 50, 20 + 496, 8, Rect{300, 704, 192, 64}},
        {"right taskbar: full height", kRightBar, w, 1, 50, 20 + 496, 8, Rect{300, 704, 192, 64}},
        {"failed query: full height", kFailedQuery, w, 1, 50, 20 + 496, 8, Rect{300, 704, 192, 64}},
        {"magnet off: partly off screen", kBottomBar, w, 1, 50 - 350, 20 + 540, 0, Rect{-50, 740, 192, 64}},
        {"wider than the screen: right rule wins",
         kBottomBar,
         {0, 200, 1100, 64},
         1,
         50,
         30,
         8,
         Rect{-76, 210, 1100, 64}},
        {"second monitor's left edge",
         {1024, 570, 800, 30},
         {1100, 200, 192, 64},
         1,
         50 - 70,
         20,
         8,
         Rect{1024, 200, 192, 64},
         Rect{1024, 0, 800, 600}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DragState state;
        EXPECT_EQ(FormMove(state, c.window, 0, 50, 20, c.magnet, c.taskbar, c.screen), std::nullopt);
        EXPECT_EQ(FormMove(state, c.window, c.button, c.x, c.y, c.magnet, c.taskbar, c.screen), c.expected);
    }
}

TEST(WindowGeometryDrag, OnlyButtonlessMovesReanchor) {
    const Rect w{300, 200, 192, 64};
    DragState state;
    EXPECT_EQ(FormMove(state, w, 0, 50, 20, 8, kBottomBar, kScreen), std::nullopt);
    EXPECT_EQ(FormMove(state, w, 0, 70, 40, 8, kBottomBar, kScreen), std::nullopt);
    EXPECT_EQ(FormMove(state, w, 2, 10, 10, 8, kBottomBar, kScreen), std::nullopt);
    EXPECT_EQ(state.DragX, 10);
    EXPECT_EQ(state.DragY, 10);
    EXPECT_EQ(FormMove(state, w, 1, 75, 43, 8, kBottomBar, kScreen), (Rect{305, 203, 192, 64}));
}

TEST(WindowGeometryKeepOnScreen, PullsBackInside) {
    const struct {
        std::string name;
        Rect window;
        Rect expected;
    } cases[] = {
        {"inside", {100, 100, 192, 64}, {100, 100, 192, 64}},
        {"bottom on the edge", {100, 704, 192, 64}, {100, 704, 192, 64}},
        {"bottom beyond: 28 free", {100, 705, 192, 64}, {100, 676, 192, 64}},
        {"right on the edge", {832, 100, 192, 64}, {832, 100, 192, 64}},
        {"right beyond", {833, 100, 192, 64}, {832, 100, 192, 64}},
        {"negative", {-10, -5, 192, 64}, {0, 0, 192, 64}},
        {"taller than the screen", {0, 10, 192, 800}, {0, 0, 192, 800}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(KeepOnScreen(c.window, kScreen), c.expected);
    }
}

TEST(WindowGeometryTick, LockAndMagnet) {
    const Rect home{100, 100, 192, 64};
    const struct {
        std::string name;
        Rect window;
        Rect kept;
        bool locked;
        bool magnetic;
        std::optional<Rect> restore;
        Rect keptAfter;
    } cases[] = {
        {"unlocked remembers", {200, 50, 300, 90}, home, false, false, std::nullopt, {200, 50, 300, 90}},
        {"locked undoes a move", {200, 50, 192, 64}, home, true, false, home, home},
        {"locked undoes a resize", {100, 100, 300, 90}, home, true, false, home, home},
        {"locked and unchanged", home, home, true, false, std::nullopt, home},
        {"magnet pulls up and remembers",
         {100, 720, 192, 64},
         home,
         false,
         true,
         Rect{100, 676, 192, 64},
         {100, 676, 192, 64}},
        {"locked kept place off screen",
         {100, 100, 192, 64},
         {900, 720, 192, 64},
         true,
         true,
         Rect{832, 676, 192, 64},
         {832, 676, 192, 64}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rect kept = c.kept;
        EXPECT_EQ(EnforceTickGeometry(c.window, kept, c.locked, c.magnetic, kScreen), c.restore);
        EXPECT_EQ(kept, c.keptAfter);
    }
}

TEST(WindowGeometryLimits, UnlockedAndLocked) {
    const struct {
        std::string name;
        Rect window;
        Rect screen;
        float twips;
        MinMaxLimits expected;
    } cases[] = {
        {"96 dpi", {32, 32, 192, 64}, kScreen, 15.0f, {125, 50, 15552, 11584}},
        {"120 dpi", {0, 0, 200, 80}, {0, 0, 1280, 1024}, 12.0f, {125, 50, 15560, 12368}},
        {"110 dpi rounds", {0, 0, 100, 50}, {0, 0, 1000, 700}, 1440.0f / 110.0f, {125, 50, 13191, 9214}},
        {"zero factor counts as 96 dpi", {0, 0, 192, 64}, kScreen, 0.0f, {125, 50, 15552, 11584}},
        {"NaN factor counts as 96 dpi", {0, 0, 192, 64}, kScreen, std::nanf(""), {125, 50, 15552, 11584}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(UnlockedLimits(c.window, c.screen, c.twips, c.twips), c.expected);
    }
    EXPECT_EQ(LockedLimits({40, 60, 300, 90}), (MinMaxLimits{300, 90, 300, 90}));
}

}  // namespace
}  // namespace taktora::window
