#pragma once
// What the alarm operations need from a front end: the one seam between the operations and
// whatever shows them. The main window implements it over its widgets, actions and timers (the
// names in the comments below are the window's); a front end without widgets implements it over
// its own output, with the calls it has no use for doing nothing; tests implement it by
// recording.
//
// Every call runs on the thread of the event loop the operations run on. Nothing here waits for
// the user except showMessage, which the window routes through its dialogs seam.

#include "files/CarRecord.h"
#include "files/FirmwareFamilies.h"
#include "alarm/SettingsDiff.h"
#include "alarm/SettingsFill.h"
#include "alarm/TabValues.h"
#include "alarm/UserMessage.h"

#include <QString>
#include <QStringList>

namespace alvetra {

enum class StatusColour { WindowText, Red };

// Width of LAB_progress for an operation's final text, and for the cleared line the window
// leaves when the unit is armed.
constexpr int kFinalStatusWidth = 383;

class OperationView {
public:
    virtual ~OperationView() = default;

    // ---- timers
    // Remembers whether the connection supervision (TimerTimeOutConnected) runs and stops it;
    // returns what it remembered.
    virtual bool pauseSupervision() = 0;
    // Sets the connection supervision running or stopped.
    virtual void restoreSupervision(bool running) = 0;
    // Starts or stops block keeping (TimerPdtrzymujBlokadeBlokad).
    virtual void setBlockKeeping(bool running) = 0;

    // ---- actions and access
    // Every operation the user can start, at once (every action of the window and
    // BITBTN_ZapisAll).
    virtual void enableOperations(bool enabled) = 0;
    // Offline editing of a file: opening and saving files, leaving the program and reading the
    // manual are offered again while every operation on the unit stays disabled.
    virtual void enableFileActions() = 0;
    // PGC_Programator as a whole.
    virtual void setPageControlEnabled(bool enabled) = 0;
    // All tabs and saving to a file (true) or the monitor tab alone (false); false also clears
    // the connected flag of the OperationState.
    virtual void setProgrammingAccess(bool granted) = 0;
    virtual void selectPage(int index) = 0;
    // Connected: BITBTN_Polacz hidden, BITBTN_ZapisAll shown, enabled and in front, TOB_Otworz and
    // TOB_Zapisz enabled. Not connected: BITBTN_Polacz shown, BITBTN_ZapisAll hidden and
    // disabled, TOB_Zapisz disabled.
    virtual void showConnectedButtons(bool connected) = 0;
    virtual void setConnectButtonEnabled(bool enabled) = 0;

    // ---- status line
    virtual void showStatus(const QString &text, int width, StatusColour colour) = 0;
    // Status text at width 125 in the window-text colour, ProgressBar1 at 0 with `steps` steps, shown.
    virtual void beginProgress(const QString &text, int steps) = 0;
    virtual void stepProgress() = 0;
    virtual void hideProgress() = 0;
    // A message box with one OK button.
    virtual void showMessage(const UserMessage &message) = 0;

    // ---- connection panel and status bar
    // Panel 2 of StatusBar1, as the reply handling composed it.
    virtual QString identificationLine() const = 0;
    // The PC access password as typed into ED_HasloInst.
    virtual QString accessPassword() const = 0;
    // Puts a password the unit has just taken into ED_HasloInst, so that every later login
    // sends it.
    virtual void setAccessPassword(const QString &password) = 0;
    // Reopens the selected port as "Reset portu RS232" does, and returns once the new reader
    // thread has opened the port or given up. A problem of a port that was already told is not
    // told again.
    virtual void reopenPort() = 0;

    // ---- settings tabs
    virtual TabValues gatherValues() const = 0;
    // Every tab from the fill: controls, history list, remote and token lines. A lock diagram
    // that cannot be read is the window's to report, after the operation.
    virtual void applyFill(const FillResult &fill) = 0;
    // Empties ED_KodProg1 and ED_KodProg2.
    virtual void clearPcPasswordEdits() = 0;
    // GB_PomijanieLiniiNaCan and BITBTN_ZapisCanSyg.
    virtual void showCanAnalysis(bool shown) = 0;
    virtual bool canAnalysisShown() const = 0;
    // The number of makes in CMB_Marka, and filling it (with the car table behind the lists).
    virtual int makeCount() const = 0;
    virtual void setCarDatabase(const QStringList &makes, const CarTable &cars) = 0;

    // ---- settings files
    // The family's default extension and filter, for the front end's choice of a file (the
    // window's two file dialogs).
    virtual void setDialogDefaults(const DialogDefaults &defaults) = 0;

    // ---- confirming a write of several groups
    // The caption of the settings tab in front; empty when none is.
    virtual QString visibleTab() const { return {}; }
    // Shows the settings a write is about to change, some of them beyond the tab in front, and
    // returns whether the user wants them written. A front end without a user writes them.
    virtual bool confirmChanges(const std::vector<SettingDifference> & /*changes*/) { return true; }
};

} // namespace alvetra
