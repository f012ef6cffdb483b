#include "SettingsTabs.h"

#include "BlokadyTabs.h"
#include "CarSelection.h"
#include "CodeEntry.h"
#include "Colors.h"
#include "HaslaTab.h"
#include "KierunkiTab.h"
#include "ListsTabs.h"
#include "LockDiagrams.h"
#include "MonitorTab.h"
#include "OptionInterlocks.h"
#include "RadioGroup.h"
#include "SpinEdit.h"
#include "ThhALed.h"
#include "ZamkiTab.h"

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
      hasla_(std::make_unique<HaslaTab>(panels[kPageHasla])),
      kierunki_(std::make_unique<KierunkiTab>(panels[kPageKierunkiPotw])),
      zamki_(std::make_unique<ZamkiTab>(panels[kPageZamki])),
      antykradziez_(std::make_unique<AntykradziezTab>(panels[kPageAntykradziez])),
      antynapad_(std::make_unique<AntynapadTab>(panels[kPageAntynapad])),
      ogolne_(std::make_unique<OgolneTab>(panels[kPageOgolne])),
      historia_(std::make_unique<HistoriaTab>(panels[kPageHistoria])),
      can_(std::make_unique<CanTab>(panels[kPageSamochodCan])),
      piloty_(std::make_unique<PilotyTab>(panels[kPagePiloty])),
      monitor_(std::make_unique<MonitorTab>(panels[kPageMonitor]))
{
    codeEntry_ = new CodeEntry(hasla_->codes, this);
    interlocks_ = new OptionInterlocks(*kierunki_, *zamki_, *antykradziez_, *antynapad_, this);
    diagrams_ = new LockDiagrams(*zamki_, this);
    cars_ = new CarSelection(*can_, this);
    // The car selection starts switched off, as at every start of the program.
    cars_->CKB_AlarmCanClick();
    // The remote LEDs never blink, but their timer event is the pilot timer's, as on the form.
    for (MonitorLed which : MonitorTab::kRemoteLeds)
        connect(monitor_->led(which), &ThhALed::OnTimer, this, &SettingsTabs::darkenRemoteLeds);
}

SettingsTabs::~SettingsTabs() = default;

TabValues SettingsTabs::gather() const
{
    TabValues v;
    v.kodInst = codeEntry_->code(kSlotInst);
    v.kodKidnaper = codeEntry_->code(kSlotKidnaper);
    v.kodAntykradziez = codeEntry_->code(kSlotAntykradziez);
    v.kodIAwarja = codeEntry_->code(kSlotIAwarja);
    v.kodProg1 = hasla_->kodProg1->text();
    v.kodProg2 = hasla_->kodProg2->text();

    v.sygnalDzwiekowyPotwierdzenie = kierunki_->sygnalDzwiekowy->isChecked();
    v.sygnalKierunkiPotwierdzenie = kierunki_->sygnalKierunki->isChecked();
    v.kierunkiSekwencjaOn = kierunki_->sekwencjaOn->isChecked();
    v.sekwencjaWyjscie = kierunki_->sekwencjaWyjscie->itemIndex();
    v.kierunki1_2Hz = kierunki_->kierunki1_2Hz->itemIndex();
    v.kierunkiNaprzemienne = kierunki_->kierunkiNaprzemienne->itemIndex();

    const ZamkiTab &z = *zamki_;
    v.zamekSterowanieOn = z.sterowanieOn->isChecked();
    v.zamekCzasImpulsuGlownego = z.czasImpulsuGlownego->itemIndex();
    v.dodatkowyOtworz = z.dodatkowyOtworz->isChecked();
    v.przerwaOtworz = z.przerwaOtworz->value();
    v.sygnalOtworz = z.sygnalOtworz->value();
    v.dodatkowyZamknij1 = z.dodatkowyZamknij1->isChecked();
    v.dodatkowyZamknij2 = z.dodatkowyZamknij2->isChecked();
    v.przerwa1Zamknij = z.przerwa1Zamknij->value();
    v.sygnal1Zamknij = z.sygnal1Zamknij->value();
    v.przerwa2Zamknij = z.przerwa2Zamknij->value();
    v.sygnal2Zamknij = z.sygnal2Zamknij->value();
    v.zamykaniePoStacyjce = z.zamykaniePoStacyjce->isChecked();
    v.czasPoStacyjce = z.czasPoStacyjce->value();

    v.antykradziez = antykradziez_->antykradziez->isChecked();
    v.antykradziezAutoryzacja = antykradziez_->autoryzacja->itemIndex();
    v.czasZwlokiAntykradziez = antykradziez_->czasZwloki->value();
    v.antykradziezStacyjkaOn = antykradziez_->stacyjkaOn->isChecked();

    v.antynapad = antynapad_->antynapad->isChecked();
    v.antynapadAutoryzacja = antynapad_->autoryzacja->itemIndex();
    v.czasZwlokiAntynapad = antynapad_->czasZwloki->value();
    v.przewodKier = antynapad_->przewodKier->itemIndex();

    v.dozbrajanie = ogolne_->dozbrajanie->isChecked();
    v.uzbrajanie5_30sek = ogolne_->uzbrajanie5_30sek->itemIndex();

    v.alarmCan = can_->alarmCan->isChecked();
    v.marka = can_->marka->currentIndex();
    v.model = can_->model->currentIndex();
    v.nrGrupy = can_->nrGrupy->text();
    v.nrGrupyWybrany = can_->nrGrupyWybrany->text();
    v.alarmCanWylaczKrancowke = can_->wylaczKrancowke->isChecked();
    v.alarmCanWylaczStacyjke = can_->wylaczStacyjke->isChecked();
    v.alarmCanWylaczPilot = can_->wylaczPilot->isChecked();
    return v;
}

