#pragma once

#include <vector>

#include "platform/Types.h"

namespace taktora::platform {

struct Size {
    int width{};
    int height{};
    bool operator==(const Size&) const = default;
};

// The screen the program lives on.
class Desktop {
public:
    virtual ~Desktop() = default;
    virtual Size ScreenSize() = 0;  // primary screen, pixels
    virtual int Dpi() = 0;          // logical pixels per inch of the primary screen
    virtual Colour SystemColour(int index) = 0;
    virtual Rect TaskbarRect() = 0;            // an empty rectangle when the shell cannot tell
    virtual std::vector<Rect> Monitors() = 0;  // every monitor's rectangle, in virtual-screen pixels
    virtual int TaskbarDpi() = 0;              // of the taskbar's monitor; the system's before Windows 8.1
    // GetSystemMetricsForDpi: a system metric at a DPI; 0 on failure and on systems before Windows 10 1607
    virtual int SystemMetricForDpi(int index, int dpi) = 0;
    virtual int SystemMetric(int index) = 0;  // GetSystemMetrics: at the system's DPI
};

}  // namespace taktora::platform
