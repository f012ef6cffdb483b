#include "SettingsFill.h"

#include "CodeWord.h"
#include "GroupBuilders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace alvetra;

namespace {

FillContext context(int family, std::uint32_t counter = 0)
{
    return {family, counter, QDateTime(QDate(2024, 5, 10), QTime(12, 0))};
}

TabValues fillFlags(std::uint32_t flags, const TabValues &previous = {})
{
    SettingsImage image;
    image.setWord24(kLayoutB.flags, flags);
    return fillFromImage(image, kLayoutB, previous, context(15)).values;
}

} // namespace

TEST(Fill, AuthorisationBitsSelectItemsAndBothClearKeepThePreviousItem)
{
    TabValues previous;
    previous.antykradziezAutoryzacja = 2;
    previous.antynapadAutoryzacja = 0;
    EXPECT_EQ(fillFlags(0x000000, previous).antykradziezAutoryzacja, 2);
    EXPECT_EQ(fillFlags(0x000000, previous).antynapadAutoryzacja, 0);
    EXPECT_EQ(fillFlags(0x004000, previous).antykradziezAutoryzacja, 0);
    EXPECT_EQ(fillFlags(0x008000, previous).antykradziezAutoryzacja, 1);
    EXPECT_EQ(fillFlags(0x00C000, previous).antykradziezAutoryzacja, 2);
    EXPECT_EQ(fillFlags(0x010000, previous).antynapadAutoryzacja, 0);
    EXPECT_EQ(fillFlags(0x020000, previous).antynapadAutoryzacja, 1);
    EXPECT_EQ(fillFlags(0x030000, previous).antynapadAutoryzacja, 2);
}

TEST(Fill, CheckBoxesAndRadioGroupsFromTheirBits)
{
    const TabValues none = fillFlags(0x000000);
    EXPECT_EQ(none.sekwencjaWyjscie, 1);   // inverted bits: clear means item 1
    EXPECT_EQ(none.przewodKier, 1);
    EXPECT_EQ(none.kierunki1_2Hz, 0);
    EXPECT_EQ(none.uzbrajanie5_30sek, 0);
    EXPECT_FALSE(none.zamekSterowanieOn);
    const TabValues all = fillFlags(0xFFFFFF);
    EXPECT_EQ(all.sekwencjaWyjscie, 0);
    EXPECT_EQ(all.przewodKier, 0);
    EXPECT_EQ(all.kierunki1_2Hz, 1);
    EXPECT_EQ(all.kierunkiNaprzemienne, 1);
    EXPECT_EQ(all.zamekCzasImpulsuGlownego, 1);
    EXPECT_TRUE(all.sygnalDzwiekowyPotwierdzenie && all.sygnalKierunkiPotwierdzenie && all.kierunkiSekwencjaOn);
    EXPECT_TRUE(all.dozbrajanie && all.antykradziez && all.antynapad && all.zamekSterowanieOn);
    EXPECT_TRUE(all.dodatkowyOtworz && all.zamykaniePoStacyjce && all.antykradziezStacyjkaOn);
    EXPECT_TRUE(all.alarmCanWylaczKrancowke && all.alarmCanWylaczStacyjke && all.alarmCanWylaczPilot);
    const TabValues single = fillFlags(0x200000);
    EXPECT_TRUE(single.alarmCanWylaczStacyjke);
    EXPECT_FALSE(single.alarmCanWylaczKrancowke || single.alarmCanWylaczPilot || single.antykradziezStacyjkaOn);
}

TEST(Fill, PulseCountSetsTheCloseBoxesAndOtherValuesKeepThem)
{
    const auto boxes = [](std::uint8_t count, bool c2, bool e2) {
        SettingsImage image;
        image.set(kLayoutA.closePulseCount, count);
        TabValues previous;
        previous.dodatkowyZamknij1 = c2;
        previous.dodatkowyZamknij2 = e2;
        const TabValues v = fillFromImage(image, kLayoutA, previous, context(14)).values;
        return std::pair(v.dodatkowyZamknij1, v.dodatkowyZamknij2);
    };
    EXPECT_EQ(boxes(0, true, true), std::pair(false, false));
    EXPECT_EQ(boxes(1, false, true), std::pair(true, false));
    EXPECT_EQ(boxes(2, false, false), std::pair(true, true));
    EXPECT_EQ(boxes(3, true, false), std::pair(true, false));
    EXPECT_EQ(boxes(3, false, false), std::pair(false, false));
    EXPECT_EQ(boxes(200, false, true), std::pair(true, true));   // E2's click handler checks C2
}

