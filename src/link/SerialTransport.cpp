#include "SerialTransport.h"

#include "LineSpeed.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace alvetra {

namespace {

// A frame is at most 127 characters; even at 110 bit/s it leaves in under 12 s. A write that
// cannot get rid of its bytes within this time has met a stuck device.
constexpr int kWriteStallMs = 15000;

} // namespace

Transport::OpenResult openResultForErrno(int error)
{
    switch (error) {
    case EBUSY:
    case EWOULDBLOCK:
        return Transport::OpenResult::InUse;
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return Transport::OpenResult::Missing;
    case EACCES:
    case EPERM:
        return Transport::OpenResult::NoPermission;
    default:
        return Transport::OpenResult::Failed;
    }
}

namespace {

void setRaw8N1(termios &settings)
{
    cfmakeraw(&settings);
    settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    // Reads never wait: the descriptor is non-blocking and poll() does the waiting.
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
}

void setModemLines(int fd, bool on)
{
    // A pseudo-terminal has no modem lines (ENOTTY/EINVAL) and works all the same.
    int lines = TIOCM_DTR | TIOCM_RTS;
    (void)ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &lines);
}

} // namespace

QString devicePathForPort(const QString &portName)
{
    return portName.startsWith(QLatin1Char('/')) ? portName : QStringLiteral("/dev/") + portName;
}

SerialTransport::SerialTransport(QString devicePath, QString portName, int speedIndex)
    : devicePath_(std::move(devicePath)), portName_(std::move(portName)), lineRate_(lineRateForIndex(speedIndex))
{
    wakeFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

SerialTransport::~SerialTransport()
{
    closeDescriptor();
    if (wakeFd_ >= 0)
        ::close(wakeFd_);
}

Transport::OpenResult SerialTransport::open()
{
    std::lock_guard lock(fdMutex_);
    if (fd_ >= 0)
        return OpenResult::InUse;
    if (wakeFd_ < 0)
        return failOpen(EMFILE);
    const int fd = ::open(devicePath_.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return failOpen(errno);
    fd_ = fd;
    // flock() catches a second open by anyone who locks too (this program, Qt-based tools);
    // TIOCEXCL makes the kernel refuse any further open by other users.
    if (flock(fd_, LOCK_EX | LOCK_NB) != 0 || ioctl(fd_, TIOCEXCL) != 0) {
        const int error = errno;
        ::close(fd_);
        fd_ = -1;
        return failOpen(error);
    }
    const OpenResult configured = configureLine();
    if (configured != OpenResult::Opened) {
        ::close(fd_);
        fd_ = -1;
        return configured;
    }
    setModemLines(fd_, true);
    tcflush(fd_, TCIOFLUSH);
    return OpenResult::Opened;
}

Transport::OpenResult SerialTransport::failOpen(int error)
{
    lastError_ = error;
    return openResultForErrno(error);
}

Transport::OpenResult SerialTransport::configureLine()
{
    termios settings {};
    if (tcgetattr(fd_, &settings) != 0)
        return failOpen(errno);
    setRaw8N1(settings);
    if (tcsetattr(fd_, TCSANOW, &settings) != 0)
        return failOpen(errno);
    if (!setLineRate(fd_, lineRate_)) {
        lastError_ = errno;
        return OpenResult::SpeedRefused;
    }
    return OpenResult::Opened;
}

Transport::WaitResult SerialTransport::waitForBytes()
{
    int fd;
    {
        std::lock_guard lock(fdMutex_);
        fd = fd_;
    }
    if (fd < 0)
        return WaitResult::DeviceLost;
    pollfd fds[2] = {{fd, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
    for (;;) {
        const int ready = ::poll(fds, 2, -1);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0) {
            lastError_ = errno;
            return WaitResult::DeviceLost;
        }
        break;
    }
    if (fds[1].revents & POLLIN) {
        drainWakeups();
        return WaitResult::Interrupted;
    }
    if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
        lastError_ = EIO;
        return WaitResult::DeviceLost;
    }
    return WaitResult::BytesReady;
}

qint64 SerialTransport::read(char *buffer, qint64 maxBytes)
{
    std::lock_guard lock(fdMutex_);
    if (fd_ < 0) {
        lastError_ = EBADF;
        return -1;
    }
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, static_cast<std::size_t>(maxBytes));
        if (n > 0)
            return n;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return 0;
        // End of file on a terminal, or EIO: the other end or the adapter has gone.
        lastError_ = n == 0 ? EIO : errno;
        return -1;
    }
}

qint64 SerialTransport::write(const QByteArray &bytes)
{
    std::lock_guard lock(fdMutex_);
    if (fd_ < 0) {
        lastError_ = EBADF;
        return -1;
    }
    if (!writeAll(fd_, bytes))
        return -1;
    // The frame is complete only once it has left the line (on a pseudo-terminal at once).
    while (tcdrain(fd_) != 0) {
        if (errno != EINTR) {
            lastError_ = errno;
            return -1;
        }
    }
    return bytes.size();
}

bool SerialTransport::writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<std::size_t>(bytes.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // The output queue is full: wait for room, but not forever.
            pollfd out{fd, POLLOUT, 0};
            const int ready = ::poll(&out, 1, kWriteStallMs);
            if (ready > 0 && !(out.revents & (POLLHUP | POLLERR | POLLNVAL)))
                continue;
            lastError_ = ready == 0 ? ETIMEDOUT : EIO;
            return false;
        }
        lastError_ = n < 0 ? errno : EIO;
        return false;
    }
    return true;
}

void SerialTransport::interrupt()
{
    if (wakeFd_ < 0)
        return;
    const std::uint64_t one = 1;
    (void)!::write(wakeFd_, &one, sizeof one);
}

void SerialTransport::drainWakeups()
{
    std::uint64_t count = 0;
    (void)!::read(wakeFd_, &count, sizeof count);
}

bool SerialTransport::close()
{
    std::lock_guard lock(fdMutex_);
    if (fd_ < 0)
        return false;
    setModemLines(fd_, false);
    (void)ioctl(fd_, TIOCNXCL);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) {
        lastError_ = errno;
        return false;
    }
    return true;
}

void SerialTransport::closeDescriptor()
{
    std::lock_guard lock(fdMutex_);
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

} // namespace alvetra
