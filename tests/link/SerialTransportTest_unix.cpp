// The POSIX serial transport on real pseudo-terminals: raw bytes both ways, exclusive use,
// failures to open, waking a waiting reader, the other end going away and a line that stalls.

#include "link/LineSpeed.h"
#include "link/SerialTransport.h"
#include "link/SerialTransport_unix.h"

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <future>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

using namespace alvetra;

namespace {

// The far end of a pseudo-terminal; the transport opens `path()`.
class PtyMaster {
public:
    PtyMaster()
    {
        fd_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd_ >= 0 && grantpt(fd_) == 0 && unlockpt(fd_) == 0)
            path_ = QString::fromLocal8Bit(ptsname(fd_));
    }
    ~PtyMaster() { hangUp(); }
    PtyMaster(const PtyMaster &) = delete;
    PtyMaster &operator=(const PtyMaster &) = delete;

    QString path() const { return path_; }
    void hangUp()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }
    void send(const QByteArray &bytes) { ASSERT_EQ(::write(fd_, bytes.constData(), bytes.size()), bytes.size()); }

    // What the transport wrote, once `count` bytes are in or a second has passed.
    QByteArray receive(qsizetype count)
    {
        QByteArray got;
        QElapsedTimer clock;
        clock.start();
        while (got.size() < count && clock.elapsed() < 1000) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0)
                continue;
            char buffer[256];
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n > 0)
                got.append(buffer, n);
        }
        return got;
    }

private:
    int fd_ = -1;
    QString path_;
};

// Everything the transport can read within a second, up to `count` bytes.
QByteArray readUpTo(SerialTransport &port, qsizetype count)
{
    QByteArray got;
    QElapsedTimer clock;
    clock.start();
    while (got.size() < count && clock.elapsed() < 1000) {
        if (port.waitForBytes() != Transport::WaitResult::BytesReady)
            break;
        char buffer[255];
        const qint64 n = port.read(buffer, sizeof buffer);
        if (n < 0)
            break;
        got.append(buffer, n);
    }
    return got;
}

} // namespace

TEST(SerialTransport, BytesPassBothWaysUnchanged)
{
    PtyMaster master;
    ASSERT_FALSE(master.path().isEmpty());
    SerialTransport port(master.path(), QStringLiteral("pts"), kDefaultSpeedIndex);
    ASSERT_EQ(port.open(), Transport::OpenResult::Opened);

    const QByteArray frame(":C50708E00000000000D5;\r\n");
    EXPECT_EQ(port.write(frame), frame.size());
    EXPECT_EQ(master.receive(frame.size()), frame);   // no CR LF translation on the way out

    // Carriage return, XON/XOFF, interrupt and erase characters, high bytes: all plain data.
    const QByteArray raw("\r\n\x11\x13\x03\x7F\xFF\x00:E0;", 12);
    master.send(raw);
    EXPECT_EQ(readUpTo(port, raw.size()), raw);
    EXPECT_TRUE(port.close());
}

TEST(SerialTransport, ASecondOpenOfTheSameDeviceIsInUseUntilTheFirstCloses)
{
    PtyMaster master;
    SerialTransport first(master.path(), QStringLiteral("pts"), kDefaultSpeedIndex);
    SerialTransport second(master.path(), QStringLiteral("pts"), kDefaultSpeedIndex);
    ASSERT_EQ(first.open(), Transport::OpenResult::Opened);
    EXPECT_EQ(second.open(), Transport::OpenResult::InUse);
    ASSERT_TRUE(first.close());
    EXPECT_EQ(second.open(), Transport::OpenResult::Opened);
}

TEST(SerialTransport, AMissingDeviceIsReportedMissing)
{
    SerialTransport port(QStringLiteral("/dev/ttyAlvetraNoSuchPort"), QStringLiteral("ttyAlvetraNoSuchPort"), 8);
    EXPECT_EQ(port.open(), Transport::OpenResult::Missing);
    EXPECT_EQ(port.lastError(), ENOENT);
    EXPECT_EQ(port.write("x"), -1);
    EXPECT_FALSE(port.close());
}

TEST(SerialTransport, SystemErrorsMapToWhatTheUserIsTold)
{
    EXPECT_EQ(openResultForErrno(EBUSY), Transport::OpenResult::InUse);
    EXPECT_EQ(openResultForErrno(EWOULDBLOCK), Transport::OpenResult::InUse);
    EXPECT_EQ(openResultForErrno(ENOENT), Transport::OpenResult::Missing);
    EXPECT_EQ(openResultForErrno(ENODEV), Transport::OpenResult::Missing);
    EXPECT_EQ(openResultForErrno(ENXIO), Transport::OpenResult::Missing);
    EXPECT_EQ(openResultForErrno(EACCES), Transport::OpenResult::NoPermission);
    EXPECT_EQ(openResultForErrno(EPERM), Transport::OpenResult::NoPermission);
    EXPECT_EQ(openResultForErrno(EIO), Transport::OpenResult::Failed);
}

