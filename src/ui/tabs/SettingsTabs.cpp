#include "ui/tabs/SettingsTabs.h"

#include "ui/tabs/BlockTabs.h"
#include "ui/tabs/CarSelection.h"
#include "ui/tabs/CodeEntry.h"
#include "ui/widgets/Colors.h"
#include "ui/tabs/CodesTab.h"
#include "ui/tabs/TurnSignalsTab.h"
#include "ui/tabs/ListsTabs.h"
#include "ui/tabs/LockDiagrams.h"
#include "ui/tabs/MonitorTab.h"
#include "ui/tabs/OptionInterlocks.h"
#include "ui/tabs/RadioGroup.h"
#include "ui/tabs/SpinEdit.h"
#include "ui/widgets/LedIndicator.h"
#include "ui/tabs/CentralLocksTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace alvetra {

namespace {

QColor colorOf(LedColor c)
{
    switch (c) {
    case LedColor::Lime: return colors::clLime;
    case LedColor::Red: return colors::clRed;
    case LedColor::Green: return colors::clGreen;
    case LedColor::Yellow: return colors::clYellow;
    case LedColor::Keep: break;
    }
    return {};
}

void setLabelColor(QLabel *label, const QColor &color)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, color);
    label->setPalette(p);
}

} // namespace

SettingsTabs::SettingsTabs(const std::array<QWidget *, kPageCount> &panels, QObject *parent)
    : QObject(parent),
      codes_(std::make_unique<CodesTab>(panels[kPageCodes])),
      turnSignals_(std::make_unique<TurnSignalsTab>(panels[kPageTurnSignals])),
      centralLocks_(std::make_unique<CentralLocksTab>(panels[kPageCentralLocks])),
      antiTheft_(std::make_unique<AntiTheftTab>(panels[kPageAntiTheft])),
      antiHijack_(std::make_unique<AntiHijackTab>(panels[kPageAntiHijack])),
      rearming_(std::make_unique<RearmingTab>(panels[kPageRearming])),
      history_(std::make_unique<HistoryTab>(panels[kPageHistory])),
      can_(std::make_unique<CanTab>(panels[kPageCan])),
      remotes_(std::make_unique<RemotesTab>(panels[kPageRemotes])),
      monitor_(std::make_unique<MonitorTab>(panels[kPageMonitor]))
{
    codeEntry_ = new CodeEntry(codes_->codes, this);
    interlocks_ = new OptionInterlocks(*turnSignals_, *centralLocks_, *antiTheft_, *antiHijack_, this);
    diagrams_ = new LockDiagrams(*centralLocks_, this);
    cars_ = new CarSelection(*can_, this);
    // The car selection starts switched off, as at every start of the program.
    cars_->onAlarmCanClicked();
    // The remote LEDs never blink, but their timer event is the remote-LED timer's, as on the form.
    for (MonitorLed which : MonitorTab::kRemoteLeds)
        connect(monitor_->led(which), &LedIndicator::timerTicked, this, &SettingsTabs::darkenRemoteLeds);
}

SettingsTabs::~SettingsTabs() = default;

TabValues SettingsTabs::gather() const
{
    TabValues v;
    v.programmingCode = codeEntry_->code(kSlotProgramming);
    v.antiHijackCode = codeEntry_->code(kSlotAntiHijack);
    v.antiTheftCode = codeEntry_->code(kSlotAntiTheft);
    v.emergencyCode = codeEntry_->code(kSlotEmergency);
    v.newPcPassword = codes_->newPcPassword->text();
    v.newPcPasswordRepeat = codes_->newPcPasswordRepeat->text();

    v.soundConfirmation = turnSignals_->soundConfirmation->isChecked();
    v.turnSignalConfirmation = turnSignals_->turnSignalConfirmation->isChecked();
    v.sequentialTurnSignals = turnSignals_->sequentialTurnSignals->isChecked();
    v.sequenceOutput = turnSignals_->sequenceOutput->itemIndex();
    v.turnSignalRate = turnSignals_->turnSignalRate->itemIndex();
    v.turnSignalMode = turnSignals_->turnSignalMode->itemIndex();

    const CentralLocksTab &z = *centralLocks_;
    v.centralLock = z.centralLock->isChecked();
    v.mainPulseLength = z.mainPulseLength->itemIndex();
    v.extraOpenPulse = z.extraOpenPulse->isChecked();
    v.pauseAC1 = z.pauseAC1->value();
    v.pulseC1 = z.pulseC1->value();
    v.extraClosePulse1 = z.extraClosePulse1->isChecked();
    v.extraClosePulse2 = z.extraClosePulse2->isChecked();
    v.pauseAC2 = z.pauseAC2->value();
    v.pulseC2 = z.pulseC2->value();
    v.pauseC2E2 = z.pauseC2E2->value();
    v.pulseE2 = z.pulseE2->value();
    v.lockAfterIgnition = z.lockAfterIgnition->isChecked();
    v.lockDelayAfterIgnition = z.lockDelayAfterIgnition->value();

    v.antiTheft = antiTheft_->antiTheft->isChecked();
    v.antiTheftAuthorisation = antiTheft_->authorisation->itemIndex();
    v.antiTheftDelay = antiTheft_->delay->value();
    v.ignitionWhileArmedAlert = antiTheft_->ignitionWhileArmedAlert->isChecked();

    v.antiHijack = antiHijack_->antiHijack->isChecked();
    v.antiHijackAuthorisation = antiHijack_->authorisation->itemIndex();
    v.antiHijackDelay = antiHijack_->delay->value();
    v.doorInputs = antiHijack_->doorInputs->itemIndex();

    v.rearming = rearming_->rearming->isChecked();
    v.armingDelay = rearming_->armingDelay->itemIndex();

    v.alarmCan = can_->alarmCan->isChecked();
    v.make = can_->make->currentIndex();
    v.model = can_->model->currentIndex();
    v.storedCanGroup = can_->storedCanGroup->text();
    v.chosenCanGroup = can_->chosenCanGroup->text();
    v.canIgnoreDoorSwitches = can_->canIgnoreDoorSwitches->isChecked();
    v.canIgnoreIgnition = can_->canIgnoreIgnition->isChecked();
    v.canIgnoreFactoryRemote = can_->canIgnoreFactoryRemote->isChecked();
    return v;
}

