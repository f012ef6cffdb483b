#include "ui/MainWindow.h"
#include "ui/ScreenPlacement.h"

#include "link/TrafficLog.h"
#include "link/UiWakeup.h"

#include "ui/ActionButtonLink.h"
#include "ui/BackupsDialog.h"
#include "ops/AlarmOperations.h"
#include "ui/widgets/Colors.h"
#include "ui/DeferredErrors.h"
#include "alarm/FileError.h"
#include "ui/HandlerError.h"
#include "ui/tabs/LockDiagrams.h"
#include "ops/OperationState.h"
#include "link/SerialLink.h"
#include "ops/SerialUnitLink.h"
#include "ui/tabs/SettingsTabs.h"
#include "ui/StatusLine.h"
#include "ui/widgets/LedIndicator.h"
#include "link/Supervision.h"
#include "ui/UiTexts.h"
#include "link/Wait.h"
#include "ui/WindowOperationView.h"

#include <QAbstractItemView>
#include <QGuiApplication>
#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>

#include <algorithm>

namespace alvetra {

namespace {

QString withTrailingSeparator(const QString &folder)
{
    if (folder.isEmpty() || folder.endsWith(QDir::separator()) || folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QDir::separator();
}

// Folder part of a dialog's file name, with its trailing separator; empty when the name has none.
QString folderOf(const QString &fileName)
{
    const QString path = QDir::fromNativeSeparators(fileName);
    const auto slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QString();
    return QDir::toNativeSeparators(path.left(slash + 1));
}

int indexWithin(int index, int count)
{
    return index >= 0 && index < count ? index : -1;
}

} // namespace

MainWindow::MainWindow(const WindowSetup &setup, QWidget *parent) : QMainWindow(parent), setup_(setup)
{
    Q_ASSERT(setup_.dialogs && setup_.shell);
    if (!setup_.openUrl)
        setup_.openUrl = [](const QUrl &url) { return QDesktopServices::openUrl(url); };

    setObjectName(QStringLiteral("Form1"));
    QFont formFont(QStringLiteral("Arial"));
    formFont.setPixelSize(11);
    setFont(formFont);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colors::clSilver);
    setPalette(palette);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client);
    setFixedSize(kClientWidth, kClientHeight);

    buildActions();
    buildTimers();
    buildToolBar(client);
    PNL_PageControl = new QFrame(client);
    PNL_PageControl->setObjectName(QStringLiteral("PNL_PageControl"));
    PNL_PageControl->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PNL_PageControl->setGeometry(0, 27, kClientWidth, 462);
    buildConnectionPanel(PNL_PageControl);
    buildPages(PNL_PageControl);
    buildStatusLine(client);
    buildFileDialogs();
    buildCompareTools();
    bindTabButtons();
    if (!setup_.programFolder.isEmpty())
        tabs_->setDiagramFolder(QDir(setup_.programFolder).filePath(QStringLiteral("Ikony")) + QLatin1Char('/'));
    buildLink();
    buildTraffic();
    deferredErrors_ = new DeferredErrors([this](std::exception_ptr error) { setup_.reportError(error); }, this);
    connect(&tabs_->diagrams(), &LockDiagrams::diagramUnreadable, this, [this](const QString &message) {
        deferredErrors_->add(std::make_exception_ptr(FileError(message)));
    });
    BITBTN_Polacz->setPalette([this] {
        QPalette p = BITBTN_Polacz->palette();
        p.setColor(QPalette::Button, colors::clSilver);
        return p;
    }());
}

MainWindow::~MainWindow()
{
    // The reader thread goes before anything it reaches: the window and the settings image.
    tearDownTraffic();
    ops_.reset();
    supervision_.reset();
    link_.reset();
}

bool MainWindow::isConnected() const
{
    return state_->connected;
}

int MainWindow::familyCode() const
{
    return state_->familyCode;
}

// ---------------------------------------------------------------------------------------------
// Start-up and shutdown

