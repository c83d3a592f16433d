#pragma once

#include <string>

#include "platform/Image.h"
#include "platform/Types.h"

namespace taktora::platform {

struct Font {
    std::string face;  // "Tahoma", "MS Sans Serif"
    int points{};
    bool bold{};
    bool operator==(const Font&) const = default;
};

// The one thing the pure side cannot rasterise: text. Texts are UTF-8; (x, y) is the top-left corner of the text
// cell, drawn with a transparent background.
class TextPainter {
public:
    virtual ~TextPainter() = default;
    virtual int MeasureWidth(const Font& font, const std::string& text) = 0;
    virtual int LineHeight(const Font& font) = 0;
    virtual void Draw(Image& image, const Font& font, int x, int y, Colour colour, const std::string& text) = 0;
};

}  // namespace taktora::platform
