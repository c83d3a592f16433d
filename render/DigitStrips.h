#pragma once

#include "platform/Image.h"

namespace taktora::render {

constexpr Pixel kGlyphWhite = Rgb(252, 254, 252);
// The shadow is stamped with AND before the glyph is laid over it: white keeps what lies beneath, the dark colour
// darkens it.
constexpr Pixel kShadowDark = 0x040204;
constexpr Pixel kShadowBackground = 0xFFFFFF;

// Ten cells for the digits 0 to 9 side by side, 8 rows high: white glyphs on black. A regular cell is 5 pixels wide,
// a bold one 6; the glyph leaves the cell's last column and last row free so that its shadow fits inside the cell.
Image MakeDigitStrip(bool bold);

// The drop shadow of a digit strip, same size: dark where the glyphs moved one pixel right and one down land on a
// pixel the glyphs leave free, white everywhere else. Any non-black pixel of the digit strip counts as glyph.
Image MakeShadowStrip(const Image& digitStrip);

}  // namespace taktora::render
