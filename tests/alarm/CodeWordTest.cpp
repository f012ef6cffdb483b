#include "alarm/CodeWord.h"
#include "alarm/Cp1250.h"
#include "alarm/PcPassword.h"

#include <gtest/gtest.h>

#include <QStringDecoder>
#include <QStringEncoder>

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

// The conversions use tables read from ICU once; they must agree with ICU's own converter on
// every byte and on every character of the basic plane.
TEST(CodePage, TablesAgreeWithTheSystemConverter)
{
    for (int b = 0; b < 256; ++b) {
        const QByteArray byte(1, static_cast<char>(b));
        QStringDecoder decoder("windows-1250");
        ASSERT_EQ(cp1250::decode(byte), decoder.decode(byte)) << "byte " << b;
    }
    for (char32_t c = 0; c < 0x10000; ++c) {
        if (QChar::isSurrogate(c))
            continue;
        const QString text(QChar(static_cast<char16_t>(c)));
        QStringEncoder encoder("windows-1250");
        const QByteArray expected = encoder.encode(text);
        bool ok = false;
        ASSERT_EQ(cp1250::encode(text, &ok), expected) << "character " << static_cast<unsigned>(c);
        ASSERT_EQ(ok, !encoder.hasError()) << "character " << static_cast<unsigned>(c);
    }
}

TEST(CodePage, ACharacterOutsideTheBasicPlaneIsOneUnencodableByte)
{
    bool ok = true;
    EXPECT_EQ(cp1250::encode(QStringLiteral("a\U0001F697b"), &ok), QByteArray("a\x1A" "b"));
    EXPECT_FALSE(ok);
    EXPECT_EQ(cp1250::decode(QByteArray("\x8C\xB9\x00z", 4)), QStringLiteral("Śą") + QChar(0) + QStringLiteral("z"));
}
