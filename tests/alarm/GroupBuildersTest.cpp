#include "alarm/GroupBuilders.h"

#include "alarm/FlagsWord.h"

#include <gtest/gtest.h>

using namespace alvetra;

namespace {

// An image whose every byte differs from its neighbours, so that a stray write shows.
SettingsImage patternedImage()
{
    SettingsImage image;
    for (int i = 0; i < kImageSize; ++i)
        image.set(i, static_cast<std::uint8_t>(i * 37 + 11));
    return image;
}

// Addresses whose byte differs between the two images.
std::vector<int> changedAddresses(const SettingsImage &before, const SettingsImage &after)
{
    std::vector<int> changed;
    for (int i = 0; i < kImageSize; ++i)
        if (before.at(i) != after.at(i))
            changed.push_back(i);
    return changed;
}

CarGroupLookup noCars()
{
    return [](std::uint16_t) { return std::optional<std::uint8_t>(); };
}

} // namespace

TEST(TurnSignalsBuilder, NothingSelectedTouchesOnlyBitsZeroOneAndThree)
{
    SettingsImage image = patternedImage();
    image.setWord24(kLayoutA.flags, 0xFFFFFF);
    const SettingsImage before = image;
    buildTurnSignals(image, kLayoutA, TabValues{});
    EXPECT_EQ(image.word24(kLayoutA.flags), 0xFFFFF4u);
    EXPECT_EQ(changedAddresses(before, image), std::vector<int>{kLayoutA.flags});

    image.setWord24(kLayoutA.flags, 0);
    TabValues allChecked;
    allChecked.soundConfirmation = allChecked.turnSignalConfirmation = true;
    allChecked.sequentialTurnSignals = true;
    buildTurnSignals(image, kLayoutA, allChecked);
    EXPECT_EQ(image.word24(kLayoutA.flags), 0x00000Bu);
}

TEST(TurnSignalsBuilder, SequenceOutputIsInvertedAndKeptWhileSequenceIsOff)
{
    SettingsImage image;
    TabValues v;
    v.sequentialTurnSignals = true;
    v.sequenceOutput = 0;
    buildTurnSignals(image, kLayoutB, v);
    EXPECT_EQ(image.word24(kLayoutB.flags), 0x080008u);
    v.sequenceOutput = 1;
    buildTurnSignals(image, kLayoutB, v);
    EXPECT_EQ(image.word24(kLayoutB.flags), 0x000008u);
    image.setWord24(kLayoutB.flags, 0x080008);
    v.sequentialTurnSignals = false;
    v.sequenceOutput = 1;
    buildTurnSignals(image, kLayoutB, v);
    EXPECT_EQ(image.word24(kLayoutB.flags), 0x080000u);
    v.turnSignalRate = 1;
    v.turnSignalMode = 1;
    buildTurnSignals(image, kLayoutB, v);
    EXPECT_EQ(image.word24(kLayoutB.flags), 0x080014u);
    v.turnSignalRate = 0;
    v.turnSignalMode = 0;
    buildTurnSignals(image, kLayoutB, v);
    EXPECT_EQ(image.word24(kLayoutB.flags), 0x080000u);
}

TEST(AntiTheftBuilder, UncheckedClearsOnlyBitSix)
{
    SettingsImage image = patternedImage();
    image.setWord24(kLayoutA.flags, 0xFFFFFF);
    const SettingsImage before = image;
    TabValues v;
    v.antiTheftAuthorisation = 0;
    v.antiTheftDelay = 9;
    buildAntiTheft(image, kLayoutA, v);
    EXPECT_EQ(image.word24(kLayoutA.flags), 0xFFFFBFu);
    EXPECT_EQ(image.at(kLayoutA.antiTheftDelay), before.at(kLayoutA.antiTheftDelay));
    EXPECT_EQ(changedAddresses(before, image), std::vector<int>{kLayoutA.flags});
}

