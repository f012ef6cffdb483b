// The monitor tab's indicators and what a status report makes of them.

#include "TabsHarness.h"
#include "ui/widgets/LedIndicator.h"

#include <QGroupBox>
#include <QLabel>
#include <gtest/gtest.h>

using namespace alvetra;
using alvetra::test::TabsHarness;

namespace {

const QColor kLime(0, 255, 0), kRed(255, 0, 0), kYellow(255, 255, 0), kGreen(0, 128, 0), kGray(128, 128, 128);

class MonitorTest : public ::testing::Test {
protected:
    LedIndicator *led(const char *name) const { return h.find<LedIndicator>(name); }
    QLabel *label(const char *name) const { return h.find<QLabel>(name); }
    void report(std::uint8_t s0, std::uint8_t s1, std::uint8_t s2, std::uint8_t s3, std::uint8_t option = 0)
    {
        h.tabs->applyMonitor(decodeStatus(s0, s1, s2, s3, option));
    }

    TabsHarness h;
};

TEST_F(MonitorTest, TwentyFiveIndicatorsInTheirGroupsAndOrder)
{
    struct Row { const char *led; LedIndicator::LedStyle style; QColor color; const char *label; const char *text; const char *group; };
    const auto L = LedIndicator::LEDLarge, S = LedIndicator::LEDSqSmall;
    const Row rows[] = {
        {"LedStanAlarmu", L, kLime, "LAB_StanAlarmu", "Stan", nullptr},
        {"LedAktywnyKidnaper", L, kLime, "LAB_antynapad", "Antynapad", nullptr},
        {"LedAktywnaBlokada", L, kLime, "LAB_antykradziez", "Przeciwkradzież", nullptr},
        {"LedSerwis", L, kRed, "LAB_serwis", "Serwis", nullptr},
        {"LedPrzekaznik", L, kRed, "LAB_przekaznik", "Przekaźnik", nullptr},
        {"LedStacyjka", S, kRed, "Label1", "Stacyjka", "GroupBox3"},
        {"LedKrancowka", S, kLime, "Label2", "Krańcówka/maska", "GroupBox3"},
        {"LedKracowkaKier", S, kLime, "Label3", "Krańcówka kierowcy", "GroupBox3"},
        {"LedCzujnik", S, kLime, "Label4", "Czujnik ultradźwiękowy", "GroupBox3"},
        {"LedBagaznikBlokada", S, kRed, "Label5", "Przewód blokady otwarcia bagażnika", "GroupBox3"},
        {"LedPrzycisk", S, kLime, "Label17", "Przycisk", "GroupBox3"},
        {"LedCanRx", S, kLime, "Label21", "Aktywnosc magistrali CAN", "GroupBox3"},
        {"LedRadioRx", S, kLime, "Label23", "Aktywnosc odbiornika radiowego", "GroupBox3"},
        {"LedDiagSyr", S, kRed, "Label20", "Zwarcie na syrenie", "GroupBox3"},
        {"LedPilotP1", S, kLime, "Label8", "Pilot przycisk 1", "GroupBox2"},
        {"LedPilotP2", S, kLime, "Label7", "Pilot przycisk 2", "GroupBox2"},
        {"LedPilotP3", S, kLime, "Label13", "Pilot przycisk 3", "GroupBox2"},
        {"LedPilotP4", S, kLime, "Label16", "Pilot przycisk 4", "GroupBox2"},
        {"LedPilotBateria", S, kRed, "Label9", "Słaba bateria w pilocie", "GroupBox2"},
        {"LedStacyjkaCan", S, kRed, "Label14", "Stacyjka", "GroupBox4"},
        {"LedKrancowkaCan", S, kLime, "Label15", "Krańcówka/maska", "GroupBox4"},
        {"LedCanKier", S, kYellow, "Label6", "Kierunkowskazy", "GroupBox4"},
        {"LedCanRozb", S, kLime, "Label10", "Pilot przycisk otworz", "GroupBox4"},
        {"LedCanUzb", S, kLime, "Label11", "Pilot przycisk zamknij", "GroupBox4"},
        {"LedCanBag", S, kLime, "Label12", "Pilot przycisk bagażnik", "GroupBox4"},
    };
    h.pages->show();
    h.pages->setCurrentIndex(kPageMonitor);
    std::map<QString, int> lastY;
    for (const Row &r : rows) {
        SCOPED_TRACE(r.led);
        LedIndicator *l = led(r.led);
        ASSERT_NE(l, nullptr);
        EXPECT_EQ(l->ledStyle(), r.style);
        EXPECT_EQ(l->trueColor(), r.color);
        EXPECT_FALSE(l->blink());
        EXPECT_EQ(l->borderColor(), kGray);
        EXPECT_FALSE(l->isShownLit());
        QLabel *text = label(r.label);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->text(), QString::fromUtf8(r.text));
        EXPECT_EQ(text->parentWidget(), l->parentWidget());
        // The label to the right of its LED, rows top to bottom in the table's order.
        EXPECT_GT(text->x(), l->x());
        const QString group = r.group ? QString::fromLatin1(r.group) : QStringLiteral("middle");
        if (r.group) {
            EXPECT_EQ(l->parentWidget()->objectName(), group);
        }
        if (lastY.count(group)) {
            EXPECT_GT(l->y(), lastY[group]);
        }
        lastY[group] = l->y();
    }
    EXPECT_EQ(h.pages->findChildren<LedIndicator *>().size(), std::size(rows));
    EXPECT_EQ(led("LedPrzycisk")->toolTip(), QStringLiteral("Aktywnosc portu RS232"));
    // Wired inputs upper left, own remote below them, the large LEDs in the middle, CAN at the right.
    auto *wired = h.find<QGroupBox>("GroupBox3");
    auto *remote = h.find<QGroupBox>("GroupBox2");
    auto *can = h.find<QGroupBox>("GroupBox4");
    EXPECT_GT(remote->y(), wired->y());
    EXPECT_GT(led("LedStanAlarmu")->parentWidget()->x(), wired->x() + wired->width() - 1);
    EXPECT_GT(can->x(), led("LedStanAlarmu")->parentWidget()->x());
}

