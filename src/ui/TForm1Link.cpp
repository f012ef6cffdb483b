// The main window over the serial link: the port controls, the reader thread's effects on the
// window, the supervision timers and the handlers of the alarm operations.

#include "TForm1.h"

#include "ActionButtonLink.h"
#include "AlarmOperations.h"
#include "DeferredErrors.h"
#include "HandlerError.h"
#include "LinkMessages.h"
#include "LinkTexts.h"
#include "OperationState.h"
#include "SerialLink.h"
#include "SerialUnitLink.h"
#include "SettingsTabs.h"
#include "StatusDecoder.h"
#include "StatusLine.h"
#include "Supervision.h"
#include "ThhALed.h"
#include "Wait.h"
#include "WindowOperationView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QScopeGuard>
#include <QTabWidget>
#include <QToolButton>

namespace alvetra {

namespace {

constexpr int kPortPanel = 0;
constexpr int kChecksumPanel = 1;
constexpr int kIdentificationPanel = 2;
constexpr int kLedRs232IntervalMs = 100;
constexpr int kLedPilotIntervalMs = 2000;

// The disconnect request as a bare frame: no data, length 2.

} // namespace

void TForm1::buildLink()
{
    state_ = std::make_unique<OperationState>();
    opsConfig_ = std::make_unique<OperationConfig>();
    opsConfig_->dataFolder = setup_.programFolder;
    if (setup_.clock)
        opsConfig_->clock = setup_.clock;
    SerialLink::TransportFactory transports = setup_.transports ? setup_.transports : SerialLink::serialPorts();
    link_ = std::make_unique<SerialLink>(state_->image, static_cast<LinkEvents &>(*this), std::move(transports));
    supervision_ = std::make_unique<Supervision>(
        *link_, *TimerTimeOutConnected,
        Supervision::Hooks{[this] { return PGC_Programator->currentIndex(); }, [this] { CMB_portChange(); },
                           [this] { tabs_->advancePressTick(); }});
    unitLink_ = std::make_unique<SerialUnitLink>(*link_);
    view_ = std::make_unique<WindowOperationView>(*this);
    ops_ = std::make_unique<AlarmOperations>(*view_, *unitLink_, *state_, *opsConfig_);
    if (!setup_.reportError) {
        setup_.reportError = [this](std::exception_ptr error) { showMessage(handlerErrorMessage(error)); };
    }
}

void TForm1::runOperation(void (AlarmOperations::*handler)())
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
    try {
        ((*ops_).*handler)();
    } catch (...) {
        error = std::current_exception();
    }
    for (std::size_t i = 0; i < std::size(portControls); ++i)
        portControls[i]->setEnabled(wasEnabled[i]);
    // The operation's guards have given the rest of the window back by now.
    if (error)
        setup_.reportError(error);
}

// ---------------------------------------------------------------------------------------------
// Port controls

void TForm1::CMB_portChange()
{
    // A change asked for while this one waits for the old reader to end (the fitter clicking
    // again, supervision) would open a port under it: the waiting change would then wait in vain
    // for a port that is open again and report a reset failure. The running change opens the
    // selection as it is once the old reader has gone.
    if (portChanging_)
        return;
    portChanging_ = true;
    const auto done = qScopeGuard([this] { portChanging_ = false; });

    ScaledTimer *const timers[] = {TimerTimeOutConnected, TimerLedPilot, TimerPdtrzymujBlokadeBlokad, TimerLedRs232};
    bool wasActive[std::size(timers)];
    for (std::size_t i = 0; i < std::size(timers); ++i) {
        wasActive[i] = timers[i]->isActive();
        timers[i]->stop();
    }

    const int stopped = link_->StopReaderThread(SerialLink::kStopLimitMs);
    if (stopped == SerialLink::kStopped) {
        // No selection in either box: nothing to open.
        const QString portName = CMB_port->currentIndex() >= 0 ? CMB_port->currentText() : QString();
        link_->open(portName, CMB_PortSpeed->currentIndex());
    } else if (stopped == SerialLink::kLimitReached) {
        showMessage(resetFailureMessage());
    }

    // Back in this order: the port LEDs, block keeping, the remote LEDs, supervision.
    for (std::size_t i : {3u, 2u, 1u, 0u}) {
        if (wasActive[i])
            timers[i]->start();
    }
}

