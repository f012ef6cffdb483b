#include "alarm/RemoteTexts.h"

#include <gtest/gtest.h>

using namespace alvetra;

TEST(RemoteText, FullRecord)
{
    // 2008 (year code 2), month 5, day 17, serial 123, emission 4567.
    const Record record{0xD7, 0x11, 0x7B, 0x10, 0x51, 0x02};
    EXPECT_EQ(remoteText(1, record),
              QStringLiteral("1. Data produkcji: 2008.05.17  Numer seryjny: 0123   Numer emisji: 4567"));
}

TEST(RemoteText, OnlyTheFieldsWithBytesAreShown)
{
    EXPECT_EQ(remoteText(3, Record{}), QStringLiteral("3. "));
    EXPECT_EQ(remoteText(2, Record{0x02, 0x01, 0, 0, 0, 0}), QStringLiteral("2.    Numer emisji: 0258"));
    EXPECT_EQ(remoteText(4, Record{0, 0, 0, 0, 0, 0x05}), QStringLiteral("4. Data produkcji: 1995."));
    EXPECT_EQ(remoteText(4, Record{0, 0, 0, 0, 0, 0x0F}), QStringLiteral("4. Data produkcji: 2005."));
    EXPECT_EQ(remoteText(4, Record{0, 0, 0, 0, 0, 0xF4}), QStringLiteral("4. Data produkcji: 2010."));
    // b3 alone: a day (its high nibble) and a serial (its low nibble).
    EXPECT_EQ(remoteText(1, Record{0, 0, 0, 0x23, 0, 0}), QStringLiteral("1. 02  Numer seryjny: 0768"));
}

TEST(TokenText, SerialAndEmissionWithTheirLastFourDigits)
{
    EXPECT_EQ(tokenText(1, Record{}), QStringLiteral("1. "));
    // Serial 0x01E240 = 123456, emission 0x00162E = 5678.
    EXPECT_EQ(tokenText(2, Record{0x2E, 0x16, 0x00, 0x40, 0xE2, 0x01}),
              QStringLiteral("2. Numer seryjny: 3456   Numer emisji: 5678"));
    // Only the low nibble of b5 belongs to the serial.
    EXPECT_EQ(tokenText(3, Record{0, 0, 0, 0, 0, 0xF0}), QStringLiteral("3. Numer seryjny: 0000"));
    EXPECT_EQ(tokenText(4, Record{0, 0, 1, 0, 0, 0}), QStringLiteral("4.    Numer emisji: 5536"));
}

TEST(RemoteAndTokenTexts, RecordsAtTheLayoutPositions)
{
    SettingsImage image;
    image.set(kLayoutB.remotes + 6 + 0, 0x09);        // remote 2, emission 9
    image.set(kLayoutB.tokens + 18 + 3, 0x07);        // token 4, serial 7
    const RemoteAndTokenTexts texts = remoteAndTokenTexts(image, kLayoutB);
    EXPECT_EQ(texts.remotes[0], QStringLiteral("1. "));
    EXPECT_EQ(texts.remotes[1], QStringLiteral("2.    Numer emisji: 0009"));
    EXPECT_EQ(texts.tokens[3], QStringLiteral("4. Numer seryjny: 0007"));
    EXPECT_EQ(texts.tokens[0], QStringLiteral("1. "));
    // Layout A puts the same records two bytes higher.
    EXPECT_EQ(remoteAndTokenTexts(image, kLayoutA).remotes[1], QStringLiteral("2. "));
}

TEST(EraseRecordsPlan, TwentyFourZeroBytesAtTheGroupPosition)
{
    const auto span = [](const std::vector<ByteWrite> &plan) {
        for (std::size_t i = 0; i < plan.size(); ++i) {
            EXPECT_EQ(plan[i].value, 0);
            EXPECT_EQ(plan[i].address, plan.front().address + int(i));
        }
        return std::pair(plan.front().address, plan.back().address);
    };
    EXPECT_EQ(span(eraseRecordsPlan(kLayoutA, RecordGroup::Tokens)), std::pair(32, 55));
    EXPECT_EQ(span(eraseRecordsPlan(kLayoutB, RecordGroup::Tokens)), std::pair(30, 53));
    EXPECT_EQ(span(eraseRecordsPlan(kLayoutA, RecordGroup::Remotes)), std::pair(8, 31));
    EXPECT_EQ(span(eraseRecordsPlan(kLayoutB, RecordGroup::Remotes)), std::pair(6, 29));
}