TEST_F(MonitorTest, ArmingStateShowsInTheStateLabelAndLed)
{
    report(0, 0x02, 0, 0);
    EXPECT_EQ(label("LAB_StanAlarmu")->text(), QStringLiteral("Alarm uzbrojony"));
    EXPECT_EQ(label("LAB_StanAlarmu")->palette().color(QPalette::WindowText), kRed);
    EXPECT_EQ(led("LedStanAlarmu")->trueColor(), kRed);
    EXPECT_TRUE(led("LedStanAlarmu")->isShownLit());
    EXPECT_EQ(label("LAB_antykradziez")->text(), QStringLiteral("Przeciwkradzież - brak"));
    EXPECT_FALSE(label("LAB_antykradziez")->isEnabled());
    EXPECT_EQ(label("LAB_antynapad")->text(), QStringLiteral("Antynapad - brak"));
    EXPECT_FALSE(label("LAB_antynapad")->isEnabled());

    report(0, 0x00, 0, 0x30);
    EXPECT_EQ(label("LAB_StanAlarmu")->text(), QStringLiteral("Alarm rozbrojony"));
    EXPECT_EQ(label("LAB_StanAlarmu")->palette().color(QPalette::WindowText), kGreen);
    EXPECT_EQ(led("LedStanAlarmu")->trueColor(), kLime);
    EXPECT_TRUE(label("LAB_antykradziez")->isEnabled());
    EXPECT_EQ(label("LAB_antynapad")->text(), QStringLiteral("Antynapad - nie aktywny"));
}

TEST_F(MonitorTest, BlocksTakeTheirColours)
{
    report(0, 0, 0, 0x28);
    EXPECT_EQ(led("LedAktywnyKidnaper")->trueColor(), kYellow);
    EXPECT_TRUE(led("LedAktywnyKidnaper")->isShownLit());
    EXPECT_EQ(label("LAB_antynapad")->text(), QStringLiteral("Antynapad - wyzwolony"));
    report(0, 0, 0, 0x2C);
    EXPECT_EQ(led("LedAktywnyKidnaper")->trueColor(), kRed);
    report(0, 0, 0, 0x11);
    EXPECT_EQ(led("LedAktywnaBlokada")->trueColor(), kRed);
    EXPECT_EQ(label("LAB_antykradziez")->text(), QStringLiteral("Przeciwkradzież - aktywna"));
    report(0, 0, 0, 0x00);
    EXPECT_FALSE(led("LedAktywnaBlokada")->isShownLit());
    EXPECT_FALSE(led("LedAktywnyKidnaper")->isShownLit());
}

TEST_F(MonitorTest, RelayTogglesBetweenRedAndLimeAndIsNeverDark)
{
    for (int i = 0; i < 3; ++i) {
        report(0, 0, 0, 0x40);
        EXPECT_EQ(led("LedPrzekaznik")->trueColor(), kRed);
        EXPECT_TRUE(led("LedPrzekaznik")->isShownLit());
        EXPECT_EQ(label("LAB_przekaznik")->text(), QStringLiteral("Przekaźnik włączony"));
        report(0, 0, 0, 0x00);
        EXPECT_EQ(led("LedPrzekaznik")->trueColor(), kLime);
        EXPECT_TRUE(led("LedPrzekaznik")->isShownLit());
        EXPECT_EQ(label("LAB_przekaznik")->text(), QStringLiteral("Przekaźnik wyłączony"));
    }
}

TEST_F(MonitorTest, InputsFollowEachReport)
{
    report(0, 0x40, 0x81, 0);
    EXPECT_TRUE(led("LedStacyjka")->isShownLit());
    EXPECT_TRUE(led("LedPrzycisk")->isShownLit());
    EXPECT_TRUE(led("LedCanRx")->isShownLit());
    EXPECT_FALSE(led("LedKrancowka")->isShownLit());
    report(0, 0, 0x02, 0);
    EXPECT_FALSE(led("LedStacyjka")->isShownLit());
    EXPECT_FALSE(led("LedCanRx")->isShownLit());
    EXPECT_TRUE(led("LedKrancowka")->isShownLit());
}

TEST_F(MonitorTest, RemoteLedsStayLitUntilTheRemoteLedTimerDarkensThem)
{
    report(0x10, 0, 0, 0);
    EXPECT_TRUE(led("LedPilotP1")->isShownLit());
    report(0x00, 0, 0, 0);   // a later report without the button does not darken it
    EXPECT_TRUE(led("LedPilotP1")->isShownLit());
    report(0x0F, 0, 0, 0);
    h.tabs->darkenRemoteLeds();
    for (const char *name : {"LedPilotP1", "LedPilotP2", "LedPilotP3", "LedPilotP4", "LedPilotBateria", "LedCanRozb",
                             "LedCanUzb", "LedCanBag"})
        EXPECT_FALSE(led(name)->isShownLit()) << name;
    report(0x10, 0, 0, 0);   // the next report lights it again
    EXPECT_TRUE(led("LedPilotP1")->isShownLit());
}

} // namespace
