// Frames that pass the check byte by chance but are not whole pairs of digits: a damaged line
// must never deliver bytes the unit did not send.

#include "link/FrameParser.h"

#include <gtest/gtest.h>

using namespace alvetra;

namespace {

const Frame kConfirmation = makeFrame(kPcAddress, 0x8C, kUnitAddress);

} // namespace

TEST(FrameReliability, TextsThatAreNotWholePairsAreRejectedEvenWhenTheirCheckWorksOut)
{
    // Each of these gives 0 when its digits (missing ones and ":" as 0) are combined, so a
    // parser that only looked at the check byte would pass them on.
    const char *damaged[] = {
        ":E28CC554;",          // one digit lost: header of 4 bytes and no check byte
        ":E0028CC5540;",       // an odd digit after the check byte
        ":FF;",                // too short for a header
    };
    for (const char *text : damaged) {
        FrameParser parser;
        const FrameParser::Result result = parser.feed(QByteArray(text));
        EXPECT_TRUE(result.frames.empty()) << text;
        EXPECT_EQ(result.rejected, 1) << text;
        EXPECT_EQ(parser.checksumErrors(), 1) << text;
    }
}

TEST(FrameReliability, AValidFrameAfterARejectedOneStillParses)
{
    // The ";" of ":000" was lost and it ran into the next frame: ":000" is one damaged frame, the
    // confirmation after it still counts, whether it arrives at once or in pieces.
    const QByteArray confirmation = encodeFrame(kConfirmation);
    FrameParser parser;
    FrameParser::Result result = parser.feed(QByteArray(":000") + confirmation + confirmation);
    ASSERT_EQ(result.frames.size(), 2u);
    EXPECT_EQ(result.frames[0], kConfirmation);
    EXPECT_EQ(result.rejected, 1);

    EXPECT_TRUE(parser.feed(QByteArray(":E0028C") + confirmation.left(6)).frames.empty());
    result = parser.feed(confirmation.mid(6));
    ASSERT_EQ(result.frames.size(), 1u);
    EXPECT_EQ(result.frames[0], kConfirmation);
    EXPECT_EQ(parser.checksumErrors(), 2);
}