TEST(Fill, SpinEditsStayWithinTheirRanges)
{
    SettingsImage image;
    image.set(kLayoutB.pauseAC1, 0);
    image.set(kLayoutB.pulseE2, 255);
    image.set(kLayoutB.antiTheftDelay, 7);
    image.set(kLayoutB.antiHijackDelay, 0);
    TabValues v = fillFromImage(image, kLayoutB, {}, context(15)).values;
    EXPECT_EQ(v.przerwaOtworz, 1);
    EXPECT_EQ(v.sygnal2Zamknij, 255);
    EXPECT_EQ(v.czasZwlokiAntykradziez, 7);
    EXPECT_EQ(v.czasZwlokiAntynapad, 30);
    image.set(kLayoutB.antiHijackDelay, 29);
    EXPECT_EQ(fillFromImage(image, kLayoutB, {}, context(15)).values.czasZwlokiAntynapad, 30);
    image.set(kLayoutB.antiHijackDelay, 31);
    EXPECT_EQ(fillFromImage(image, kLayoutB, {}, context(15)).values.czasZwlokiAntynapad, 31);
}

TEST(Fill, CodesGroupTextsCounterAndUntouchedControls)
{
    SettingsImage image;
    image.setWord16(kLayoutA.codeInst, 0x3003);
    image.setWord16(kLayoutA.codeKidnaper, 0x0000);
    image.setWord16(kLayoutA.codeAntykradziez, 0x1001);
    image.setWord16(kLayoutA.codeIAwarja, 0xFFFF);
    image.set(kLayoutA.canGroup, 42);
    image.setWord24(kLayoutA.timeCounter, 0x111111);
    TabValues previous;
    previous.alarmCan = true;
    previous.marka = 3;
    previous.model = 4;
    previous.kodProg1 = QStringLiteral("abcd");
    previous.kodProg2 = QStringLiteral("abce");
    const FillResult result = fillFromImage(image, kLayoutA, previous, context(14, 0x123456));
    const TabValues &v = result.values;
    EXPECT_EQ(v.kodInst, QStringLiteral("KDD"));
    EXPECT_EQ(v.kodKidnaper, QString());
    EXPECT_EQ(v.kodAntykradziez, QStringLiteral("D"));
    EXPECT_EQ(v.kodIAwarja, QStringLiteral("KKKDDDDDDDDDDDD"));
    EXPECT_EQ(v.nrGrupy, QStringLiteral("42"));
    EXPECT_EQ(v.nrGrupyWybrany, QStringLiteral("42"));
    EXPECT_TRUE(v.alarmCan);
    EXPECT_EQ(v.marka, 3);
    EXPECT_EQ(v.model, 4);
    EXPECT_EQ(v.kodProg1, QStringLiteral("abcd"));
    EXPECT_EQ(v.kodProg2, QStringLiteral("abce"));
    EXPECT_EQ(image.word24(kLayoutA.timeCounter), 0x123456u);
    EXPECT_EQ(result.remotes.remotes[0], QStringLiteral("1. "));
}

TEST(Fill, ListsTheHistoryWithTheStoredCounter)
{
    SettingsImage image;
    image.set(kLayoutB.historyPointer, kLayoutB.historyFirst + 4);
    image.setWord24(kLayoutB.historyFirst, 1000);
    image.set(kLayoutB.historyFirst + 3, 0x40);
    const FillResult result = fillFromImage(image, kLayoutB, {}, context(15, 1030));
    ASSERT_EQ(result.history.size(), 1u);
    EXPECT_EQ(result.history[0], (HistoryRow{QStringLiteral("1"), QStringLiteral("11:30   10.05.2024"),
                                             QStringLiteral("uzbrojenie")}));
}

// Round trip: reading a unit and saving its settings must not change what the fitter did not
// touch. The model below says, independently of the builders, which bytes build-all may change
// after a fill: the time counter, code words normalised (unless two codes read the same),
// spin-edit bytes clamped into range for switched-on functions, and the close-pulse count made
// 0, 1 or 2 (from the previous boxes when the image held another value).
namespace {

std::uint16_t normalisedCodeWord(std::uint16_t word)
{
    const int presses = word >> 12;
    const unsigned usable = (1u << std::min(presses, 12)) - 1;
    return static_cast<std::uint16_t>((word & 0xF000) | (word & usable));
}

void applyAuthorisation(std::uint32_t &flags, int codeBit, int item)
{
    if (item < 0) return;
    flags &= ~(3u << codeBit);
    if (item == 0 || item == 2) flags |= 1u << codeBit;
    if (item == 1 || item == 2) flags |= 2u << codeBit;
}

SettingsImage expectedAfterRoundTrip(const SettingsImage &original, const Layout &l, const TabValues &previous,
                                     std::uint32_t counter)
{
    SettingsImage e = original;
    e.setWord24(l.timeCounter, counter);

    const int codePositions[4] = {l.codeInst, l.codeKidnaper, l.codeAntykradziez, l.codeIAwarja};
    std::uint16_t words[4];
    for (int i = 0; i < 4; ++i) words[i] = normalisedCodeWord(original.word16(codePositions[i]));
    bool distinct = true;
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j) distinct = distinct && words[i] != words[j];
    if (distinct)
        for (int i = 0; i < 4; ++i) e.setWord16(codePositions[i], words[i]);

