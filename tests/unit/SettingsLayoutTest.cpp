#include <gtest/gtest.h>

#include "dialog/SettingsLayout.h"
#include "tests/fakes/Fakes.h"

namespace taktora::dialog {
namespace {

TEST(SettingsLayout, PlacesAndFontsFollowTheDpiToTheNearestPixel) {
    // The OK button lies in a frame; 125 % and 150 % round halves up; a DPI no screen has counts as 96.
    std::string ok;
    for (const int dpi : {96, 120, 144, 192, 960, 0, -144, 961}) {
        ok += fake::Text(PlaceAt(kOkPlace, dpi)) + " ";
    }
    EXPECT_EQ(ok,
              "238,420 45x21 298,525 56x26 357,630 68x32 476,840 90x42 2380,4200 450x210 238,420 45x21 238,420 45x21 "
              "238,420 45x21 ");
    EXPECT_EQ(fake::Text(PlaceAt(kBoxPlaces.back(), 120)), "19,478 344x19");
    std::string heights;
    for (const auto& [points, dpi] : {std::pair{8, 96}, {8, 120}, {8, 144}, {12, 120}, {8, 0}}) {
        heights += std::to_string(FontHeight(points, dpi)) + " ";
    }
    EXPECT_EQ(heights, "-11 -13 -16 -20 -11 ");
    // Windows' blue on its grey face, a high-contrast yellow on black, a light grey that would vanish on the face
    const platform::Colour text{0, 0, 0}, grey{240, 240, 240};
    EXPECT_EQ(LinkColour({0, 102, 204}, text, grey), (platform::Colour{0, 102, 204}));
    EXPECT_EQ(LinkColour({255, 255, 0}, {255, 255, 255}, text), (platform::Colour{255, 255, 0}));
    EXPECT_EQ(LinkColour({224, 224, 224}, text, grey), text);
}

}  // namespace
}  // namespace taktora::dialog