TEST(AntiTheftBuilder, AuthorisationItemsAndDelay)
{
    struct Case { int item; std::uint32_t startFlags; std::uint32_t expectedBits; };
    const Case cases[] = {
        {0, 0x000000, 0x004000}, {1, 0x00C000, 0x008000}, {2, 0x000000, 0x00C000},
        {kNoItem, 0x008000, 0x008000}, {kNoItem, 0x004000, 0x004000},
    };
    for (const Case &c : cases) {
        SettingsImage image;
        image.setWord24(kLayoutB.flags, c.startFlags);
        TabValues v;
        v.antiTheft = true;
        v.antiTheftAuthorisation = c.item;
        v.ignitionWhileArmedAlert = true;
        v.antiTheftDelay = 42;
        buildAntiTheft(image, kLayoutB, v);
        EXPECT_EQ(image.word24(kLayoutB.flags), c.expectedBits | 0x040040u) << "item " << c.item;
        EXPECT_EQ(image.at(kLayoutB.antiTheftDelay), 42);
    }
}

TEST(AntiHijackBuilder, DriverInputIsInvertedAndUncheckedClearsOnlyBitSeven)
{
    SettingsImage image;
    TabValues v;
    v.antiHijack = true;
    v.antiHijackAuthorisation = 1;
    v.doorInputs = 0;
    v.antiHijackDelay = 120;
    buildAntiHijack(image, kLayoutA, v);
    EXPECT_EQ(image.word24(kLayoutA.flags), 0x022080u);
    EXPECT_EQ(image.at(kLayoutA.antiHijackDelay), 120);

    v.doorInputs = 1;
    v.antiHijackAuthorisation = 2;
    buildAntiHijack(image, kLayoutA, v);
    EXPECT_EQ(image.word24(kLayoutA.flags), 0x030080u);

    v.antiHijack = false;
    v.doorInputs = 0;
    v.antiHijackDelay = 30;
    buildAntiHijack(image, kLayoutA, v);
    EXPECT_EQ(image.word24(kLayoutA.flags), 0x030000u);
    EXPECT_EQ(image.at(kLayoutA.antiHijackDelay), 120);
}

TEST(CentralLocksBuilder, E2WithoutC2StoresCountTwoAndAllFourClosePulseBytes)
{
    SettingsImage image = patternedImage();
    const SettingsImage before = image;
    TabValues v;
    v.centralLock = true;
    v.extraClosePulse1 = false;
    v.extraClosePulse2 = true;
    v.pauseAC2 = 11;
    v.pulseC2 = 12;
    v.pauseC2E2 = 13;
    v.pulseE2 = 14;
    buildCentralLocks(image, kLayoutB, v);
    EXPECT_EQ(image.at(kLayoutB.closePulseCount), 2);
    EXPECT_EQ(image.at(kLayoutB.pauseAC2), 11);
    EXPECT_EQ(image.at(kLayoutB.pulseC2), 12);
    EXPECT_EQ(image.at(kLayoutB.pauseC2E2), 13);
    EXPECT_EQ(image.at(kLayoutB.pulseE2), 14);
    // Switched-off pulses keep their time bytes.
    EXPECT_EQ(image.at(kLayoutB.pauseAC1), before.at(kLayoutB.pauseAC1));
    EXPECT_EQ(image.at(kLayoutB.pulseC1), before.at(kLayoutB.pulseC1));
    EXPECT_EQ(image.at(kLayoutB.lockDelayAfterIgnition), before.at(kLayoutB.lockDelayAfterIgnition));
}

TEST(CentralLocksBuilder, C2AloneKeepsE2BytesAndOpenPulseAndIgnitionFollowTheirBoxes)
{
    SettingsImage image = patternedImage();
    image.setWord24(kLayoutA.flags, 0);
    const SettingsImage before = image;
    TabValues v;
    v.centralLock = true;
    v.mainPulseLength = 1;
    v.extraClosePulse1 = true;
    v.pauseAC2 = 21;
    v.pulseC2 = 22;
    v.extraOpenPulse = true;
    v.pauseAC1 = 23;
    v.pulseC1 = 24;
    v.lockAfterIgnition = true;
    v.lockDelayAfterIgnition = 25;
    buildCentralLocks(image, kLayoutA, v);
    EXPECT_EQ(image.word24(kLayoutA.flags), 0x001E00u);
    EXPECT_EQ(image.at(kLayoutA.closePulseCount), 1);
    EXPECT_EQ(image.at(kLayoutA.pauseAC2), 21);
    EXPECT_EQ(image.at(kLayoutA.pulseC2), 22);
    EXPECT_EQ(image.at(kLayoutA.pauseC2E2), before.at(kLayoutA.pauseC2E2));
    EXPECT_EQ(image.at(kLayoutA.pulseE2), before.at(kLayoutA.pulseE2));
    EXPECT_EQ(image.at(kLayoutA.pauseAC1), 23);
    EXPECT_EQ(image.at(kLayoutA.pulseC1), 24);
    EXPECT_EQ(image.at(kLayoutA.lockDelayAfterIgnition), 25);
    EXPECT_EQ(changedAddresses(before, image).size(), 7u);   // flag byte 1, count, 5 time bytes
}

