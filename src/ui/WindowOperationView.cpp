#include "ui/WindowOperationView.h"

#include "ui/ActionButtonLink.h"
#include "link/SerialLink.h"
#include "ui/tabs/SettingsTabs.h"
#include "ui/StatusLine.h"
#include "ui/MainWindow.h"
#include "link/Wait.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>

namespace alvetra {

namespace {

// A port opens, or fails to, within milliseconds; an adapter's driver that hangs in its open is
// not waited for longer than this (real milliseconds: the driver's time is not the protocol's).
constexpr int kPortSettleLimitMs = 5000;
constexpr int kPortSettleTickMs = 50;

} // namespace

bool WindowOperationView::pauseSupervision()
{
    const bool running = w_.TimerTimeOutConnected->isActive();
    w_.TimerTimeOutConnected->stop();
    return running;
}

void WindowOperationView::restoreSupervision(bool running)
{
    if (running)
        w_.TimerTimeOutConnected->start();
    else
        w_.TimerTimeOutConnected->stop();
}

void WindowOperationView::setBlockKeeping(bool running)
{
    if (running)
        w_.TimerPdtrzymujBlokadeBlokad->start();
    else
        w_.TimerPdtrzymujBlokadeBlokad->stop();
}

void WindowOperationView::enableOperations(bool enabled)
{
    w_.enableOperations(enabled);
}

void WindowOperationView::enableFileActions()
{
    for (QAction *action : {w_.ActionOpenSettings, w_.ActionSaveAllSettings, w_.ActionZamykanieAplikacji, w_.ActionReadPdf,
                            w_.ActionKopieZapasowe})
        action->setEnabled(true);
}

void WindowOperationView::setPageControlEnabled(bool enabled)
{
    w_.PGC_Programator->setEnabled(enabled);
}

void WindowOperationView::setProgrammingAccess(bool granted)
{
    w_.setProgrammingAccess(granted);
}

void WindowOperationView::selectPage(int index)
{
    w_.PGC_Programator->setCurrentIndex(index);
}

void WindowOperationView::showConnectedButtons(bool connected)
{
    w_.BITBTN_Polacz->setVisible(!connected);
    w_.BITBTN_ZapisAll->setVisible(connected);
    w_.BITBTN_ZapisAll->setEnabled(connected);
    if (connected) {
        w_.BITBTN_ZapisAll->raise();
        w_.ActionOpenSettings->setEnabled(true);
        w_.ActionSaveAllSettings->setEnabled(true);
    }
    w_.saveFileLink_->setGateOpen(connected);
}

void WindowOperationView::setConnectButtonEnabled(bool enabled)
{
    w_.BITBTN_Polacz->setEnabled(enabled);
}

void WindowOperationView::showStatus(const QString &text, int width, StatusColour colour)
{
    const QColor color = colour == StatusColour::Red ? QColor(Qt::red) : w_.palette().color(QPalette::WindowText);
    w_.showStatus(text, width, color);
}

void WindowOperationView::beginProgress(const QString &text, int steps)
{
    w_.beginProgress(text, steps);
}

void WindowOperationView::stepProgress()
{
    w_.ProgressBar1->setValue(w_.ProgressBar1->value() + 1);
}

void WindowOperationView::hideProgress()
{
    w_.ProgressBar1->hide();
}

void WindowOperationView::showMessage(const UserMessage &message)
{
    w_.showMessage(message);
}

QString WindowOperationView::identificationLine() const
{
    return w_.StatusBar1->panelText(kIdentificationPanel);
}

QString WindowOperationView::accessPassword() const
{
    return w_.ED_HasloInst->text();
}

void WindowOperationView::setAccessPassword(const QString &password)
{
    w_.ED_HasloInst->setText(password);
}

void WindowOperationView::reopenPort()
{
    w_.onPortChanged();
    // The new reader thread opens the port on its own: wait until it has or has given up, so
    // that the operation knows which. How long that takes is the system's business, however
    // busy the machine.
    QTimer tick;   // looks at the clock while nothing else happens
    tick.start(kPortSettleTickMs);
    QElapsedTimer waited;
    waited.start();
    while (w_.link_->portOpening() && !applicationTerminating() && waited.elapsed() < kPortSettleLimitMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

TabValues WindowOperationView::gatherValues() const
{
    return w_.tabs_->gather();
}

void WindowOperationView::applyFill(const FillResult &fill)
{
    w_.tabs_->setHistoryRows(fill.history);
    w_.tabs_->setRemoteTexts(fill.remotes);
    w_.tabs_->applyFill(fill.values);
}

void WindowOperationView::clearPcPasswordEdits()
{
    for (const char *name : {"ED_KodProg1", "ED_KodProg2"}) {
        if (auto *edit = w_.PGC_Programator->findChild<QLineEdit *>(QString::fromLatin1(name)))
            edit->clear();
    }
}

void WindowOperationView::showCanAnalysis(bool shown)
{
    w_.tabs_->showCanAnalysis(shown);
}

bool WindowOperationView::canAnalysisShown() const
{
    const auto *group = w_.PGC_Programator->findChild<QWidget *>(QStringLiteral("GB_PomijanieLiniiNaCan"));
    return group && !group->isHidden();
}

int WindowOperationView::makeCount() const
{
    return w_.tabs_->makeCount();
}

void WindowOperationView::setCarDatabase(const QStringList &makes, const CarTable &cars)
{
    w_.tabs_->setCarTable(cars);
    w_.tabs_->setMakes(makes);
}

void WindowOperationView::setDialogDefaults(const DialogDefaults &defaults)
{
    w_.setDialogDefaults(defaults.defaultExtension, defaults.filter);
}

QString WindowOperationView::visibleTab() const
{
    return w_.visibleSettingsTab();
}

bool WindowOperationView::confirmChanges(const std::vector<SettingDifference> &changes)
{
    return w_.confirmChanges(changes);
}

} // namespace alvetra
