// Settings shown in the tabs come back unchanged: what a read shows is what a write sends.

#include "GroupBuilders.h"
#include "History.h"
#include "SettingsFill.h"
#include "TabsHarness.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace alvetra;
using alvetra::testing::TabsHarness;

namespace {

QString randomCode(QRandomGenerator &rng)
{
    QString code;
    const int n = rng.bounded(13);
    for (int i = 0; i < n; ++i)
        code += rng.bounded(2) ? QLatin1Char('D') : QLatin1Char('K');
    return code;
}

TabValues randomValues(QRandomGenerator &rng)
{
    auto flag = [&] { return rng.bounded(2) == 1; };
    auto item = [&](int count) { return rng.bounded(count + 1) - 1; };   // -1 .. count-1
    auto time = [&](int min) { return min + rng.bounded(256 - min); };
    TabValues v;
    v.kodInst = randomCode(rng);
    v.kodKidnaper = randomCode(rng);
    v.kodAntykradziez = randomCode(rng);
    v.kodIAwarja = randomCode(rng);
    v.sygnalDzwiekowyPotwierdzenie = flag();
    v.sygnalKierunkiPotwierdzenie = flag();
    v.kierunkiSekwencjaOn = flag();
    v.sekwencjaWyjscie = item(2);
    v.kierunki1_2Hz = item(2);
    v.kierunkiNaprzemienne = item(2);
    v.zamekSterowanieOn = flag();
    v.zamekCzasImpulsuGlownego = item(2);
    v.dodatkowyOtworz = flag();
    v.przerwaOtworz = time(1);
    v.sygnalOtworz = time(1);
    v.dodatkowyZamknij2 = flag();
    v.dodatkowyZamknij1 = v.dodatkowyZamknij2 || flag();   // E2 always comes with C2
    v.przerwa1Zamknij = time(1);
    v.sygnal1Zamknij = time(1);
    v.przerwa2Zamknij = time(1);
    v.sygnal2Zamknij = time(1);
    v.zamykaniePoStacyjce = flag();
    v.czasPoStacyjce = time(1);
    v.antykradziez = flag();
    v.antykradziezAutoryzacja = item(3);
    v.czasZwlokiAntykradziez = time(1);
    v.antykradziezStacyjkaOn = flag();
    v.antynapad = flag();
    v.antynapadAutoryzacja = item(3);
    v.czasZwlokiAntynapad = time(30);
    v.przewodKier = item(2);
    v.dozbrajanie = flag();
    v.uzbrajanie5_30sek = item(2);
    v.nrGrupy = QString::number(rng.bounded(256));
    v.nrGrupyWybrany = QString::number(rng.bounded(256));
    v.alarmCanWylaczKrancowke = flag();
    v.alarmCanWylaczStacyjke = flag();
    v.alarmCanWylaczPilot = flag();
    return v;
}

TEST(RoundTrip, EveryValueAppliedIsGatheredBack)
{
    TabsHarness h;
    QRandomGenerator rng(20240611);
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        TabValues v = randomValues(rng);
        // The fill never sets the car choice or the new password; those stay as the tabs had them.
        const TabValues before = h.tabs->gather();
        v.alarmCan = before.alarmCan;
        v.marka = before.marka;
        v.model = before.model;
        v.kodProg1 = before.kodProg1;
        v.kodProg2 = before.kodProg2;
        h.tabs->applyFill(v);
        EXPECT_EQ(h.tabs->gather(), v);
    }
}

// A unit's memory read, shown and written back unchanged, in both layouts.
TEST(RoundTrip, AnImageShownInTheTabsBuildsBackToTheSameBytes)
{
    QRandomGenerator rng(77);
    for (int family : {14, 17}) {
        const Layout &layout = layoutForFamily(family);
        for (int round = 0; round < 25; ++round) {
            SCOPED_TRACE(::testing::Message() << "family " << family << " round " << round);
            TabsHarness h;
            SettingsImage image;
            for (int a = 0; a < kImageSize; ++a)
                image.set(a, static_cast<std::uint8_t>(rng.bounded(256)));
            // Values a builder would legitimately rewrite: codes in their canonical form, times the
            // spin edits can show, a pulse count the boxes can express.
            for (int address : {layout.codeInst, layout.codeKidnaper, layout.codeAntykradziez, layout.codeIAwarja}) {
                const int n = rng.bounded(13);
                image.setWord16(address, static_cast<std::uint16_t>(n << 12 | (rng.bounded(4096) & ((1 << n) - 1))));
            }
            for (int address = layout.pauseAC1; address <= layout.antiTheftDelay; ++address)
                image.set(address, static_cast<std::uint8_t>(1 + rng.bounded(255)));
            image.set(layout.antiHijackDelay, static_cast<std::uint8_t>(30 + rng.bounded(226)));
            image.set(layout.closePulseCount, static_cast<std::uint8_t>(rng.bounded(3)));

            FillContext context;
            context.familyCode = family;
            context.timeCounter = timeCounterOf(image, layout);
            context.now = QDateTime(QDate(2024, 6, 11), QTime(12, 0));
            const SettingsImage read = image;
            const FillResult fill = fillFromImage(image, layout, h.tabs->gather(), context);
            h.tabs->applyFill(fill.values);
            buildAll(image, layout, h.tabs->gather(), family, [](std::uint16_t) { return std::nullopt; });
            EXPECT_EQ(image.bytes(), read.bytes());
        }
    }
}

} // namespace
