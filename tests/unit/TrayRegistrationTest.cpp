#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fakes/CountingIconFactory.h"
#include "tests/fakes/FakeTray.h"
#include "tray/TrayRegistration.h"

namespace taktora::render {
namespace {

using fake::FakeTray;
using Op = FakeTray::Op;

// Pictures that differ in their last pixel only, so that nothing but a full comparison tells them apart.
Image Picture(int id) {
    Image picture(16, 16);
    picture.Set(15, 15, static_cast<Pixel>(id));
    return picture;
}

enum class Act {
    Show,
    Hide,
    Update,
    Recreated,  // the notification area is created anew: the shell forgets the icon and says "TaskbarCreated"
    ShellDown,  // the shell refuses every call
    ShellUp,
    AddTimesOut,  // the shell takes the icon but reports a failed Add
};

struct Step {
    Act act;
    int picture = 0;
    std::string tip{};
};

struct Expected {
    Op op;
    int picture = 0;
    std::string tip{};
};

struct Scenario {
    const char* name;
    std::vector<Step> steps;
    std::vector<Expected> calls;
    bool shown;
    bool inShell;
};

void Perform(TrayRegistration& registration, FakeTray& tray, const Step& step) {
    switch (step.act) {
        case Act::Show:
            registration.Show(Picture(step.picture), step.tip);
            break;
        case Act::Hide:
            registration.Hide();
            break;
        case Act::Update:
            registration.Update(Picture(step.picture), step.tip);
            break;
        case Act::Recreated:
            tray.RecreateShell();
            registration.Recreated();
            break;
        case Act::ShellDown:
            tray.shellRunning = false;
            break;
        case Act::ShellUp:
            tray.shellRunning = true;
            break;
        case Act::AddTimesOut:
            tray.addTimesOut = true;
            break;
    }
}

TEST(TrayRegistration, CallsTheShellOnlyWhenItMatters) {
    const std::vector<Scenario> scenarios = {
        {"add and delete are guarded by TrayIconShown",
         {{Act::Show, 1, "a"}, {Act::Show, 2, "b"}, {Act::Hide}, {Act::Hide}},
         {{Op::Add, 1, "a"}, {Op::Delete}},
         false,
         false},
        {"nothing before the icon is shown", {{Act::Hide}, {Act::Update, 1, "a"}, {Act::Recreated}}, {}, false, false},
        {"an update equal to the last one is skipped",
         {{Act::Show, 1, ""}, {Act::Update, 1, ""}, {Act::Update, 2, "t"}, {Act::Update, 2, "t"}},
         {{Op::Add, 1, ""}, {Op::Modify, 2, "t"}},
         true,
         true},
        {"a new tooltip or a new picture is sent",
         {{Act::Show, 1, "a"}, {Act::Update, 1, "b"}, {Act::Update, 2, "b"}, {Act::Update, 1, "b"}},
         {{Op::Add, 1, "a"}, {Op::Modify, 1, "b"}, {Op::Modify, 2, "b"}, {Op::Modify, 1, "b"}},
         true,
         true},
        {"a refused Add is repeated by the next update, even an unchanged one",
         {{Act::ShellDown}, {Act::Show, 1, "a"}, {Act::ShellUp}, {Act::Update, 1, "a"}, {Act::Update, 1, "a"}},
         {{Op::Add, 1, "a"}, {Op::Modify, 1, "a"}, {Op::Add, 1, "a"}},
         true,
         true},
        {"an Add that timed out but took the icon is confirmed and never repeated",
         {{Act::AddTimesOut}, {Act::Show, 1, "a"}, {Act::Update, 1, "a"}, {Act::Update, 2, "a"}},
         {{Op::Add, 1, "a"}, {Op::Modify, 1, "a"}, {Op::Modify, 2, "a"}},
         true,
         true},
        {"a refused Modify is sent again, found the icon still there",
         {{Act::Show, 1, "a"}, {Act::ShellDown}, {Act::Update, 2, "b"}, {Act::ShellUp}, {Act::Update, 2, "b"}},
         {{Op::Add, 1, "a"}, {Op::Modify, 2, "b"}, {Op::Add, 2, "b"}, {Op::Modify, 2, "b"}},
         true,
         true},
        {"a new notification area gets the icon again with the latest picture and tooltip",
         {{Act::Show, 1, "a"}, {Act::Update, 2, "b"}, {Act::Recreated}, {Act::Update, 2, "b"}},
         {{Op::Add, 1, "a"}, {Op::Modify, 2, "b"}, {Op::Add, 2, "b"}},
         true,
         true},
        {"a new notification area gets no icon after Hide",
         {{Act::Show, 1, "a"}, {Act::Hide}, {Act::Recreated}},
         {{Op::Add, 1, "a"}, {Op::Delete}},
         false,
         false},
        {"a new notification area takes an icon the old shell refused",
         {{Act::ShellDown}, {Act::Show, 1, "a"}, {Act::ShellUp}, {Act::Recreated}},
         {{Op::Add, 1, "a"}, {Op::Modify, 1, "a"}, {Op::Add, 1, "a"}},
         true,
         true},
        {"Hide deletes also after a refused Add",
         {{Act::ShellDown}, {Act::Show, 1, "a"}, {Act::ShellUp}, {Act::Hide}},
         {{Op::Add, 1, "a"}, {Op::Modify, 1, "a"}, {Op::Delete}},
         false,
         false},
        {"showing again adds with the new tooltip",
         {{Act::Show, 1, "a"}, {Act::Hide}, {Act::Show, 2, ""}, {Act::Update, 2, ""}},
         {{Op::Add, 1, "a"}, {Op::Delete}, {Op::Add, 2, ""}},
         true,
         true},
    };
    for (const Scenario& scenario : scenarios) {
        SCOPED_TRACE(scenario.name);
        fake::CountingIconFactory icons;
        FakeTray tray(icons);
        TrayRegistration registration(tray);
        for (const Step& step : scenario.steps) {
            Perform(registration, tray, step);
        }
        ASSERT_EQ(tray.calls.size(), scenario.calls.size());
        for (std::size_t i = 0; i < scenario.calls.size(); ++i) {
            const FakeTray::Call& call = tray.calls[i];
            const Expected& expected = scenario.calls[i];
            EXPECT_EQ(call.op, expected.op) << "call " << i;
            if (expected.op != Op::Delete) {
                EXPECT_EQ(call.picture.At(15, 15), static_cast<Pixel>(expected.picture)) << "call " << i;
                EXPECT_EQ(call.tip, expected.tip) << "call " << i;
            }
        }
        EXPECT_EQ(registration.TrayIconShown(), scenario.shown);
        EXPECT_EQ(tray.iconInShell, scenario.inShell);
    }
}

TEST(TrayTipFitting, CutsToTheFieldWithoutSplittingASurrogatePair) {
    constexpr char16_t kHigh = 0xD83D;  // the two halves of U+1F600
    constexpr char16_t kLow = 0xDE00;
    struct Case {
        const char* name;
        std::u16string tip;
        std::size_t capacity;
        std::size_t fitting;
    };
    const std::u16string padding125(125, u'x');
    const std::vector<Case> cases = {
        {"empty", u"", 128, 0},
        {"short text stays whole", u" CPU-Auslastung: 37% ", 128, 21},
        {"127 units fill the field", std::u16string(127, u'x'), 128, 127},
        {"128 units lose one", std::u16string(128, u'x'), 128, 127},
        {"far too long", std::u16string(500, u'x'), 128, 127},
        {"pair ending on the last unit is kept", padding125 + kHigh + kLow + u"y", 128, 127},
        {"pair across the end goes whole", padding125 + u"x" + kHigh + kLow, 128, 126},
        {"the old 64-character field", std::u16string(64, u'x'), 64, 63},
        {"a field of one holds only the NUL", u"abc", 1, 0},
        {"no field at all", u"abc", 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FittingTipLength(std::u16string_view(c.tip), c.capacity), c.fitting) << c.name;
    }
}

}  // namespace
}  // namespace taktora::render