void SettingsTabs::applyFill(const TabValues &v)
{
    codeEntry_->setCode(kSlotInst, v.kodInst);
    codeEntry_->setCode(kSlotKidnaper, v.kodKidnaper);
    codeEntry_->setCode(kSlotAntykradziez, v.kodAntykradziez);
    codeEntry_->setCode(kSlotIAwarja, v.kodIAwarja);
    applyFlagControls(v);
    interlocks_->CKB_DodatkowyOtworzClick();
    antykradziez_->autoryzacja->setItemIndex(v.antykradziezAutoryzacja);
    antynapad_->autoryzacja->setItemIndex(v.antynapadAutoryzacja);
    applyPulseBoxes(v);
    applySpinEdits(v);
    applyCanOptions(v);
    can_->nrGrupy->setText(v.nrGrupy);
    can_->nrGrupyWybrany->setText(v.nrGrupyWybrany);
    runInterlockRules();
    diagrams_->resetToOverview();
}

// The flag controls in the order of their bits, from bit 19 down to bit 0. Each check box's rule
// runs as its state changes. The authorisation groups follow separately.
void SettingsTabs::applyFlagControls(const TabValues &v)
{
    kierunki_->sekwencjaWyjscie->setItemIndex(v.sekwencjaWyjscie);
    antykradziez_->stacyjkaOn->setChecked(v.antykradziezStacyjkaOn);
    antynapad_->przewodKier->setItemIndex(v.przewodKier);
    zamki_->czasImpulsuGlownego->setItemIndex(v.zamekCzasImpulsuGlownego);
    zamki_->zamykaniePoStacyjce->setChecked(v.zamykaniePoStacyjce);
    zamki_->dodatkowyOtworz->setChecked(v.dodatkowyOtworz);
    zamki_->sterowanieOn->setChecked(v.zamekSterowanieOn);
    ogolne_->uzbrajanie5_30sek->setItemIndex(v.uzbrajanie5_30sek);
    antynapad_->antynapad->setChecked(v.antynapad);
    antykradziez_->antykradziez->setChecked(v.antykradziez);
    ogolne_->dozbrajanie->setChecked(v.dozbrajanie);
    kierunki_->kierunkiNaprzemienne->setItemIndex(v.kierunkiNaprzemienne);
    kierunki_->sekwencjaOn->setChecked(v.kierunkiSekwencjaOn);
    kierunki_->kierunki1_2Hz->setItemIndex(v.kierunki1_2Hz);
    kierunki_->sygnalKierunki->setChecked(v.sygnalKierunkiPotwierdzenie);
    kierunki_->sygnalDzwiekowy->setChecked(v.sygnalDzwiekowyPotwierdzenie);
}

void SettingsTabs::applyPulseBoxes(const TabValues &v)
{
    zamki_->dodatkowyZamknij1->setChecked(v.dodatkowyZamknij1);
    zamki_->dodatkowyZamknij2->setChecked(v.dodatkowyZamknij2);
    interlocks_->CKB_DodatkowyZamknij1Click();
    interlocks_->CKB_DodatkowyZamknij2Click();
}

void SettingsTabs::applySpinEdits(const TabValues &v)
{
    zamki_->przerwaOtworz->setValue(v.przerwaOtworz);
    zamki_->sygnalOtworz->setValue(v.sygnalOtworz);
    zamki_->przerwa1Zamknij->setValue(v.przerwa1Zamknij);
    zamki_->sygnal1Zamknij->setValue(v.sygnal1Zamknij);
    zamki_->przerwa2Zamknij->setValue(v.przerwa2Zamknij);
    zamki_->sygnal2Zamknij->setValue(v.sygnal2Zamknij);
    zamki_->czasPoStacyjce->setValue(v.czasPoStacyjce);
    antykradziez_->czasZwloki->setValue(v.czasZwlokiAntykradziez);
    antynapad_->czasZwloki->setValue(v.czasZwlokiAntynapad);
}

