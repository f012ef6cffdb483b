#pragma once
// The main window: tool bar with the serial-port controls, the connection panel, the page control
// with the ten settings tabs, and the status line; its actions, timers and file dialogs, the two
// access states (monitor only, programming access) and the start-up and shutdown sequences.
//
// Construction only builds the widgets. startUp() runs the start-up sequence (it shows
// message boxes and dialogs through the Dialogs seam); closing the window runs shutDown().
//
// The window owns the serial link (with the settings image of its OperationState), the
// connection supervision and the alarm operations. It is the link's LinkEvents: the reader
// thread's effects (status-bar panels, port LEDs, status reports, withdrawn access) run here on
// the UI thread. The operations reach the widgets through a WindowOperationView.

#include "ui/ChangesDialog.h"
#include "ui/Dialogs.h"
#include "link/LinkEvents.h"
#include "link/PortSearch.h"
#include "ui/WindowPreferences.h"

#include <QColor>
#include <QDateTime>
#include <QMainWindow>
#include <QSet>
#include <QStringList>
#include <array>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAbstractButton;
class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QToolBar;
class QToolButton;
class QUrl;

namespace alvetra {

class ActionButtonLink;
class AlarmOperations;
class DeferredErrors;
class ScaledTimer;
class SerialLink;
class SerialUnitLink;
class SettingsTabs;
class StatusLine;
class Supervision;
class TrafficConsole;
class TrafficLog;
class UiWakeup;
class LedIndicator;
class Transport;
class WindowOperationView;
struct OperationConfig;
struct OperationState;

// Everything the window takes from outside, so that tests can build it with their own ports,
// preferences and dialogs.
struct WindowSetup {
    QStringList portNames;          // the serial ports found, in the order to list them
    QString forcedPort;             // selected instead of the stored choice (command line); may be empty
    QString programFolder;          // folder of the executable: manual, car databases, diagrams
    Dialogs *dialogs = nullptr;     // not owned; required
    ShellHooks *shell = nullptr;    // not owned; required
    std::function<bool(const QUrl &)> openUrl;   // opens the manual; default: the desktop's handler
    // Opens a port by name at a speed index; default: the serial device of that name.
    std::function<std::unique_ptr<Transport>(const QString &portName, int speedIndex)> transports;
    // The application's general error handler, for an error that ended an operation's handler;
    // default: its message through `dialogs`.
    std::function<void(std::exception_ptr)> reportError;
    // The local time the history is dated from; default: the system clock.
    std::function<QDateTime()> clock;
    QString trafficLogPath;         // every frame appended to this file (--traffic-log); empty: none
    bool trafficLogSecrets = false; // the log holds the PC password and the codes in clear (--traffic-log-secrets)
    // Where every complete read leaves a backup, and "Kopie zapasowe" lists them; empty: none.
    QString backupFolder;
    // The system's serial ports now, in the order to list them; refreshPorts() asks. Default:
    // none, and the list stays `portNames`.
    std::function<std::vector<PortInfo>()> scanPorts;
};

class MainWindow : public QMainWindow, public LinkEvents {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 741;
    static constexpr int kClientHeight = 508;
    static constexpr int kProgressStatusWidth = 125;