void TForm1::CHB_PredkoscRS232Click()
{
    CMB_PortSpeed->setEnabled(CHB_PredkoscRS232->isChecked());
}

void TForm1::TOB_ResetRS232Click()
{
    reopenByUser();
}

// Supervision reopens a port that stopped answering every 20 s or so. A port that is gone (an
// adapter pulled out) was reported once when it went; the reopenings that follow keep quiet
// about it until the port has opened again or the fitter reopens it by hand.
void TForm1::reopenByUser()
{
    reportedPort_.clear();
    CMB_portChange();
}

// The reader thread waits while its window step runs. A box shown inside the step would keep it
// waiting (and the port-open flag raised) for as long as the box is open, while supervision's
// requests try in vain to write to the closed device; so the box comes after the step.
void TForm1::reportPortProblem(const QString &portName, const UserMessage &message)
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

void TForm1::threadStarted()
{
    StatusBar1->setPanelText(kChecksumPanel, checksumErrorText(0));
    LedPortRsCrc->ShowOff();
    StatusBar1->setPanelText(kIdentificationPanel, QString());
}

void TForm1::portOpened()
{
    StatusBar1->setPanelText(kPortPanel, linktexts::kPortOpen);
    reportedPort_.clear();
}

void TForm1::portClosed()
{
    StatusBar1->setPanelText(kPortPanel, linktexts::kPortClosed);
}

void TForm1::openFailed(Transport::OpenResult, const QString &portName, const UserMessage &message)
{
    reportPortProblem(portName, message);
}

void TForm1::closeFailed(const QString &, int, const UserMessage &message)
{
    QMetaObject::invokeMethod(this, [this, message] { showMessage(message); }, Qt::QueuedConnection);
}

void TForm1::deviceLost(const QString &portName, const UserMessage &message)
{
    reportPortProblem(portName, message);
}

void TForm1::checksumError(int, const QString &text)
{
    StatusBar1->setPanelText(kChecksumPanel, text);
    LedPortRsCrc->ShowOn();
}

void TForm1::rxActivity()
{
    LedPortRs232Rx->ShowOn();
    TimerLedRs232->setIntervalMs(kLedRs232IntervalMs);
    TimerLedRs232->start();
}

void TForm1::txActivity()
{
    LedPortRs232Tx->ShowOn();
    if (!TimerLedRs232->isActive())
        TimerLedRs232->start();
}

void TForm1::clearIdentification()
{
    StatusBar1->setPanelText(kIdentificationPanel, QString());
}

void TForm1::setIdentification(const QString &line)
{
    StatusBar1->setPanelText(kIdentificationPanel, line);
}

void TForm1::setTimeCounter(std::uint32_t value)
{
    state_->timeCounter = value;
}

void TForm1::showArmed()
{
    tabs_->ShowArmed();
    LAB_progress->resize(kFinalStatusWidth, LAB_progress->height());
    LAB_progress->clear();
    LAB_progress->raise();
}

void TForm1::showDisarmed()
{
    tabs_->ShowDisarmed();
}

void TForm1::withdrawAccess()
{
    LeaveProgrammingAccess();
    // Sent once and not awaited: the unit ends the programming session.
    link_->SendFrame(makeFrame(kUnitAddress, request::kDisconnect, kPcAddress, {}));
    state_->connected = false;
}

