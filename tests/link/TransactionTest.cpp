// Requests and replies through the reader thread: what is written, when it is repeated, what
// a transaction returns and how soon.

#include "LinkFixture.h"
#include "TestSpeedup.h"

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <numeric>

using namespace alvetra;
using namespace alvetra::test;

namespace {

constexpr std::uint8_t kConfirm = 0x0C;

Bytes readReplyData(std::uint8_t address, const Bytes &values)
{
    Bytes data(4 + values.size());
    data[0] = address;
    data[3] = static_cast<std::uint8_t>(values.size());
    std::copy(values.begin(), values.end(), data.begin() + 4);
    return data;
}

// A login reply: text "X", access granted, counter 0.
Bytes loginReplyData()
{
    return {'X', 0x01, 0, 0, 0, 0};
}

bool confirm(SerialLink &link)
{
    return link.sendRequest({.code = kConfirm, .repeatMs = 1400, .totalMs = 3000});
}

using Transactions = LinkFixture;

} // namespace

TEST_F(Transactions, ReadBlockSendsItsFrameAndHasTheBytesInTheImageOnReturn)
{
    const Bytes values = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};
    answer(0x02, readReplyData(0x10, values));
    openPort();

    ASSERT_TRUE(link->readBlock(kUnitAddress, 0x10, 8));

    EXPECT_EQ(line->writtenTexts(), std::vector<QByteArray>{":C50602E000001008C6;\r\n"});
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(image.at(0x10 + i), values[i]) << i;
    EXPECT_EQ(events.tx, 1);
    EXPECT_GE(events.rx, 1);
}

TEST_F(Transactions, AnAnsweredRequestEndsWithItsReplyNotAtTheNextTick)
{
    answer(kConfirm);
    openPort();
    qint64 slowest = 0;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer clock;
        clock.start();
        ASSERT_TRUE(confirm(*link));
        slowest = std::max(slowest, clock.elapsed());
    }
    // A wait that only looked at its flag every 100 ms slice would take at least 100 ms.
    EXPECT_LT(slowest, 60);
}

TEST_F(Transactions, ConfirmationToASilentUnitIsSentThreeTimesAndFailsAfterAboutThreeSeconds)
{
    TimeBase::setSpeedup(testSpeedup(5.0));
    openPort();
    const qint64 start = TimeBase::nowMs();
    EXPECT_FALSE(confirm(*link));
    const qint64 elapsed = TimeBase::nowMs() - start;

    const std::vector<FakeLine::Written> sent = line->written();
    ASSERT_EQ(sent.size(), 3u);
    const qint64 first = sent[0].protocolMs;
    EXPECT_LT(first - start, 50);
    EXPECT_GE(sent[1].protocolMs - first, 1390);
    EXPECT_LE(sent[1].protocolMs - first, 1600);
    EXPECT_GE(sent[2].protocolMs - first, 2790);
    EXPECT_LE(sent[2].protocolMs - first, 3150);
    EXPECT_GE(elapsed, 3090);
    EXPECT_LE(elapsed, 3500);
    for (const FakeLine::Written &w : sent)
        EXPECT_EQ(w.text, QByteArray(":C5070CE00000000000D1;\r\n"));
}

TEST_F(Transactions, DisconnectAtShutdownIsSentUpToFourTimesOverSixHundredMilliseconds)
{
    TimeBase::setSpeedup(testSpeedup(5.0));
    openPort();
    EXPECT_FALSE(link->sendDisconnect());
    const std::vector<FakeLine::Written> sent = line->written();
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(requestCode(sent[0].text), 0x0B);
    EXPECT_GE(sent[3].protocolMs - sent[0].protocolMs, 590);
    EXPECT_LE(sent[3].protocolMs - sent[0].protocolMs, 750);
}

TEST_F(Transactions, WriteBlockSendsImageBytesAndReportsRefusalsAndOversizedBlocks)
{
    image.set(0x20, 0xAB);
    image.set(0x21, 0xCD);
    answer(0x03, {0});
    openPort();

    EXPECT_EQ(link->writeBlock(kUnitAddress, 0x20, 2, image), WriteResult::Written);
    EXPECT_EQ(line->writtenTexts(), std::vector<QByteArray>{":C50803E000002002ABCD95;\r\n"});

    answer(0x03, {1});   // a reply, but the unit refuses
    EXPECT_EQ(link->writeBlock(kUnitAddress, 0x20, 2, image), WriteResult::NotAccepted);

    EXPECT_EQ(link->writeBlock(kUnitAddress, 0x20, 9, image), WriteResult::TooLong);
    EXPECT_EQ(line->written().size(), 2u);
}