TEST(CentralLocksBuilder, MasterOffClearsBitNineAndNothingElse)
{
    SettingsImage image = patternedImage();
    image.setWord24(kLayoutB.flags, 0xFFFFFF);
    const SettingsImage before = image;
    TabValues v;
    v.centralLock = false;
    v.extraClosePulse2 = true;
    v.extraOpenPulse = false;
    v.mainPulseLength = 0;
    buildCentralLocks(image, kLayoutB, v);
    EXPECT_EQ(image.word24(kLayoutB.flags), 0xFFFDFFu);
    EXPECT_EQ(changedAddresses(before, image), std::vector<int>{kLayoutB.flags + 1});
}

TEST(RearmingBuilder, BitsFiveAndEight)
{
    SettingsImage image;
    image.setWord24(kLayoutA.flags, 0x000100);
    TabValues v;
    v.rearming = true;
    buildRearming(image, kLayoutA, v);
    EXPECT_EQ(image.word24(kLayoutA.flags), 0x000120u);
    v.rearming = false;
    v.armingDelay = 0;
    buildRearming(image, kLayoutA, v);
    EXPECT_EQ(image.word24(kLayoutA.flags), 0u);
}

TEST(CanOptionsBuilder, KeepsBitsSixteenToNineteenAndTwentyThree)
{
    SettingsImage image;
    image.setWord24(kLayoutB.flags, 0xFFFFFF);
    buildCanOptions(image, kLayoutB, TabValues{});
    EXPECT_EQ(image.word24(kLayoutB.flags), 0x8FFFFFu);
    image.setWord24(kLayoutB.flags, 0x000000);
    TabValues v;
    v.canIgnoreDoorSwitches = true;
    v.canIgnoreFactoryRemote = true;
    buildCanOptions(image, kLayoutB, v);
    EXPECT_EQ(image.word24(kLayoutB.flags), 0x500000u);
}

TEST(CodesBuilder, EqualCodesAreRefusedAndChangeNothing)
{
    SettingsImage image = patternedImage();
    const SettingsImage before = image;
    TabValues v;
    v.programmingCode = QStringLiteral("KDD");
    v.antiHijackCode = QStringLiteral("DKK");
    v.antiTheftCode = QStringLiteral("KKD");
    v.emergencyCode = QStringLiteral("KDD");
    const BuildOutcome outcome = buildCodes(image, kLayoutA, v);
    EXPECT_FALSE(outcome.ok);
    ASSERT_TRUE(outcome.message.has_value());
    EXPECT_EQ(outcome.message->caption, QStringLiteral("Ostżerzenie"));
    EXPECT_EQ(outcome.message->text, QStringLiteral("Wpisane kody muszą się różnić między sobą.\rPopraw kody."));
    EXPECT_EQ(outcome.message->icon, MessageIcon::Warning);
    EXPECT_EQ(image, before);

    v.emergencyCode.clear();
    v.antiTheftCode.clear();
    EXPECT_FALSE(buildCodes(image, kLayoutA, v).ok);   // two empty codes are equal too
    EXPECT_EQ(image, before);
}