void TForm1::statusReport(std::uint8_t s0, std::uint8_t s1, std::uint8_t s2, std::uint8_t s3)
{
    // The blocks configured in the settings: the lowest byte of the flags word.
    const std::uint8_t options = state_->layout.isEmpty() ? 0 : state_->image.at(state_->layout.flags);
    const MonitorUpdate update = decodeStatus(s0, s1, s2, s3, options);
    tabs_->applyMonitor(update);
    if (update.armed)
        showArmed();
    for (int i = 0; i < update.withdrawCount; ++i)
        withdrawAccess();
    if (update.startPilotTimer && !TimerLedPilot->isActive()) {
        TimerLedPilot->setIntervalMs(kLedPilotIntervalMs);
        TimerLedPilot->start();
    }
}

// ---------------------------------------------------------------------------------------------
// Timers

void TForm1::TimerTimeOutConnectedTimer()
{
    supervision_->TimerTimeOutConnectedTimer();
}

void TForm1::TimerLedPilotTimer()
{
    tabs_->darkenRemoteLeds();
    TimerLedPilot->stop();
}

void TForm1::TimerPdtrzymujBlokadeBlokadTimer()
{
    supervision_->TimerPdtrzymujBlokadeBlokadTimer();
}

void TForm1::TimerLedRs232Timer()
{
    TimerLedRs232->stop();
    LedPortRs232Tx->ShowOff();
    LedPortRs232Rx->ShowOff();
}

// ---------------------------------------------------------------------------------------------
// Connection panel and actions: the alarm operations

void TForm1::BITBTN_PolaczClick() { runOperation(&AlarmOperations::BITBTN_PolaczClick); }
void TForm1::BITBTN_ZapisAllClick() { runOperation(&AlarmOperations::BITBTN_ZapisAllClick); }
void TForm1::ActionZapisKodowExecute() { runOperation(&AlarmOperations::ActionZapisKodowExecute); }
void TForm1::ActionZapisKierunkiExecute() { runOperation(&AlarmOperations::ActionZapisKierunkiExecute); }
void TForm1::ActionZapisZamkiExecute() { runOperation(&AlarmOperations::ActionZapisZamkiExecute); }
void TForm1::ActionZapisAntykradziezExecute() { runOperation(&AlarmOperations::ActionZapisAntykradziezExecute); }
void TForm1::ActionZapisAntynapadExecute() { runOperation(&AlarmOperations::ActionZapisAntynapadExecute); }
void TForm1::ActionZapisOgolneExecute() { runOperation(&AlarmOperations::ActionZapisOgolneExecute); }
void TForm1::ActionZapisCanExecute() { runOperation(&AlarmOperations::ActionZapisCanExecute); }
void TForm1::ActionKasowanieHistoriiExecute() { runOperation(&AlarmOperations::ActionKasowanieHistoriiExecute); }
void TForm1::ActionZapisHaslaPCExecute() { runOperation(&AlarmOperations::ActionZapisHaslaPCExecute); }
void TForm1::ActionProgPilotExecute() { runOperation(&AlarmOperations::ActionProgPilotExecute); }
void TForm1::ActionProgTokenExecute() { runOperation(&AlarmOperations::ActionProgTokenExecute); }
void TForm1::ActionKasowaniePilotowExecute() { runOperation(&AlarmOperations::ActionKasowaniePilotowExecute); }
void TForm1::ActionKasowanieTokenowExecute() { runOperation(&AlarmOperations::ActionKasowanieTokenowExecute); }
void TForm1::ActionZapisCanSygExecute() { runOperation(&AlarmOperations::ActionZapisCanSygExecute); }
void TForm1::ActionOdczytUstawienAlarmuExecute() { runOperation(&AlarmOperations::ActionOdczytUstawienAlarmuExecute); }
void TForm1::ActionOpenSettingsExecute() { runOperation(&AlarmOperations::ActionOpenSettingsExecute); }
void TForm1::ActionSaveAllSettingsExecute() { runOperation(&AlarmOperations::ActionSaveAllSettingsExecute); }

} // namespace alvetra
