#pragma once
// The traffic log: appends every text the link's tap tells to a file, one JSON line each
// (TrafficLogFormat.h), from a thread of its own. The window and alvetra-cli use it the same way:
//
//   TrafficLog log;
//   if (const auto error = log.open(path, [](const QString &message) { ... }))   // message for the user
//       ...;                                  // could not be opened: nothing is written
//   link.traffic().attach(&log);
//   ...
//   link.traffic().detach(&log);              // before the log goes; its destructor writes the rest
//
// A write that fails (a full disk, a file gone read-only) ends the logging: the handler is
// called once, on the writer thread, and later texts are dropped. The link never waits for the
// file: take() only queues.

#include "link/PrivateAppendFile.h"
#include "link/TrafficTap.h"

#include <QString>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace alvetra {

class TrafficLog : public TrafficSink {
public:
    using ErrorHandler = std::function<void(const QString &message)>;

    TrafficLog() = default;
    ~TrafficLog() override;
    TrafficLog(const TrafficLog &) = delete;
    TrafficLog &operator=(const TrafficLog &) = delete;

    // Opens `path` for appending (created when missing, the user's alone) and starts the writer
    // thread; the secrets are masked unless `withSecrets`. Returns the message for the user when
    // the file cannot be opened.
    std::optional<QString> open(const QString &path, ErrorHandler onError = {}, bool withSecrets = false);
    bool isOpen() const;
    QString path() const { return path_; }

    void take(const TrafficEvent &event) override;

    // Waits until every text queued before the call has been written (or dropped after an error).
    void flush();
    // The message of the failure that ended the logging; empty while it works.
    QString error() const;

private:
    void run();

    QString path_;
    ErrorHandler onError_;
    bool withSecrets_ = false;
    PrivateAppendFile file_;   // writer thread once started
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<TrafficEvent> queue_;
    std::uint64_t queued_ = 0;    // texts ever queued
    std::uint64_t written_ = 0;   // texts ever written or dropped
    bool started_ = false;
    bool stopping_ = false;
    bool failed_ = false;
    QString error_;
    std::thread thread_;
};

} // namespace alvetra