    explicit MainWindow(const WindowSetup &setup, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The start-up sequence; run once, after construction. It stops early when the window is
    // closed meanwhile (the program asked to end while a start-up box was open).
    void startUp();

    // Window operations used by the alarm operations.
    void enableOperations(bool enabled);
    void setProgrammingAccess(bool granted);
    void showStatus(const QString &text, int width, const QColor &color);
    void beginProgress(const QString &text, int steps);
    // Losing programming access (the unit armed, or supervision gave up); a connect grants it
    // through the operations' view. Sending the disconnect request is the caller's.
    void leaveProgrammingAccess();

    // File dialogs as the file operations use them; both remember the chosen folder.
    std::optional<QString> runOpenDialog();
    std::optional<QString> runSaveDialog();
    // The list of backups; the one chosen, if any.
    std::optional<QString> runBackupsDialog();

    // A settings file named outside the window (on the command line: a file the system opens
    // with the program) becomes the one "Otwórz" offers, to open once the password is typed.
    void offerSettingsFile(const QString &fileName);
    // The default extension ("alm", "v14"; empty for none) and selected filter (1-based) of both
    // dialogs, which follow the firmware family.
    void setDialogDefaults(const QString &extension, int filterIndex);
    const FileDialogSettings &openDialogSettings() const { return openDialog_; }
    const FileDialogSettings &saveDialogSettings() const { return saveDialog_; }

    // Shows a message through the window's dialogs seam.
    QMessageBox::StandardButton showMessage(const UserMessage &message,
                                            QMessageBox::StandardButtons buttons = QMessageBox::Ok);

    bool isConnected() const;
    int familyCode() const;
    const QStringList &portNames() const { return portNames_; }
    SettingsTabs &settingsTabs() { return *tabs_; }
    StatusLine &statusLine() { return *StatusBar1; }
    SerialLink &serialLink() { return *link_; }
    // The traffic console "Ruch na łączu" (F12, TOB_Ruch): shown beside the window.
    TrafficConsole &trafficConsole() { return *console_; }
    void showTrafficConsole();
    const OperationState &operationState() const { return *state_; }

    // The port list follows the system's ports (an adapter plugged in or pulled out): ports
    // that are not the system's ("Symulator", a device named on the command line) stay; the
    // selected port stays while it is open; an adapter plugged in again under the same stable
    // name is selected again and opened without a word. Postponed while an operation or a port
    // change runs.
    void refreshPorts();

    // Runs the shutdown sequence once; closing the window calls it.
    void shutDown();
    bool hasClosed() const { return closed_; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    friend class WindowOperationView;

    // LinkEvents: the reader thread's effects on the window.
    void threadStarted() override;
    void portOpened() override;
    void portClosed() override;
    void openFailed(Transport::OpenResult result, const QString &portName, const UserMessage &message) override;
    void closeFailed(const QString &portName, int error, const UserMessage &message) override;
    void deviceLost(const QString &portName, const UserMessage &message) override;
    void checksumError(int count, const QString &text) override;
    void rxActivity() override;
    void txActivity() override;
    void clearIdentification() override;
    void setIdentification(const QString &line) override;
    void setTimeCounter(std::uint32_t value) override;
    void showArmed() override;
    void showDisarmed() override;
    void withdrawAccess() override;
    void statusReport(std::uint8_t s0, std::uint8_t s1, std::uint8_t s2, std::uint8_t s3) override;

private slots:
    // Tool bar and connection panel.
    void onPortChanged();
    void onSpeedUnlockClicked();
    void onResetPortClicked();

    // Actions other than the alarm operations (those are bound by bindOperations).
    void onExitTriggered();
    void onReadManualTriggered();
    // The owner's papers (MainWindowPapers.cpp): only of settings the unit holds.
    void onInstallationSheetTriggered();

    // Timers.
    void onSupervisionTimeout();
    void onRemoteLedTimeout();
    void onBlockKeepingTimeout();
    void onPortLedTimeout();

    // Tab sheets.
    void onCodesTabShown();
    void onTurnSignalsTabShown();
    void onCentralLocksTabShown();
    void onAntiTheftTabShown();
    void onAntiHijackTabShown();
    void onRearmingTabShown();
    void onHistoryTabShown();
    void onCanTabShown();
    void onRemotesTabShown();
    void onMonitorTabShown();

private:
    // Building the window (MainWindowLayout.cpp).
    void buildActions();
    void buildTimers();
    void buildToolBar(QWidget *client);
    void buildConnectionPanel(QWidget *pageArea);
    void buildPages(QWidget *pageArea);
    void buildStatusLine(QWidget *client);
    void buildFileDialogs();
    void bindTabButtons();
    QAction *makeAction(const char *name, const QString &caption, int image, void (MainWindow::*handler)());
    QToolButton *makeToolButton(const char *name, const QString &hint, QAction *action);

    // The link, supervision and operations (MainWindowLink.cpp).
    void buildLink();
    // The traffic console and, with a path, the traffic log; torn down before the link.
    void buildTraffic();
    void tearDownTraffic();
    // Binds each operation's actions and buttons to the alarm operations, through runOperation.
    void bindOperations();
    // onPortChanged asked for by the fitter: port problems are told again.
    void reopenByUser();
    void reportPortProblem(const QString &portName, const UserMessage &message);
    // Runs an alarm operation with the port controls locked; an error it throws goes to the
    // general error handler.
    void runOperation(const std::function<void(AlarmOperations &)> &operation);

    // Start-up steps.
    void fillPortLists();
    void disablePortControls();
    void applyPreferences(const WindowPreferences &preferences);
    WindowPreferences currentPreferences() const;
    void placeWindow(int top, int left);
    void keepOnScreen();
    static constexpr int kFrameSettleMs = 300;
    bool placementChecked_ = false;   // the first show's check of the real frame is under way
    bool centred_ = false;            // placed in the middle of its screen, not where stored
    void setExplanatoryLabels();
    void onPageShown(int index);
    void prepareSaveDialog();
    std::optional<QString> runFileDialog(FileDialogSettings &settings);

    // Comparing the settings, confirming a write and the tabs' changed marks
    // (MainWindowCompare.cpp).
    void buildCompareTools();
    void onCompareWithUnit();
    void onCompareWithFile();
    int showChanges(ChangesDialog::Kind kind, const QString &intro, const QString &thereColumn,
                    const std::vector<SettingDifference> &changes);
    // The settings a write is about to change beyond the tab in front; true: write them.
    bool confirmChanges(const std::vector<SettingDifference> &changes);
    // The caption of the settings tab in front, without its mark.
    QString visibleSettingsTab() const;
    // The marks follow the controls once the events of a change have been handled.
    void scheduleChangedMarks();
    void updateChangedMarks();

    WindowSetup setup_;

    // Tool bar.
    QToolBar *ToolBar1 = nullptr;
    QToolButton *TOB_Otworz = nullptr;
    QToolButton *TOB_Zapisz = nullptr;
    QToolButton *TOB_Wyjscie = nullptr;
    QComboBox *CMB_port = nullptr;
    QComboBox *CMB_PortSpeed = nullptr;
    QCheckBox *CHB_PredkoscRS232 = nullptr;
    LedIndicator *LedPortRs232Tx = nullptr;
    LedIndicator *LedPortRs232Rx = nullptr;
    LedIndicator *LedPortRsCrc = nullptr;
    QToolButton *TOB_ResetRS232 = nullptr;
    QToolButton *TOB_Pdf = nullptr;
    QToolButton *TOB_Ruch = nullptr;
    QToolButton *TOB_KopieZapasowe = nullptr;
    QToolButton *TOB_KartaMontazu = nullptr;
    ActionButtonLink *saveFileLink_ = nullptr;
    QToolButton *TOB_Porownaj = nullptr;
    QToolButton *TOB_ZapisZmienione = nullptr;
    QAction *ActionPorownajCentrala = nullptr;
    QAction *ActionPorownajPlik = nullptr;
    QAction *ActionZapisZmienione = nullptr;
    FileDialogSettings compareDialog_;
    bool changedMarksPending_ = false;

    // Connection panel and pages.
    QFrame *PNL_PageControl = nullptr;
    QGroupBox *GB_PolaczenieLogo = nullptr;
    QLabel *LAB_HasloDostepu = nullptr;
    QLineEdit *ED_HasloInst = nullptr;
    QPushButton *BITBTN_Polacz = nullptr;
    QPushButton *BITBTN_ZapisAll = nullptr;
    QLabel *IM_Logo = nullptr;
    QTabWidget *PGC_Programator = nullptr;
    std::array<QWidget *, 10> tabSheets_{};
    std::array<QFrame *, 10> tabPanels_{};
    SettingsTabs *tabs_ = nullptr;

    // Status line.
    StatusLine *StatusBar1 = nullptr;
    QLabel *LAB_progress = nullptr;
    QProgressBar *ProgressBar1 = nullptr;

    // Actions, in the order enableOperations sets them.
    QAction *ActionZapisKodow = nullptr;
    QAction *ActionZapisKierunki = nullptr;
    QAction *ActionZapisZamki = nullptr;
    QAction *ActionZapisAntykradziez = nullptr;
    QAction *ActionZapisAntynapad = nullptr;
    QAction *ActionZapisOgolne = nullptr;
    QAction *ActionZapisCan = nullptr;
    QAction *ActionKasowanieHistorii = nullptr;
    QAction *ActionZapisHaslaPC = nullptr;
    QAction *ActionProgPilot = nullptr;
    QAction *ActionProgToken = nullptr;
    QAction *ActionKasowaniePilotow = nullptr;
    QAction *ActionKasowanieTokenow = nullptr;
    QAction *ActionZapisCanSyg = nullptr;
    QAction *ActionOdczytUstawienAlarmu = nullptr;
    QAction *ActionOpenSettings = nullptr;
    QAction *ActionSaveAllSettings = nullptr;
    QAction *ActionZamykanieAplikacji = nullptr;
    QAction *ActionReadPdf = nullptr;
    QAction *ActionShowWorningCom = nullptr;
    QAction *ActionKopieZapasowe = nullptr;
    QAction *ActionKartaMontazu = nullptr;
    std::vector<QAction *> operationActions_;

    // Timers.
    ScaledTimer *TimerTimeOutConnected = nullptr;
    ScaledTimer *TimerLedPilot = nullptr;
    ScaledTimer *TimerPdtrzymujBlokadeBlokad = nullptr;
    ScaledTimer *TimerLedRs232 = nullptr;

    FileDialogSettings openDialog_;
    FileDialogSettings saveDialog_;
    FileDialogSettings sheetSaveDialog_;   // the owner's papers' PDF files
    Workshop workshop_;                    // on the papers; kept in the preferences

    // The settings image, family, counter and connected flag; the link, the supervision and the
    // operations over them. Declared after the widgets, so they go first.
    std::unique_ptr<OperationState> state_;
    std::unique_ptr<OperationConfig> opsConfig_;
    std::unique_ptr<SerialLink> link_;
    std::unique_ptr<Supervision> supervision_;
    std::unique_ptr<SerialUnitLink> unitLink_;
    std::unique_ptr<WindowOperationView> view_;
    std::unique_ptr<AlarmOperations> ops_;

    TrafficConsole *console_ = nullptr;
    std::unique_ptr<UiWakeup> trafficLogFailed_;   // outlives the log's writer thread
    std::unique_ptr<TrafficLog> trafficLog_;
    std::optional<QString> trafficLogOpenError_;   // told by startUp

    // A lock diagram that cannot be read, told after the operation or event that met it.
    DeferredErrors *deferredErrors_ = nullptr;

    // The port whose problem was last told; not told again until it opened or the fitter reopened
    // it by hand.
    QString reportedPort_;
    // True while onPortChanged waits for the old reader thread.
    bool portChanging_ = false;

    // Following the system's ports (MainWindowPorts.cpp).
    void rebuildPortList(const QStringList &names, const std::vector<PortInfo> &found, int selected);
    void enablePortControls();
    void refreshPortsWhenFree();
    // Once per port and run: an adapter that holds received bytes too long, and how to lower it.
    void adviseOnLatency();
    QSet<QString> latencyAdvised_;
    QStringList fixedPorts_;          // listed whatever the system has: not among its ports at start
    QString selectedStableName_;      // of the port last selected while the system listed it
    bool operationRunning_ = false;
    bool portShownOpen_ = false;      // between portOpened and portClosed
    bool portRefreshPending_ = false;

    // Window state.
    QStringList portNames_;
    bool showComInformation_ = true;
    int storedPortIndex_ = 0;       // as read at start-up; kept when the command line chose the port
    bool closed_ = false;
};

} // namespace alvetra
