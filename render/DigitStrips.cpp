#include "render/DigitStrips.h"

#include <array>
#include <string_view>

namespace taktora::render {

namespace {

constexpr int kDigits = 10;
constexpr int kGlyphRows = 7;
constexpr int kStripHeight = kGlyphRows + 1;  // a free row below for the shadow

// One row of every digit per line, digits 0 to 9 left to right, as the glyphs look on screen.
using GlyphTable = std::array<std::array<std::string_view, kDigits>, kGlyphRows>;

constexpr GlyphTable kRegularGlyphs = {{
    {"####", "...#", "####", "####", "#..#", "####", "####", "####", "####", "####"},
    {"#..#", "...#", "...#", "...#", "#..#", "#...", "#...", "...#", "#..#", "#..#"},
    {"#..#", "...#", "...#", "...#", "#..#", "#...", "#...", "...#", "#..#", "#..#"},
    {"#..#", "...#", "####", "####", "####", "####", "####", "...#", "####", "####"},
    {"#..#", "...#", "#...", "...#", "...#", "...#", "#..#", "...#", "#..#", "...#"},
    {"#..#", "...#", "#...", "...#", "...#", "...#", "#..#", "...#", "#..#", "...#"},
    {"####", "...#", "####", "####", "...#", "####", "####", "...#", "####", "####"},
}};

// The same shapes with every vertical stroke two pixels wide.
constexpr GlyphTable kBoldGlyphs = {{
    {"#####", "...##", "#####", "#####", "##.##", "#####", "#####", "#####", "#####", "#####"},
    {"##.##", "...##", "...##", "...##", "##.##", "##...", "##...", "...##", "##.##", "##.##"},
    {"##.##", "...##", "...##", "...##", "##.##", "##...", "##...", "...##", "##.##", "##.##"},
    {"##.##", "...##", "#####", "#####", "#####", "#####", "#####", "...##", "#####", "#####"},
    {"##.##", "...##", "##...", "...##", "...##", "...##", "##.##", "...##", "##.##", "...##"},
    {"##.##", "...##", "##...", "...##", "...##", "...##", "##.##", "...##", "##.##", "...##"},
    {"#####", "...##", "#####", "#####", "...##", "#####", "#####", "...##", "#####", "#####"},
}};

}  // namespace

Image MakeDigitStrip(bool bold) {
    const GlyphTable& glyphs = bold ? kBoldGlyphs : kRegularGlyphs;
    const int glyphWidth = static_cast<int>(glyphs.front().front().size());
    const int cellWidth = glyphWidth + 1;
    Image strip(cellWidth * kDigits, kStripHeight, Rgb(0, 0, 0));
    for (int row = 0; row < kGlyphRows; ++row) {
        for (int digit = 0; digit < kDigits; ++digit) {
            for (int column = 0; column < glyphWidth; ++column) {
                if (glyphs[row][digit][column] == '#') {
                    strip.Set(digit * cellWidth + column, row, kGlyphWhite);
                }
            }
        }
    }
    return strip;
}

Image MakeShadowStrip(const Image& digitStrip) {
    Image shadow(digitStrip.Width(), digitStrip.Height(), kShadowBackground);
    for (int y = 1; y < digitStrip.Height(); ++y) {
        for (int x = 1; x < digitStrip.Width(); ++x) {
            if (digitStrip.At(x - 1, y - 1) != 0 && digitStrip.At(x, y) == 0) {
                shadow.Set(x, y, kShadowDark);
            }
        }
    }
    return shadow;
}

}  // namespace taktora::render
