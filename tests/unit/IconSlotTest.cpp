#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/TrayIconImage.h"
#include "tests/fakes/CountingIconFactory.h"
#include "tests/fakes/FakeTaskbarButton.h"
#include "tests/fakes/FakeTray.h"
#include "tray/IconSlot.h"
#include "tray/TrayRegistration.h"

namespace taktora::render {
namespace {

using fake::CountingIconFactory;
using platform::IconHandle;

constexpr int kEmpty = -1;

Image Picture(int id) {
    if (id == kEmpty) {
        return Image();
    }
    Image picture(16, 16);
    picture.Set(15, 15, static_cast<Pixel>(id));
    return picture;
}

TEST(IconSlot, ReplacesItsIconOnlyByTheIconOfANewPicture) {
    struct Step {
        const char* name;
        int picture;
        bool failMake;
        bool holdsPicture;  // what Replace returns
        bool newIcon;
    };
    const std::vector<Step> steps = {
        {"nothing can be made yet", 1, true, false, false},
        {"the first icon", 1, false, true, true},
        {"the same picture again", 1, false, true, false},
        {"a refused icon keeps the previous one", 2, true, false, false},
        {"a new picture", 2, false, true, true},
        {"an empty picture keeps the previous one", kEmpty, false, false, false},
        {"back to an older picture", 1, false, true, true},
    };
    CountingIconFactory icons;
    {
        IconSlot slot(icons);
        for (const Step& step : steps) {
            SCOPED_TRACE(step.name);
            icons.failMake = step.failMake;
            const IconHandle before = slot.Current();
            int installs = 0;
            const bool holds = slot.Replace(Picture(step.picture), [&](IconHandle icon) {
                ++installs;
                // The window still draws the previous icon until it has the new one.
                EXPECT_TRUE(before == 0 || icons.IsLive(before));
                EXPECT_TRUE(icons.IsLive(icon));
            });
            EXPECT_EQ(holds, step.holdsPicture);
            EXPECT_EQ(slot.Current() != before, step.newIcon);
            EXPECT_EQ(installs, step.newIcon ? 1 : 0);
            EXPECT_EQ(icons.Live(), slot.Current() == 0 ? 0u : 1u);
        }
    }
    EXPECT_EQ(icons.Live(), 0u);
    EXPECT_EQ(icons.BadDestroys(), 0u);
}

TEST(IconSlot, WithoutAnyIconDestroysNothing) {
    CountingIconFactory icons;
    icons.failMake = true;
    {
        IconSlot slot(icons);
        EXPECT_FALSE(slot.Replace(Picture(1)));
    }
    EXPECT_EQ(icons.BadDestroys(), 0u);
}

// The tray icon and the taskbar button at up to ten updates a second for days: each keeps one icon, through a shell
// that goes away and comes back, icons that cannot be made and the tray icon switched off and on.
TEST(IconHandles, StayBoundedOverAHundredThousandUpdates) {
    constexpr int kUpdates = 100000;
    const IconSwitches switches{true, true, true, false, false};
    const IconFrameColours frame{{64, 64, 64}, {255, 255, 255}};
    CountingIconFactory icons;
    {
        fake::FakeTray tray(icons);
        fake::FakeTaskbarButton taskbar(icons);
        TrayRegistration registration(tray);
        TrayIconPicture picture;
        picture.Update(0, switches, frame);
        registration.Show(picture.Canvas(), "");
        for (int i = 0; i < kUpdates; ++i) {
            const float load = static_cast<float>(i * 37 % 101);
            tray.shellRunning = i % 1000 < 990;
            icons.failMake = i % 997 == 0;
            if (i % 3000 == 0) {
                tray.RecreateShell();
                registration.Recreated();
            }
            if (i % 5000 == 2500) {
                registration.Hide();
            } else if (i % 5000 == 2600) {
                registration.Show(picture.Canvas(), "");
            }
            picture.Update(load, switches, frame);
            registration.Update(picture.Canvas(), IconTooltip(load));
            taskbar.SetIcon(picture.Canvas());
            tray.calls.clear();
            ASSERT_LE(icons.Live(), 2u) << "after update " << i;
        }
        // Every update drew a new picture, so the loop really made icons.
        EXPECT_GE(icons.Made(), static_cast<std::size_t>(kUpdates));
        // One icon per slot, plus the new one while the taskbar window takes it over.
        EXPECT_LE(icons.Peak(), 3u);
    }
    EXPECT_EQ(icons.Live(), 0u);
    EXPECT_EQ(icons.BadDestroys(), 0u);
}

}  // namespace
}  // namespace taktora::render