void SettingsTabs::applyFill(const TabValues &v)
{
    codeEntry_->setCode(kSlotProgramming, v.programmingCode);
    codeEntry_->setCode(kSlotAntiHijack, v.antiHijackCode);
    codeEntry_->setCode(kSlotAntiTheft, v.antiTheftCode);
    codeEntry_->setCode(kSlotEmergency, v.emergencyCode);
    applyFlagControls(v);
    interlocks_->onExtraOpenPulseClicked();
    antiTheft_->authorisation->setItemIndex(v.antiTheftAuthorisation);
    antiHijack_->authorisation->setItemIndex(v.antiHijackAuthorisation);
    applyPulseBoxes(v);
    applySpinEdits(v);
    applyCanOptions(v);
    can_->storedCanGroup->setText(v.storedCanGroup);
    can_->chosenCanGroup->setText(v.chosenCanGroup);
    runInterlockRules();
    diagrams_->resetToOverview();
}

// The flag controls in the order of their bits, from bit 19 down to bit 0. Each check box's rule
// runs as its state changes. The authorisation groups follow separately.
void SettingsTabs::applyFlagControls(const TabValues &v)
{
    turnSignals_->sequenceOutput->setItemIndex(v.sequenceOutput);
    antiTheft_->ignitionWhileArmedAlert->setChecked(v.ignitionWhileArmedAlert);
    antiHijack_->doorInputs->setItemIndex(v.doorInputs);
    centralLocks_->mainPulseLength->setItemIndex(v.mainPulseLength);
    centralLocks_->lockAfterIgnition->setChecked(v.lockAfterIgnition);
    centralLocks_->extraOpenPulse->setChecked(v.extraOpenPulse);
    centralLocks_->centralLock->setChecked(v.centralLock);
    rearming_->armingDelay->setItemIndex(v.armingDelay);
    antiHijack_->antiHijack->setChecked(v.antiHijack);
    antiTheft_->antiTheft->setChecked(v.antiTheft);
    rearming_->rearming->setChecked(v.rearming);
    turnSignals_->turnSignalMode->setItemIndex(v.turnSignalMode);
    turnSignals_->sequentialTurnSignals->setChecked(v.sequentialTurnSignals);
    turnSignals_->turnSignalRate->setItemIndex(v.turnSignalRate);
    turnSignals_->turnSignalConfirmation->setChecked(v.turnSignalConfirmation);
    turnSignals_->soundConfirmation->setChecked(v.soundConfirmation);
}

void SettingsTabs::applyPulseBoxes(const TabValues &v)
{
    centralLocks_->extraClosePulse1->setChecked(v.extraClosePulse1);
    centralLocks_->extraClosePulse2->setChecked(v.extraClosePulse2);
    interlocks_->onExtraClosePulse1Clicked();
    interlocks_->onExtraClosePulse2Clicked();
}

void SettingsTabs::applySpinEdits(const TabValues &v)
{
    centralLocks_->pauseAC1->setValue(v.pauseAC1);
    centralLocks_->pulseC1->setValue(v.pulseC1);
    centralLocks_->pauseAC2->setValue(v.pauseAC2);
    centralLocks_->pulseC2->setValue(v.pulseC2);
    centralLocks_->pauseC2E2->setValue(v.pauseC2E2);
    centralLocks_->pulseE2->setValue(v.pulseE2);
    centralLocks_->lockDelayAfterIgnition->setValue(v.lockDelayAfterIgnition);
    antiTheft_->delay->setValue(v.antiTheftDelay);
    antiHijack_->delay->setValue(v.antiHijackDelay);
}

