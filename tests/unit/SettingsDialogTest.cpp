#include <gtest/gtest.h>

#include "dialog/frmSet.h"
#include "tools/Links.h"

namespace taktora {
namespace {

class RecordingHost : public SettingsHost {
public:
    void ShowTrayIcon(bool show) override { calls.push_back(show ? "tray on" : "tray off"); }
    void ShowMainWindow(bool show) override { calls.push_back(show ? "show main" : "hide main"); }
    void ShowTaskbarButton(bool show) override { calls.push_back(show ? "button on" : "button off"); }
    void SetKeepOnTop(bool onTop) override { calls.push_back(onTop ? "top" : "not top"); }
    void SetLocked(bool locked) override { calls.push_back(locked ? "lock" : "unlock"); }
    void SetRunAtStartup(bool run) override { calls.push_back(run ? "run" : "no run"); }
    bool TaskManagerAvailable() override { return taskManager; }
    void SaveSettings() override { calls.push_back("save"); }
    void FocusMainWindow() override { calls.push_back("focus main"); }
    void SetRefreshInterval(int ms) override { calls.push_back("interval " + std::to_string(ms)); }
    void OpenUrl(const std::string& address) override { calls.push_back("open " + address); }
    void ShowRestartHint() override { calls.push_back("restart hint"); }
    std::string VersionText() override { return "4.21"; }

    std::vector<std::string> calls;
    bool taskManager = true;
};

TEST(SettingsDialog, DoubleClickChoicesExcludeEachOther) {
    RecordingHost host;
    frmSet s(host);
    s.CkTM.SetChecked(true);
    s.CkPV.SetChecked(true);
    EXPECT_FALSE(s.CkTM.Checked());
    s.CkTM.SetChecked(true);
    EXPECT_FALSE(s.CkPV.Checked());
    s.CkTM.SetChecked(false);
    EXPECT_FALSE(s.CkTM.Checked());
    EXPECT_FALSE(s.CkPV.Checked());
}

TEST(SettingsDialog, ClearingTheTrayBringsTheWindowBackAndLocksTheHideBox) {
    RecordingHost host;
    frmSet s(host);
    s.CkT.SetChecked(true);
    s.CkB.SetChecked(true);
    host.calls.clear();
    s.CkT.SetChecked(false);
    EXPECT_FALSE(s.CkB.Checked());
    EXPECT_FALSE(s.CkB.Enabled());
    EXPECT_FALSE(s.CkTM.Enabled());
    EXPECT_FALSE(s.CkPV.Enabled());
    EXPECT_EQ(host.calls, (std::vector<std::string>{"tray off", "show main"}));

    host.taskManager = false;
    s.CkT.SetChecked(true);
    EXPECT_TRUE(s.CkB.Enabled());
    EXPECT_TRUE(s.CkPV.Enabled());
    EXPECT_FALSE(s.CkTM.Enabled());
}

TEST(SettingsDialog, HideBoxActsOnlyBehindATrayIcon) {
    RecordingHost host;
    frmSet s(host);
    s.CkB.SetChecked(true);
    EXPECT_TRUE(host.calls.empty());
    s.CkB.SetChecked(false);
    s.CkT.SetChecked(true);
    host.calls.clear();
    s.CkB.SetChecked(true);
    s.CkB.SetChecked(false);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"hide main", "show main"}));
}

TEST(SettingsDialog, DependentBoxesFollowTheirSwitch) {
    RecordingHost host;
    frmSet s(host);
    s.CkN.SetChecked(true);
    s.CkN.SetChecked(false);
    EXPECT_FALSE(s.CkZ.Enabled());
    EXPECT_FALSE(s.CkD.Enabled());
    s.CkN.SetChecked(true);
    EXPECT_TRUE(s.CkZ.Enabled());
    EXPECT_TRUE(s.CkD.Enabled());

    s.CkGD.SetChecked(true);
    s.CkGD.SetChecked(false);
    for (const OptionBox* box : {&s.CkGT, &s.CkGS, &s.CkGL}) {
        EXPECT_FALSE(box->Enabled());
    }
    EXPECT_FALSE(s.RestartNeeded);  // changed while hidden: start-up, not the user
}

TEST(SettingsDialog, RestartHintOnceAfterTheUserChangedCoreTemp) {
    RecordingHost host;
    frmSet s(host);
    s.Show();
    s.CkGD.Toggle();
    s.OnOk();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"save", "restart hint", "focus main"}));
    EXPECT_FALSE(s.Visible());
    host.calls.clear();
    s.Show();
    s.OnOk();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"save", "focus main"}));
}

TEST(SettingsDialog, ValueChangesRunTheActionOnlyWhenTheValueChanges) {
    RecordingHost host;
    frmSet s(host);
    s.CkS.SetChecked(false);
    EXPECT_TRUE(host.calls.empty());
    s.CkS.SetValue(OptionBox::kGreyed);
    s.CkS.SetChecked(true);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"run", "run"}));
    EXPECT_TRUE(s.CkS.Checked());
}

TEST(SettingsDialog, RateEntriesSetTheIntervalAtOnce) {
    RecordingHost host;
    frmSet s(host);
    for (const char* rate : frmSet::kRates) {
        s.OnRateChosen(rate);
    }
    s.OnRateChosen("junk");
    s.OnRateChosen("9.0");
    EXPECT_EQ(host.calls.front(), "interval 100");
    EXPECT_EQ(host.calls[1], "interval 500");
    EXPECT_EQ(host.calls.back(), "interval 5000");
    EXPECT_EQ(host.calls.size(), 11u);
    EXPECT_EQ(s.CO1, "5.0");
}

TEST(SettingsDialog, LinksToggleAndOpen) {
    RecordingHost host;
    frmSet s(host);
    s.Show();
    s.OnPictureClick();  // without a mail address in the version information the label keeps the home page
    EXPECT_EQ(s.lURL, kHomePage);
    s.MakerMail = "post@example.de";
    s.OnPictureClick();
    EXPECT_EQ(s.lURL, "eMail: post@example.de");
    s.OnUrlClick();
    EXPECT_EQ(host.calls.back(), "open mailto:post@example.de?subject=Brisko Taktora  v4.21&body=");
    EXPECT_FALSE(s.Visible());
    s.OnPictureClick();
    EXPECT_EQ(s.lURL, kHomePage);
    s.OnCoreTempClick();
    EXPECT_EQ(host.calls.back(), std::string("open http://") + kCoreTempHomePage);
}

TEST(SettingsDialog, LinkAddressesGetASchemeWhenTheyLackOne) {
    EXPECT_EQ(LinkAddress("www.example.de", "a@b.de", "Taktora", "4.21"), "http://www.example.de");
    EXPECT_EQ(LinkAddress("HTTPS://example.de", "a@b.de", "Taktora", "4.21"), "HTTPS://example.de");
    EXPECT_EQ(LinkAddress("eMail: x@y.de", "a@b.de", "Taktora", "4.21"),
              "mailto:a@b.de?subject=Brisko Taktora  v4.21&body=");
}

}  // namespace
}  // namespace taktora
