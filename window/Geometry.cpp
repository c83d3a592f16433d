#include "window/Geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace taktora::window {

using platform::Rect;

namespace {

constexpr float kDefaultTwipsPerPixel = 15.0f;
// What an empty monitor list (the system could not tell) reads as.
constexpr Rect kUnknownScreen{0, 0, 1024, 768};

int AddScreenTwips(int windowPixels, int screenPixels, float twipsPerPixel) {
    if (!std::isfinite(twipsPerPixel) || twipsPerPixel <= 0.0f) {
        twipsPerPixel = kDefaultTwipsPerPixel;
    }
    const double total = windowPixels + std::round(static_cast<double>(screenPixels) * twipsPerPixel);
    return static_cast<int>(std::clamp(total, static_cast<double>(std::numeric_limits<int>::min()),
                                       static_cast<double>(std::numeric_limits<int>::max())));
}

}  // namespace

TaskbarEdge GetTaskbarEdge(const Rect& taskbar, const Rect& screen) {
    if (screen.height > taskbar.height) {
        return taskbar.top > screen.top ? TaskbarEdge::Bottom : TaskbarEdge::Top;
    }
    return taskbar.left > screen.left ? TaskbarEdge::Right : TaskbarEdge::Left;
}

int GetTaskbarHeight(const Rect& taskbar, const Rect& screen) {
    return std::min(taskbar.Bottom(), screen.Bottom()) - taskbar.top;
}

SnapLimits GetSnapLimits(TaskbarEdge edge, int taskbarHeight, const Rect& screen) {
    switch (edge) {
        case TaskbarEdge::Bottom:
            return {screen.top, screen.Bottom() - taskbarHeight};
        case TaskbarEdge::Top:
            return {screen.top + taskbarHeight, screen.Bottom()};
        case TaskbarEdge::Left:
        case TaskbarEdge::Right:
            break;
    }
    return {screen.top, screen.Bottom()};
}

std::optional<Rect> FormMove(DragState& state, const Rect& window, int button, int x, int y, int magnet,
                             const Rect& taskbar, const Rect& screen) {
    const SnapLimits limits = GetSnapLimits(GetTaskbarEdge(taskbar, screen), GetTaskbarHeight(taskbar, screen), screen);
    state.DragX = x;
    state.DragY = y;
    if (button == 0) {
        state.DragAnchorX = x;
        state.DragAnchorY = y;
        return std::nullopt;
    }
    if (button != 1) {
        return std::nullopt;
    }

    Rect moved = window;
    moved.top = window.top + (y - state.DragAnchorY);
    moved.left = window.left + (x - state.DragAnchorX);
    if (magnet > 0) {
        // Later rules win, so a window wider or taller than the screen ends up flush right or on the bottom limit.
        if (moved.left <= screen.left + magnet) {
            moved.left = screen.left;
        }
        if (moved.top <= limits.TopLimit + magnet) {
            moved.top = limits.TopLimit;
        }
        if (moved.Right() >= screen.Right() - magnet) {
            moved.left = screen.Right() - moved.width;
        }
        if (moved.Bottom() >= limits.BottomLimit - magnet) {
            moved.top = limits.BottomLimit - moved.height;
        }
    }
    if (moved == window) {
        return std::nullopt;
    }
    return moved;
}

Rect KeepOnScreen(const Rect& window, const Rect& screen) {
    Rect kept = window;
    if (kept.Bottom() > screen.Bottom()) {
        kept.top = screen.Bottom() - kept.height - kBottomClearance;
    }
    kept.left = std::min(kept.left, screen.Right() - kept.width);
    kept.top = std::max(kept.top, screen.top);
    kept.left = std::max(kept.left, screen.left);
    return kept;
}

std::optional<Rect> EnforceTickGeometry(const Rect& window, Rect& kept, bool locked, bool magnetic,
                                        const Rect& screen) {
    Rect target = window;
    if (locked) {
        target = kept;
    } else {
        kept = window;
    }
    if (magnetic) {
        target = KeepOnScreen(target, screen);
        kept.left = target.left;
        kept.top = target.top;
    }
    if (target == window) {
        return std::nullopt;
    }
    return target;
}

MinMaxLimits UnlockedLimits(const Rect& window, const Rect& screen, float twipsX, float twipsY) {
    MinMaxLimits limits;
    limits.MaxWidth = AddScreenTwips(window.width, screen.width, twipsX);
    limits.MaxHeight = AddScreenTwips(window.height, screen.height, twipsY);
    return limits;
}

MinMaxLimits LockedLimits(const Rect& window) {
    return {window.width, window.height, window.width, window.height};
}

namespace {

long long Overlap(const platform::Rect& a, const platform::Rect& b) {
    const long long width = std::min<long long>(a.Right(), b.Right()) - std::max(a.left, b.left);
    const long long height = std::min<long long>(a.Bottom(), b.Bottom()) - std::max(a.top, b.top);
    return std::max(0LL, width) * std::max(0LL, height);
}

// Squared distance between the two rectangles' nearest points; 0 when they touch or overlap.
long long Distance(const platform::Rect& a, const platform::Rect& b) {
    const long long dx = std::max<long long>(
        {0, static_cast<long long>(b.left) - a.Right(), static_cast<long long>(a.left) - b.Right()});
    const long long dy = std::max<long long>(
        {0, static_cast<long long>(b.top) - a.Bottom(), static_cast<long long>(a.top) - b.Bottom()});
    return dx * dx + dy * dy;
}

}  // namespace

platform::Rect MonitorFor(const platform::Rect& window, const std::vector<platform::Rect>& monitors) {
    if (monitors.empty()) {
        return kUnknownScreen;
    }
    // The first of the monitors the window overlaps most; when it overlaps none, the first of the nearest.
    const auto most = std::max_element(monitors.begin(), monitors.end(), [&](const Rect& a, const Rect& b) {
        return Overlap(window, a) < Overlap(window, b);
    });
    if (Overlap(window, *most) > 0) {
        return *most;
    }
    return *std::min_element(monitors.begin(), monitors.end(),
                             [&](const Rect& a, const Rect& b) { return Distance(window, a) < Distance(window, b); });
}

bool OnAnyMonitor(const platform::Rect& window, const std::vector<platform::Rect>& monitors) {
    return std::any_of(monitors.begin(), monitors.end(),
                       [&](const platform::Rect& monitor) { return Overlap(window, monitor) > 0; });
}

platform::Rect VirtualScreen(const std::vector<platform::Rect>& monitors) {
    if (monitors.empty()) {
        return kUnknownScreen;
    }
    long long left = monitors.front().left, top = monitors.front().top;
    long long right = left + monitors.front().width, bottom = top + monitors.front().height;
    for (const platform::Rect& monitor : monitors) {
        left = std::min<long long>(left, monitor.left);
        top = std::min<long long>(top, monitor.top);
        right = std::max(right, static_cast<long long>(monitor.left) + monitor.width);
        bottom = std::max(bottom, static_cast<long long>(monitor.top) + monitor.height);
    }
    return {static_cast<int>(left), static_cast<int>(top),
            static_cast<int>(std::min<long long>(right - left, std::numeric_limits<int>::max())),
            static_cast<int>(std::min<long long>(bottom - top, std::numeric_limits<int>::max()))};
}

}  // namespace taktora::window
