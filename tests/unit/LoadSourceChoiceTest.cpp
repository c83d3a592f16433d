#include "sources/CPUUsage9x.h"
#include "sources/CPUUsageNT.h"
#include "sources/CPUpdh.h"
#include "sources/CoreTempSharedData.h"
#include "tests/fakes/FakeTextPainter.h"
#include "tests/unit/FormFixture.h"

namespace taktora {
namespace {

class LoadSourceChoiceTest : public FormTest {
protected:
    // A temperature monitor publishing two cores at 30 % and 51 %, 40 and 43 degrees.
    void RunCoreTemp(bool publishes = true) {
        system.windowClasses.insert(kCoreTempWindowClass);
        if (!publishes) {
            return;
        }
        shared.Publish(fake::TwoCoreRecord());
    }
    void OneRefresh() {
        for (int i = 0; i < 10; ++i) {
            form.TimerCTick();
        }
        form.Timer1Tick();
    }
};

TEST_F(LoadSourceChoiceTest, RunningTemperatureMonitorBecomesTheSource) {
    RunCoreTemp();
    Store("ShowRunTime", "0");
    Start();
    ASSERT_TRUE(form.CoreTempActive);
    EXPECT_EQ(form.LoadSource.get(), form.CoreTemp);
    EXPECT_TRUE(form.Settings().CkGD.Checked());
    EXPECT_TRUE(form.Settings().CkGD.Enabled());
    text.calls.clear();
    OneRefresh();
    EXPECT_EQ(form.TaskbarText, "CPU:40,5%");
    EXPECT_EQ(window.toolTip, " CPU: 40%  (ø 20%),  Temp: 42°C,  Speed: 2400,00 MHz (200,00 MHz * 12,0) ");
    std::vector<std::pair<int, std::string>> lines;
    for (const auto& call : text.calls) {
        if (call.font.face == "Tahoma" && call.x == 7) {
            lines.emplace_back(call.y, call.text);
        }
    }
    EXPECT_EQ(lines, (std::vector<std::pair<int, std::string>>{{5, "2400 MHz"}, {16, "42 °C"}}));
    EXPECT_EQ(form.History().Temps()[LoadHistory::GraphSize(window.ClientSize().width)], 41.5f);
}

TEST_F(LoadSourceChoiceTest, MonitorLeavingKeepsTheLastTemperatureAndReadsZero) {
    RunCoreTemp();
    Start();
    OneRefresh();
    shared.mappings.clear();
    OneRefresh();
    EXPECT_EQ(form.PeriodLoad, 0);
    EXPECT_FLOAT_EQ(form.CoreTemp->Temp(), 41.5f);
}

TEST_F(LoadSourceChoiceTest, MonitorWithoutDataIsNotUsed) {
    RunCoreTemp(false);
    Start();
    EXPECT_FALSE(form.CoreTempActive);
    EXPECT_FALSE(form.Settings().CkGD.Enabled());
    EXPECT_FALSE(form.Settings().CkGD.Checked());
    EXPECT_NE(dynamic_cast<clsCPUUsageNT*>(form.LoadSource.get()), nullptr);
}

TEST_F(LoadSourceChoiceTest, OptionOffLeavesTheMonitorUnused) {
    RunCoreTemp();
    Store("UseGetCoreTemp", "0");
    Start();
    EXPECT_FALSE(form.CoreTempActive);
    EXPECT_TRUE(form.Settings().CkGD.Enabled());
    EXPECT_FALSE(form.Settings().CkGD.Checked());
    EXPECT_EQ(form.CoreTemp, nullptr);
}

TEST_F(LoadSourceChoiceTest, SourceFollowsPlatformVersionAndArchitecture) {
    struct Case {
        platform::OsVersion version;
        int architecture;
        const char* expected;
    };
    const Case cases[] = {{{2, 6, 1}, 9, "pdh"}, {{2, 5, 2}, 9, "nt"}, {{2, 10, 0}, 0, "nt"}, {{1, 4, 10}, 0, "9x"}};
    for (const Case& c : cases) {
        FakeMachine m;
        m.system.version = c.version;
        m.system.architecture = c.architecture;
        Form1 f{m.platform, m.window};
        f.Load();
        const clsLoadSource* source = f.LoadSource.get();
        const char* kind = dynamic_cast<const clsCPUpdh*>(source)       ? "pdh"
                           : dynamic_cast<const clsCPUUsageNT*>(source) ? "nt"
                           : dynamic_cast<const clsCPUUsage*>(source)   ? "9x"
                                                                        : "none";
        EXPECT_STREQ(kind, c.expected) << c.version.major << "." << c.version.minor;
    }
}

TEST_F(LoadSourceChoiceTest, OlderFamilyKeepsTheCoreTempBoxCheckedButDisabled) {
    system.version = {1, 4, 10};
    files.Add("C:\\WINDOWS\\System32\\TaskMgr.exe", 100);
    Start();
    EXPECT_TRUE(form.Settings().CkGD.Checked());
    EXPECT_FALSE(form.Settings().CkGD.Enabled());
    EXPECT_FALSE(form.TaskManagerFound);
}

}  // namespace
}  // namespace taktora
