// Connection supervision per page, the port reopening after a run of unanswered polls, and
// block keeping.

#include "LinkFixture.h"
#include "TestSpeedup.h"
#include "link/Supervision.h"

#include <QTimer>

using namespace alvetra;
using namespace alvetra::test;

namespace {

constexpr std::uint8_t kStatus = 0x08;
// A status poll of 2500 ms to a silent unit: sent at 0, then after 286, 572 and 1000 ms.
constexpr int kMostCopiesOfOnePoll = 4;

class SupervisionTest : public LinkFixture {
protected:
    void SetUp() override
    {
        // A 100 ms slice passes in half a real millisecond (natively).
        TimeBase::setSpeedup(testSpeedup(200.0));
        openPort();
    }

    int statusRequestsSent() const
    {
        int n = 0;
        for (const QByteArray &text : line->writtenTexts())
            n += requestCode(text) == kStatus;
        return n;
    }

    void ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            supervision.supervisionTick();
    }

    int page = Supervision::kMonitorPage;
    int reopenings = 0;
    int pressTicks = 0;
    ScaledTimer timer;
    Supervision supervision{*link, timer,
                            {[this] { return page; },
                             [this] {
                                 ++reopenings;
                                 link->reopen(QStringLiteral("COM3"), 8);
                             },
                             [this] { ++pressTicks; }}};
};

} // namespace

TEST_F(SupervisionTest, MonitorReopensThePortAfter101UnansweredPollsAndAgainAfter101More)
{
    ticks(100);
    EXPECT_EQ(reopenings, 0);
    EXPECT_EQ(supervision.missCountdown(), 0);
    EXPECT_EQ(statusRequestsSent(), 100);

    ticks(1);
    EXPECT_EQ(reopenings, 1);
    EXPECT_EQ(timer.intervalMs(), Supervision::kAfterReopenIntervalMs);
    EXPECT_EQ(supervision.missCountdown(), 100);
    ASSERT_TRUE(waitFor([&] { return events.log.count(QStringLiteral("portOpened")) == 2; }));

    ticks(100);
    EXPECT_EQ(reopenings, 1);
    ticks(1);
    EXPECT_EQ(reopenings, 2);
    EXPECT_EQ(statusRequestsSent(), 202);
    EXPECT_EQ(pressTicks, 202);
}

TEST_F(SupervisionTest, AnAnswerOnTheMonitorRestoresThePollingAndTheCountdown)
{
    ticks(30);
    EXPECT_EQ(supervision.missCountdown(), 70);
    answer(kStatus, {0, 0, 0, 0});
    // The answer counts only within the poll's one 100 ms slice; in real time, so that a slow
    // machine (or a sanitizer build) still gets it through the reader thread in time.
    TimeBase::setSpeedup(1.0);
    ticks(1);
    EXPECT_EQ(supervision.missCountdown(), 100);
    EXPECT_EQ(timer.intervalMs(), Supervision::kPollIntervalMs);
    EXPECT_EQ(reopenings, 0);
}

TEST_F(SupervisionTest, MonitorMissesCountAlsoWhileThePortIsClosed)
{
    ASSERT_EQ(link->stopReaderThread(), SerialLink::StopResult::Stopped);
    ticks(101);
    EXPECT_EQ(reopenings, 1);
    EXPECT_EQ(statusRequestsSent(), 0);
}

TEST_F(SupervisionTest, CodesPagePollsEveryFifteenthTick)
{
    page = Supervision::kCodesPage;
    ticks(14);
    EXPECT_EQ(statusRequestsSent(), 0);
    ticks(1);
    EXPECT_EQ(statusRequestsSent(), 1);
    ticks(15);
    EXPECT_EQ(statusRequestsSent(), 2);
    EXPECT_EQ(timer.intervalMs(), Supervision::kPollIntervalMs);
    EXPECT_EQ(reopenings, 0);
}

TEST_F(SupervisionTest, OtherPagesPollEveryThreeSecondsAndDoNotCountMisses)
{
    ticks(30);
    page = 3;
    ticks(1);
    EXPECT_EQ(timer.intervalMs(), Supervision::kIdleIntervalMs);
    // One poll of 2500 ms to a silent unit, sent again on the resend schedule, whose shortest
    // pause is real time: how many copies fit depends on the speed-up, not on the page.
    EXPECT_GE(statusRequestsSent(), 30 + 2);
    EXPECT_LE(statusRequestsSent(), 30 + kMostCopiesOfOnePoll);
    ticks(2);
    EXPECT_EQ(supervision.missCountdown(), 70);
    EXPECT_EQ(reopenings, 0);
}

TEST_F(SupervisionTest, ATickArrivingDuringAnotherTicksWaitIsSkipped)
{
    page = 3;
    QTimer::singleShot(2, [&] { supervision.supervisionTick(); });
    ticks(1);
    EXPECT_GE(statusRequestsSent(), 2);
    EXPECT_LE(statusRequestsSent(), kMostCopiesOfOnePoll);
    EXPECT_EQ(pressTicks, 1);
}

TEST_F(SupervisionTest, BlockKeepingSendsItsRequestOnceWithoutWaitingForAReply)
{
    supervision.blockKeepingTick();
    EXPECT_EQ(line->writtenTexts(), std::vector<QByteArray>{":C5070AE00000000000D7;\r\n"});
}
