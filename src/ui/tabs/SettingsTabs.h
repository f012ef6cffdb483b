#pragma once
// The controls inside the ten tab sheets of the page control, and what ties them together: code
// entry, option interlocks, lock pulse diagrams, the car selection and the live monitor.

#include "CarRecord.h"
#include "History.h"
#include "RemoteTexts.h"
#include "StatusDecoder.h"
#include "TabValues.h"

#include <QObject>
#include <QStringList>
#include <QWidget>
#include <array>
#include <memory>
#include <vector>

namespace alvetra {

// Page indexes of the page control; the monitor must stay the last page.
enum TabPage {
    kPageHasla = 0, kPageKierunkiPotw, kPageZamki, kPageAntykradziez, kPageAntynapad,
    kPageOgolne, kPageHistoria, kPageSamochodCan, kPagePiloty, kPageMonitor, kPageCount
};

class AntykradziezTab;
class AntynapadTab;
class CanTab;
class CarSelection;
class CodeEntry;
class HaslaTab;
class HistoriaTab;
class KierunkiTab;
class LockDiagrams;
class MonitorTab;
class OgolneTab;
class OptionInterlocks;
class PilotyTab;
class ZamkiTab;

class SettingsTabs : public QObject {
    Q_OBJECT
public:
    // `panels` are the panels that fill the tab sheets, in page order. Each already has a
    // QVBoxLayout whose first item is the tab's title label; the tab's controls are appended.
    SettingsTabs(const std::array<QWidget *, kPageCount> &panels, QObject *parent);
    ~SettingsTabs() override;

    // The values of every settings control.
    TabValues gather() const;
    // Shows settings taken from the settings image, in the order the controls depend on each
    // other: codes, flag controls, the C1 rule, authorisation groups, close-pulse boxes and their
    // rules, spin edits, CAN options, group numbers, the interlock rules, the overview diagrams.
    // CKB_AlarmCan, CMB_Marka, CMB_Model and the two password edits are left as they are.
    // A diagram file that cannot be read stops nothing (LockDiagrams reports it).
    void applyFill(const TabValues &values);

    void setHistoryRows(const std::vector<HistoryRow> &rows);
    void clearHistory();
    void setRemoteTexts(const RemoteAndTokenTexts &texts);

    // Car selection on the "CAN" tab.
    void setMakes(const QStringList &makes);
    int makeCount() const;
    void setCarTable(const CarTable &cars);
    void CKB_AlarmCanClick();
    void CMB_MarkaChange();
    void CMB_ModelChange();
    // GB_PomijanieLiniiNaCan and BITBTN_ZapisCanSyg, for the firmware families that have them.
    void showCanAnalysis(bool shown);

    // One tick of the supervision timer, the clock of the code presses.
    void advancePressTick();

    // The monitor: one decoded status report; the arming state; darkening the eight remote LEDs
    // (the pilot timer's tick).
    void applyMonitor(const MonitorUpdate &update);
    void ShowDisarmed();
    void ShowArmed();
    void darkenRemoteLeds();

    // Folder of the lock diagrams (default: "Ikony/" beside the executable).
    void setDiagramFolder(const QString &folder);

    CodeEntry &codeEntry() { return *codeEntry_; }
    OptionInterlocks &interlocks() { return *interlocks_; }
    LockDiagrams &diagrams() { return *diagrams_; }
    CarSelection &carSelection() { return *cars_; }

private:
    void applyFlagControls(const TabValues &v);
    void applyPulseBoxes(const TabValues &v);
    void applySpinEdits(const TabValues &v);
    void applyCanOptions(const TabValues &v);
    void runInterlockRules();

    std::unique_ptr<HaslaTab> hasla_;
    std::unique_ptr<KierunkiTab> kierunki_;
    std::unique_ptr<ZamkiTab> zamki_;
    std::unique_ptr<AntykradziezTab> antykradziez_;
    std::unique_ptr<AntynapadTab> antynapad_;
    std::unique_ptr<OgolneTab> ogolne_;
    std::unique_ptr<HistoriaTab> historia_;
    std::unique_ptr<CanTab> can_;
    std::unique_ptr<PilotyTab> piloty_;
    std::unique_ptr<MonitorTab> monitor_;
    CodeEntry *codeEntry_ = nullptr;
    OptionInterlocks *interlocks_ = nullptr;
    LockDiagrams *diagrams_ = nullptr;
    CarSelection *cars_ = nullptr;
};

} // namespace alvetra
