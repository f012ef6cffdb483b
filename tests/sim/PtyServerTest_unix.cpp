#include "sim/PtyServer.h"
#include "UnitHarness.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

using namespace alvetra;
using namespace alvetra::sim;
using namespace std::chrono_literals;

namespace {

// The program's side of the cable with nothing but POSIX calls.
class ProgramPort {
public:
    explicit ProgramPort(const QString &path)
    {
        fd_ = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd_ >= 0) {
            termios t{};
            tcgetattr(fd_, &t);
            cfmakeraw(&t);
            tcsetattr(fd_, TCSANOW, &t);
        }
    }
    ~ProgramPort() { close(); }
    void close()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }
    bool isOpen() const { return fd_ >= 0; }

    void send(std::uint8_t code, const Bytes &data = defaultDataBlock())
    {
        const QByteArray text = encodeFrame(makeFrame(kUnitAddress, code, kPcAddress, data));
        ASSERT_EQ(::write(fd_, text.constData(), static_cast<size_t>(text.size())), text.size());
    }

    // Frames received within `limit`; stops early once `count` frames are in.
    std::vector<Frame> receive(std::size_t count = 1, std::chrono::milliseconds limit = 2000ms)
    {
        std::vector<Frame> frames;
        const auto deadline = Clock::now() + limit;
        while (frames.size() < count && Clock::now() < deadline) {
            pollfd p{fd_, POLLIN, 0};
            const int left = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count());
            if (::poll(&p, 1, std::max(left, 1)) <= 0)
                continue;
            if (p.revents & (POLLHUP | POLLERR)) {
                hungUp = true;
                break;
            }
            char buffer[256];
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n < 0 && errno == EIO) {
                hungUp = true;
                break;
            }
            if (n > 0) {
                const auto r = parser_.feed(buffer, static_cast<std::size_t>(n));
                frames.insert(frames.end(), r.frames.begin(), r.frames.end());
            }
        }
        return frames;
    }

    bool hungUp = false;

private:
    int fd_ = -1;
    FrameParser parser_;
};

} // namespace

TEST(PtyServer, AnswersOverAPseudoTerminalReachedThroughItsLink)
{
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("unit"));
    SimulatedUnit unit;
    PtyServer server(unit);
    ASSERT_TRUE(server.startPty(link)) << server.errorString().toStdString();
    EXPECT_TRUE(server.devicePath().startsWith(QStringLiteral("/dev/pts/")));
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), server.devicePath());

    ProgramPort port(link);
    ASSERT_TRUE(port.isOpen());
    port.send(0x06);
    port.send(0x01, test::passwordData("1234"));
    port.send(0x02, test::readData(0x40, 8));
    const auto replies = port.receive(3);
    ASSERT_EQ(replies.size(), 3u);
    EXPECT_EQ(replies[0].code, 0x86);
    EXPECT_EQ(replies[1].code, 0x81);
    EXPECT_EQ(replies[1].data[8], 0x01);
    EXPECT_EQ(replies[2].code, 0x82);
    EXPECT_EQ(replies[2].data[0], 0x40);
    ASSERT_EQ(replies[2].data.size(), 12u);
    EXPECT_EQ(replies[2].data[4], unit.memoryAt(0x40));

    // The unit saw exactly what the program wrote.
    const auto got = unit.received();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[2].data, test::readData(0x40, 8));

    server.stop();
    EXPECT_FALSE(QFileInfo::exists(link)) << "the link goes with the server";
}

TEST(PtyServer, KeepsServingWhileTheProgramClosesAndReopensThePort)
{
    SimulatedUnit unit;
    PtyServer server(unit);
    ASSERT_TRUE(server.startPty());
    {
        ProgramPort port(server.devicePath());
        port.send(0x08);
        EXPECT_EQ(port.receive().size(), 1u);
    }
    std::this_thread::sleep_for(20ms);   // the server polls the master while no one has the port
    ProgramPort again(server.devicePath());
    again.send(0x08);
    const auto replies = again.receive();
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].code, 0x88);
    EXPECT_TRUE(server.running());
}

