#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/LoadHistory.h"
#include "platform/Image.h"
#include "platform/TextPainter.h"
#include "platform/Types.h"

namespace taktora::render {

// Everything one update of the graph needs. The Core Temp values matter only while their switches are on.
struct LoadGraphInput {
    const LoadHistory& history;  // also supplies WindowMean and FilledColumns
    int w;                       // W and H of the measurement stage
    int h;
    float PeriodLoad = 0.0f;
    bool ShowUptime{};
    bool ShowTemp{};
    bool ShowSpeed{};
    bool ShowCurve{};
    std::string uptimeText{};  // the Windows run-time text of WinRun
    float Temp = 0.0f;
    unsigned TjMax = 0;  // 0 leaves the temperature curve out
    float fCPUspeed = 0.0f;
    float fFSBspeed = 0.0f;
    float fMultipier = 0.0f;
    std::string decimalSeparator = ",";  // UTF-8
    platform::Colour windowFrame{};      // system colour index 6
    platform::Colour buttonShadow{};     // system colour index 16
    bool visible = true;                 // whether Form1 is visible
};

// Redraws the whole graph (the image is the graph area at the client size). A hidden window gets only the frame.
// Returns the new tooltip text of the box, or nothing when the tooltip stays as it is (hidden window).
std::optional<std::string> DrawLoadGraph(Image& image, platform::TextPainter& painter, const LoadGraphInput& input);

// Draws the graph update by update with the pixels of DrawLoadGraph, at the cost of what changed: while exactly one
// update came since the last picture and nothing else changed, the columns scroll by one, and only the new column
// and the columns under the texts of the last picture are drawn again. Anything else is a full redraw.
class LoadGraphPainter {
public:
    std::optional<std::string> Draw(Image& image, platform::TextPainter& painter, const LoadGraphInput& input);
    // The picture was changed elsewhere (cleared, resized, written on): the next update draws everything.
    void Invalidate() { layout_.reset(); }

private:
    struct Layout {
        int width{};
        int height{};
        int w{};
        int h{};
        bool curve{};
        unsigned tjMax{};
        bool operator==(const Layout&) const = default;
    };

    std::optional<Layout> layout_;  // that of the picture as the last draw left it, none when it is not known
    std::uint64_t serial_{};
    std::vector<std::pair<int, int>> textColumns_;  // first and last column of every text of the last picture
};

// The sunken frame about the box; the resize path draws it on its own right after clearing the box.
void DrawGraphFrame(Image& image, platform::Colour windowFrame, platform::Colour buttonShadow);

// The note shown in the box from start-up until the first measurement update draws over it.
void DrawWaitNote(Image& image, platform::TextPainter& painter);

}  // namespace taktora::render