TEST_F(Transactions, WithThePortClosedNothingIsWrittenAndTheTxLedStaysDark)
{
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(confirm(*link));
    EXPECT_FALSE(link->readBlock(kUnitAddress, 0, 8));
    EXPECT_EQ(link->writeBlock(kUnitAddress, 0, 4, image), WriteResult::NotAccepted);
    EXPECT_LT(clock.elapsed(), 50);
    EXPECT_TRUE(line->written().empty());
    EXPECT_EQ(events.tx, 0);
}

TEST_F(Transactions, AFrameTooLongToSendIsNeverWritten)
{
    openPort();
    const QString tooLong(2 * (kMaxSendableDataBytes + 1), QLatin1Char('A'));
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(link->sendRequest({.code = 0x01, .hexText = tooLong, .repeatMs = 2600, .totalMs = 2500}));
    EXPECT_LT(clock.elapsed(), 50);
    EXPECT_TRUE(line->written().empty());

    Frame frame = makeFrame(kUnitAddress, 0x03, kPcAddress, Bytes(kMaxSendableDataBytes + 1, 0));
    EXPECT_FALSE(link->sendFrame(frame));
    EXPECT_EQ(events.tx, 0);
}

TEST_F(Transactions, AFrameThePortDoesNotTakeIsWrittenAgain)
{
    answer(kConfirm);
    openPort();
    line->failNextWrites(3);
    EXPECT_TRUE(confirm(*link));
    EXPECT_EQ(line->written().size(), 1u);
    EXPECT_EQ(events.tx, 1);
}

TEST_F(Transactions, RetryingAnUnwritableFrameEndsWhenTheDeviceGoesAway)
{
    openPort();
    line->failNextWrites(1 << 30);
    QTimer::singleShot(100, [&] { line->loseDevice(); });
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(confirm(*link));
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_FALSE(link->portOpen());
}

TEST_F(Transactions, ARequestInsideAnotherRequestsWaitRunsToItsEnd)
{
    answer(kConfirm, {}, 300);
    answer(0x08, {0, 1, 2, 3});
    openPort();
    bool innerResult = false;
    QTimer::singleShot(50, [&] { innerResult = link->sendStatusRequest(2500, 1000); });
    EXPECT_TRUE(confirm(*link));
    EXPECT_TRUE(innerResult);
    EXPECT_TRUE(events.log.contains(QStringLiteral("status 0 1 2 3")));
}

TEST_F(Transactions, RepliesSplitAndSurroundedByNoiseAreStillFound)
{
    openPort();
    // Noise and the tail of a frame never begun, then the reply in three pieces.
    QTimer::singleShot(20, [&] {
        line->push(QByteArray("\r\n\x01 xyz12;", 11));
        line->push(":E002", 5);
        line->push("8CC5", 10);
        line->push("54;\r\n", 15);
    });
    EXPECT_TRUE(confirm(*link));
    EXPECT_EQ(link->checksumErrors(), 0);
}

TEST_F(Transactions, ATransactionWhoseReaderWasReplacedFailsInsteadOfTakingTheNewReadersFlags)
{
    openPort();   // a silent unit
    // A new reader starts with the status flag raised, as if a report had come.
    QTimer::singleShot(50, [&] { link->reopen(QStringLiteral("COM3"), 8); });
    EXPECT_FALSE(link->sendStatusRequest(2500, 1000));
    EXPECT_TRUE(waitFor([&] { return line->opens() == 2; }));
}

TEST_F(Transactions, ARequestWithoutAReplyInsideAnotherWaitLeavesItsFlagsAlone)
{
    // Each reply comes while a timer step inside the wait is busy; the step then keeps the
    // blocks (a request the unit never answers) before the waiting transaction looks again.
    answer(0x03, {0}, 50);
    answer(0x01, loginReplyData(), 50);
    openPort();
    const auto busyThenKeepBlocks = [&] {
        delay(200);
        link->sendBlockKeeping();
    };
    QTimer::singleShot(10, busyThenKeepBlocks);
    EXPECT_EQ(link->writeBlock(kUnitAddress, 0x20, 2, image), WriteResult::Written);   // accepted, not "no reply"

    QTimer::singleShot(10, busyThenKeepBlocks);
    EXPECT_TRUE(link->sendRequest({.code = 0x01, .hexText = QStringLiteral("00"), .repeatMs = 2600, .totalMs = 2500}));
    int logins = 0;
    for (const QByteArray &text : line->writtenTexts())
        logins += requestCode(text) == 0x01;
    EXPECT_EQ(logins, 1);   // its reply was not lost, so it was not sent again
}

