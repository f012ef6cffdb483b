// A noisy line: what is sent again when a reply goes missing, and what a healthy line carries.

#include "OpsHarness.h"
#include "ops/OpsTexts.h"

using namespace alvetra;
using namespace alvetra::test;

namespace {

// Every frame of the conversation as it crossed the line, in order: "> " what the unit
// received, "< " what it sent.
QStringList conversation(const sim::SimulatedUnit &unit)
{
    QStringList lines;
    for (const sim::LoggedFrame &entry : unit.frameLog()) {
        const bool received = entry.direction == sim::LoggedFrame::Direction::Received;
        lines << (received ? QStringLiteral("> ") : QStringLiteral("< ")) + QString::fromLatin1(entry.wire.trimmed());
    }
    return lines;
}

} // namespace

TEST_F(OpsTest, ALostReplyToARequestThatChangesNothingIsAnsweredBySendingItAgain)
{
    sim::FaultPlan plan;
    plan.repliesLostOnce = {0x06, 0x01, 0x02, 0x03};
    unit->setFaults(plan);
    ASSERT_EQ(ops->connect(), OperationOutcome::Done) << view.lastStatus().toStdString();

    // One login, each lost reply's request sent once more; the counter write is not repeated.
    std::vector<int> expected{0x06, 0x06, 0x07, 0x01, 0x01};
    expected.insert(expected.end(), 33, 0x02);
    expected.push_back(0x03);
    EXPECT_EQ(codesReceived(), expected);
    EXPECT_EQ(unit->received(0x02).at(1).data, unit->received(0x02).at(0).data);
    EXPECT_EQ(state.image.bytes(), unit->memory());
    EXPECT_EQ(view.lastStatus(), texts::kConnected);
}

TEST_F(OpsTest, AFaultFreeSessionPutsTheRecordedFramesOnTheLine)
{
    // Connect and read, write all nine groups (the PC password as it is), a status poll.
    ASSERT_EQ(ops->connect(), OperationOutcome::Done);
    view.values.newPcPassword = view.values.newPcPasswordRepeat = QStringLiteral("1234");
    EXPECT_EQ(ops->writeAll(), OperationOutcome::Done);
    EXPECT_TRUE(serial->sendStatusRequest(2500, 1000));

    QFile recording(QStringLiteral(ALVETRA_OPS_TEST_DATA "/fault-free-session.txt"));
    ASSERT_TRUE(recording.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList recorded = QString::fromLatin1(recording.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QStringList sent = conversation(*unit);
    EXPECT_EQ(sent.size(), recorded.size());
    for (qsizetype i = 0; i < std::min(sent.size(), recorded.size()); ++i)
        ASSERT_EQ(sent[i], recorded[i]) << "frame " << i;
}

TEST_F(OpsTest, AGroupWriteWhoseReplyIsLostIsWrittenAgainAfterANewLogin)
{
    connectAndClearLogs();
    view.values.antiTheft = !view.values.antiTheft;
    sim::FaultPlan plan;
    plan.repliesLostOnce = {0x03};
    unit->setFaults(plan);
    EXPECT_EQ(ops->writeGroup(WriteGroup::AntiTheft), OperationOutcome::Done);

    // The first write's reply lost: the confirmation all the same, then a new login and the same frames.
    std::vector<int> expected = kLoginCodes;
    expected.insert(expected.end(), {0x03, 0x0C});
    expected.insert(expected.end(), kLoginCodes.begin(), kLoginCodes.end());
    expected.insert(expected.end(), {0x03, 0x03, 0x0C});
    EXPECT_EQ(codesReceived(), expected);
    EXPECT_EQ(unit->received(0x03).at(1).data, unit->received(0x03).at(0).data);
    EXPECT_EQ(unit->memory(), state.image.bytes());
    EXPECT_EQ(view.lastStatus(), texts::kAntiTheftDone);
}

TEST_F(OpsTest, AWriteLostAgainAndAgainGoesOnFromTheBlockThatGotNoReply)
{
    connectAndClearLogs();
    view.values.pulseC1 = 7;
    sim::FaultPlan plan;
    plan.writeRepliesLost = {3, 4};   // the third block's reply, and again on the first retry
    unit->setFaults(plan);
    EXPECT_EQ(ops->writeGroup(WriteGroup::CentralLocks), OperationOutcome::Done);

    const auto writes = writesReceived();
    ASSERT_EQ(writes.size(), 11u);   // nine blocks, the third of them three times
    EXPECT_EQ(writes[3], writes[2]);
    EXPECT_EQ(writes[4], writes[2]);
    EXPECT_EQ(unit->received(0x01).size(), 3u);
    EXPECT_EQ(unit->memory(), state.image.bytes());
    EXPECT_EQ(view.lastStatus(), texts::kLocksDone);
}

TEST_F(OpsTest, ThePcPasswordIsNeverWrittenAgainAfterALostReplyButReadBackInTheSameSession)
{
    connectAndClearLogs();
    // Stored by the unit, the reply lost: its bytes read back show the new password.
    view.values.newPcPassword = view.values.newPcPasswordRepeat = QStringLiteral("5678");
    sim::FaultPlan plan;
    plan.writeRepliesLost = {1};
    unit->setFaults(plan);
    EXPECT_EQ(ops->writeGroup(WriteGroup::PcPassword), OperationOutcome::Done);
    EXPECT_EQ(view.password, QStringLiteral("5678"));

    // Lost on its way: the unit keeps its password and the fitter is told the write failed.
    view.values.newPcPassword = view.values.newPcPasswordRepeat = QStringLiteral("9999");
    sim::FaultPlan lost;
    lost.unansweredCodes = {0x03};
    unit->setFaults(lost);
    EXPECT_EQ(ops->writeGroup(WriteGroup::PcPassword), OperationOutcome::Failed);
    EXPECT_EQ(view.messageTexts(), std::vector<QString>{texts::kPcPasswordFailedBox});
    EXPECT_EQ(view.password, QStringLiteral("5678"));

    // Each time one login and one write; never the password again.
    EXPECT_EQ(unit->received(0x01).size(), 2u);
    EXPECT_EQ(unit->received(0x03).size(), 2u);
    EXPECT_EQ(unit->memory(), state.image.bytes());
}

TEST_F(OpsTest, ARetryWhoseLoginFailsEndsTheGroupAsNotLoggedIn)
{
    connectAndClearLogs();
    view.values.antiTheft = !view.values.antiTheft;
    // Once the group's login is through: its first write's reply is lost, and the unit then
    // answers no identification, so the new login fails.
    bool armed = false;
    view.progressHidden = [&] {
        if (std::exchange(armed, true))
            return;
        sim::FaultPlan plan;
        plan.writeRepliesLost = {1};
        plan.unansweredCodes = {0x06};
        unit->setFaults(plan);
    };
    EXPECT_EQ(ops->writeGroup(WriteGroup::AntiTheft), OperationOutcome::Failed);

    // Nothing is sent after the failed login, and writing all would stop there.
    EXPECT_EQ(unit->received(0x03).size(), 1u);
    EXPECT_FALSE(state.loginOk);
    EXPECT_EQ(view.messageTexts(), (std::vector<QString>{texts::kUnitNotAnswering, texts::kAntiTheftFailedBox}));
}
