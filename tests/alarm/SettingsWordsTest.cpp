#include "alarm/SettingsDiff.h"

#include "alarm/CodeWord.h"
#include "alarm/FlagsWord.h"
#include "alarm/PcPassword.h"

#include <gtest/gtest.h>

using namespace alvetra;

namespace {

// A unit's memory as the simulated unit starts with it: a little of everything set.
SettingsImage unitImage()
{
    SettingsImage image;
    const Layout &l = kLayoutB;
    FlagsWord flags(0);
    flags.set(flag::CentralLock, true);
    flags.set(flag::AntiTheftByCode, true);
    flags.storeTo(image, l);
    image.setWord16(l.programmingCode, encodeCode(QStringLiteral("KKD")));
    storePcPassword(image, l, QStringLiteral("abcd"));
    for (int address : {l.pauseAC1, l.pulseC1, l.pauseAC2, l.pulseC2, l.pauseC2E2, l.pulseE2,
                        l.lockDelayAfterIgnition, l.antiTheftDelay, l.antiHijackDelay})
        image.set(address, 40);
    image.set(l.canGroup, 7);
    return image;
}

} // namespace

TEST(SettingsWords, ImageInWordsAsTheTabsShowIt)
{
    const std::vector<SettingWords> lines = describeImage(unitImage(), kLayoutB, 15);
    ASSERT_EQ(lines.size(), 38u);
    const auto line = [&](int i) { return lines[static_cast<std::size_t>(i)]; };
    EXPECT_EQ(line(0), (SettingWords{QStringLiteral("Hasła i kody"), QStringLiteral("Hasło dostępu do programowania centrali"),
                                     QStringLiteral("abcd"), WriteGroup::PcPassword, false, true}));
    EXPECT_EQ(line(1).value, QStringLiteral("KKD"));
    EXPECT_EQ(line(2).value, QStringLiteral("brak"));
    EXPECT_EQ(line(11), (SettingWords{QStringLiteral("Zamki"), QStringLiteral("sterowanie zamkiem centralnym włączone"),
                                      QStringLiteral("tak"), WriteGroup::CentralLocks, true}));
    EXPECT_EQ(line(14), (SettingWords{QStringLiteral("Zamki"), QStringLiteral("B1: przerwa pomiędzy impulsami A i C1"),
                                      QStringLiteral("40 sek."), WriteGroup::CentralLocks, false}));
    EXPECT_EQ(line(25).setting, QStringLiteral("Rodzaj autoryzacji"));
    EXPECT_EQ(line(25).value, QStringLiteral("autoryzacja kodem z przycisku"));
    EXPECT_EQ(line(29).tab, QStringLiteral("Antynapad"));
    EXPECT_EQ(line(29).value, QStringLiteral("brak"));   // neither authorisation bit
    EXPECT_EQ(line(31).value, QStringLiteral("tylko wejście alarmu drzwi kierowcy"));
    EXPECT_EQ(line(34).value, QStringLiteral("7"));
    EXPECT_EQ(lines.back().setting, QStringLiteral("alarm nie reaguje na fabrycznego pilota na magistrali CAN"));
    EXPECT_EQ(describeImage(unitImage(), kLayoutB, 14).size(), 35u);   // no CAN-analysis options
}

TEST(SettingsWords, DiffListsExactlyTheChangedSettingsAndTheirGroups)
{
    const SettingsImage unit = unitImage();
    SettingsImage file = unit;
    FlagsWord flags(file, kLayoutB);
    flags.set(flag::AntiHijack, true);
    flags.storeTo(file, kLayoutB);
    file.set(kLayoutB.antiTheftDelay, 90);
    file.setWord16(kLayoutB.emergencyCode, encodeCode(QStringLiteral("DD")));

    const std::vector<SettingDifference> d = diffSettings(describeImage(file, kLayoutB, 15), describeImage(unit, kLayoutB, 15));
    ASSERT_EQ(d.size(), 3u);
    EXPECT_EQ(d[0], (SettingDifference{QStringLiteral("Hasła i kody"), QStringLiteral("Kod awaryjnego rozblokowania przyciskiem"),
                                       QStringLiteral("DD"), QStringLiteral("brak"), WriteGroup::Codes, false, true}));
    EXPECT_EQ(d[1].here, QStringLiteral("90 sek."));
    // Shown, the changed code says that it changed, not what it is.
    std::vector<SettingDifference> masked = d;
    maskSecrets(masked);
    EXPECT_EQ(masked[0].here + masked[0].there, QStringLiteral("********"));
    EXPECT_EQ(masked[1], d[1]);
    EXPECT_EQ(d[1].there, QStringLiteral("40 sek."));
    EXPECT_EQ(d[2].setting, QStringLiteral("Blokada antynapadowa aktywna"));
    EXPECT_EQ(groupsInWords(d[2].group, d[2].flagsWord), QStringLiteral("antynapad + słowo opcji"));
    EXPECT_EQ(changedGroups(d), (std::vector<WriteGroup>{WriteGroup::Codes, WriteGroup::AntiTheft, WriteGroup::AntiHijack}));

    // A file of family 14 has no CAN-analysis options: they are listed as only the unit's.
    const std::vector<SettingDifference> family = diffSettings(describeImage(unit, kLayoutB, 14), describeImage(unit, kLayoutB, 15));
    ASSERT_EQ(family.size(), 3u);
    EXPECT_EQ(family[0].here, QStringLiteral("—"));
    EXPECT_EQ(family[0].there, QStringLiteral("nie"));
    EXPECT_EQ(changedGroups(family), std::vector<WriteGroup>{WriteGroup::CanOptions});
}
