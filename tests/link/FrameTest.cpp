#include "link/Frame.h"
#include "link/FrameParser.h"

#include <gtest/gtest.h>

using namespace alvetra;

namespace {

Frame confirmationReply()
{
    return makeFrame(kPcAddress, 0x8C, kUnitAddress);
}

} // namespace

TEST(FrameEncoding, StatusRequestWithDefaultBlock)
{
    const Frame status = makeFrame(kUnitAddress, 0x08, kPcAddress, defaultDataBlock());
    EXPECT_EQ(encodeFrame(status), QByteArray(":C50708E00000000000D5;\r\n"));
}

TEST(FrameEncoding, ReadBlockRequestFromHexText)
{
    const Frame read = makeFrame(kUnitAddress, 0x02, kPcAddress,
                                       hexToBytes(QStringLiteral("0000") + byteToHex(0x10) + byteToHex(8)));
    EXPECT_EQ(encodeFrame(read), QByteArray(":C50602E000001008C6;\r\n"));
}

TEST(FrameEncoding, FiftySevenDataBytesMakeATextTooLongToSend)
{
    const Frame big = makeFrame(kUnitAddress, 0x03, kPcAddress, Bytes(57, 0xAA));
    EXPECT_EQ(encodeFrame(big).size(), 128);
    EXPECT_GT(encodeFrame(big).size(), kMaxFrameTextLength);
    const Frame largest = makeFrame(kUnitAddress, 0x03, kPcAddress, Bytes(kMaxSendableDataBytes, 0));
    EXPECT_LE(encodeFrame(largest).size(), kMaxFrameTextLength);
}

TEST(FrameEncoding, AddressedBlocksPutTheValueLeastSignificantByteFirst)
{
    EXPECT_EQ(addressedBlock(0x44, 3, 0x030201, true), (Bytes{0x00, 0x00, 0x44, 3, 0x01, 0x02, 0x03}));
    EXPECT_EQ(addressedBlock(0x01020304, 1, 0xFF, false), (Bytes{0x01, 0x02, 0x03, 0x04, 1, 0xFF}));
    EXPECT_EQ(defaultDataBlock(), Bytes(5, 0));
}

TEST(FrameEncoding, HexConversions)
{
    EXPECT_EQ(byteToHex(0x0A), QStringLiteral("0A"));
    EXPECT_EQ(byteToHex(0xE0), QStringLiteral("E0"));
    EXPECT_EQ(hexToBytes(QStringLiteral("04ab1F")), (Bytes{0x04, 0xAB, 0x1F}));
    // A character that is no digit counts as 0 but keeps its place.
    EXPECT_EQ(hexToBytes(QStringLiteral("x1G2")), (Bytes{0x01, 0x02}));
}

TEST(FrameParsing, WholeReplyParsesIntoOneRecord)
{
    FrameParser parser;
    const auto result = parser.feed(QByteArray(":E0028CC554;\r\n"));
    ASSERT_EQ(result.frames.size(), 1u);
    EXPECT_EQ(result.frames[0], confirmationReply());
    EXPECT_EQ(result.rejected, 0);
    EXPECT_EQ(parser.checksumErrors(), 0);
}

TEST(FrameParsing, ReplySplitOverThreeReads)
{
    FrameParser parser;
    EXPECT_TRUE(parser.feed(QByteArray(":E002")).frames.empty());
    EXPECT_TRUE(parser.feed(QByteArray("8CC5")).frames.empty());
    const auto result = parser.feed(QByteArray("54;\r\n"));
    ASSERT_EQ(result.frames.size(), 1u);
    EXPECT_EQ(result.frames[0], confirmationReply());
}

TEST(FrameParsing, BadCheckByteIsCountedAndDropped)
{
    FrameParser parser;
    const auto result = parser.feed(QByteArray(":E0028CC555;\r\n"));
    EXPECT_TRUE(result.frames.empty());
    EXPECT_EQ(result.rejected, 1);
    EXPECT_EQ(parser.checksumErrors(), 1);
}

TEST(FrameParsing, TwoFramesWithNoiseBetweenBothParseInOrder)
{
    FrameParser parser;
    const Frame status = makeFrame(kPcAddress, 0x88, kUnitAddress, {1, 2, 3, 4});
    const QByteArray stream = encodeFrame(confirmationReply()) + QByteArray("\x01 xyz\xff\x80 ", 9) + encodeFrame(status);
    const auto result = parser.feed(stream);
    ASSERT_EQ(result.frames.size(), 2u);
    EXPECT_EQ(result.frames[0], confirmationReply());
    EXPECT_EQ(result.frames[1], status);
}

TEST(FrameParsing, LowerCaseFrameLosesItsLettersAndFailsTheCheck)
{
    FrameParser parser;
    const auto result = parser.feed(QByteArray(":e0028cc554;"));
    EXPECT_TRUE(result.frames.empty());
    EXPECT_EQ(parser.checksumErrors(), 1);
}

TEST(FrameParsing, TailOfAFrameSeenBeforeItsStartIsDiscarded)
{
    FrameParser parser;
    // The port opened in the middle of a frame: "C554;" is a tail without its ":".
    const auto result = parser.feed(QByteArray("C554;\r\n") + encodeFrame(confirmationReply()));
    ASSERT_EQ(result.frames.size(), 1u);
    EXPECT_EQ(parser.checksumErrors(), 0);
}

TEST(FrameParsing, LostEndOfFrameLosesThatFrameButNotTheNext)
{
    FrameParser parser;
    const auto result = parser.feed(QByteArray(":E0028CC554") + encodeFrame(confirmationReply()));
    ASSERT_EQ(result.frames.size(), 1u);
    EXPECT_EQ(result.frames[0], confirmationReply());
    EXPECT_EQ(parser.checksumErrors(), 1);
}

TEST(FrameParsing, EveryAcceptedFrameReencodesToItsOwnText)
{
    FrameParser parser;
    for (int n = 0; n <= kMaxSendableDataBytes; n += 7) {
        Bytes data;
        for (int i = 0; i < n; ++i) data.push_back(static_cast<std::uint8_t>(i * 37 + n));
        const Frame frame = makeFrame(kPcAddress, 0x82, kUnitAddress, data);
        const QByteArray text = encodeFrame(frame);
        const auto result = parser.feed(text);
        ASSERT_EQ(result.frames.size(), 1u) << n;
        EXPECT_EQ(encodeFrame(result.frames[0]), text);
    }
}

TEST(FrameParsing, ChecksumCountStopsAt65535)
{
    FrameParser parser;
    QByteArray bad;
    for (int i = 0; i < 1000; ++i) bad += ":E0028CC555;";
    for (int i = 0; i < 66; ++i) parser.feed(bad);
    EXPECT_EQ(parser.checksumErrors(), 65535);
}

TEST(FrameParsing, EndlessTextWithoutEndOfFrameStaysBounded)
{
    FrameParser parser;
    for (int i = 0; i < 100; ++i) parser.feed(QByteArray(1000, 'A'));
    parser.feed(QByteArray(":") + QByteArray(100000, '1'));
    EXPECT_LE(parser.pending().size(), 4096 + 1000);
    const auto result = parser.feed(encodeFrame(confirmationReply()));
    EXPECT_EQ(result.frames.size(), 1u);
}
