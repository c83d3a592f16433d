#include "tests/fakes/FakeTextPainter.h"

#include <algorithm>

namespace taktora::fake {

int FakeTextPainter::MeasureWidth(const platform::Font&, const std::string& text) {
    const auto codePoints =
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
    return static_cast<int>(codePoints) * kCharWidth;
}

void FakeTextPainter::Draw(Image&, const platform::Font& font, int x, int y, platform::Colour colour,
                           const std::string& text) {
    calls.push_back(Call{font, x, y, colour, text});
}

}  // namespace taktora::fake
