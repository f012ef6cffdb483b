#include "ui/tabs/OptionInterlocks.h"

#include "ui/tabs/BlockTabs.h"
#include "ui/widgets/Colors.h"
#include "ui/tabs/TurnSignalsTab.h"
#include "ui/tabs/RadioGroup.h"
#include "ui/tabs/SpinEdit.h"
#include "ui/tabs/TabBuild.h"
#include "ui/tabs/CentralLocksTab.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>

namespace alvetra {

namespace {

// Every tab's panel has the same medium grey.
QColor panelColor(const QWidget *)
{
    return colors::clMedGray;
}

} // namespace

OptionInterlocks::OptionInterlocks(TurnSignalsTab &turnSignals, CentralLocksTab &centralLocks, AntiTheftTab &antiTheft,
                                   AntiHijackTab &antiHijack, QObject *parent)
    : QObject(parent), turnSignals_(turnSignals), centralLocks_(centralLocks), antiTheft_(antiTheft), antiHijack_(antiHijack)
{
    // toggled fires on every change of state, by a click or by the program.
    connect(turnSignals_.sequentialTurnSignals, &QCheckBox::toggled, this, &OptionInterlocks::onSequentialTurnSignalsClicked);
    connect(centralLocks_.centralLock, &QCheckBox::toggled, this, &OptionInterlocks::onCentralLockClicked);
    connect(centralLocks_.lockAfterIgnition, &QCheckBox::toggled, this, &OptionInterlocks::onLockAfterIgnitionClicked);
    connect(centralLocks_.extraOpenPulse, &QCheckBox::toggled, this, &OptionInterlocks::onExtraOpenPulseClicked);
    connect(centralLocks_.extraClosePulse1, &QCheckBox::toggled, this, &OptionInterlocks::onExtraClosePulse1Clicked);
    connect(centralLocks_.extraClosePulse2, &QCheckBox::toggled, this, &OptionInterlocks::onExtraClosePulse2Clicked);
    connect(antiTheft_.antiTheft, &QCheckBox::toggled, this, &OptionInterlocks::onAntiTheftClicked);
    connect(antiHijack_.antiHijack, &QCheckBox::toggled, this, &OptionInterlocks::onAntiHijackClicked);
}

void OptionInterlocks::onSequentialTurnSignalsClicked()
{
    turnSignals_.sequenceOutput->setEnabled(turnSignals_.sequentialTurnSignals->isChecked());
}

void OptionInterlocks::onCentralLockClicked()
{
    CentralLocksTab &z = centralLocks_;
    const QColor panel = panelColor(z.panel);
    if (z.centralLock->isChecked()) {
        for (QWidget *w : {static_cast<QWidget *>(z.lockSettings), static_cast<QWidget *>(z.mainPulseLength),
                           static_cast<QWidget *>(z.lockAfterIgnitionGroup),
                           static_cast<QWidget *>(z.lockAfterIgnition), static_cast<QWidget *>(z.closePulses),
                           static_cast<QWidget *>(z.openPulses), static_cast<QWidget *>(z.extraOpenPulse),
                           static_cast<QWidget *>(z.extraClosePulse1), static_cast<QWidget *>(z.extraClosePulse2),
                           static_cast<QWidget *>(z.openDiagram), static_cast<QWidget *>(z.closeDiagram)})
            w->setEnabled(true);
        // Each spin edit follows its own check box again.
        onExtraOpenPulseClicked();
        onExtraClosePulse1Clicked();
        onExtraClosePulse2Clicked();
        onLockAfterIgnitionClicked();
        return;
    }
    for (QWidget *w : {static_cast<QWidget *>(z.openDiagram), static_cast<QWidget *>(z.closeDiagram),
                       static_cast<QWidget *>(z.lockSettings), static_cast<QWidget *>(z.mainPulseLength),
                       static_cast<QWidget *>(z.extraOpenPulse), static_cast<QWidget *>(z.extraClosePulse1),
                       static_cast<QWidget *>(z.extraClosePulse2), static_cast<QWidget *>(z.lockAfterIgnition),
                       static_cast<QWidget *>(z.closePulses)})
        w->setEnabled(false);
    for (SpinEdit *s : {z.pauseAC2, z.pulseC2, z.pauseC2E2, z.pulseE2})
        setSpinUsable(s, false, panel);
    z.openPulses->setEnabled(false);
    setSpinUsable(z.pauseAC1, false, panel);
    setSpinUsable(z.pulseC1, false, panel);
    z.lockAfterIgnitionGroup->setEnabled(false);
    setSpinUsable(z.lockDelayAfterIgnition, false, panel);
}

void OptionInterlocks::onLockAfterIgnitionClicked()
{
    setSpinUsable(centralLocks_.lockDelayAfterIgnition, centralLocks_.lockAfterIgnition->isChecked(), panelColor(centralLocks_.panel));
}

void OptionInterlocks::onExtraOpenPulseClicked()
{
    const bool on = centralLocks_.extraOpenPulse->isChecked();
    setSpinUsable(centralLocks_.pauseAC1, on, panelColor(centralLocks_.panel));
    setSpinUsable(centralLocks_.pulseC1, on, panelColor(centralLocks_.panel));
}

void OptionInterlocks::onExtraClosePulse1Clicked()
{
    const bool on = centralLocks_.extraClosePulse1->isChecked();
    setSpinUsable(centralLocks_.pauseAC2, on, panelColor(centralLocks_.panel));
    setSpinUsable(centralLocks_.pulseC2, on, panelColor(centralLocks_.panel));
}

void OptionInterlocks::onExtraClosePulse2Clicked()
{
    const bool on = centralLocks_.extraClosePulse2->isChecked();
    if (on) {
        // E2 follows C2 in the pulse train, so it needs C2.
        centralLocks_.extraClosePulse1->setChecked(true);
        onExtraClosePulse1Clicked();
    }
    setSpinUsable(centralLocks_.pauseC2E2, on, panelColor(centralLocks_.panel));
    setSpinUsable(centralLocks_.pulseE2, on, panelColor(centralLocks_.panel));
}

void OptionInterlocks::onAntiTheftClicked()
{
    AntiTheftTab &a = antiTheft_;
    const bool on = a.antiTheft->isChecked();
    setSpinUsable(a.delay, on, panelColor(a.panel));
    a.delayGroup->setEnabled(on);
    a.authorisation->setEnabled(on);
    a.ignitionGroup->setEnabled(on);
    a.ignitionWhileArmedAlert->setEnabled(on);
}

void OptionInterlocks::onAntiHijackClicked()
{
    AntiHijackTab &a = antiHijack_;
    const bool on = a.antiHijack->isChecked();
    a.authorisation->setEnabled(on);
    a.delayGroup->setEnabled(on);
    setSpinUsable(a.delay, on, panelColor(a.panel));
}

} // namespace alvetra
