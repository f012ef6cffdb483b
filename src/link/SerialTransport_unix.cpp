#include "link/SerialTransport_unix.h"

#include "link/SerialTransport.h"
#include "link/ThisThread.h"

#include "link/LineSpeed.h"
#include "link/LineSpeed_unix.h"
#include "link/Wait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <fcntl.h>
#include <linux/serial.h>
#include <optional>
#include <poll.h>
#include <pthread.h>
#include <string>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace alvetra {

// The writer thread's side: its own duplicate of the port's descriptor (so that it never
// touches a descriptor number the port has given back) and the queue of writes.
struct UnixSerialPort::Writer {
    struct Job {
        std::string bytes;
        qint64 result = -1;   // result and error are written before `done` is raised
        int error = 0;
        std::atomic<bool> done{false};
    };

    explicit Writer(int descriptor) : fd(descriptor), quitFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}
    ~Writer()
    {
        ::close(fd);
        if (quitFd >= 0)
            ::close(quitFd);
    }
    Writer(const Writer &) = delete;
    Writer &operator=(const Writer &) = delete;

    const int fd;
    const int quitFd;   // wakes a writer that waits for room in the output queue
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::shared_ptr<Job>> queue;   // the front one is being written
    qint64 queuedBytes = 0;
    bool quit = false;
    bool finished = false;
    std::atomic<bool> closing{false};
};

namespace {

using Writer = UnixSerialPort::Writer;
using Job = Writer::Job;

// How long closing the port waits for the writer to end, before and after throwing its output
// away.
constexpr int kWriterStopMs = 250;

// A write waits this long without processing events, as a plain write and drain did: a frame
// at the unit's 19200 bit/s (127 characters at most, 66 ms) lets no timer step in between. Only
// a slower line, or one that stalls, keeps the window going from inside the write.
constexpr int kQuietWaitMs = 100;

// Waits for room in the output queue; false when the writer is to end or the device is gone.
bool waitForRoom(const Writer &writer, int &error)
{
    pollfd fds[2] = {{writer.fd, POLLOUT, 0}, {writer.quitFd, POLLIN, 0}};
    for (;;) {
        const int ready = ::poll(fds, 2, -1);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0 || (fds[1].revents & POLLIN) || (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL))) {
            error = ready < 0 ? errno : EIO;
            return false;
        }
        return true;
    }
}

bool writeAll(const Writer &writer, const std::string &bytes, int &error)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(writer.fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (waitForRoom(writer, error))
                continue;
            return false;
        }
        error = n < 0 ? errno : EIO;
        return false;
    }
    // The frame is complete only once it has left the line (on a pseudo-terminal at once).
    while (tcdrain(writer.fd) != 0) {
        if (errno != EINTR) {
            error = errno;
            return false;
        }
    }
    return true;
}

void runWriter(const std::shared_ptr<Writer> &writer)
{
    nameThisThread("rs232-out");
    std::unique_lock lock(writer->mutex);
    for (;;) {
        writer->changed.wait(lock, [&] { return writer->quit || !writer->queue.empty(); });
        if (writer->quit)
            break;
        const std::shared_ptr<Job> job = writer->queue.front();
        lock.unlock();
        int error = 0;
        const bool written = writeAll(*writer, job->bytes, error);
        lock.lock();
        writer->queue.pop_front();
        writer->queuedBytes -= static_cast<qint64>(job->bytes.size());
        job->result = written ? static_cast<qint64>(job->bytes.size()) : -1;
        job->error = error;
        job->done.store(true, std::memory_order_release);
        writer->changed.notify_all();
        wakeUiThread();
    }
    for (const std::shared_ptr<Job> &job : writer->queue) {
        job->error = EBADF;
        job->done.store(true, std::memory_order_release);
    }
    writer->queue.clear();
    writer->finished = true;
    writer->changed.notify_all();
    lock.unlock();
    wakeUiThread();
}

enum class WriteWait { Done, Closed, Stalled };

