#include "dialog/frmSet.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "tools/Links.h"

namespace taktora {

frmSet::frmSet(SettingsHost& host) : host_(host) {
    WireClickActions();
}

void frmSet::OnOk() {
    host_.SaveSettings();
    Hide();
    if (RestartNeeded) {
        host_.ShowRestartHint();
        RestartNeeded = false;
    }
    host_.FocusMainWindow();
}

void frmSet::OnRateChosen(const std::string& text) {
    // The entries are ours, with a dot whatever the locale says.
    const double seconds = std::strtod(text.c_str(), nullptr);
    if (!(seconds >= 0.1 && seconds <= 5.0)) {
        return;
    }
    CO1 = text;
    host_.SetRefreshInterval(static_cast<int>(std::lround(seconds * 1000)));
}

std::vector<std::string> frmSet::RateEntries() const {
    std::vector<std::string> entries(kRates.begin(), kRates.end());
    if (CO1.empty() || std::find(entries.begin(), entries.end(), CO1) != entries.end()) {
        return entries;
    }
    const double seconds = std::strtod(CO1.c_str(), nullptr);
    entries.insert(
        std::find_if(entries.begin(), entries.end(),
                     [&](const std::string& entry) { return std::strtod(entry.c_str(), nullptr) > seconds; }),
        CO1);
    return entries;
}

void frmSet::OnPictureClick() {
    if (MakerMail.empty()) {
        return;  // no address to switch to
    }
    LinkToggle = !LinkToggle;
    lURL = LinkToggle ? "eMail: " + MakerMail : HomePageText;
    Refresh();
}

void frmSet::OnUrlClick() {
    host_.OpenUrl(LinkAddress(lURL, MakerMail, "Taktora", host_.VersionText()));
    Hide();
}

void frmSet::OnCoreTempClick() {
    host_.OpenUrl(WebAddress(lCoreTemp));
    Hide();
}

OptionBox& frmSet::Box(BoxId id) {
    switch (id) {
        case BoxId::CkL:
            return CkL;
        case BoxId::CkG:
            return CkG;
        case BoxId::CkT:
            return CkT;
        case BoxId::CkTM:
            return CkTM;
        case BoxId::CkPV:
            return CkPV;
        case BoxId::CkB:
            return CkB;
        case BoxId::CkN:
            return CkN;
        case BoxId::CkZ:
            return CkZ;
        case BoxId::CkD:
            return CkD;
        case BoxId::CkM:
            return CkM;
        case BoxId::ckO:
            return ckO;
        case BoxId::ckMag:
            return ckMag;
        case BoxId::CkS:
            return CkS;
        case BoxId::CkU:
            return CkU;
        case BoxId::CkGD:
            return CkGD;
        case BoxId::CkGT:
            return CkGT;
        case BoxId::CkGL:
            return CkGL;
        case BoxId::CkGS:
            return CkGS;
        case BoxId::None:
            break;
    }
    return noBox_;
}

std::array<OptionBox*, frmSet::kDialogOrder.size()> frmSet::Boxes() {
    std::array<OptionBox*, kDialogOrder.size()> boxes{};
    std::transform(kDialogOrder.begin(), kDialogOrder.end(), boxes.begin(), [this](BoxId id) { return &Box(id); });
    return boxes;
}

void frmSet::Refresh() {
    if (viewObserver_) {
        viewObserver_();
    }
}

void frmSet::Show() {
    if (visible_) {
        // Open but perhaps covered by other windows: asked for again, it comes to the front.
        if (focusObserver_) {
            focusObserver_();
        }
        return;
    }
    visible_ = true;
    Refresh();
}

void frmSet::Hide() {
    visible_ = false;
    Refresh();
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
    ckO.OnClick([this] {
        host_.SetKeepOnTop(ckO.Checked());
        // The first change comes from start-up restoring the stored setting; later ones are the user's, who stays in
        // the dialog although the main window was just brought to the front.
        if (FirstClickSeen == 0) {
            FirstClickSeen = 1;
        } else if (visible_ && focusObserver_) {
            focusObserver_();
        }
    });
    CkM.OnClick([this] { host_.SetLocked(CkM.Checked()); });
    for (const BoxId id : {BoxId::CkTM, BoxId::CkPV}) {
        Box(id).OnClick([this, id] {
            if (Box(id).Checked()) {
                Box(ExcludedBy(id)).SetChecked(false);
            }
        });
    }
    CkN.OnClick([this] {
        CkZ.SetEnabled(CkN.Checked());
        CkD.SetEnabled(CkN.Checked());
    });
    CkGD.OnClick([this] {
        for (const BoxId id : kCoreTempDisplayBoxes) {
            Box(id).SetEnabled(CkGD.Checked());
        }
        if (visible_) {
            RestartNeeded = true;
        }
    });
    CkS.OnClick([this] { host_.SetRunAtStartup(CkS.Checked()); });
    CkU.OnClick([this] { host_.SetLoadAsTaskManager(CkU.Checked()); });
}

}  // namespace taktora