void SettingsTabs::applyCanOptions(const TabValues &v)
{
    can_->canIgnoreDoorSwitches->setChecked(false);
    can_->canIgnoreIgnition->setChecked(false);
    can_->canIgnoreFactoryRemote->setChecked(false);
    can_->canIgnoreDoorSwitches->setChecked(v.canIgnoreDoorSwitches);
    can_->canIgnoreIgnition->setChecked(v.canIgnoreIgnition);
    can_->canIgnoreFactoryRemote->setChecked(v.canIgnoreFactoryRemote);
}

void SettingsTabs::runInterlockRules()
{
    interlocks_->onSequentialTurnSignalsClicked();
    // The after-ignition rule before the master rule, so that with central-lock control off
    // every lock spin edit ends unusable (the master rule runs it again when the control is on).
    interlocks_->onLockAfterIgnitionClicked();
    interlocks_->onCentralLockClicked();
    interlocks_->onAntiTheftClicked();
    interlocks_->onAntiHijackClicked();
}

void SettingsTabs::setHistoryRows(const std::vector<HistoryRow> &rows)
{
    QTableWidget *list = history_->historyList;
    list->setRowCount(0);
    list->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const HistoryRow &row = rows[static_cast<std::size_t>(r)];
        const QString cells[3] = {row.number, row.time, row.event};
        for (int c = 0; c < 3; ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            // The first column of a report list is always left-aligned; the others are centred.
            item->setTextAlignment(c == 0 ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignCenter);
            list->setItem(r, c, item);
        }
    }
}

void SettingsTabs::clearHistory()
{
    history_->historyList->setRowCount(0);
}

void SettingsTabs::setRemoteTexts(const RemoteAndTokenTexts &texts)
{
    for (std::size_t i = 0; i < texts.remotes.size(); ++i)
        remotes_->remoteLines[i]->setText(texts.remotes[i]);
    for (std::size_t i = 0; i < texts.tokens.size(); ++i)
        remotes_->tokenLines[i]->setText(texts.tokens[i]);
}

void SettingsTabs::setMakes(const QStringList &makes) { cars_->setMakes(makes); }
int SettingsTabs::makeCount() const { return cars_->makeCount(); }
void SettingsTabs::setCarTable(const CarTable &cars) { cars_->setCarTable(cars); }
void SettingsTabs::onAlarmCanClicked() { cars_->onAlarmCanClicked(); }
void SettingsTabs::onMakeChanged() { cars_->onMakeChanged(); }
void SettingsTabs::onModelChanged() { cars_->onModelChanged(); }

void SettingsTabs::showCanAnalysis(bool shown)
{
    can_->canAnalysisGroup->setVisible(shown);
    can_->writeCanOptionsButton->setVisible(shown);
}

void SettingsTabs::advancePressTick()
{
    codeEntry_->advancePressTick();
}

void SettingsTabs::applyMonitor(const MonitorUpdate &update)
{
    for (int i = 0; i < kMonitorLedCount; ++i) {
        const LedUpdate &u = update.leds[static_cast<std::size_t>(i)];
        LedIndicator *led = monitor_->led(static_cast<MonitorLed>(i));
        if (static_cast<MonitorLed>(i) == MonitorLed::ArmingState)
            continue;   // drawn with its label below
        if (u.color != LedColor::Keep)
            led->setTrueColor(colorOf(u.color));
        if (u.draw == LedDraw::On)
            led->showOn();
        else if (u.draw == LedDraw::Off)
            led->showOff();
    }
    if (update.armed)
        showArmed();
    else
        showDisarmed();
    monitor_->antiTheft->setText(update.antiTheft.text);
    monitor_->antiTheft->setEnabled(update.antiTheft.enabled);
    monitor_->antiHijack->setText(update.antiHijack.text);
    monitor_->antiHijack->setEnabled(update.antiHijack.enabled);
    monitor_->relay->setText(update.relay);
}

void SettingsTabs::showDisarmed()
{
    setLabelColor(monitor_->armingState, colors::clGreen);
    monitor_->armingState->setText(statustexts::kDisarmedText);
    monitor_->armingState->repaint();
    monitor_->led(MonitorLed::ArmingState)->setTrueColor(colors::clLime);
    monitor_->led(MonitorLed::ArmingState)->showOn();
}

void SettingsTabs::showArmed()
{
    setLabelColor(monitor_->armingState, colors::clRed);
    monitor_->armingState->setText(statustexts::kArmedText);
    monitor_->armingState->repaint();
    monitor_->led(MonitorLed::ArmingState)->setTrueColor(colors::clRed);
    monitor_->led(MonitorLed::ArmingState)->showOn();
}

void SettingsTabs::darkenRemoteLeds()
{
    for (MonitorLed which : MonitorTab::kRemoteLeds)
        monitor_->led(which)->showOff();
}

void SettingsTabs::setDiagramFolder(const QString &folder)
{
    diagrams_->setFolder(folder);
}

} // namespace alvetra
