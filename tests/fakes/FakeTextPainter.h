#pragma once

#include <string>
#include <vector>

#include "platform/TextPainter.h"

namespace taktora::fake {

// Text with fixed metrics: every character (UTF-8 code point) is kCharWidth pixels wide. Nothing is rasterised;
// every Draw call is recorded in order.
class FakeTextPainter : public platform::TextPainter {
public:
    static constexpr int kCharWidth = 5;
    static constexpr int kLineHeight = 8;

    struct Call {
        platform::Font font;
        int x = 0;
        int y = 0;
        platform::Colour colour;
        std::string text;
        bool operator==(const Call&) const = default;
    };

    int MeasureWidth(const platform::Font& font, const std::string& text) override;
    int LineHeight(const platform::Font&) override { return lineHeight; }
    void Draw(Image& image, const platform::Font& font, int x, int y, platform::Colour colour,
              const std::string& text) override;

    std::vector<Call> calls;
    int lineHeight = kLineHeight;
};

}  // namespace taktora::fake