TEST_F(Transactions, AReadReplyForAnotherBlockNeitherLandsInTheImageNorEndsTheRead)
{
    TimeBase::setSpeedup(testSpeedup(10.0));
    image.fill(0xEE);
    openPort();
    const Bytes values = {1, 2, 3, 4, 5, 6, 7, 8};
    answer(0x02, readReplyData(0x08, values));   // late reply of the read before
    EXPECT_FALSE(link->readBlock(kUnitAddress, 0x10, 8));
    answer(0x02, readReplyData(0x10, Bytes(values.begin(), values.begin() + 4)));   // the right block, but short
    EXPECT_FALSE(link->readBlock(kUnitAddress, 0x10, 8));
    for (int a = 0; a < kImageSize; ++a)
        ASSERT_EQ(image.at(a), 0xEE) << a;

    answer(0x02, readReplyData(0x10, values));
    EXPECT_TRUE(link->readBlock(kUnitAddress, 0x10, 8));
    EXPECT_EQ(image.at(0x17), 8);
}

TEST_F(Transactions, ALateReadReplyWhileAWriteOrAStatusRequestWaitsLeavesTheImageAlone)
{
    // The read before is answered; a copy of its reply with other bytes comes again, very late,
    // in front of the write's and the status request's replies.
    TimeBase::setSpeedup(testSpeedup(10.0));
    image.fill(0xEE);
    const QByteArray stale = replyText(0x82, readReplyData(0x08, Bytes(8, 0x5A)));
    line->respond([&](const QByteArray &text) -> std::optional<FakeLine::Reply> {
        switch (requestCode(text)) {
        case 0x02: return FakeLine::Reply{replyText(0x82, readReplyData(0x08, Bytes(8, 0x11))), 0};
        case 0x03: return FakeLine::Reply{stale + replyText(0x83, {0x00}), 0};
        case 0x08: return FakeLine::Reply{stale + replyText(0x88, {1, 2, 3, 4}), 0};
        default: return std::nullopt;
        }
    });
    openPort();
    ASSERT_TRUE(link->readBlock(kUnitAddress, 0x08, 8));
    SettingsImage source;
    EXPECT_EQ(link->writeBlock(kUnitAddress, 0x20, 2, source), WriteResult::Written);
    EXPECT_TRUE(link->sendStatusRequest(2500, 1000));

    for (int a = 0; a < kImageSize; ++a)
        ASSERT_EQ(image.at(a), a >= 0x08 && a < 0x10 ? 0x11 : 0xEE) << a;
}

TEST_F(Transactions, AStatusRequestToASlowUnitIsSentOnDoublingPausesAndWaitsItsWhole2600Ms)
{
    // Real time: at a speed-up the shortest pause is real milliseconds and hides the doubling.
    TimeBase::setSpeedup(1.0);
    bool answered = false;
    line->respond([&](const QByteArray &text) -> std::optional<FakeLine::Reply> {
        if (requestCode(text) != 0x08 || std::exchange(answered, true))
            return std::nullopt;
        return FakeLine::Reply{replyText(0x88, {1, 2, 3, 4}), 2560};   // the first copy's answer, late
    });
    openPort();
    EXPECT_TRUE(link->sendStatusRequest(2500, 1000));

    // Sent at 0, 286, 858 and 1858 ms (the pause doubles up to the 1000 ms repeat); the answer
    // at 2560 ms still counts, since the wait ends at 2600 ms.
    const std::vector<QByteArray> sent = line->writtenTexts();
    EXPECT_GE(sent.size(), 3u);
    EXPECT_LE(sent.size(), 5u);
}

TEST_F(Transactions, ALateReplyToARepeatedReadDoesNotEndTheNextRead)
{
    // A slow unit answers every read 400 ms late, after the read has been sent again: the first
    // read gets two replies, the second of them while the next read waits.
    image.fill(0xEE);
    line->respond([](const QByteArray &text) -> std::optional<FakeLine::Reply> {
        const auto address = static_cast<std::uint8_t>(text.mid(13, 2).toInt(nullptr, 16));
        Bytes values(8);
        std::iota(values.begin(), values.end(), std::uint8_t(address + 1));
        return FakeLine::Reply{replyText(0x82, readReplyData(address, values)), 400};
    });
    openPort();
    EXPECT_TRUE(link->readBlock(kUnitAddress, 0x00, 8));
    EXPECT_TRUE(link->readBlock(kUnitAddress, 0x08, 8));

    const std::vector<QByteArray> sent = line->writtenTexts();
    ASSERT_GE(std::count(sent.begin(), sent.end(), QByteArray(":C50602E000000008D6;\r\n")), 2);
    for (int a = 0; a < 16; ++a)
        EXPECT_EQ(image.at(a), a + 1) << a;
}