void MainWindow::startUp()
{
    // A fresh state: no family, not connected; the supervision's countdown and divider start
    // from their initial values with it.
    state_->familyCode = 0;
    state_->connected = false;
    openDialog_.initialFolder = setup_.programFolder;
    saveDialog_.initialFolder = setup_.programFolder;
    setWindowTitle(uitexts::kApplicationTitle);
    PGC_Programator->setCurrentIndex(kPageCodes);
    tabs_->onAlarmCanClicked();
    LedPortRs232Rx->showOff();
    LedPortRs232Tx->showOff();
    setProgrammingAccess(false);

    portNames_ = setup_.portNames;
    if (!portNames_.isEmpty()) {
        fillPortLists();
    } else {
        disablePortControls();
        showMessage({kCaptionWarning, uitexts::kNoSerialPorts, MessageIcon::Warning});
        if (closed_)
            return;
    }

    if (trafficLogOpenError_) {
        showMessage({kCaptionWarning, *std::exchange(trafficLogOpenError_, std::nullopt), MessageIcon::Warning});
        if (closed_)
            return;
    }

    const WindowPreferences preferences = setup_.shell->readPreferences();
    applyPreferences(preferences);
    if (setup_.scanPorts) {
        // What the system does not list now is listed for the whole run.
        const std::vector<PortInfo> found = setup_.scanPorts();
        for (const QString &name : portNames_) {
            if (std::none_of(found.begin(), found.end(), [&](const PortInfo &port) { return port.name == name; }))
                fixedPorts_ << name;
        }
        rebuildPortList(portNames_, found, CMB_port->currentIndex());
    }
    placeWindow(preferences.top, preferences.left);
    if (showComInformation_) {
        show();
        repaint();
        showComInformation_ = setup_.shell->showComInformation(this);
        if (closed_)
            return;
    }
    setExplanatoryLabels();

    onPortChanged();
    TimerTimeOutConnected->setIntervalMs(200);
    TimerTimeOutConnected->start();
}

void MainWindow::fillPortLists()
{
    CMB_port->addItems(portNames_);
    // The box keeps its narrow width; its list opens wide enough to read every name whole
    // ("Symulator", "ttyUSB0").
    int widest = 0;
    for (const QString &name : portNames_)
        widest = std::max(widest, CMB_port->fontMetrics().horizontalAdvance(name));
    CMB_port->view()->setMinimumWidth(widest + CMB_port->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 12);
    // The speed box's items are the link's rates, index for index.
    for (int rate : kLineRates)
        CMB_PortSpeed->addItem(QString::number(rate));
}

void MainWindow::disablePortControls()
{
    CMB_port->setEnabled(false);
    CMB_PortSpeed->setEnabled(false);
    CHB_PredkoscRS232->setEnabled(false);
    TOB_ResetRS232->setEnabled(false);
    ED_HasloInst->setEnabled(false);
    BITBTN_Polacz->setEnabled(false);
}

void MainWindow::applyPreferences(const WindowPreferences &preferences)
{
    // -1 is what a run without any serial port stores. Taken as it is, the next run with the
    // adapter plugged in would select nothing, open nothing and say nothing: the first port and
    // the unit's speed are what such a run would have chosen with the adapter there.
    const WindowPreferences defaults;
    workshop_ = preferences.workshop;
    const int portIndex = preferences.portIndex == -1 ? defaults.portIndex : preferences.portIndex;
    const int speedIndex = preferences.speedIndex == -1 ? defaults.speedIndex : preferences.speedIndex;
    if (!portNames_.isEmpty()) {
        storedPortIndex_ = portIndex;
        CMB_port->setCurrentIndex(indexWithin(portIndex, CMB_port->count()));
        // A port named on the command line wins over the stored choice for this run.
        if (!setup_.forcedPort.isEmpty()) {
            const int forced = CMB_port->findText(setup_.forcedPort);
            if (forced >= 0)
                CMB_port->setCurrentIndex(forced);
        }
    }
    CMB_PortSpeed->setCurrentIndex(indexWithin(speedIndex, CMB_PortSpeed->count()));
    saveDialog_.initialFolder = preferences.saveDialogFolder;
    openDialog_.initialFolder = preferences.openDialogFolder;
    showComInformation_ = preferences.showComInformation;
}

WindowPreferences MainWindow::currentPreferences() const
{
    WindowPreferences preferences;
    preferences.portIndex = CMB_port->currentIndex();
    // The command line's port is for this run only; the fitter's own choice stays stored.
    if (!setup_.forcedPort.isEmpty() && CMB_port->currentText() == setup_.forcedPort)
        preferences.portIndex = storedPortIndex_;
    preferences.speedIndex = CMB_PortSpeed->currentIndex();
    preferences.workshop = workshop_;
    // A dialog that never returned a path keeps the folder it started in, so a run without
    // file work does not lose the remembered folder.
    auto folderToKeep = [](const FileDialogSettings &dialog) {
        const QString chosen = folderOf(dialog.fileName);
        return chosen.isEmpty() ? dialog.initialFolder : chosen;
    };
    preferences.saveDialogFolder = folderToKeep(saveDialog_);
    preferences.openDialogFolder = folderToKeep(openDialog_);
    preferences.top = y();
    preferences.left = x();
    preferences.showComInformation = showComInformation_;
    return preferences;
}