TEST(CodesBuilder, StoresFourWordsLowByteFirstWithOneEmptyCodeAsZero)
{
    SettingsImage image = patternedImage();
    TabValues v;
    v.programmingCode = QStringLiteral("KDD");
    v.antiHijackCode = QStringLiteral("D");
    v.antiTheftCode = QString();
    v.emergencyCode = QStringLiteral("DKKKKKKKKKKD");
    const BuildOutcome outcome = buildCodes(image, kLayoutB, v);
    EXPECT_TRUE(outcome.ok);
    EXPECT_FALSE(outcome.message.has_value());
    EXPECT_EQ(image.at(54), 0x03);
    EXPECT_EQ(image.at(55), 0x30);
    EXPECT_EQ(image.word16(56), 0x1001);
    EXPECT_EQ(image.word16(58), 0x0000);
    EXPECT_EQ(image.word16(60), 0xC801);
}

TEST(PcPasswordBuilder, ChecksOfTheNewPassword)
{
    SettingsImage image = patternedImage();
    const SettingsImage before = image;
    TabValues v;
    v.newPcPassword = v.newPcPasswordRepeat = QStringLiteral("abc");
    BuildOutcome outcome = buildPcPassword(image, kLayoutA, v);
    ASSERT_TRUE(outcome.message.has_value());
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(*outcome.message, (UserMessage{QStringLiteral("Informacja"),
                                             QStringLiteral("Hasło za krótkie, wymagane 4 znaki."),
                                             MessageIcon::Information}));
    v.newPcPassword = QStringLiteral("abcd");
    v.newPcPasswordRepeat = QString();
    EXPECT_EQ(buildPcPassword(image, kLayoutA, v).message->text, QStringLiteral("Hasło za krótkie, wymagane 4 znaki."));
    v.newPcPasswordRepeat = QStringLiteral("abce");
    outcome = buildPcPassword(image, kLayoutA, v);
    ASSERT_TRUE(outcome.message.has_value());
    EXPECT_EQ(outcome.message->text, QStringLiteral("Źle lub nie wpisane hasło dostępu do programowania."));
    EXPECT_EQ(outcome.message->caption, QStringLiteral("Informacja"));
    v.newPcPassword = v.newPcPasswordRepeat = QStringLiteral("abжd");
    EXPECT_FALSE(buildPcPassword(image, kLayoutA, v).ok);
    EXPECT_EQ(image, before);

    v.newPcPassword = v.newPcPasswordRepeat = QStringLiteral("Łódź");
    EXPECT_TRUE(buildPcPassword(image, kLayoutA, v).ok);
    EXPECT_EQ(image.at(64), 0xA3);
    EXPECT_EQ(image.at(65), 0xF3);
    EXPECT_EQ(image.at(66), 'd');
    EXPECT_EQ(image.at(67), 0x9F);
    EXPECT_EQ(changedAddresses(before, image), (std::vector<int>{64, 65, 66, 67}));
}

TEST(CanGroupBuilder, CarChoiceMessagesAndLookup)
{
    SettingsImage image;
    image.set(kLayoutA.canGroup, 7);
    TabValues v;
    v.alarmCan = true;
    const auto messageFor = [&](int make, int model) {
        v.make = make;
        v.model = model;
        const BuildOutcome outcome = buildCanGroup(image, kLayoutA, v, noCars());
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(outcome.message->caption, QStringLiteral("Informacja"));
        return outcome.message->text;
    };
    EXPECT_EQ(messageFor(kNoItem, kNoItem), QStringLiteral("Nie wybrano marki i modelu samochodu."));
    EXPECT_EQ(messageFor(kNoItem, 2), QStringLiteral("Nie wybrano marki samochodu."));
    EXPECT_EQ(messageFor(1, kNoItem), QStringLiteral("Nie wybrano modelu samochodu."));
    EXPECT_EQ(messageFor(1, 3), QStringLiteral("Brak samochodu w bazie"));
    EXPECT_EQ(image.at(kLayoutA.canGroup), 7);

    std::uint16_t askedKey = 0;
    const CarGroupLookup cars = [&askedKey](std::uint16_t key) {
        askedKey = key;
        return key == 0x0103 ? std::optional<std::uint8_t>(44) : std::nullopt;
    };
    v.make = 1;
    v.model = 3;
    EXPECT_TRUE(buildCanGroup(image, kLayoutA, v, cars).ok);
    EXPECT_EQ(askedKey, 0x0103);
    EXPECT_EQ(image.at(kLayoutA.canGroup), 44);
}

