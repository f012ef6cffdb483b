#include "alarm/SettingsFill.h"

#include "alarm/CodeWord.h"
#include "alarm/GroupBuilders.h"

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
    previous.antiTheftAuthorisation = 2;
    previous.antiHijackAuthorisation = 0;
    EXPECT_EQ(fillFlags(0x000000, previous).antiTheftAuthorisation, 2);
    EXPECT_EQ(fillFlags(0x000000, previous).antiHijackAuthorisation, 0);
    EXPECT_EQ(fillFlags(0x004000, previous).antiTheftAuthorisation, 0);
    EXPECT_EQ(fillFlags(0x008000, previous).antiTheftAuthorisation, 1);
    EXPECT_EQ(fillFlags(0x00C000, previous).antiTheftAuthorisation, 2);
    EXPECT_EQ(fillFlags(0x010000, previous).antiHijackAuthorisation, 0);
    EXPECT_EQ(fillFlags(0x020000, previous).antiHijackAuthorisation, 1);
    EXPECT_EQ(fillFlags(0x030000, previous).antiHijackAuthorisation, 2);
}

TEST(Fill, CheckBoxesAndRadioGroupsFromTheirBits)
{
    const TabValues none = fillFlags(0x000000);
    EXPECT_EQ(none.sequenceOutput, 1);   // inverted bits: clear means item 1
    EXPECT_EQ(none.doorInputs, 1);
    EXPECT_EQ(none.turnSignalRate, 0);
    EXPECT_EQ(none.armingDelay, 0);
    EXPECT_FALSE(none.centralLock);
    const TabValues all = fillFlags(0xFFFFFF);
    EXPECT_EQ(all.sequenceOutput, 0);
    EXPECT_EQ(all.doorInputs, 0);
    EXPECT_EQ(all.turnSignalRate, 1);
    EXPECT_EQ(all.turnSignalMode, 1);
    EXPECT_EQ(all.mainPulseLength, 1);
    EXPECT_TRUE(all.soundConfirmation && all.turnSignalConfirmation && all.sequentialTurnSignals);
    EXPECT_TRUE(all.rearming && all.antiTheft && all.antiHijack && all.centralLock);
    EXPECT_TRUE(all.extraOpenPulse && all.lockAfterIgnition && all.ignitionWhileArmedAlert);
    EXPECT_TRUE(all.canIgnoreDoorSwitches && all.canIgnoreIgnition && all.canIgnoreFactoryRemote);
    const TabValues single = fillFlags(0x200000);
    EXPECT_TRUE(single.canIgnoreIgnition);
    EXPECT_FALSE(single.canIgnoreDoorSwitches || single.canIgnoreFactoryRemote || single.ignitionWhileArmedAlert);
}

TEST(Fill, PulseCountSetsTheCloseBoxesAndOtherValuesKeepThem)
{
    const auto boxes = [](std::uint8_t count, bool c2, bool e2) {
        SettingsImage image;
        image.set(kLayoutA.closePulseCount, count);
        TabValues previous;
        previous.extraClosePulse1 = c2;
        previous.extraClosePulse2 = e2;
        const TabValues v = fillFromImage(image, kLayoutA, previous, context(14)).values;
        return std::pair(v.extraClosePulse1, v.extraClosePulse2);
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
    EXPECT_EQ(v.pauseAC1, 1);
    EXPECT_EQ(v.pulseE2, 255);
    EXPECT_EQ(v.antiTheftDelay, 7);
    EXPECT_EQ(v.antiHijackDelay, 30);
    image.set(kLayoutB.antiHijackDelay, 29);
    EXPECT_EQ(fillFromImage(image, kLayoutB, {}, context(15)).values.antiHijackDelay, 30);
    image.set(kLayoutB.antiHijackDelay, 31);
    EXPECT_EQ(fillFromImage(image, kLayoutB, {}, context(15)).values.antiHijackDelay, 31);
}

TEST(Fill, CodesGroupTextsCounterAndUntouchedControls)
{
    SettingsImage image;
    image.setWord16(kLayoutA.programmingCode, 0x3003);
    image.setWord16(kLayoutA.antiHijackCode, 0x0000);
    image.setWord16(kLayoutA.antiTheftCode, 0x1001);
    image.setWord16(kLayoutA.emergencyCode, 0xFFFF);
    image.set(kLayoutA.canGroup, 42);
    image.setWord24(kLayoutA.timeCounter, 0x111111);
    TabValues previous;
    previous.alarmCan = true;
    previous.make = 3;
    previous.model = 4;
    previous.newPcPassword = QStringLiteral("abcd");
    previous.newPcPasswordRepeat = QStringLiteral("abce");
    const FillResult result = fillFromImage(image, kLayoutA, previous, context(14, 0x123456));
    const TabValues &v = result.values;
    EXPECT_EQ(v.programmingCode, QStringLiteral("KDD"));
    EXPECT_EQ(v.antiHijackCode, QString());
    EXPECT_EQ(v.antiTheftCode, QStringLiteral("D"));
    EXPECT_EQ(v.emergencyCode, QStringLiteral("KKKDDDDDDDDDDDD"));
    EXPECT_EQ(v.storedCanGroup, QStringLiteral("42"));
    EXPECT_EQ(v.chosenCanGroup, QStringLiteral("42"));
    EXPECT_TRUE(v.alarmCan);
    EXPECT_EQ(v.make, 3);
    EXPECT_EQ(v.model, 4);
    EXPECT_EQ(v.newPcPassword, QStringLiteral("abcd"));
    EXPECT_EQ(v.newPcPasswordRepeat, QStringLiteral("abce"));
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

    const int codePositions[4] = {l.programmingCode, l.antiHijackCode, l.antiTheftCode, l.emergencyCode};
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
                           : previous.extraClosePulse2 ? 2 : previous.extraClosePulse1 ? 1 : 0;
        e.set(l.closePulseCount, static_cast<std::uint8_t>(newCount));
        if (newCount >= 1) { clampByte(l.pauseAC2, 1); clampByte(l.pulseC2, 1); }
        if (newCount == 2) { clampByte(l.pauseC2E2, 1); clampByte(l.pulseE2, 1); }
        if (flags & 0x400) { clampByte(l.pauseAC1, 1); clampByte(l.pulseC1, 1); }
        if (flags & 0x800) clampByte(l.lockDelayAfterIgnition, 1);
    }
    if (flags & 0x40) {
        clampByte(l.antiTheftDelay, 1);
        if (!(flags & 0xC000)) applyAuthorisation(flags, 14, previous.antiTheftAuthorisation);
    }
    if (flags & 0x80) {
        clampByte(l.antiHijackDelay, 30);
        if (!(flags & 0x30000)) applyAuthorisation(flags, 16, previous.antiHijackAuthorisation);
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
    if (byte(random) < 100) image.setWord16(layout.antiHijackCode, static_cast<std::uint16_t>(byte(random) % 3 << 12));
    if (byte(random) < 100) image.setWord16(layout.emergencyCode, static_cast<std::uint16_t>(byte(random) % 3 << 12));
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
        previous.antiTheftAuthorisation = item(random);
        previous.antiHijackAuthorisation = item(random);
        previous.extraClosePulse1 = item(random) > 0;
        previous.extraClosePulse2 = item(random) > 0;
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
