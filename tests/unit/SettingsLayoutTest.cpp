#include <gtest/gtest.h>

#include "dialog/SettingsLayout.h"
#include "tests/fakes/Fakes.h"

namespace taktora::dialog {
namespace {

TEST(SettingsLayout, PlacesAndFontsFollowTheDpiToTheNearestPixel) {
    // The OK button lies in a frame, then the height of 8 points; 125 % and 150 % round halves up; a DPI no screen has
    // counts as 96.
    std::string ok;
    for (const int dpi : {96, 120, 144, 192, 960, 0, -144, 961}) {
        ok += fake::Text(PlaceAt(kOkPlace, dpi)) + " " + std::to_string(FontHeight(8, dpi)) + " ";
    }
    EXPECT_EQ(ok,
              "238,420 45x21 -11 298,525 56x26 -13 357,630 68x32 -16 476,840 90x42 -21 2380,4200 450x210 -107 "
              "238,420 45x21 -11 238,420 45x21 -11 238,420 45x21 -11 ");
    // The whole design at 96 DPI: client, picture, texts, rate box, OK, boxes, and the etched lines.
    std::string design = std::to_string(kClientWidth) + "x" + std::to_string(kClientHeight) + " ";
    std::vector<Place> places = {kPicturePlace,     kTitlePlace,     kVersionPlace,      kUrlPlace,
                                 kUptimeLabelPlace, kUptimePlace,    kRunTimeLabelPlace, kRunTimePlace,
                                 kCoreTempPlace,    kRateLabelPlace, kRatePlace,         kSecondsPlace};
    places.insert(places.end(), kBoxPlaces.begin(), kBoxPlaces.end());
    for (const Place& place : places) {
        design += fake::Text(PlaceAt(place, 96)) + " ";
    }
    for (const HorizontalLine& line : kLines) {
        design += std::to_string(line.left) + "-" + std::to_string(line.right) + "@" + std::to_string(line.top) + " ";
    }
    EXPECT_EQ(design,
              "297x453 14,10 47x53 72,10 211x23 72,33 211x17 112,50 171x14 15,82 180x13 208,82 75x13 15,96 180x13 "
              "208,96 75x13 170,340 113x11 15,424 88x13 106,420 41x160 156,424 60x13 15,126 275x15 15,140 275x15 "
              "15,154 275x15 15,168 275x15 15,182 275x15 15,196 275x15 15,210 275x15 15,224 275x15 15,238 275x15 "
              "15,252 275x15 15,266 275x15 15,280 275x15 15,294 275x15 15,308 275x15 15,340 128x15 15,354 275x15 "
              "15,368 275x15 15,382 275x15 10-279@74 10-279@118 ");
    // Windows' blue on its grey face, a high-contrast yellow on black, greys just far enough from the face and not
    const platform::Colour text{0, 0, 0}, grey{240, 240, 240};
    EXPECT_EQ(LinkColour({0, 102, 204}, text, grey), (platform::Colour{0, 102, 204}));
    EXPECT_EQ(LinkColour({255, 255, 0}, {255, 255, 255}, text), (platform::Colour{255, 255, 0}));
    EXPECT_EQ(LinkColour({176, 176, 176}, text, grey), (platform::Colour{176, 176, 176}));
    EXPECT_EQ(LinkColour({177, 177, 177}, text, grey), text);
}

}  // namespace
}  // namespace taktora::dialog
