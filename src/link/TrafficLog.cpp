#include "link/TrafficLog.h"

#include "link/LinkTexts.h"
#include "link/ThisThread.h"
#include "link/TrafficLogFormat.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace alvetra {

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

TrafficLog::~TrafficLog()
{
    if (thread_.joinable()) {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }
    if (fd_ >= 0)
        ::close(fd_);
}

std::optional<QString> TrafficLog::open(const QString &path, ErrorHandler onError, bool withSecrets)
{
    if (thread_.joinable())
        return linktexts::kTrafficLogOpenFailed.arg(path, systemError(EBUSY));
    // The log may hold the workshop's passwords and codes: the user's alone, also a log that
    // is appended to (narrowing fails harmlessly on a file of somebody else's).
    fd_ = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd_ < 0)
        return linktexts::kTrafficLogOpenFailed.arg(path, systemError(errno));
    struct stat st {};
    if (::fstat(fd_, &st) == 0 && S_ISREG(st.st_mode))
        (void)::fchmod(fd_, st.st_mode & 0700);
    path_ = path;
    onError_ = std::move(onError);
    withSecrets_ = withSecrets;
    {
        std::lock_guard lock(mutex_);
        started_ = true;
    }
    thread_ = std::thread([this] { run(); });
    return std::nullopt;
}

bool TrafficLog::isOpen() const
{
    std::lock_guard lock(mutex_);
    return started_ && !failed_;
}

void TrafficLog::take(const TrafficEvent &event)
{
    {
        std::lock_guard lock(mutex_);
        if (failed_ || !started_)
            return;
        queue_.push_back(event);
        ++queued_;
    }
    changed_.notify_one();
}

void TrafficLog::flush()
{
    std::unique_lock lock(mutex_);
    const std::uint64_t target = queued_;
    changed_.wait(lock, [&] { return written_ >= target || failed_ || !started_; });
}

QString TrafficLog::error() const
{
    std::lock_guard lock(mutex_);
    return error_;
}

void TrafficLog::run()
{
    nameThisThread("traffic-log");
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (queue_.empty())
            return;   // stopping, everything written
        std::deque<TrafficEvent> batch;
        batch.swap(queue_);
        lock.unlock();
        QByteArray bytes;
        for (const TrafficEvent &event : batch)
            bytes += trafficLogLine(event, withSecrets_);
        const int error = writeAll(bytes) ? 0 : errno;
        if (error != 0) {
            // Told before the failure is published, so that a flush() that returns has seen it.
            const QString message = linktexts::kTrafficLogWriteFailed.arg(path_, systemError(error));
            if (onError_)
                onError_(message);
            lock.lock();
            failed_ = true;
            error_ = message;
            written_ = queued_;
            queue_.clear();
            lock.unlock();
            changed_.notify_all();
            return;
        }
        lock.lock();
        written_ += batch.size();
        changed_.notify_all();
    }
}

bool TrafficLog::writeAll(const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd_, data, static_cast<std::size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        data += n;
        left -= n;
    }
    return true;
}

} // namespace alvetra
