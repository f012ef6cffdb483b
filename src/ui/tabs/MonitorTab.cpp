#include "MonitorTab.h"

#include "Colors.h"
#include "TabBuild.h"
#include "TabTexts.h"
#include "ThhALed.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace alvetra {

namespace {

enum Place { kMiddle, kWejscia, kPilot, kCan };

struct LedRow {
    MonitorLed which;
    const char *ledName;
    ThhALed::TLEDStyle style;
    const QColor &color;
    const char *labelName;
    const QString &text;
    Place place;
};

QLabel **labelSlot(MonitorTab &tab, MonitorLed which)
{
    switch (which) {
    case MonitorLed::StanAlarmu: return &tab.stanAlarmu;
    case MonitorLed::AktywnyKidnaper: return &tab.antynapad;
    case MonitorLed::AktywnaBlokada: return &tab.antykradziez;
    case MonitorLed::Serwis: return &tab.serwis;
    case MonitorLed::Przekaznik: return &tab.przekaznik;
    default: return nullptr;
    }
}

} // namespace

MonitorTab::MonitorTab(QWidget *panel)
{
    namespace t = tabtexts;
    using L = MonitorLed;
    constexpr auto large = ThhALed::LEDLarge;
    constexpr auto small = ThhALed::LEDSqSmall;
    const LedRow rows[] = {
        {L::StanAlarmu, "LedStanAlarmu", large, colors::clLime, "LAB_StanAlarmu", t::kStan, kMiddle},
        {L::AktywnyKidnaper, "LedAktywnyKidnaper", large, colors::clLime, "LAB_antynapad", t::kLabAntynapad, kMiddle},
        {L::AktywnaBlokada, "LedAktywnaBlokada", large, colors::clLime, "LAB_antykradziez", t::kLabAntykradziez, kMiddle},
        {L::Serwis, "LedSerwis", large, colors::clRed, "LAB_serwis", t::kSerwis, kMiddle},
        {L::Przekaznik, "LedPrzekaznik", large, colors::clRed, "LAB_przekaznik", t::kPrzekaznik, kMiddle},
        {L::Stacyjka, "LedStacyjka", small, colors::clRed, "Label1", t::kLedStacyjka, kWejscia},
        {L::Krancowka, "LedKrancowka", small, colors::clLime, "Label2", t::kLedKrancowka, kWejscia},
        {L::KracowkaKier, "LedKracowkaKier", small, colors::clLime, "Label3", t::kLedKrancowkaKier, kWejscia},
        {L::Czujnik, "LedCzujnik", small, colors::clLime, "Label4", t::kLedCzujnik, kWejscia},
        {L::BagaznikBlokada, "LedBagaznikBlokada", small, colors::clRed, "Label5", t::kLedBagaznikBlokada, kWejscia},
        {L::Przycisk, "LedPrzycisk", small, colors::clLime, "Label17", t::kLedPrzycisk, kWejscia},
        {L::CanRx, "LedCanRx", small, colors::clLime, "Label21", t::kLedCanRx, kWejscia},
        {L::RadioRx, "LedRadioRx", small, colors::clLime, "Label23", t::kLedRadioRx, kWejscia},
        {L::DiagSyr, "LedDiagSyr", small, colors::clRed, "Label20", t::kLedDiagSyr, kWejscia},
        {L::PilotP1, "LedPilotP1", small, colors::clLime, "Label8", t::kLedPilotP1, kPilot},
        {L::PilotP2, "LedPilotP2", small, colors::clLime, "Label7", t::kLedPilotP2, kPilot},
        {L::PilotP3, "LedPilotP3", small, colors::clLime, "Label13", t::kLedPilotP3, kPilot},
        {L::PilotP4, "LedPilotP4", small, colors::clLime, "Label16", t::kLedPilotP4, kPilot},
        {L::PilotBateria, "LedPilotBateria", small, colors::clRed, "Label9", t::kLedPilotBateria, kPilot},
        {L::StacyjkaCan, "LedStacyjkaCan", small, colors::clRed, "Label14", t::kLedStacyjka, kCan},
        {L::KrancowkaCan, "LedKrancowkaCan", small, colors::clLime, "Label15", t::kLedKrancowka, kCan},
        {L::CanKier, "LedCanKier", small, colors::clYellow, "Label6", t::kLedCanKier, kCan},
        {L::CanRozb, "LedCanRozb", small, colors::clLime, "Label10", t::kLedCanRozb, kCan},
        {L::CanUzb, "LedCanUzb", small, colors::clLime, "Label11", t::kLedCanUzb, kCan},
        {L::CanBag, "LedCanBag", small, colors::clLime, "Label12", t::kLedCanBag, kCan},
    };

    auto *page = qobject_cast<QVBoxLayout *>(panel->layout());
    auto *columns = new QHBoxLayout;
    columns->setSpacing(10);
    auto *left = new QVBoxLayout;
    left->setSpacing(4);
    auto *middle = new QWidget(panel);
    auto *wejscia = build::groupBox(panel, QStringLiteral("GroupBox3"), t::kGbWejscia);
    auto *pilot = build::groupBox(panel, QStringLiteral("GroupBox2"), t::kGbPilotWlasny);
    auto *can = build::groupBox(panel, QStringLiteral("GroupBox4"), t::kGbAnalizaCan);
    QWidget *owners[] = {middle, wejscia, pilot, can};
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
        auto *led = new ThhALed(owner);
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
    led(MonitorLed::Przycisk)->setToolTip(t::kPrzyciskHint);
    grids[kMiddle]->setRowStretch(grids[kMiddle]->rowCount(), 1);

    left->addWidget(wejscia);
    left->addWidget(pilot);
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
