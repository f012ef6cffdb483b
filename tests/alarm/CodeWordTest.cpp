#include "alarm/CodeWord.h"
#include "alarm/Cp1250.h"
#include "alarm/SystemCodePage.h"
#include "alarm/PcPassword.h"

#include <gtest/gtest.h>


using namespace alvetra;

TEST(CodeWord, PressCountAndLongPressBits)
{
    EXPECT_EQ(encodeCode(QStringLiteral("K")), 0x1000);
    EXPECT_EQ(encodeCode(QStringLiteral("D")), 0x1001);
    EXPECT_EQ(encodeCode(QStringLiteral("DKKKKKKKKKKD")), 0xC801);
    EXPECT_EQ(encodeCode(QStringLiteral("KDD")), 0x3003);
    EXPECT_EQ(decodeCode(0x1000), QStringLiteral("K"));
    EXPECT_EQ(decodeCode(0x1001), QStringLiteral("D"));
    EXPECT_EQ(decodeCode(0xC801), QStringLiteral("DKKKKKKKKKKD"));
    EXPECT_EQ(decodeCode(0x3003), QStringLiteral("KDD"));
}

TEST(CodeWord, OnlyCapitalDIsALongPress)
{
    EXPECT_EQ(encodeCode(QStringLiteral("dD")), 0x2001);
    EXPECT_EQ(encodeCode(QStringLiteral("Kd")), encodeCode(QStringLiteral("KK")));
}

TEST(CodeWord, EmptyCodeIsWordZeroBothWays)
{
    EXPECT_EQ(encodeCode(QString()), 0);
    EXPECT_TRUE(decodeCode(0).isEmpty());
    // Stray press bits without a press count still mean no code.
    EXPECT_TRUE(decodeCode(0x0FFF).isEmpty());
}

TEST(CodeWord, FullWordReadsAsFifteenPressesWithTwelveBits)
{
    EXPECT_EQ(decodeCode(0xFFFF), QStringLiteral("KKKDDDDDDDDDDDD"));
    EXPECT_EQ(encodeCode(decodeCode(0xFFFF)), 0xFFFF);
}

TEST(CodeWord, BitsAboveThePressCountAreIgnoredAndNotWrittenBack)
{
    EXPECT_EQ(decodeCode(0x2FFF), QStringLiteral("DD"));
    EXPECT_EQ(encodeCode(decodeCode(0x2FFF)), 0x2003);
}

TEST(CodeWord, LongPressBeyondTwelfthCannotCorruptThePressCount)
{
    // Thirteen presses with a long first press: the count must stay 13.
    const QString thirteen = QStringLiteral("D") + QString(12, u'K');
    EXPECT_EQ(encodeCode(thirteen) >> 12, 13);
    EXPECT_EQ(encodeCode(thirteen) & 0xFFF, 0);
    // More than fifteen letters keep the largest count the word holds.
    EXPECT_EQ(encodeCode(QString(20, u'D')), 0xFFFF);
}

TEST(PcPasswordBytes, CodePage1250BothWays)
{
    SettingsImage image;
    image.fill(0x55);
    storePcPassword(image, kLayoutB, QStringLiteral("ąbŻ1"));
    EXPECT_EQ(image.at(62), 0xB9);
    EXPECT_EQ(image.at(63), 'b');
    EXPECT_EQ(image.at(64), 0xAF);
    EXPECT_EQ(image.at(65), '1');
    EXPECT_EQ(image.at(61), 0x55);
    EXPECT_EQ(image.at(66), 0x55);
    EXPECT_EQ(pcPasswordText(image, kLayoutB), QStringLiteral("ąbŻ1"));
}

TEST(PcPasswordBytes, ZeroBytesStayInTheComparedText)
{
    SettingsImage image;
    storePcPassword(image, kLayoutA, QStringLiteral("ab"));
    EXPECT_EQ(pcPasswordText(image, kLayoutA), QStringLiteral("ab") + QChar(0) + QChar(0));
    EXPECT_NE(pcPasswordText(image, kLayoutA), QStringLiteral("ab"));
}

TEST(CodePage, UnencodableCharacterIsReported)
{
    bool ok = true;
    const QByteArray bytes = cp1250::encode(QStringLiteral("aж"), &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(bytes.at(0), 'a');
    EXPECT_EQ(cp1250::encode(QStringLiteral("Źółć"), &ok), QByteArray("\x8F\xF3\xB3\xE6"));
    EXPECT_TRUE(ok);
}

// The conversions use tables read from the system's converter once; they must agree with it on
// every byte and on every character of the basic plane, and bytes 0x80 to 0xFF must be code page
// 1250's characters on every system (0: a byte the code page leaves undefined).
TEST(CodePage, TablesAgreeWithTheSystemConverterAndTheCodePage)
{
    constexpr char16_t kUpperHalf[128] = {
    0x20AC, 0, 0x201A, 0, 0x201E, 0x2026, 0x2020, 0x2021,
    0, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
    };
    ASSERT_TRUE(cp1250::system::available());
    for (int b = 0; b < 256; ++b) {
        const QByteArray byte(1, static_cast<char>(b));
        const QString decoded = cp1250::decode(byte);
        ASSERT_EQ(decoded, cp1250::system::decode(byte)) << "byte " << b;
        const char16_t standard = b < 0x80 ? char16_t(b) : kUpperHalf[b - 0x80];
        if (standard != 0) {
            EXPECT_EQ(decoded, QString(QChar(standard))) << "byte " << b;
        }
    }
    for (char32_t c = 0; c < 0x10000; ++c) {
        if (QChar::isSurrogate(c))
            continue;
        const QString text(QChar(static_cast<char16_t>(c)));
        bool systemFits = false;
        const QByteArray expected = cp1250::system::encode(text, &systemFits);
        bool ok = false;
        ASSERT_EQ(cp1250::encode(text, &ok), expected) << "character " << static_cast<unsigned>(c);
        ASSERT_EQ(ok, systemFits) << "character " << static_cast<unsigned>(c);
    }
}

TEST(CodePage, ACharacterOutsideTheBasicPlaneIsOneUnencodableByte)
{
    bool ok = true;
    EXPECT_EQ(cp1250::encode(QStringLiteral("a\U0001F697b"), &ok), QByteArray("a\x1A" "b"));
    EXPECT_FALSE(ok);
    EXPECT_EQ(cp1250::decode(QByteArray("\x8C\xB9\x00z", 4)), QStringLiteral("Śą") + QChar(0) + QStringLiteral("z"));
}
