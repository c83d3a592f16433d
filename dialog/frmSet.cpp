#include "dialog/frmSet.h"

namespace taktora {

frmSet::frmSet(SettingsHost& host) : host_(host) {
    WireClickActions();
}

std::array<OptionBox*, 17> frmSet::Boxes() {
    return {&CkL, &CkG, &CkT,   &CkTM, &CkPV, &CkB,  &CkN,  &CkZ, &CkD,
            &CkM, &ckO, &ckMag, &CkS,  &CkGD, &CkGT, &CkGL, &CkGS};
}

void frmSet::Show() {
    visible_ = true;
    if (visibilityObserver_) {
        visibilityObserver_();
    }
}

void frmSet::Hide() {
    visible_ = false;
    if (visibilityObserver_) {
        visibilityObserver_();
    }
}

void frmSet::WireClickActions() {
    CkT.OnClick([this] {
        if (CkT.Checked()) {
            host_.ShowTrayIcon(true);
            CkB.SetEnabled(true);
            CkPV.SetEnabled(true);
            if (host_.TaskManagerAvailable()) {
                CkTM.SetEnabled(true);
            }
            return;
        }
        host_.ShowTrayIcon(false);
        CkB.SetChecked(false);
        CkB.SetEnabled(false);
        host_.ShowMainWindow(true);
        CkTM.SetEnabled(false);
        CkPV.SetEnabled(false);
    });
    CkB.OnClick([this] {
        if (CkT.Checked()) {
            host_.ShowMainWindow(!CkB.Checked());
        }
    });
    CkG.OnClick([this] { host_.ShowTaskbarButton(CkG.Checked()); });
    ckO.OnClick([this] { host_.SetKeepOnTop(ckO.Checked()); });
    CkM.OnClick([this] { host_.SetLocked(CkM.Checked()); });
    CkTM.OnClick([this] {
        if (CkTM.Checked()) {
            CkPV.SetChecked(false);
        }
    });
    CkPV.OnClick([this] {
        if (CkPV.Checked()) {
            CkTM.SetChecked(false);
        }
    });
    CkN.OnClick([this] {
        CkZ.SetEnabled(CkN.Checked());
        CkD.SetEnabled(CkN.Checked());
    });
    CkGD.OnClick([this] {
        for (OptionBox* box : {&CkGT, &CkGS, &CkGL}) {
            box->SetEnabled(CkGD.Checked());
        }
        if (visible_) {
            RestartNeeded = true;
        }
    });
    CkS.OnClick([this] { host_.SetRunAtStartup(CkS.Checked()); });
}

}  // namespace taktora
