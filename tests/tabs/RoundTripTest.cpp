// Settings shown in the tabs come back unchanged: what a read shows is what a write sends.

#include "alarm/GroupBuilders.h"
#include "alarm/History.h"
#include "alarm/SettingsFill.h"
#include "TabsHarness.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace alvetra;
using alvetra::test::TabsHarness;

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
    v.programmingCode = randomCode(rng);
    v.antiHijackCode = randomCode(rng);
    v.antiTheftCode = randomCode(rng);
    v.emergencyCode = randomCode(rng);
    v.soundConfirmation = flag();
    v.turnSignalConfirmation = flag();
    v.sequentialTurnSignals = flag();
    v.sequenceOutput = item(2);
    v.turnSignalRate = item(2);
    v.turnSignalMode = item(2);
    v.centralLock = flag();
    v.mainPulseLength = item(2);
    v.extraOpenPulse = flag();
    v.pauseAC1 = time(1);
    v.pulseC1 = time(1);
    v.extraClosePulse2 = flag();
    v.extraClosePulse1 = v.extraClosePulse2 || flag();   // E2 always comes with C2
    v.pauseAC2 = time(1);
    v.pulseC2 = time(1);
    v.pauseC2E2 = time(1);
    v.pulseE2 = time(1);
    v.lockAfterIgnition = flag();
    v.lockDelayAfterIgnition = time(1);
    v.antiTheft = flag();
    v.antiTheftAuthorisation = item(3);
    v.antiTheftDelay = time(1);
    v.ignitionWhileArmedAlert = flag();
    v.antiHijack = flag();
    v.antiHijackAuthorisation = item(3);
    v.antiHijackDelay = time(30);
    v.doorInputs = item(2);
    v.rearming = flag();
    v.armingDelay = item(2);
    v.storedCanGroup = QString::number(rng.bounded(256));
    v.chosenCanGroup = QString::number(rng.bounded(256));
    v.canIgnoreDoorSwitches = flag();
    v.canIgnoreIgnition = flag();
    v.canIgnoreFactoryRemote = flag();
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
        v.make = before.make;
        v.model = before.model;
        v.newPcPassword = before.newPcPassword;
        v.newPcPasswordRepeat = before.newPcPasswordRepeat;
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
            for (int address : {layout.programmingCode, layout.antiHijackCode, layout.antiTheftCode, layout.emergencyCode}) {
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
