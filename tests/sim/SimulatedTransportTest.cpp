#include "sim/SimulatedTransport.h"
#include "UnitHarness.h"

#include <gtest/gtest.h>

#include <ctime>
#include <thread>

using namespace alvetra;
using namespace alvetra::sim;
using namespace std::chrono_literals;

namespace {

QByteArray statusRequest()
{
    return encodeFrame(makeFrame(kUnitAddress, 0x08, kPcAddress, defaultDataBlock()));
}

// Reads until one whole frame has come in or `limit` passes.
QByteArray readOneFrame(Transport &port, std::chrono::milliseconds limit = 1000ms)
{
    QByteArray got;
    const auto deadline = Clock::now() + limit;
    while (!got.contains(';') && Clock::now() < deadline) {
        if (port.waitForBytes() != Transport::WaitResult::BytesReady)
            break;
        char buffer[255];
        const qint64 n = port.read(buffer, sizeof buffer);
        if (n > 0)
            got.append(buffer, n);
    }
    return got;
}

double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

} // namespace

TEST(SimulatedTransport, WriteTakesTheWireTimeAndTheReplyComesPaced)
{
    SimulatedUnit unit;   // 19200 bit/s
    SimulatedTransport port(unit);
    ASSERT_EQ(port.open(), Transport::OpenResult::Opened);
    EXPECT_EQ(port.portName(), QStringLiteral("Symulator"));

    const QByteArray request = statusRequest();   // 24 characters: 12.5 ms on the line
    const auto start = Clock::now();
    ASSERT_EQ(port.write(request), request.size());
    const auto written = Clock::now();
    EXPECT_GE(written - start, 12ms);
    EXPECT_LT(written - start, 100ms);

    const QByteArray reply = readOneFrame(port);
    const auto done = Clock::now();
    EXPECT_EQ(reply.left(20), QByteArray(":E00688C50000000054;"));
    // The unit answers as soon as the request's ";" is in (22 characters, 11.5 ms), while CR LF
    // are still on the line; the reply's 20 characters up to its ";" take 10.4 ms more.
    EXPECT_GE(done - start, 21ms);
    EXPECT_LT(done - start, 150ms);
}

TEST(SimulatedTransport, WaitSleepsWithoutSpinningUntilInterrupted)
{
    SimulatedUnit unit;
    SimulatedTransport port(unit);
    ASSERT_EQ(port.open(), Transport::OpenResult::Opened);

    std::thread interrupter([&] {
        std::this_thread::sleep_for(150ms);
        port.interrupt();
    });
    const auto start = Clock::now();
    const double cpuBefore = threadCpuMs();
    const Transport::WaitResult result = port.waitForBytes();
    const double cpuUsed = threadCpuMs() - cpuBefore;
    const auto waited = Clock::now() - start;
    interrupter.join();

    EXPECT_EQ(result, Transport::WaitResult::Interrupted);
    EXPECT_GE(waited, 140ms);
    EXPECT_LT(waited, 1000ms);
    EXPECT_LT(cpuUsed, 20.0) << "a sleeping wait must not burn the processor";
}

TEST(SimulatedTransport, InterruptBeforeTheWaitIsNotLostAndIsConsumedOnce)
{
    SimulatedUnit unit;
    SimulatedTransport port(unit);
    ASSERT_EQ(port.open(), Transport::OpenResult::Opened);
    port.interrupt();
    EXPECT_EQ(port.waitForBytes(), Transport::WaitResult::Interrupted);

    // The next wait sleeps again and ends with the reply to a request.
    port.write(statusRequest());
    EXPECT_EQ(port.waitForBytes(), Transport::WaitResult::BytesReady);
}

TEST(SimulatedTransport, OneLineOneUserAndReopeningAfterClose)
{
    SimulatedUnit unit;
    SimulatedTransport first(unit);
    SimulatedTransport second(unit);
    ASSERT_EQ(first.open(), Transport::OpenResult::Opened);
    EXPECT_EQ(second.open(), Transport::OpenResult::InUse);
    EXPECT_TRUE(first.close());
    ASSERT_EQ(second.open(), Transport::OpenResult::Opened);
    second.write(statusRequest());
    EXPECT_TRUE(readOneFrame(second).startsWith(":E00688C5"));
}

TEST(SimulatedTransport, UnplugEndsTheWaitAndTheTransportStaysLost)
{
    SimulatedUnit unit;
    auto port = std::make_unique<SimulatedTransport>(unit);
    ASSERT_EQ(port->open(), Transport::OpenResult::Opened);

    std::thread puller([&] {
        std::this_thread::sleep_for(50ms);
        unit.unplug();
    });
    EXPECT_EQ(port->waitForBytes(), Transport::WaitResult::DeviceLost);
    puller.join();
    EXPECT_EQ(port->write(statusRequest()), -1);
    char buffer[8];
    EXPECT_EQ(port->read(buffer, sizeof buffer), -1);
    EXPECT_EQ(port->lastError(), EIO);

    SimulatedTransport reopened(unit);
    EXPECT_EQ(reopened.open(), Transport::OpenResult::Missing);
    unit.replug();
    // The old transport does not come back by itself ...
    EXPECT_EQ(port->waitForBytes(), Transport::WaitResult::DeviceLost);
    port->close();
    // ... a new one opens and talks.
    ASSERT_EQ(reopened.open(), Transport::OpenResult::Opened);
    reopened.write(statusRequest());
    EXPECT_TRUE(readOneFrame(reopened).startsWith(":E00688C5"));
}