TEST(PtyServer, UnplugTakesThePortAwayAndReplugBringsANewOne)
{
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("unit"));
    SimulatedUnit unit;
    PtyServer server(unit);
    ASSERT_TRUE(server.startPty(link));

    ProgramPort port(link);
    unit.unplug();
    port.receive(1, 1000ms);
    EXPECT_TRUE(port.hungUp) << "the program must see its port go away";
    for (int i = 0; i < 100 && QFileInfo(link).isSymLink(); ++i)
        std::this_thread::sleep_for(5ms);
    EXPECT_FALSE(QFileInfo(link).isSymLink());

    unit.replug();
    for (int i = 0; i < 100 && !QFileInfo(link).isSymLink(); ++i)
        std::this_thread::sleep_for(5ms);
    ASSERT_TRUE(QFileInfo(link).isSymLink());
    ProgramPort replugged(link);
    replugged.send(0x08);
    EXPECT_EQ(replugged.receive().size(), 1u);
    EXPECT_EQ(server.devicePath(), QFileInfo(link).symLinkTarget());
}

TEST(PtyServer, RefusesToReplaceAFileThatIsNotItsLinkAndFreesTheLine)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("notes.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keep me");
    file.close();

    SimulatedUnit unit;
    PtyServer server(unit);
    EXPECT_FALSE(server.startPty(path));
    EXPECT_FALSE(server.errorString().isEmpty());
    EXPECT_EQ(QFileInfo(path).size(), 7);
    // The failed start left the line free for another consumer.
    const auto token = unit.attachLine();
    EXPECT_NE(token, 0u);
}

TEST(PtyServer, ASecondServerCannotTakeTheSameUnit)
{
    SimulatedUnit unit;
    PtyServer first(unit);
    PtyServer second(unit);
    ASSERT_TRUE(first.startPty());
    EXPECT_FALSE(second.startPty());
    EXPECT_FALSE(second.running());
}

TEST(PtyServer, ServesOnASerialDeviceAtTheChosenSpeed)
{
    // The "device" is the slave side of a pseudo-terminal of our own; the test plays the
    // program on its master side, as a null-modem cable would connect them.
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const QString device = QString::fromLocal8Bit(ptsname(master));

    SimulatedUnit unit;
    PtyServer server(unit);
    ASSERT_TRUE(server.startDevice(device, 9600)) << server.errorString().toStdString();
    EXPECT_EQ(server.devicePath(), device);
    termios t{};
    const int slave = ::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(slave, 0);
    ASSERT_EQ(tcgetattr(slave, &t), 0);
    EXPECT_EQ(cfgetospeed(&t), B9600);
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_FALSE(t.c_cflag & PARENB);
    EXPECT_FALSE(t.c_cflag & CSTOPB);
    ::close(slave);

    const QByteArray request = encodeFrame(makeFrame(kUnitAddress, 0x0C, kPcAddress, defaultDataBlock()));
    ASSERT_EQ(::write(master, request.constData(), static_cast<size_t>(request.size())), request.size());
    QByteArray got;
    for (int i = 0; i < 200 && !got.contains(';'); ++i) {
        pollfd p{master, POLLIN, 0};
        if (::poll(&p, 1, 10) > 0) {
            char buffer[64];
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n > 0)
                got.append(buffer, n);
        }
    }
    EXPECT_TRUE(got.startsWith(":E0028CC554;"));
    server.stop();
    ::close(master);
}

TEST(PtyServer, DeviceProblemsAreReported)
{
    SimulatedUnit unit;
    PtyServer server(unit);
    EXPECT_FALSE(server.startDevice(QStringLiteral("/dev/alvetra-no-such-port"), 19200));
    EXPECT_TRUE(server.errorString().contains(QStringLiteral("/dev/alvetra-no-such-port")));
    EXPECT_FALSE(server.startDevice(QStringLiteral("/dev/null"), 14400));
    EXPECT_TRUE(server.errorString().contains(QStringLiteral("14400")));
    EXPECT_FALSE(server.running());
}
