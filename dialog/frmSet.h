#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "base/SettingsTable.h"
#include "dialog/OptionBox.h"
#include "tools/Links.h"

namespace taktora {

// What the dialog's click actions change outside the dialog.
class SettingsHost {
public:
    virtual ~SettingsHost() = default;
    virtual void ShowTrayIcon(bool show) = 0;
    virtual void ShowMainWindow(bool show) = 0;
    virtual void ShowTaskbarButton(bool show) = 0;
    virtual void SetKeepOnTop(bool onTop) = 0;
    virtual void SetLocked(bool locked) = 0;
    virtual void SetRunAtStartup(bool run) = 0;
    // The load as Task Manager shows it from Windows 8 on, instead of the processor time.
    virtual void SetLoadAsTaskManager(bool on) = 0;
    virtual bool TaskManagerAvailable() = 0;
    virtual void SaveSettings() = 0;
    virtual void FocusMainWindow() = 0;
    virtual void SetRefreshInterval(int milliseconds) = 0;
    virtual void OpenUrl(const std::string& address) = 0;
    virtual void ShowRestartHint() = 0;
    virtual std::string VersionText() = 0;
};

// The information and settings dialog as a model. It exists for the whole run, shown or hidden; its boxes hold every
// on/off option.
class frmSet {
public:
    explicit frmSet(SettingsHost& host);
    frmSet(const frmSet&) = delete;
    frmSet& operator=(const frmSet&) = delete;

    OptionBox CkL{"Windows &Laufzeit im Hauptfenster anzeigen", " Zeigt die Windows-Laufzeit im Hauptfenster an ... "};
    OptionBox CkG{"&Programm in der Task-Leiste zeigen", " Programm in der Task-Leiste anzeigen ... "};
    OptionBox CkT{"CPU-Auslastung als SysTray-Icon &anzeigen",
                  " CPU-Auslastung als Icon im SysTray (Infobereich) anzeigen ... "};
    OptionBox CkTM{"&DoppelKlick auf SysTray-Icon öffnet TaskManager",
                   " Doppel-Klick auf das SysTray-Icon startet den Windows TaskManager ... "};
    OptionBox CkPV{"D&oppelKlick auf SysTray-Icon öffnet ProcessView",
                   " Doppel-Klick auf das SysTray-Icon startet ProcessViewer ... "};
    OptionBox CkB{"Hauptfenster aus&blenden, wenn SysTray-Icon aktiv",
                  " Blendet das Hauptfenster aus, wenn das SysTray-Icon aktiv ist "};
    OptionBox CkN{"CPU-Auslastungswert im &Icon anzeigen", " CPU-Auslastungswert im Icon anzeigen ... "};
    OptionBox CkZ{"Schrift im Icon &zentriert ausrichten",
                  " Schrift im Icon zentriert ausrichten (Standard: rechtsbündig) "};
    OptionBox CkD{"Schrift im Icon &dicker darstellen", " Schrift im Icon wird etwas dicker dargestellt "};
    OptionBox CkM{"Hauptfenster vor Änderungen &schützen",
                  " Verschieben bzw. Größenänderung wird beim Hauptfenster verhindert ... "};
    OptionBox ckO{"Hauptfenster immer im &Vordergrund halten ", " Programm immer im Vordergrund anzeigen "};
    OptionBox ckMag{"&Magnetisches Hauptfenster", " Hauptfenster wird magnetisch vom Bildschirmrand angezogen "};
    OptionBox CkS{"Programm beim Start von &Windows laden", " Programm beim Start von Windows automatisch laden "};
    OptionBox CkU{
        "A&uslastung wie im Task-Manager (ab Windows 8)",
        " Zeigt die CPU-Auslastung wie der Task-Manager ab Windows 8 (Prozessor-Nutzen statt Prozessorzeit) "};
    OptionBox CkGD{"CoreTemp verwenden",
                   " Verwendet CoreTemp zum ermitteln der CPU-Auslastung (genauer). CoreTemp und neustart von Taktora "
                   "erforderlich! "};
    OptionBox CkGT{"CoreTemp: Zeige &Temperatur", " Zeigt die CPU-Temperatur in °C an. "};
    OptionBox CkGL{"CoreTemp: Zeige Temperatur-&Kurve", " Zeigt die CPU-Temperatur als Kurve an. "};
    OptionBox CkGS{"CoreTemp: Zeige &Geschwindigkeit", " Zeigt die aktuelle CPU-Geschwindigkeit in MHz an "};

    // The box a stored setting is shown in.
    OptionBox& Box(BoxId id);
    // Every box, in the dialog's order from top to bottom.
    static constexpr std::array<BoxId, 18> kDialogOrder = {
        BoxId::CkL, BoxId::CkG, BoxId::CkT,  BoxId::CkTM, BoxId::CkPV, BoxId::CkB,
        BoxId::CkN, BoxId::CkZ, BoxId::CkD,  BoxId::CkM,  BoxId::ckO,  BoxId::ckMag,
        BoxId::CkS, BoxId::CkU, BoxId::CkGD, BoxId::CkGT, BoxId::CkGL, BoxId::CkGS};
    std::array<OptionBox*, kDialogOrder.size()> Boxes();

    static constexpr const char* kCaption = "Taktora Info / Settings";
    // The rate box's entries, seconds with a dot.
    static constexpr std::array<const char*, 11> kRates = {"0.1", "0.5", "1.0", "1.5", "2.0", "2.5",
                                                           "3.0", "3.5", "4.0", "4.5", "5.0"};

    // The rate box's entries: kRates, with the rate box text put in its place among them when it is none of them (an
    // interval stored by hand or by another version), so that the box never shows empty.
    std::vector<std::string> RateEntries() const;

    std::string Caption = kCaption;
    std::string LV = "Version";                 // version label
    std::string CO1;                            // rate box text
    std::string LRT = "DD:HH:MM:SS";            // Windows run time
    std::string LPR = "DD:HH:MM:SS";            // program run time
    std::string lURL = kHomePage;               // the maker's home page or mail address
    std::string lCoreTemp = kCoreTempHomePage;  // the temperature monitor's home page
    std::string HomePageText = kHomePage;
    std::string MakerMail;    // from the program's version information
    bool LinkToggle = false;  // the link shows the mail address
    bool RestartNeeded{};
    int FirstClickSeen{};

    // OK, and Alt+F4 in the dialog: save everything and hide; the dialog is never destroyed.
    void OnOk();
    // An entry of the rate box was chosen.
    void OnRateChosen(const std::string& text);
    // The program picture switches the link label between home page and mail address.
    void OnPictureClick();
    void OnUrlClick();
    void OnCoreTempClick();

    bool Visible() const { return visible_; }
    // Shows the dialog, or brings it to the front when it is shown already.
    void Show();
    void Hide();
    // The real dialog listens here to follow the model's visibility and texts.
    void OnViewChange(std::function<void()> observer) { viewObserver_ = std::move(observer); }
    // Tells the real dialog that texts changed (the clocks, the caption).
    void Refresh();
    // The real dialog comes to the front and takes the keyboard focus when asked here.
    void OnFocusRequest(std::function<void()> observer) { focusObserver_ = std::move(observer); }

private:
    void WireClickActions();

    SettingsHost& host_;
    OptionBox noBox_{"", ""};  // what Box answers for BoxId::None
    bool visible_{};
    std::function<void()> viewObserver_;
    std::function<void()> focusObserver_;
};

}  // namespace taktora
