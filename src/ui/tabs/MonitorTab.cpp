#include "ui/tabs/MonitorTab.h"

#include "ui/widgets/Colors.h"
#include "ui/tabs/TabBuild.h"
#include "ui/tabs/TabTexts.h"
#include "ui/widgets/LedIndicator.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace alvetra {

namespace {

enum Place { kMiddle, kInputs, kRemote, kCan };

struct LedRow {
    MonitorLed which;
    const char *ledName;
    LedIndicator::LedStyle style;
    const QColor &color;
    const char *labelName;
    const QString &text;
    Place place;
};

QLabel **labelSlot(MonitorTab &tab, MonitorLed which)
{
    switch (which) {
    case MonitorLed::ArmingState: return &tab.armingState;
    case MonitorLed::AntiHijackActive: return &tab.antiHijack;
    case MonitorLed::AntiTheftActive: return &tab.antiTheft;
    case MonitorLed::Service: return &tab.service;
    case MonitorLed::Relay: return &tab.relay;
    default: return nullptr;
    }
}

} // namespace

MonitorTab::MonitorTab(QWidget *panel)
{
    namespace t = tabtexts;
    using L = MonitorLed;
    constexpr auto large = LedIndicator::LEDLarge;
    constexpr auto small = LedIndicator::LEDSqSmall;
    const LedRow rows[] = {
        {L::ArmingState, "LedStanAlarmu", large, colors::clLime, "LAB_StanAlarmu", t::kArmingStateLabel, kMiddle},
        {L::AntiHijackActive, "LedAktywnyKidnaper", large, colors::clLime, "LAB_antynapad", t::kLabAntynapad, kMiddle},
        {L::AntiTheftActive, "LedAktywnaBlokada", large, colors::clLime, "LAB_antykradziez", t::kLabAntykradziez, kMiddle},
        {L::Service, "LedSerwis", large, colors::clRed, "LAB_serwis", t::kSerwis, kMiddle},
        {L::Relay, "LedPrzekaznik", large, colors::clRed, "LAB_przekaznik", t::kPrzekaznik, kMiddle},
        {L::Ignition, "LedStacyjka", small, colors::clRed, "Label1", t::kLedStacyjka, kInputs},
        {L::DoorSwitch, "LedKrancowka", small, colors::clLime, "Label2", t::kLedKrancowka, kInputs},
        {L::DriverDoor, "LedKracowkaKier", small, colors::clLime, "Label3", t::kDriverDoorLedText, kInputs},
        {L::UltrasonicSensor, "LedCzujnik", small, colors::clLime, "Label4", t::kLedCzujnik, kInputs},
        {L::BootBlockWire, "LedBagaznikBlokada", small, colors::clRed, "Label5", t::kLedBagaznikBlokada, kInputs},
        {L::Button, "LedPrzycisk", small, colors::clLime, "Label17", t::kLedPrzycisk, kInputs},
        {L::CanRx, "LedCanRx", small, colors::clLime, "Label21", t::kLedCanRx, kInputs},
        {L::RadioRx, "LedRadioRx", small, colors::clLime, "Label23", t::kLedRadioRx, kInputs},
        {L::SirenShort, "LedDiagSyr", small, colors::clRed, "Label20", t::kLedDiagSyr, kInputs},
        {L::RemoteButton1, "LedPilotP1", small, colors::clLime, "Label8", t::kLedPilotP1, kRemote},
        {L::RemoteButton2, "LedPilotP2", small, colors::clLime, "Label7", t::kLedPilotP2, kRemote},
        {L::RemoteButton3, "LedPilotP3", small, colors::clLime, "Label13", t::kLedPilotP3, kRemote},
        {L::RemoteButton4, "LedPilotP4", small, colors::clLime, "Label16", t::kLedPilotP4, kRemote},
        {L::LowRemoteBattery, "LedPilotBateria", small, colors::clRed, "Label9", t::kLedPilotBateria, kRemote},
        {L::CanIgnition, "LedStacyjkaCan", small, colors::clRed, "Label14", t::kLedStacyjka, kCan},
        {L::CanDoor, "LedKrancowkaCan", small, colors::clLime, "Label15", t::kLedKrancowka, kCan},
        {L::CanTurnSignals, "LedCanKier", small, colors::clYellow, "Label6", t::kLedCanKier, kCan},
        {L::CarRemoteUnlock, "LedCanRozb", small, colors::clLime, "Label10", t::kLedCanRozb, kCan},
        {L::CarRemoteLock, "LedCanUzb", small, colors::clLime, "Label11", t::kLedCanUzb, kCan},
        {L::CarRemoteBoot, "LedCanBag", small, colors::clLime, "Label12", t::kLedCanBag, kCan},
    };

    auto *page = qobject_cast<QVBoxLayout *>(panel->layout());
    auto *columns = new QHBoxLayout;
    columns->setSpacing(10);
    auto *left = new QVBoxLayout;
    left->setSpacing(4);
    auto *middle = new QWidget(panel);
    auto *inputs = build::groupBox(panel, QStringLiteral("GroupBox3"), t::kWiredInputsGroupTitle);
    auto *remote = build::groupBox(panel, QStringLiteral("GroupBox2"), t::kOwnRemoteGroupTitle);
    auto *can = build::groupBox(panel, QStringLiteral("GroupBox4"), t::kCanAnalysisGroupTitle);
    QWidget *owners[] = {middle, inputs, remote, can};
    QGridLayout *grids[4];
    for (int i = 0; i < 4; ++i) {
        grids[i] = new QGridLayout(owners[i]);
        grids[i]->setContentsMargins(8, i == kMiddle ? 8 : 4, 8, 4);
        grids[i]->setVerticalSpacing(i == kMiddle ? 10 : 2);
        grids[i]->setHorizontalSpacing(6);
        grids[i]->setColumnStretch(1, 1);
    }

    for (const LedRow &row : rows) {
        QWidget *owner = owners[row.place];
        auto *led = new LedIndicator(owner);
        led->setObjectName(QString::fromLatin1(row.ledName));
        led->setLedStyle(row.style);
        led->setBlink(false);
        led->setBorderColor(colors::clGray);
        led->setTrueColor(row.color);
        leds_[static_cast<std::size_t>(row.which)] = led;
        auto *label = build::label(owner, QString::fromLatin1(row.labelName), row.text);
        if (QLabel **slot = labelSlot(*this, row.which))
            *slot = label;
        QGridLayout *grid = grids[row.place];
        const int r = grid->rowCount() - (grid->count() == 0 ? 1 : 0);
        grid->addWidget(led, r, 0, Qt::AlignLeft | Qt::AlignVCenter);
        grid->addWidget(label, r, 1);
    }
    led(MonitorLed::Button)->setToolTip(t::kButtonLedHint);
    grids[kMiddle]->setRowStretch(grids[kMiddle]->rowCount(), 1);

    left->addWidget(inputs);
    left->addWidget(remote);
    left->addStretch(1);
    columns->addLayout(left, 3);
    columns->addWidget(middle, 2, Qt::AlignTop);
    auto *right = new QVBoxLayout;
    right->addWidget(can);
    right->addStretch(1);
    columns->addLayout(right, 3);
    page->addLayout(columns, 1);
}

} // namespace alvetra
