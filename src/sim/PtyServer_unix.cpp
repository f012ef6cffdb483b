#include "sim/PtyServer.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

namespace alvetra::sim {

namespace {

constexpr auto kRetryAfterFailure = std::chrono::seconds(1);
constexpr qsizetype kMaxPendingOut = 64 * 1024;   // a program that never reads loses the rest

std::optional<speed_t> termiosSpeed(int bitsPerSecond)
{
    switch (bitsPerSecond) {
    case 110: return B110;
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    default: return std::nullopt;
    }
}

bool makeRaw(int fd, speed_t speed)
{
    termios t{};
    if (tcgetattr(fd, &t) != 0)
        return false;
    cfmakeraw(&t);
    t.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | PARENB | CRTSCTS | CSIZE);
    t.c_cflag |= CS8 | CLOCAL | CREAD;
    t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    cfsetispeed(&t, speed);
    cfsetospeed(&t, speed);
    return tcsetattr(fd, TCSANOW, &t) == 0;
}

timespec toTimespec(Clock::duration d)
{
    if (d < Clock::duration::zero())
        d = Clock::duration::zero();
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(d).count();
    return timespec{static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
}

QString systemError(const QString &what)
{
    return QStringLiteral("%1: %2").arg(what, QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

PtyServer::PtyServer(SimulatedUnit &unit) : unit_(unit) {}

PtyServer::~PtyServer()
{
    stop();
}

bool PtyServer::startPty(const QString &linkPath)
{
    linkPath_ = linkPath;
    return start(Mode::Pty, {}, unit_.lineSpeed() > 0 ? unit_.lineSpeed() : 19200);
}

bool PtyServer::startDevice(const QString &devicePath, int bitsPerSecond)
{
    linkPath_.clear();
    return start(Mode::Device, devicePath, bitsPerSecond);
}

bool PtyServer::start(Mode mode, const QString &path, int bitsPerSecond)
{
    if (running()) {
        fail(QStringLiteral("already serving"));
        return false;
    }
    mode_ = mode;
    requestedPath_ = path;
    bitsPerSecond_ = bitsPerSecond;
    stopping_ = false;
    wakeFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wakeFd_ < 0) {
        fail(systemError(QStringLiteral("eventfd")));
        return false;
    }
    token_ = unit_.attachLine();
    if (token_ == 0) {
        fail(QStringLiteral("the simulated unit's line is in use or unplugged"));
    } else if (openEndpoint()) {
        unit_.setLineListener([this] { wake(); });
        thread_ = std::thread([this] { run(); });
        return true;
    }
    unit_.detachLine(token_);
    token_ = 0;
    ::close(wakeFd_);
    wakeFd_ = -1;
    return false;
}

void PtyServer::stop()
{
    if (!running())
        return;
    stopping_ = true;
    wake();
    thread_.join();
    unit_.setLineListener({});
    unit_.detachLine(token_);
    token_ = 0;
    closeEndpoint();
    ::close(wakeFd_);
    wakeFd_ = -1;
}

QString PtyServer::devicePath() const
{
    std::lock_guard lock(stateMutex_);
    return devicePath_;
}

QString PtyServer::errorString() const
{
    std::lock_guard lock(stateMutex_);
    return error_;
}

void PtyServer::setEndpointListener(std::function<void(const QString &)> listener)
{
    std::lock_guard lock(stateMutex_);
    endpointListener_ = std::move(listener);
}

void PtyServer::fail(const QString &what)
{
    std::lock_guard lock(stateMutex_);
    error_ = what;
}

void PtyServer::announce(const QString &path)
{
    std::function<void(const QString &)> listener;
    {
        std::lock_guard lock(stateMutex_);
        devicePath_ = path;
        listener = endpointListener_;
    }
    if (listener)
        listener(path);
}

// ---------------------------------------------------------------- endpoints

bool PtyServer::openEndpoint()
{
    const bool opened = mode_ == Mode::Pty ? openPty() : openDevice();
    if (!opened)
        closeEndpoint();
    return opened;
}

bool PtyServer::openPty()
{
    endpointFd_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (endpointFd_ < 0 || grantpt(endpointFd_) != 0 || unlockpt(endpointFd_) != 0) {
        fail(systemError(QStringLiteral("posix_openpt")));
        return false;
    }
    char name[128] = {};
    if (ptsname_r(endpointFd_, name, sizeof name) != 0) {
        fail(systemError(QStringLiteral("ptsname")));
        return false;
    }
    slaveFd_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    const speed_t speed = termiosSpeed(bitsPerSecond_).value_or(B19200);
    if (slaveFd_ < 0 || !makeRaw(slaveFd_, speed)) {
        fail(systemError(QStringLiteral("open %1").arg(QString::fromLocal8Bit(name))));
        return false;
    }
    const QString path = QString::fromLocal8Bit(name);
    if (!linkPath_.isEmpty() && !placeLink(path))
        return false;
    announce(path);
    return true;
}

bool PtyServer::openDevice()
{
    const std::optional<speed_t> speed = termiosSpeed(bitsPerSecond_);
    if (!speed) {
        fail(QStringLiteral("unsupported speed %1 bit/s").arg(bitsPerSecond_));
        return false;
    }
    endpointFd_ = ::open(requestedPath_.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (endpointFd_ < 0 || !makeRaw(endpointFd_, *speed)) {
        fail(systemError(QStringLiteral("open %1").arg(requestedPath_)));
        return false;
    }
    announce(requestedPath_);
    return true;
}

void PtyServer::closeEndpoint()
{
    if (endpointFd_ < 0 && slaveFd_ < 0)
        return;
    if (slaveFd_ >= 0)
        ::close(slaveFd_);
    if (endpointFd_ >= 0)
        ::close(endpointFd_);
    slaveFd_ = endpointFd_ = -1;
    pendingOut_.clear();
    removeLink();
    announce({});
}

bool PtyServer::placeLink(const QString &target)
{
    // A stale link from an earlier run is replaced; anything else at that path is not ours.
    if (QFileInfo(linkPath_).isSymLink())
        QFile::remove(linkPath_);
    if (::symlink(target.toLocal8Bit().constData(), linkPath_.toLocal8Bit().constData()) == 0)
        return true;
    fail(systemError(QStringLiteral("symlink %1").arg(linkPath_)));
    return false;
}

void PtyServer::removeLink()
{
    // Only our own link: never a file that happens to have the same name.
    if (linkPath_.isEmpty() || !QFileInfo(linkPath_).isSymLink())
        return;
    if (QFileInfo(linkPath_).symLinkTarget() == devicePath())
        QFile::remove(linkPath_);
}

// ---------------------------------------------------------------- the thread

void PtyServer::run()
{
    while (!stopping_.load())
        serveOnce();
}

void PtyServer::serveOnce()
{
    std::optional<Clock::time_point> wakeAt;
    if (endpointFd_ < 0) {
        reopenIfPluggedIn();
        if (endpointFd_ < 0 && !unit_.unplugged())
            wakeAt = Clock::now() + kRetryAfterFailure;
    }
    if (endpointFd_ >= 0) {
        wakeAt = unit_.nextDue();
    }

    pollfd fds[2] = {{wakeFd_, POLLIN, 0}, {endpointFd_, 0, 0}};
    nfds_t count = 1;
    if (endpointFd_ >= 0) {
        fds[1].events = static_cast<short>(POLLIN | (pendingOut_.isEmpty() ? 0 : POLLOUT));
        count = 2;
    }
    timespec timeout{};
    if (wakeAt)
        timeout = toTimespec(*wakeAt - Clock::now());
    if (::ppoll(fds, count, wakeAt ? &timeout : nullptr, nullptr) < 0 && errno != EINTR)
        return;
    if (fds[0].revents & POLLIN)
        drainWake();
    if (stopping_.load() || endpointFd_ < 0)
        return;
    if (!unit_.holdsLine(token_)) {
        closeEndpoint();   // the cable was pulled
        return;
    }
    if (fds[1].revents & (POLLERR | POLLHUP | POLLNVAL)) {
        fail(QStringLiteral("the device reported an error"));
        closeEndpoint();
        return;
    }
    if (fds[1].revents & POLLIN)
        readFromProgram();
    if (endpointFd_ >= 0)
        writeToProgram();
}

void PtyServer::reopenIfPluggedIn()
{
    if (unit_.unplugged())
        return;
    if (!unit_.holdsLine(token_))
        token_ = unit_.attachLine();
    if (token_ != 0)
        openEndpoint();
}

void PtyServer::readFromProgram()
{
    char buffer[4096];
    const ssize_t n = ::read(endpointFd_, buffer, sizeof buffer);
    if (n > 0) {
        if (!unit_.receive(token_, QByteArray(buffer, static_cast<qsizetype>(n))))
            closeEndpoint();
        return;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) {
        fail(systemError(QStringLiteral("read")));
        closeEndpoint();
    }
}

void PtyServer::writeToProgram()
{
    pendingOut_.append(unit_.takeDue(token_));
    if (pendingOut_.size() > kMaxPendingOut)
        pendingOut_.remove(0, pendingOut_.size() - kMaxPendingOut);
    if (pendingOut_.isEmpty())
        return;
    const ssize_t n = ::write(endpointFd_, pendingOut_.constData(), static_cast<std::size_t>(pendingOut_.size()));
    if (n > 0)
        pendingOut_.remove(0, n);
}

void PtyServer::wake()
{
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(wakeFd_, &one, sizeof one);
}

void PtyServer::drainWake()
{
    std::uint64_t value = 0;
    [[maybe_unused]] const ssize_t n = ::read(wakeFd_, &value, sizeof value);
}

} // namespace alvetra::sim
