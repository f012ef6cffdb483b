#include "sim/LinePacer.h"
#include "sim/SimulatedTransport.h"
#include "UnitHarness.h"

#include <gtest/gtest.h>

#include <thread>

using namespace alvetra;
using namespace alvetra::sim;
using namespace alvetra::test;
using namespace std::chrono_literals;

TEST(LinePacer, TenBitsPerCharacter)
{
    LinePacer pacer(19200);
    EXPECT_EQ(pacer.characterTime(), std::chrono::nanoseconds(520833));
    const Clock::time_point t0 = Clock::now();
    pacer.send("0123456789", t0);
    EXPECT_TRUE(pacer.takeDue(t0).isEmpty());
    EXPECT_EQ(pacer.takeDue(t0 + pacer.characterTime() * 5 + 1us), QByteArray("01234"));
    EXPECT_EQ(*pacer.nextDue(), t0 + pacer.characterTime() * 6);
    // A second message queues behind the first even if it is ready earlier.
    pacer.send("AB", t0);
    EXPECT_EQ(pacer.takeDue(t0 + pacer.characterTime() * 11), QByteArray("56789A"));
    EXPECT_EQ(pacer.sendingEndsAt(), t0 + pacer.characterTime() * 12);

    // Incoming characters finish one after the other, behind anything still arriving.
    const auto done = pacer.receive(3, t0);
    ASSERT_EQ(done.size(), 3u);
    EXPECT_EQ(done[2], t0 + pacer.characterTime() * 3);
    EXPECT_EQ(pacer.receive(1, t0).front(), t0 + pacer.characterTime() * 4);
}

TEST(LinePacer, SpeedZeroMeansNoPacing)
{
    LinePacer pacer(0);
    const Clock::time_point t0 = Clock::now();
    pacer.send("abc", t0);
    EXPECT_EQ(pacer.takeDue(t0), QByteArray("abc"));
    EXPECT_EQ(pacer.receive(5, t0).back(), t0);
}

TEST(LinePacer, ReplyStartsWhenTheRequestsSemicolonHasArrived)
{
    UnitConfig config;
    config.lineSpeed = 19200;
    SimulatedUnit unit(config);
    const auto token = unit.attachLine();
    const Clock::time_point t0 = Clock::now() + 1s;   // in the future: nothing is due yet
    const QByteArray request = encodeFrame(makeFrame(kUnitAddress, 0x08, kPcAddress, defaultDataBlock()));
    const auto drained = unit.receive(token, request, t0);
    const auto c = std::chrono::nanoseconds(520833);
    ASSERT_TRUE(drained);
    EXPECT_EQ(*drained, t0 + c * 24);
    // ";" is the 22nd character; the 22-character reply follows it.
    EXPECT_EQ(*unit.nextDue(), t0 + c * 23);
    EXPECT_EQ(unit.takeDue(token, t0 + c * 23).size(), 1);
    EXPECT_EQ(unit.takeDue(token, t0 + c * 44 - 1ns).size(), 20);
    EXPECT_EQ(unit.takeDue(token, t0 + c * 44), QByteArray("\n"));
}

TEST(Pacing, MeasuredRateThroughTheTransportIsTheLineRate)
{
    SimulatedUnit unit;   // 19200 bit/s
    SimulatedTransport port(unit);
    ASSERT_EQ(port.open(), Transport::OpenResult::Opened);
    // Forty requests in one go from another thread (the write lasts their wire time); each
    // reply is longer than its request, so the replies follow each other without a gap.
    QByteArray requests;
    for (int i = 0; i < 40; ++i)
        requests += encodeFrame(makeFrame(kUnitAddress, 0x06, kPcAddress, defaultDataBlock()));
    std::thread writer([&] { port.write(requests); });

    QByteArray got;
    Clock::time_point first{};
    Clock::time_point last{};
    const auto deadline = Clock::now() + 5s;
    while (Clock::now() < deadline && got.count(';') < 40) {
        if (port.waitForBytes() != Transport::WaitResult::BytesReady)
            break;
        char buffer[255];
        const qint64 n = port.read(buffer, sizeof buffer);
        if (n <= 0)
            continue;
        if (got.isEmpty())
            first = Clock::now();
        got.append(buffer, n);
        last = Clock::now();
    }
    writer.join();
    ASSERT_EQ(got.count(';'), 40);
    const double seconds = std::chrono::duration<double>(last - first).count();
    const double rate = (got.size() - 1) / seconds;
    RecordProperty("characters_per_second", std::to_string(rate));
    EXPECT_NEAR(rate, 1920.0, 192.0) << got.size() << " characters in " << seconds << " s";
}