    std::uint32_t flags = original.word24(l.flags);
    const auto clampByte = [&e](int address, int minimum) { e.set(address, std::max<int>(e.at(address), minimum)); };
    if (flags & 0x200) {
        const std::uint8_t count = original.at(l.closePulseCount);
        const int newCount = count <= 2 ? count
                           : previous.dodatkowyZamknij2 ? 2 : previous.dodatkowyZamknij1 ? 1 : 0;
        e.set(l.closePulseCount, static_cast<std::uint8_t>(newCount));
        if (newCount >= 1) { clampByte(l.pauseAC2, 1); clampByte(l.pulseC2, 1); }
        if (newCount == 2) { clampByte(l.pauseC2E2, 1); clampByte(l.pulseE2, 1); }
        if (flags & 0x400) { clampByte(l.pauseAC1, 1); clampByte(l.pulseC1, 1); }
        if (flags & 0x800) clampByte(l.lockDelayAfterIgnition, 1);
    }
    if (flags & 0x40) {
        clampByte(l.antiTheftDelay, 1);
        if (!(flags & 0xC000)) applyAuthorisation(flags, 14, previous.antykradziezAutoryzacja);
    }
    if (flags & 0x80) {
        clampByte(l.antiHijackDelay, 30);
        if (!(flags & 0x30000)) applyAuthorisation(flags, 16, previous.antynapadAutoryzacja);
    }
    e.setWord24(l.flags, flags);
    return e;
}

SettingsImage randomImage(std::mt19937 &random, const Layout &layout)
{
    std::uniform_int_distribution<int> byte(0, 255);
    SettingsImage image;
    for (int i = 0; i < kImageSize; ++i) image.set(i, static_cast<std::uint8_t>(byte(random)));
    // Make the interesting cases common: small pulse counts, zero times, short or equal codes.
    if (byte(random) < 160) image.set(layout.closePulseCount, static_cast<std::uint8_t>(byte(random) % 4));
    for (int address = layout.pauseAC1; address <= layout.antiHijackDelay; ++address)
        if (byte(random) < 40) image.set(address, static_cast<std::uint8_t>(byte(random) % 32));
    if (byte(random) < 100) image.setWord16(layout.codeKidnaper, static_cast<std::uint16_t>(byte(random) % 3 << 12));
    if (byte(random) < 100) image.setWord16(layout.codeIAwarja, static_cast<std::uint16_t>(byte(random) % 3 << 12));
    if (byte(random) < 60) image.setWord24(layout.flags, image.word24(layout.flags) & ~0x03C000u);
    return image;
}

void roundTrip(const Layout &layout, int familyCode, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> item(-1, 2);
    const CarGroupLookup noCars = [](std::uint16_t) { return std::optional<std::uint8_t>(); };
    for (int run = 0; run < 3000; ++run) {
        const SettingsImage original = randomImage(random, layout);
        TabValues previous;
        previous.antykradziezAutoryzacja = item(random);
        previous.antynapadAutoryzacja = item(random);
        previous.dodatkowyZamknij1 = item(random) > 0;
        previous.dodatkowyZamknij2 = item(random) > 0;
        const std::uint32_t counter = static_cast<std::uint32_t>(random()) & 0xFFFFFF;

        SettingsImage image = original;
        const FillResult filled = fillFromImage(image, layout, previous, {familyCode, counter, QDateTime::currentDateTime()});
        const std::vector<UserMessage> messages = buildAll(image, layout, filled.values, familyCode, noCars);

        const SettingsImage expected = expectedAfterRoundTrip(original, layout, previous, counter);
        for (int i = 0; i < kImageSize; ++i) {
            ASSERT_EQ(image.at(i), expected.at(i)) << "address " << i << " run " << run;
        }
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(messages.front().text, QStringLiteral("Hasło za krótkie, wymagane 4 znaki."));
    }
}

} // namespace

TEST(FillThenBuildAll, ChangesOnlyWhatTheBuildersMustInLayoutA) { roundTrip(kLayoutA, 14, 1); }
TEST(FillThenBuildAll, ChangesOnlyWhatTheBuildersMustInLayoutB) { roundTrip(kLayoutB, 15, 2); }
TEST(FillThenBuildAll, ChangesOnlyWhatTheBuildersMustWithCanEvents) { roundTrip(kLayoutB, 17, 3); }