TEST(SerialTransport, PortNamesStandForDevicesUnderDevUnlessAPathIsGiven)
{
    EXPECT_EQ(devicePathForPort(QStringLiteral("ttyUSB0")), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(devicePathForPort(QStringLiteral("pts/3")), QStringLiteral("/dev/pts/3"));
    EXPECT_EQ(devicePathForPort(QStringLiteral("/tmp/unit")), QStringLiteral("/tmp/unit"));
}

TEST(SerialTransport, EveryRateOfTheSpeedBoxIsTakenIncludingTheNonStandardOnes)
{
    PtyMaster master;
    for (int index = 0; index < static_cast<int>(kLineRates.size()); ++index) {
        SerialTransport port(master.path(), QStringLiteral("pts"), index);
        EXPECT_EQ(port.open(), Transport::OpenResult::Opened) << kLineRates[static_cast<std::size_t>(index)];
        EXPECT_EQ(port.lineRate(), kLineRates[static_cast<std::size_t>(index)]);
        port.close();
    }
    EXPECT_EQ(lineRateForIndex(7), 14400);
    EXPECT_EQ(lineRateForIndex(12), 128000);
    EXPECT_EQ(lineRateForIndex(13), 0);
}

TEST(SerialTransport, InterruptWakesAWaitingReaderAndIsNotLostWhenEarly)
{
    PtyMaster master;
    SerialTransport port(master.path(), QStringLiteral("pts"), kDefaultSpeedIndex);
    ASSERT_EQ(port.open(), Transport::OpenResult::Opened);

    port.interrupt();   // before anyone waits
    EXPECT_EQ(port.waitForBytes(), Transport::WaitResult::Interrupted);

    auto waiting = std::async(std::launch::async, [&] { return port.waitForBytes(); });
    EXPECT_EQ(waiting.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    port.interrupt();
    ASSERT_EQ(waiting.wait_for(std::chrono::seconds(2)), std::future_status::ready);
    EXPECT_EQ(waiting.get(), Transport::WaitResult::Interrupted);
}

TEST(SerialTransport, TheOtherEndGoingAwayIsADeviceLost)
{
    PtyMaster master;
    SerialTransport port(master.path(), QStringLiteral("pts"), kDefaultSpeedIndex);
    ASSERT_EQ(port.open(), Transport::OpenResult::Opened);
    master.send(":E002");
    master.hangUp();
    // Bytes that came before the loss may still be read; then the loss shows, in the wait or
    // in the read.
    bool lost = false;
    char buffer[64];
    for (int i = 0; i < 4 && !lost; ++i) {
        const Transport::WaitResult result = port.waitForBytes();
        ASSERT_NE(result, Transport::WaitResult::Interrupted);
        lost = result == Transport::WaitResult::DeviceLost || port.read(buffer, sizeof buffer) < 0;
    }
    EXPECT_TRUE(lost);
}

TEST(SerialTransport, AWriteToALineThatTakesNoMoreBytesEndsInSecondsWithTheWindowAliveAndThePortGone)
{
    PtyMaster master;
    // Opened before the port holds the device: the means to stop our output, as an adapter that
    // takes no more bytes would.
    const int far = ::open(master.path().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(far, 0);
    SerialTransport port(master.path(), QStringLiteral("pts"), kDefaultSpeedIndex);
    ASSERT_EQ(port.open(), Transport::OpenResult::Opened);
    ASSERT_EQ(tcflow(far, TCOOFF), 0);

    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(50);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(port.write(":C50708E00000000000D5;\r\n"), -1);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_GE(ticks, 20);   // the window went on while the write waited

    // The port counts as gone: the reader hears it, and later writes fail at once.
    auto waiting = std::async(std::launch::async, [&] { return port.waitForBytes(); });
    if (waiting.wait_for(std::chrono::seconds(2)) != std::future_status::ready)
        port.interrupt();
    EXPECT_EQ(waiting.get(), Transport::WaitResult::DeviceLost);
    clock.restart();
    EXPECT_EQ(port.write("x"), -1);
    EXPECT_LT(clock.elapsed(), 50);
    EXPECT_TRUE(port.close());
    ::close(far);
}