// Waits until the writer has finished `job`, the port is closing or `limitMs` real milliseconds
// have passed. On the UI thread it processes events meanwhile (the writer wakes it when done).
WriteWait awaitWrite(Writer &writer, const Job &job, int limitMs)
{
    const auto outcome = [&]() -> std::optional<WriteWait> {
        if (job.done.load(std::memory_order_acquire))
            return WriteWait::Done;
        if (writer.closing.load(std::memory_order_acquire))
            return WriteWait::Closed;
        return std::nullopt;
    };
    const auto waitQuietly = [&](int ms) {
        std::unique_lock lock(writer.mutex);
        writer.changed.wait_for(lock, std::chrono::milliseconds(ms), [&] { return outcome().has_value(); });
        return outcome();
    };
    QElapsedTimer clock;
    clock.start();
    const QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread())
        return waitQuietly(limitMs).value_or(WriteWait::Stalled);
    if (const std::optional<WriteWait> ended = waitQuietly(std::min(limitMs, kQuietWaitMs)))
        return *ended;
    installUiWakeup();
    QTimer wake;   // guarantees the loop looks at the clock while nothing else happens
    wake.setTimerType(Qt::PreciseTimer);
    wake.setSingleShot(true);
    for (;;) {
        if (const std::optional<WriteWait> ended = outcome())
            return *ended;
        const qint64 left = limitMs - clock.elapsed();
        if (left <= 0)
            return WriteWait::Stalled;
        wake.start(static_cast<int>(std::min<qint64>(left, 100)));
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

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

// USB-serial chips hold received bytes until their latency timer runs out (16 ms by default on
// FTDI's), which would make every reply's tail late. In low-latency mode ftdi_sio sets the timer
// to 1 ms. Returns the port's flags as they were, to be given back on closing; nothing for a
// port that has no serial flags (a pseudo-terminal) or refuses them.
std::optional<int> enterLowLatency(int fd)
{
    serial_struct serial{};
    if (ioctl(fd, TIOCGSERIAL, &serial) != 0)
        return std::nullopt;
    const int previous = serial.flags;
    serial.flags |= ASYNC_LOW_LATENCY;
    if (serial.flags != previous && ioctl(fd, TIOCSSERIAL, &serial) != 0)
        return std::nullopt;
    return previous;
}

void restoreSerialFlags(int fd, int flags)
{
    serial_struct serial{};
    if (ioctl(fd, TIOCGSERIAL, &serial) != 0 || serial.flags == flags)
        return;
    serial.flags = flags;
    (void)ioctl(fd, TIOCSSERIAL, &serial);
}

} // namespace

QString devicePathForPort(const QString &portName)
{
    return portName.startsWith(QLatin1Char('/')) ? portName : QStringLiteral("/dev/") + portName;
}

std::unique_ptr<Transport> makeSystemSerialPort(const QString &devicePath, const QString &portName, int lineRate)
{
    return std::make_unique<UnixSerialPort>(devicePath, portName, lineRate);
}

UnixSerialPort::UnixSerialPort(QString devicePath, QString portName, int lineRate)
    : devicePath_(std::move(devicePath)), portName_(std::move(portName)), lineRate_(lineRate)
{
    wakeFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

UnixSerialPort::~UnixSerialPort()
{
    closeDescriptor();
    if (wakeFd_ >= 0)
        ::close(wakeFd_);
}

Transport::OpenResult UnixSerialPort::open()
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
    savedSerialFlags_ = enterLowLatency(fd_);
    setModemLines(fd_, true);
    tcflush(fd_, TCIOFLUSH);
    if (const int error = startWriter()) {
        ::close(fd_);
        fd_ = -1;
        return failOpen(error);
    }
    return OpenResult::Opened;
}

int UnixSerialPort::startWriter()
{
    const int duplicate = fcntl(fd_, F_DUPFD_CLOEXEC, 0);
    if (duplicate < 0)
        return errno;
    auto writer = std::make_shared<Writer>(duplicate);
    if (writer->quitFd < 0)
        return EMFILE;
    stalled_.store(false, std::memory_order_release);
    writer_ = std::move(writer);
    writerThread_ = std::thread(runWriter, writer_);
    return 0;
}

