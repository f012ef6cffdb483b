// A recorded session played back: requests answered in their recorded order.

#include "link/Protocol.h"
#include "link/TrafficLogFormat.h"
#include "sim/SessionReplay.h"

#include <gtest/gtest.h>

using namespace alvetra;
using namespace alvetra::sim;

namespace {

QByteArray line(TrafficEvent::Direction dir, const QByteArray &text, TrafficEvent::Kind kind = TrafficEvent::Kind::Frame)
{
    return trafficLogLine({0, dir, kind, text.trimmed().toStdString()});
}

} // namespace

TEST(SessionReplay, AnswersInRecordedOrderRepeatsTheLastOfAKindAndHoldsNothingElse)
{
    using D = TrafficEvent::Direction;
    const Frame status = makeFrame(kUnitAddress, request::kStatus, kPcAddress, defaultDataBlock());
    const QByteArray first = encodeFrame(makeFrame(kPcAddress, reply::kStatus, kUnitAddress, {0, 0, 1, 0}));
    const QByteArray second = encodeFrame(makeFrame(kPcAddress, reply::kStatus, kUnitAddress, {0, 0, 0, 0}));
    // The first poll went unanswered and was sent again; the third got a damaged reply and noise.
    const QByteArray log = line(D::ToUnit, encodeFrame(status)) + line(D::ToUnit, encodeFrame(status))
        + line(D::FromUnit, first) + line(D::ToUnit, encodeFrame(status))
        + line(D::FromUnit, ":E0068;", TrafficEvent::Kind::Damaged) + line(D::FromUnit, "~~", TrafficEvent::Kind::Noise)
        + line(D::ToUnit, encodeFrame(status)) + line(D::FromUnit, second);
    SessionReplay replay(readTrafficLog(log));
    ASSERT_EQ(replay.exchanges(), 4u);

    EXPECT_EQ(replay.answer(status), std::vector<QByteArray>{});
    EXPECT_EQ(replay.answer(status), std::vector<QByteArray>{first});
    EXPECT_EQ(replay.answer(status), (std::vector<QByteArray>{":E0068;\r\n", "~~"}));
    EXPECT_EQ(replay.answer(status), std::vector<QByteArray>{second});
    EXPECT_EQ(replay.answer(status), std::vector<QByteArray>{second});   // polled more often than recorded
    EXPECT_EQ(replay.answer(makeFrame(kUnitAddress, request::kStatus, kPcAddress, {1})), std::nullopt);
    EXPECT_EQ(replay.answer(makeFrame(kUnitAddress, request::kConfirm, kPcAddress, defaultDataBlock())), std::nullopt);
}
