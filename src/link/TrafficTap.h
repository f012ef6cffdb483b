#pragma once
// Where frames are seen crossing the line, for the traffic console and the traffic log.
//
// The link tells its tap every frame it writes to the transport (UI thread, just before the
// write) and every frame text, damaged text and noise its reader thread's parser sees. The tap
// stamps each with the time since the port first opened and hands it to its sinks at once, on
// the telling thread: a sink only queues and returns (it runs inside the reader thread's loop).
//
//   TrafficTap tap;                 // owned by the link; sinks attach and detach on any thread
//   tap.attach(&consoleBuffer);
//   tap.detach(&consoleBuffer);     // after it returns, the sink is never called again
//
// Texts are plain std::string: they are handed from the reader thread to other threads. Each
// carries where the secrets lay in the image when it crossed (setSecretLayout), so that every
// sink can mask them (TrafficSecrets.h).

#include "link/TrafficSecrets.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace alvetra {

struct TrafficEvent {
    enum class Direction { ToUnit, FromUnit };
    enum class Kind { Frame, Damaged, Noise };

    std::int64_t microseconds = 0;   // since the port first opened
    Direction direction = Direction::ToUnit;
    Kind kind = Kind::Frame;
    std::string text;                // ":" ... ";" as it crossed the line (no CR LF); noise as it came
    SecretSpan secrets = secretSpanOf(Layout{});

    // The text as shown: as it crossed, or with its secrets masked.
    std::string shownText(bool withSecrets) const;

    bool operator==(const TrafficEvent &) const = default;
};

class TrafficSink {
public:
    virtual ~TrafficSink() = default;
    // Any thread; keep it short.
    virtual void take(const TrafficEvent &event) = 0;
};

class TrafficTap {
public:
    void attach(TrafficSink *sink);
    void detach(TrafficSink *sink);
    bool hasSinks() const { return active_.load(std::memory_order_relaxed); }

    // The time origin: the first call after creation or restart() (a reopening keeps counting).
    void portOpened();
    void restart();
    // The layout of the unit on the line, once its family is known (empty before): where the
    // code words and the PC password are in the reads and writes told from now on.
    void setSecretLayout(const Layout &layout);
    void tell(TrafficEvent::Direction direction, TrafficEvent::Kind kind, const char *text, std::size_t size);

private:
    using Clock = std::chrono::steady_clock;

    mutable std::mutex mutex_;
    std::vector<TrafficSink *> sinks_;
    std::atomic<bool> active_{false};
    bool started_ = false;
    SecretSpan secrets_ = secretSpanOf(Layout{});
    Clock::time_point origin_{};
};

} // namespace alvetra
