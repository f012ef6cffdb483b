#pragma once
// The controls inside the ten tab sheets of the page control, and what ties them together: code
// entry, option interlocks, lock pulse diagrams, the car selection and the live monitor.

#include "files/CarRecord.h"
#include "alarm/History.h"
#include "alarm/RemoteTexts.h"
#include "link/StatusDecoder.h"
#include "alarm/TabValues.h"

#include <QObject>
#include <QStringList>
#include <QWidget>
#include <array>
#include <memory>
#include <vector>

namespace alvetra {

// Page indexes of the page control; the monitor must stay the last page.
enum TabPage {
    kPageCodes = 0, kPageTurnSignals, kPageCentralLocks, kPageAntiTheft, kPageAntiHijack,
    kPageRearming, kPageHistory, kPageCan, kPageRemotes, kPageMonitor, kPageCount
};

class AntiTheftTab;
class AntiHijackTab;
class CanTab;
class CarSelection;
class CodeEntry;
class CodesTab;
class HistoryTab;
class TurnSignalsTab;
class LockDiagrams;
class MonitorTab;
class RearmingTab;
class OptionInterlocks;
class RemotesTab;
class CentralLocksTab;

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
    void onAlarmCanClicked();
    void onMakeChanged();
    void onModelChanged();
    // GB_PomijanieLiniiNaCan and BITBTN_ZapisCanSyg, for the firmware families that have them.
    void showCanAnalysis(bool shown);

    // One tick of the supervision timer, the clock of the code presses.
    void advancePressTick();

    // The monitor: one decoded status report; the arming state; darkening the eight remote LEDs
    // (the remote-LED timer's tick).
    void applyMonitor(const MonitorUpdate &update);
    void showDisarmed();
    void showArmed();
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

    std::unique_ptr<CodesTab> codes_;
    std::unique_ptr<TurnSignalsTab> turnSignals_;
    std::unique_ptr<CentralLocksTab> centralLocks_;
    std::unique_ptr<AntiTheftTab> antiTheft_;
    std::unique_ptr<AntiHijackTab> antiHijack_;
    std::unique_ptr<RearmingTab> rearming_;
    std::unique_ptr<HistoryTab> history_;
    std::unique_ptr<CanTab> can_;
    std::unique_ptr<RemotesTab> remotes_;
    std::unique_ptr<MonitorTab> monitor_;
    CodeEntry *codeEntry_ = nullptr;
    OptionInterlocks *interlocks_ = nullptr;
    LockDiagrams *diagrams_ = nullptr;
    CarSelection *cars_ = nullptr;
};

} // namespace alvetra