// A stored position is used when both coordinates are non-zero and the whole window, frame
// included, lies on one screen as the screens are now (a monitor may have gone since, or its
// scaling changed); otherwise the window is centred in the available area of its screen.
void MainWindow::placeWindow(int top, int left)
{
    winId();   // the system's window: Windows frames it at once, so its real frame is known below
    const QSize frame = placement::frameSize(*this);
    centred_ = false;
    if (top != 0 && left != 0) {
        if (const auto stored = placement::storedPlacement({left, top}, frame, placement::availableAreas())) {
            placement::moveFrameTo(*this, *stored);
            return;
        }
    }
    centred_ = true;
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen)
        placement::moveFrameTo(*this, placement::centredIn(frame, screen->availableGeometry()));
}

// Once the system has framed the window its real frame may differ from the estimate the
// placement took: a centred window is centred again with it, and a window that reaches past its
// screen's edge is moved back inside.
void MainWindow::keepOnScreen()
{
    const QRect frame = frameGeometry();
    const QRect area = placement::availableAreaFor(frame);
    const QRect wanted = centred_ ? placement::centredIn(frame.size(), area) : placement::keptInside(frame, area);
    if (wanted != frame)
        placement::moveFrameTo(*this, wanted);
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (std::exchange(placementChecked_, true))
        return;
    // The frame is there now on Windows; an X11 window manager adds it a little later.
    keepOnScreen();
    QTimer::singleShot(kFrameSettleMs, this, &MainWindow::keepOnScreen);
}

void MainWindow::setExplanatoryLabels()
{
    if (auto *label = findChild<QLabel *>(QStringLiteral("LAB_UwagaHasla")))
        label->setText(uitexts::labelText(uitexts::kUwagaHasla));
    if (auto *label = findChild<QLabel *>(QStringLiteral("LAB_OpisZwlokiAntynapad")))
        label->setText(uitexts::labelText(uitexts::kOpisZwlokiAntynapad));
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    shutDown();
    event->accept();
}

void MainWindow::shutDown()
{
    if (closed_)
        return;
    closed_ = true;
    TimerPdtrzymujBlokadeBlokad->stop();
    TimerTimeOutConnected->stop();
    TimerLedPilot->stop();
    TimerLedRs232->stop();
    // Goodbye to the unit (its outcome does not matter), then the port is closed.
    link_->sendDisconnect();
    link_->stopReaderThread(SerialLink::kStopLimitMs);
    const WindowPreferences preferences = currentPreferences();
    portNames_.clear();
    setup_.shell->writePreferences(preferences);
}

// ---------------------------------------------------------------------------------------------
// Window operations

void MainWindow::enableOperations(bool enabled)
{
    for (QAction *action : operationActions_)
        action->setEnabled(enabled);
    BITBTN_ZapisAll->setEnabled(enabled);
}

void MainWindow::setProgrammingAccess(bool granted)
{
    saveFileLink_->setGateOpen(granted);
    if (!granted)
        state_->connected = false;
    PGC_Programator->setTabText(kPageMonitor, granted ? uitexts::kMonitorCaption : uitexts::kNoAccessCaption);
    // Hidden tabs are disabled too, so that the keyboard cannot reach them either.
    for (int page = 0; page < PGC_Programator->count() - 1; ++page) {
        PGC_Programator->setTabVisible(page, granted);
        PGC_Programator->setTabEnabled(page, granted);
    }
}

void MainWindow::showStatus(const QString &text, int width, const QColor &color)
{
    LAB_progress->resize(width, LAB_progress->height());
    QPalette palette = LAB_progress->palette();
    palette.setColor(QPalette::WindowText, color);
    LAB_progress->setPalette(palette);
    LAB_progress->setText(text);
    LAB_progress->raise();
    StatusBar1->lower();
}

void MainWindow::beginProgress(const QString &text, int steps)
{
    showStatus(text, kProgressStatusWidth, palette().color(QPalette::WindowText));
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    ProgressBar1->raise();
    ProgressBar1->setMaximum(steps);
}

void MainWindow::leaveProgrammingAccess()
{
    setProgrammingAccess(false);
    BITBTN_Polacz->show();
    BITBTN_ZapisAll->hide();
    BITBTN_ZapisAll->setEnabled(false);
    TimerPdtrzymujBlokadeBlokad->stop();
    state_->connected = false;
}

