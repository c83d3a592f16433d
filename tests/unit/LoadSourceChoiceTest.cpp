#include "sources/CoreTempSharedData.h"
#include "tests/fakes/FakeTextPainter.h"
#include "tests/unit/FormFixture.h"

namespace taktora {
namespace {

constexpr char kPdhTotal[] = "\\Processor(_Total)\\% Processor Time";

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
    ASSERT_EQ(form.LoadSource(), LoadSourceKind::CoreTemp);
    EXPECT_TRUE(form.Settings().CkGD.Checked());
    EXPECT_TRUE(form.Settings().CkGD.Enabled());
    text.calls.clear();
    OneRefresh();
    EXPECT_EQ(taskbar.caption, "CPU:40,5%");
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
    EXPECT_EQ(taskbar.caption, "CPU:0%");
    EXPECT_NE(window.toolTip.find("Temp: 42°C"), std::string::npos) << window.toolTip;
}

TEST_F(LoadSourceChoiceTest, MonitorWithoutDataIsNotUsed) {
    RunCoreTemp(false);
    Start();
    EXPECT_FALSE(form.Settings().CkGD.Enabled());
    EXPECT_FALSE(form.Settings().CkGD.Checked());
    EXPECT_EQ(form.LoadSource(), LoadSourceKind::KernelCounters);
}

TEST_F(LoadSourceChoiceTest, OptionOffLeavesTheMonitorUnused) {
    RunCoreTemp();
    Store("UseGetCoreTemp", "0");
    Start();
    EXPECT_EQ(form.LoadSource(), LoadSourceKind::KernelCounters);
    EXPECT_TRUE(form.Settings().CkGD.Enabled());
    EXPECT_FALSE(form.Settings().CkGD.Checked());
}

TEST_F(LoadSourceChoiceTest, SourceFollowsPlatformVersionAndArchitecture) {
    struct Case {
        platform::OsVersion version;
        int architecture;
        LoadSourceKind expected;
    };
    const Case cases[] = {{{2, 6, 1}, 9, LoadSourceKind::Pdh},
                          {{2, 5, 2}, 9, LoadSourceKind::KernelCounters},
                          {{2, 10, 0}, 0, LoadSourceKind::KernelCounters},
                          {{1, 4, 10}, 0, LoadSourceKind::Win9xStatistics}};
    for (const Case& c : cases) {
        FakeMachine m;
        m.system.version = c.version;
        m.system.architecture = c.architecture;
        m.pdh.englishCounters[kPdhTotal] = {10.0};
        Form1 f{m.platform, m.window};
        f.Load();
        EXPECT_EQ(f.LoadSource(), c.expected) << c.version.major << "." << c.version.minor;
    }
}

// Counters disabled or damaged: PDH gives way to the kernel counters rather than reading 0 % all session.
TEST_F(LoadSourceChoiceTest, PdhThatCannotDeliverFallsBackToTheKernelCounters) {
    for (const bool addFails : {true, false}) {
        FakeMachine m;
        m.system.version = {2, 6, 1};
        m.system.architecture = 9;
        if (!addFails) {
            m.pdh.englishCounters[kPdhTotal] = {10.0};
            m.pdh.collectStatus = static_cast<platform::PdhStatus>(0xC0000BC6u);
        }
        Form1 f{m.platform, m.window};
        f.Load();
        for (int tick = 0; tick < 10; ++tick) {
            EXPECT_EQ(f.LoadSource(), addFails || tick >= 5 ? LoadSourceKind::KernelCounters : LoadSourceKind::Pdh)
                << addFails << " " << tick;
            m.kernel.currentTime += 1000000;
            m.kernel.idleTime += 300000;  // 70 % busy
            f.TimerCTick();
        }
        f.Timer1Tick();  // then a whole period measured by the kernel counters
        for (int tick = 0; tick < 10; ++tick) {
            m.kernel.currentTime += 1000000;
            m.kernel.idleTime += 300000;
            f.TimerCTick();
        }
        f.Timer1Tick();
        EXPECT_EQ(m.taskbar.caption, "CPU:70%") << addFails;
    }
}

TEST_F(LoadSourceChoiceTest, OlderFamilyKeepsTheCoreTempBoxCheckedButDisabled) {
    system.version = {1, 4, 10};
    files.Add("C:\\WINDOWS\\System32\\TaskMgr.exe", 100);
    Start();
    EXPECT_TRUE(form.Settings().CkGD.Checked());
    EXPECT_FALSE(form.Settings().CkGD.Enabled());
    EXPECT_FALSE(form.Probe().TaskManagerFound());
}

}  // namespace
}  // namespace taktora