// Before the port's descriptor is closed; not under fdMutex_, so that a write meanwhile fails at
// once instead of waiting for the lock. A writer stuck in a drain that never ends has its output
// thrown away; one that still does not end is left to finish by itself with its own descriptor.
void UnixSerialPort::stopWriter()
{
    std::shared_ptr<Writer> writer;
    std::thread thread;
    {
        std::lock_guard lock(fdMutex_);
        writer = std::move(writer_);
        thread = std::move(writerThread_);
    }
    if (!writer)
        return;
    {
        std::lock_guard lock(writer->mutex);
        writer->quit = true;
        writer->closing.store(true, std::memory_order_release);
    }
    writer->changed.notify_all();
    const std::uint64_t one = 1;
    (void)!::write(writer->quitFd, &one, sizeof one);
    const auto ended = [&](int ms) {
        std::unique_lock lock(writer->mutex);
        return writer->changed.wait_for(lock, std::chrono::milliseconds(ms), [&] { return writer->finished; });
    };
    bool finished = ended(kWriterStopMs);
    if (!finished) {
        tcflush(writer->fd, TCOFLUSH);
        finished = ended(kWriterStopMs);
    }
    if (finished)
        thread.join();
    else
        thread.detach();
    wakeUiThread();   // a write waiting for its bytes sees the port closing
}

int UnixSerialPort::stallLimitMs(qint64 queuedBytes) const
{
    // Ten bits a character (8N1); a healthy line needs half the time allowed.
    const qint64 wireMs = lineRate_ > 0 ? (queuedBytes * 10 * 1000 + lineRate_ - 1) / lineRate_ : 0;
    return SerialTransport::kStallMarginMs + static_cast<int>(std::min<qint64>(2 * wireMs, 600000));
}

Transport::OpenResult UnixSerialPort::failOpen(int error)
{
    lastError_ = error;
    return openResultForErrno(error);
}

Transport::OpenResult UnixSerialPort::configureLine()
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

Transport::WaitResult UnixSerialPort::waitForBytes()
{
    int fd;
    {
        std::lock_guard lock(fdMutex_);
        fd = fd_;
    }
    if (fd < 0 || stalled_.load(std::memory_order_acquire))
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
        return stalled_.load(std::memory_order_acquire) ? WaitResult::DeviceLost : WaitResult::Interrupted;
    }
    if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
        lastError_ = EIO;
        return WaitResult::DeviceLost;
    }
    return WaitResult::BytesReady;
}

qint64 UnixSerialPort::read(char *buffer, qint64 maxBytes)
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

qint64 UnixSerialPort::write(const QByteArray &bytes)
{
    std::shared_ptr<Writer> writer;
    {
        std::lock_guard lock(fdMutex_);
        writer = writer_;
    }
    if (!writer || stalled_.load(std::memory_order_acquire)) {
        lastError_ = writer ? ETIMEDOUT : EBADF;
        return -1;
    }
    const auto job = std::make_shared<Job>();
    job->bytes.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    qint64 queuedBytes = 0;
    {
        std::lock_guard lock(writer->mutex);
        if (writer->quit) {
            lastError_ = EBADF;
            return -1;
        }
        writer->queue.push_back(job);
        writer->queuedBytes += bytes.size();
        queuedBytes = writer->queuedBytes;
    }
    writer->changed.notify_all();

    switch (awaitWrite(*writer, *job, stallLimitMs(queuedBytes))) {
    case WriteWait::Done:
        break;
    case WriteWait::Closed:
        lastError_ = EBADF;
        return -1;
    case WriteWait::Stalled:
        // The adapter takes no more bytes: the port is gone, and the reader closes it.
        lastError_ = ETIMEDOUT;
        stalled_.store(true, std::memory_order_release);
        interrupt();
        return -1;
    }
    if (job->result < 0)
        lastError_ = job->error;
    return job->result;
}

void UnixSerialPort::interrupt()
{
    if (wakeFd_ < 0)
        return;
    const std::uint64_t one = 1;
    (void)!::write(wakeFd_, &one, sizeof one);
}

void UnixSerialPort::drainWakeups()
{
    std::uint64_t count = 0;
    (void)!::read(wakeFd_, &count, sizeof count);
}

bool UnixSerialPort::close()
{
    stopWriter();
    std::lock_guard lock(fdMutex_);
    if (fd_ < 0)
        return false;
    setModemLines(fd_, false);
    if (savedSerialFlags_)
        restoreSerialFlags(fd_, *savedSerialFlags_);
    savedSerialFlags_.reset();
    (void)ioctl(fd_, TIOCNXCL);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) {
        lastError_ = errno;
        return false;
    }
    return true;
}

void UnixSerialPort::closeDescriptor()
{
    stopWriter();
    std::lock_guard lock(fdMutex_);
    if (fd_ >= 0) {
        if (savedSerialFlags_)
            restoreSerialFlags(fd_, *savedSerialFlags_);
        ::close(fd_);
        fd_ = -1;
    }
    savedSerialFlags_.reset();
}

} // namespace alvetra