void SettingsTabs::applyCanOptions(const TabValues &v)
{
    can_->wylaczKrancowke->setChecked(false);
    can_->wylaczStacyjke->setChecked(false);
    can_->wylaczPilot->setChecked(false);
    can_->wylaczKrancowke->setChecked(v.alarmCanWylaczKrancowke);
    can_->wylaczStacyjke->setChecked(v.alarmCanWylaczStacyjke);
    can_->wylaczPilot->setChecked(v.alarmCanWylaczPilot);
}

void SettingsTabs::runInterlockRules()
{
    interlocks_->CKB_KierunkiSekwencjaOnClick();
    // The after-ignition rule before the master rule, so that with central-lock control off
    // every lock spin edit ends unusable (the master rule runs it again when the control is on).
    interlocks_->CKB_ZamykaniePoStacyjceClick();
    interlocks_->CKB_ZamekSterowanieOnClick();
    interlocks_->CKB_AntykradziezClick();
    interlocks_->CKB_AntynapadClick();
}

void SettingsTabs::setHistoryRows(const std::vector<HistoryRow> &rows)
{
    QTableWidget *list = historia_->historia;
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
    historia_->historia->setRowCount(0);
}

void SettingsTabs::setRemoteTexts(const RemoteAndTokenTexts &texts)
{
    for (std::size_t i = 0; i < texts.remotes.size(); ++i)
        piloty_->piloty[i]->setText(texts.remotes[i]);
    for (std::size_t i = 0; i < texts.tokens.size(); ++i)
        piloty_->tokeny[i]->setText(texts.tokens[i]);
}

void SettingsTabs::setMakes(const QStringList &makes) { cars_->setMakes(makes); }
int SettingsTabs::makeCount() const { return cars_->makeCount(); }
void SettingsTabs::setCarTable(const CarTable &cars) { cars_->setCarTable(cars); }
void SettingsTabs::CKB_AlarmCanClick() { cars_->CKB_AlarmCanClick(); }
void SettingsTabs::CMB_MarkaChange() { cars_->CMB_MarkaChange(); }
void SettingsTabs::CMB_ModelChange() { cars_->CMB_ModelChange(); }

void SettingsTabs::showCanAnalysis(bool shown)
{
    can_->pomijanieLinii->setVisible(shown);
    can_->zapisCanSyg->setVisible(shown);
}

void SettingsTabs::advancePressTick()
{
    codeEntry_->advancePressTick();
}

void SettingsTabs::applyMonitor(const MonitorUpdate &update)
{
    for (int i = 0; i < kMonitorLedCount; ++i) {
        const LedUpdate &u = update.leds[static_cast<std::size_t>(i)];
        ThhALed *led = monitor_->led(static_cast<MonitorLed>(i));
        if (static_cast<MonitorLed>(i) == MonitorLed::StanAlarmu)
            continue;   // drawn with its label below
        if (u.color != LedColor::Keep)
            led->setTrueColor(colorOf(u.color));
        if (u.draw == LedDraw::On)
            led->ShowOn();
        else if (u.draw == LedDraw::Off)
            led->ShowOff();
    }
    if (update.armed)
        ShowArmed();
    else
        ShowDisarmed();
    monitor_->antykradziez->setText(update.antykradziez.text);
    monitor_->antykradziez->setEnabled(update.antykradziez.enabled);
    monitor_->antynapad->setText(update.antynapad.text);
    monitor_->antynapad->setEnabled(update.antynapad.enabled);
    monitor_->przekaznik->setText(update.przekaznik);
}

void SettingsTabs::ShowDisarmed()
{
    setLabelColor(monitor_->stanAlarmu, colors::clGreen);
    monitor_->stanAlarmu->setText(statustexts::kAlarmRozbrojony);
    monitor_->stanAlarmu->repaint();
    monitor_->led(MonitorLed::StanAlarmu)->setTrueColor(colors::clLime);
    monitor_->led(MonitorLed::StanAlarmu)->ShowOn();
}

void SettingsTabs::ShowArmed()
{
    setLabelColor(monitor_->stanAlarmu, colors::clRed);
    monitor_->stanAlarmu->setText(statustexts::kAlarmUzbrojony);
    monitor_->stanAlarmu->repaint();
    monitor_->led(MonitorLed::StanAlarmu)->setTrueColor(colors::clRed);
    monitor_->led(MonitorLed::StanAlarmu)->ShowOn();
}

void SettingsTabs::darkenRemoteLeds()
{
    for (MonitorLed which : MonitorTab::kRemoteLeds)
        monitor_->led(which)->ShowOff();
}

void SettingsTabs::setDiagramFolder(const QString &folder)
{
    diagrams_->setFolder(folder);
}

} // namespace alvetra