QMessageBox::StandardButton MainWindow::showMessage(const UserMessage &message, QMessageBox::StandardButtons buttons)
{
    return setup_.dialogs->showMessage(this, message, buttons);
}

// ---------------------------------------------------------------------------------------------
// File dialogs

void MainWindow::prepareSaveDialog()
{
    saveDialog_.fileName = uitexts::kSaveDialogInitialName;
}

std::optional<QString> MainWindow::runFileDialog(FileDialogSettings &settings)
{
    const auto chosen = setup_.dialogs->chooseFile(this, settings);
    if (chosen) {
        const QString folder = folderOf(*chosen);
        if (!folder.isEmpty())
            settings.initialFolder = withTrailingSeparator(folder);
    }
    return chosen;
}

void MainWindow::setDialogDefaults(const QString &extension, int filterIndex)
{
    for (FileDialogSettings *dialog : {&openDialog_, &saveDialog_}) {
        dialog->defaultExtension = extension;
        dialog->filterIndex = filterIndex;
    }
}

std::optional<QString> MainWindow::runOpenDialog()
{
    return runFileDialog(openDialog_);
}

std::optional<QString> MainWindow::runSaveDialog()
{
    prepareSaveDialog();
    return runFileDialog(saveDialog_);
}

// A settings file holds its unit's PC password and opens only with it typed in: the file waits in
// the "Otwórz" dialog, chosen, while the password field takes the typing.
void MainWindow::offerSettingsFile(const QString &fileName)
{
    const QFileInfo file(fileName);
    openDialog_.fileName = file.absoluteFilePath();
    openDialog_.initialFolder = withTrailingSeparator(file.absolutePath());
    ED_HasloInst->setFocus();
}

std::optional<QString> MainWindow::runBackupsDialog()
{
    BackupsDialog dialog(setup_.backupFolder, listBackups(setup_.backupFolder), this);
    if (setup_.dialogs->execDialog(dialog) != QDialog::Accepted || dialog.selectedPath().isEmpty())
        return std::nullopt;
    return dialog.selectedPath();
}

// ---------------------------------------------------------------------------------------------
// Exit and manual

void MainWindow::onExitTriggered()
{
    close();
}

// The desktop's handler opens the manual; like the shell call it replaces, its result is not
// examined (a missing viewer shows its own message, if any).
void MainWindow::onReadManualTriggered()
{
    const QString manual = QDir(setup_.programFolder).filePath(uitexts::kManualFileName);
    setup_.openUrl(QUrl::fromLocalFile(manual));
}

// ---------------------------------------------------------------------------------------------
// Tab sheets: showing any of them lets the supervision pick its pace on the next tick.

void MainWindow::onPageShown(int index)
{
    using Handler = void (MainWindow::*)();
    static constexpr std::array<Handler, kPageCount> handlers = {
        &MainWindow::onCodesTabShown,     &MainWindow::onTurnSignalsTabShown, &MainWindow::onCentralLocksTabShown,
        &MainWindow::onAntiTheftTabShown, &MainWindow::onAntiHijackTabShown, &MainWindow::onRearmingTabShown,
        &MainWindow::onHistoryTabShown,  &MainWindow::onCanTabShown, &MainWindow::onRemotesTabShown,
        &MainWindow::onMonitorTabShown};
    if (index >= 0 && index < kPageCount)
        (this->*handlers[index])();
}

void MainWindow::onCodesTabShown() { TimerTimeOutConnected->setIntervalMs(3000); }
void MainWindow::onTurnSignalsTabShown() { TimerTimeOutConnected->setIntervalMs(3000); }
void MainWindow::onCentralLocksTabShown() { TimerTimeOutConnected->setIntervalMs(3000); }
void MainWindow::onAntiTheftTabShown() { TimerTimeOutConnected->setIntervalMs(3000); }
void MainWindow::onAntiHijackTabShown() { TimerTimeOutConnected->setIntervalMs(3000); }
void MainWindow::onRearmingTabShown() { TimerTimeOutConnected->setIntervalMs(3000); }
void MainWindow::onHistoryTabShown() { TimerTimeOutConnected->setIntervalMs(3000); }
void MainWindow::onCanTabShown() { TimerTimeOutConnected->setIntervalMs(3000); }
void MainWindow::onRemotesTabShown() { TimerTimeOutConnected->setIntervalMs(3000); }
void MainWindow::onMonitorTabShown() { TimerTimeOutConnected->setIntervalMs(3000); }

} // namespace alvetra