TEST(CanGroupBuilder, WithoutCanAnalysisTheShownNumberIsStored)
{
    SettingsImage image;
    TabValues v;
    const auto store = [&](const QString &text) {
        v.chosenCanGroup = text;
        return buildCanGroup(image, kLayoutB, v, noCars());
    };
    EXPECT_TRUE(store(QStringLiteral("0")).ok);
    EXPECT_EQ(image.at(kLayoutB.canGroup), 0);
    EXPECT_TRUE(store(QStringLiteral("23")).ok);
    EXPECT_EQ(image.at(kLayoutB.canGroup), 23);
    EXPECT_TRUE(store(QStringLiteral("300")).ok);
    EXPECT_EQ(image.at(kLayoutB.canGroup), 44);   // low 8 bits
    EXPECT_TRUE(store(QStringLiteral("-1")).ok);
    EXPECT_EQ(image.at(kLayoutB.canGroup), 255);

    const BuildOutcome bad = store(QStringLiteral("12a"));
    EXPECT_FALSE(bad.ok);
    ASSERT_TRUE(bad.message.has_value());
    EXPECT_EQ(bad.message->text, QStringLiteral("Błąd na pozycji: 3"));
    EXPECT_EQ(bad.message->icon, MessageIcon::Warning);
    EXPECT_EQ(store(QStringLiteral("        ")).message->text, QStringLiteral("Błąd na pozycji: 9"));
    EXPECT_EQ(image.at(kLayoutB.canGroup), 255);
}

TEST(IntegerText, WhereAConversionFails)
{
    EXPECT_EQ(parseIntegerText(QStringLiteral("  17")).value, 17);
    EXPECT_TRUE(parseIntegerText(QStringLiteral("+5")).ok);
    EXPECT_EQ(parseIntegerText(QString()).errorPosition, 1);
    EXPECT_EQ(parseIntegerText(QStringLiteral("-")).errorPosition, 2);
    EXPECT_EQ(parseIntegerText(QStringLiteral("17 ")).errorPosition, 3);
    EXPECT_EQ(parseIntegerText(QStringLiteral("x1")).errorPosition, 1);
    EXPECT_EQ(parseIntegerText(QStringLiteral("2147483647")).value, 2147483647);
    EXPECT_EQ(parseIntegerText(QStringLiteral("-2147483648")).value, -2147483647 - 1);
    EXPECT_EQ(parseIntegerText(QStringLiteral("2147483648")).errorPosition, 10);
    EXPECT_EQ(parseIntegerText(QStringLiteral("99999999999999999999")).errorPosition, 10);
}

TEST(BuildAll, MessagesInBuilderOrderAndCanOptionsFromFamilyFifteen)
{
    TabValues v;
    v.programmingCode = v.antiHijackCode = QStringLiteral("KK");
    v.chosenCanGroup = QStringLiteral("x");
    v.soundConfirmation = true;
    v.canIgnoreIgnition = true;

    SettingsImage image;
    image.setWord24(kLayoutA.flags, 0xF00000);
    std::vector<UserMessage> messages = buildAll(image, kLayoutA, v, 14, noCars());
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].text, QStringLiteral("Hasło za krótkie, wymagane 4 znaki."));
    EXPECT_EQ(messages[1].text, QStringLiteral("Wpisane kody muszą się różnić między sobą.\rPopraw kody."));
    EXPECT_EQ(messages[2].text, QStringLiteral("Błąd na pozycji: 1"));
    // The refusals did not stop the flag builders; family 14 has no CAN-analysis options.
    EXPECT_EQ(image.word24(kLayoutA.flags), 0xF00001u);

    image.setWord24(kLayoutB.flags, 0xF00000);
    v.chosenCanGroup = QStringLiteral("5");
    messages = buildAll(image, kLayoutB, v, 15, noCars());
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(image.word24(kLayoutB.flags), 0xA00001u);
    EXPECT_EQ(image.at(kLayoutB.canGroup), 5);
}
