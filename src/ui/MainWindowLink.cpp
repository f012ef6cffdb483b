// The main window over the serial link: the port controls, the reader thread's effects on the
// window, the supervision timers and the alarm operations bound to actions and buttons.

#include "ui/MainWindow.h"

#include "ui/ActionButtonLink.h"
#include "ops/AlarmOperations.h"
#include "ops/OperationBracket.h"
#include "ui/DeferredErrors.h"
#include "ui/HandlerError.h"
#include "link/LinkMessages.h"
#include "link/LinkTexts.h"
#include "ops/OperationState.h"
#include "link/SerialLink.h"
#include "ops/SerialUnitLink.h"
#include "ui/tabs/SettingsTabs.h"
#include "link/StatusDecoder.h"
#include "ui/StatusLine.h"
#include "link/Supervision.h"
#include "ui/widgets/LedIndicator.h"
#include "link/Wait.h"
#include "ui/WindowOperationView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QTabWidget>
#include <QToolButton>

namespace alvetra {

namespace {

constexpr int kLedRs232IntervalMs = 100;
constexpr int kRemoteLedIntervalMs = 2000;

// The disconnect request as a bare frame: no data, length 2.

} // namespace

void MainWindow::buildLink()
{
    state_ = std::make_unique<OperationState>();
    opsConfig_ = std::make_unique<OperationConfig>();
    opsConfig_->dataFolder = setup_.programFolder;
    if (setup_.clock)
        opsConfig_->clock = setup_.clock;
    opsConfig_->backupFolder = setup_.backupFolder;
    SerialLink::TransportFactory transports = setup_.transports ? setup_.transports : SerialLink::serialPorts();
    link_ = std::make_unique<SerialLink>(state_->image, static_cast<LinkEvents &>(*this), std::move(transports));
    supervision_ = std::make_unique<Supervision>(
        *link_, *TimerTimeOutConnected,
        Supervision::Hooks{[this] { return PGC_Programator->currentIndex(); }, [this] { onPortChanged(); },
                           [this] { tabs_->advancePressTick(); }});
    unitLink_ = std::make_unique<SerialUnitLink>(*link_);
    view_ = std::make_unique<WindowOperationView>(*this);
    ops_ = std::make_unique<AlarmOperations>(*view_, *unitLink_, *state_, *opsConfig_);
    bindOperations();
    if (!setup_.reportError) {
        setup_.reportError = [this](std::exception_ptr error) { showMessage(handlerErrorMessage(error)); };
    }
}

void MainWindow::bindOperations()
{
    using Operation = std::function<void(AlarmOperations &)>;
    const auto group = [](WriteGroup which) { return [which](AlarmOperations &ops) { ops.writeGroup(which); }; };
    const auto learn = [](RecordGroup which) { return [which](AlarmOperations &ops) { ops.learn(which); }; };
    const auto erase = [](RecordGroup which) { return [which](AlarmOperations &ops) { ops.erase(which); }; };
    // The file is chosen first, in the window's dialog; the supervision stays paused from the
    // dialog to the end of the operation.
    const auto withFile = [this](std::optional<QString> (MainWindow::*choose)(),
                                 OperationOutcome (AlarmOperations::*fileOperation)(const QString &)) {
        return [this, choose, fileOperation](AlarmOperations &ops) {
            const SupervisionPause pause(*view_);
            if (const std::optional<QString> fileName = (this->*choose)())
                (ops.*fileOperation)(*fileName);
        };
    };

    const std::pair<QAction *, Operation> actions[] = {
        {ActionZapisKodow, group(WriteGroup::Codes)},
        {ActionZapisKierunki, group(WriteGroup::TurnSignals)},
        {ActionZapisZamki, group(WriteGroup::CentralLocks)},
        {ActionZapisAntykradziez, group(WriteGroup::AntiTheft)},
        {ActionZapisAntynapad, group(WriteGroup::AntiHijack)},
        {ActionZapisOgolne, group(WriteGroup::Rearming)},
        {ActionZapisCan, group(WriteGroup::CanGroup)},
        {ActionKasowanieHistorii, &AlarmOperations::clearHistory},
        {ActionZapisHaslaPC, group(WriteGroup::PcPassword)},
        {ActionProgPilot, learn(RecordGroup::Remotes)},
        {ActionProgToken, learn(RecordGroup::Tokens)},
        {ActionKasowaniePilotow, erase(RecordGroup::Remotes)},
        {ActionKasowanieTokenow, erase(RecordGroup::Tokens)},
        {ActionZapisCanSyg, group(WriteGroup::CanOptions)},
        {ActionOdczytUstawienAlarmu, &AlarmOperations::readAll},
        {ActionOpenSettings, withFile(&MainWindow::runOpenDialog, &AlarmOperations::openFile)},
        {ActionSaveAllSettings, withFile(&MainWindow::runSaveDialog, &AlarmOperations::saveFile)},
        {ActionZapisZmienione, &AlarmOperations::writeChanged},
        {ActionKopieZapasowe, withFile(&MainWindow::runBackupsDialog, &AlarmOperations::openFile)},
    };
    for (const auto &[action, operation] : actions)
        connect(action, &QAction::triggered, this, [this, operation = operation] { runOperation(operation); });

    const std::pair<QPushButton *, Operation> buttons[] = {
        {BITBTN_Polacz, &AlarmOperations::connect},
        {BITBTN_ZapisAll, &AlarmOperations::writeAll},
    };
    for (const auto &[button, operation] : buttons)
        connect(button, &QPushButton::clicked, this, [this, operation = operation] { runOperation(operation); });
}

void MainWindow::runOperation(const std::function<void(AlarmOperations &)> &operation)
{
    // Lock diagrams that could not be read are told once the operation has ended.
    const DeferredErrors::Operation running(*deferredErrors_);
    // A port changed under an operation would take its transactions with it: the port controls
    // are locked for its whole run and come back as they were (the speed list only with its
    // check box ticked).
    QWidget *const portControls[] = {CMB_port, CMB_PortSpeed, CHB_PredkoscRS232, TOB_ResetRS232};
    bool wasEnabled[std::size(portControls)];
    for (std::size_t i = 0; i < std::size(portControls); ++i) {
        wasEnabled[i] = portControls[i]->isEnabled();
        portControls[i]->setEnabled(false);
    }
    std::exception_ptr error;
    operationRunning_ = true;
    try {
        operation(*ops_);
    } catch (...) {
        error = std::current_exception();
    }
    operationRunning_ = false;
    refreshPortsWhenFree();
    for (std::size_t i = 0; i < std::size(portControls); ++i)
        portControls[i]->setEnabled(wasEnabled[i]);
    scheduleChangedMarks();
    // The operation's guards have given the rest of the window back by now.
    if (error)
        setup_.reportError(error);
}

// ---------------------------------------------------------------------------------------------
// Port controls

void MainWindow::onPortChanged()
{
    // A change asked for while this one waits for the old reader to end (the fitter clicking
    // again, supervision) would open a port under it: the waiting change would then wait in vain
    // for a port that is open again and report a reset failure. The running change opens the
    // selection as it is once the old reader has gone.
    if (portChanging_)
        return;
    portChanging_ = true;
    const auto done = qScopeGuard([this] {
        portChanging_ = false;
        refreshPortsWhenFree();
    });

    ScaledTimer *const timers[] = {TimerTimeOutConnected, TimerLedPilot, TimerPdtrzymujBlokadeBlokad, TimerLedRs232};
    bool wasActive[std::size(timers)];
    for (std::size_t i = 0; i < std::size(timers); ++i) {
        wasActive[i] = timers[i]->isActive();
        timers[i]->stop();
    }

    const SerialLink::StopResult stopped = link_->stopReaderThread(SerialLink::kStopLimitMs);
    if (stopped == SerialLink::StopResult::Stopped) {
        // No selection in either box: nothing to open.
        const QString portName = CMB_port->currentIndex() >= 0 ? CMB_port->currentText() : QString();
        link_->open(portName, CMB_PortSpeed->currentIndex());
    } else if (stopped == SerialLink::StopResult::LimitReached) {
        showMessage(resetFailureMessage());
    }

    // Back in this order: the port LEDs, block keeping, the remote LEDs, supervision.
    for (std::size_t i : {3u, 2u, 1u, 0u}) {
        if (wasActive[i])
            timers[i]->start();
    }
}

void MainWindow::onSpeedUnlockClicked()
{
    CMB_PortSpeed->setEnabled(CHB_PredkoscRS232->isChecked());
}

void MainWindow::onResetPortClicked()
{
    reopenByUser();
}

// Supervision reopens a port that stopped answering every 20 s or so. A port that is gone (an
// adapter pulled out) was reported once when it went; the reopenings that follow keep quiet
// about it until the port has opened again or the fitter reopens it by hand.
void MainWindow::reopenByUser()
{
    reportedPort_.clear();
    onPortChanged();
}

// The reader thread waits while its window step runs. A box shown inside the step would keep it
// waiting (and the port-open flag raised) for as long as the box is open, while supervision's
// requests try in vain to write to the closed device; so the box comes after the step.
void MainWindow::reportPortProblem(const QString &portName, const UserMessage &message)
{
    QMetaObject::invokeMethod(
        this,
        [this, portName, message] {
            if (portName == reportedPort_)
                return;
            reportedPort_ = portName;
            showMessage(message);
        },
        Qt::QueuedConnection);
}

// ---------------------------------------------------------------------------------------------
// The reader thread's effects

void MainWindow::threadStarted()
{
    StatusBar1->setPanelText(kChecksumPanel, checksumErrorText(0));
    LedPortRsCrc->showOff();
    StatusBar1->setPanelText(kIdentificationPanel, QString());
}

void MainWindow::portOpened()
{
    StatusBar1->setPanelText(kPortPanel, linktexts::kPortOpen);
    portShownOpen_ = true;
    reportedPort_.clear();
    adviseOnLatency();
}

void MainWindow::portClosed()
{
    StatusBar1->setPanelText(kPortPanel, linktexts::kPortClosed);
    portShownOpen_ = false;
    // A port pulled out stays listed while it is open; now it may go.
    if (setup_.scanPorts)
        QMetaObject::invokeMethod(this, &MainWindow::refreshPorts, Qt::QueuedConnection);
}

void MainWindow::openFailed(Transport::OpenResult, const QString &portName, const UserMessage &message)
{
    reportPortProblem(portName, message);
}

void MainWindow::closeFailed(const QString &, int, const UserMessage &message)
{
    QMetaObject::invokeMethod(this, [this, message] { showMessage(message); }, Qt::QueuedConnection);
}

void MainWindow::deviceLost(const QString &portName, const UserMessage &message)
{
    reportPortProblem(portName, message);
}

void MainWindow::checksumError(int, const QString &text)
{
    StatusBar1->setPanelText(kChecksumPanel, text);
    LedPortRsCrc->showOn();
}

void MainWindow::rxActivity()
{
    LedPortRs232Rx->showOn();
    TimerLedRs232->setIntervalMs(kLedRs232IntervalMs);
    TimerLedRs232->start();
}

void MainWindow::txActivity()
{
    LedPortRs232Tx->showOn();
    if (!TimerLedRs232->isActive())
        TimerLedRs232->start();
}

void MainWindow::clearIdentification()
{
    StatusBar1->setPanelText(kIdentificationPanel, QString());
}

void MainWindow::setIdentification(const QString &line)
{
    StatusBar1->setPanelText(kIdentificationPanel, line);
}

void MainWindow::setTimeCounter(std::uint32_t value)
{
    state_->timeCounter = value;
}

void MainWindow::showArmed()
{
    tabs_->showArmed();
    LAB_progress->resize(kFinalStatusWidth, LAB_progress->height());
    LAB_progress->clear();
    LAB_progress->raise();
}

void MainWindow::showDisarmed()
{
    tabs_->showDisarmed();
}

void MainWindow::withdrawAccess()
{
    leaveProgrammingAccess();
    // Sent once and not awaited: the unit ends the programming session.
    link_->sendFrame(makeFrame(kUnitAddress, request::kDisconnect, kPcAddress, {}));
    state_->connected = false;
}

void MainWindow::statusReport(std::uint8_t s0, std::uint8_t s1, std::uint8_t s2, std::uint8_t s3)
{
    // The blocks configured in the settings: the lowest byte of the flags word.
    const std::uint8_t options = state_->layout.isEmpty() ? 0 : state_->image.at(state_->layout.flags);
    const MonitorUpdate update = decodeStatus(s0, s1, s2, s3, options);
    tabs_->applyMonitor(update);
    if (update.armed)
        showArmed();
    for (int i = 0; i < update.withdrawCount; ++i)
        withdrawAccess();
    if (update.startRemoteLedTimer && !TimerLedPilot->isActive()) {
        TimerLedPilot->setIntervalMs(kRemoteLedIntervalMs);
        TimerLedPilot->start();
    }
}

// ---------------------------------------------------------------------------------------------
// Timers

void MainWindow::onSupervisionTimeout()
{
    supervision_->supervisionTick();
}

void MainWindow::onRemoteLedTimeout()
{
    tabs_->darkenRemoteLeds();
    TimerLedPilot->stop();
}

void MainWindow::onBlockKeepingTimeout()
{
    supervision_->blockKeepingTick();
}

void MainWindow::onPortLedTimeout()
{
    TimerLedRs232->stop();
    LedPortRs232Tx->showOff();
    LedPortRs232Rx->showOff();
}

} // namespace alvetra
