#include "link/TrafficLog.h"

#include "link/LinkTexts.h"
#include "link/ThisThread.h"
#include "link/TrafficLogFormat.h"

#include <cerrno>
#include <cstring>

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
}

std::optional<QString> TrafficLog::open(const QString &path, ErrorHandler onError, bool withSecrets)
{
    if (thread_.joinable())
        return linktexts::kTrafficLogOpenFailed.arg(path, systemError(EBUSY));
    // The log may hold the workshop's passwords and codes: the user's alone.
    if (const std::optional<QString> reason = file_.open(path))
        return linktexts::kTrafficLogOpenFailed.arg(path, *reason);
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
        if (const std::optional<QString> reason = file_.write(bytes)) {
            // Told before the failure is published, so that a flush() that returns has seen it.
            const QString message = linktexts::kTrafficLogWriteFailed.arg(path_, *reason);
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

} // namespace alvetra
