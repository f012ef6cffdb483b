#pragma once
// Timing of a serial line in both directions: a character (start bit, 8 data bits, stop bit)
// takes 10 bit times, so at 19200 bit/s 1920 characters pass a second.
//
// Outgoing bytes queue behind each other and each becomes readable when its last bit has
// left. Incoming bytes are handed over at once (a pseudo-terminal or an in-process writer has
// no line), and the pacer says when each would have finished arriving on a real line. A speed
// of 0 switches pacing off: everything is due at once. Not thread-safe; the unit guards it.

#include <QByteArray>
#include <chrono>
#include <deque>
#include <optional>
#include <vector>

namespace alvetra::sim {

using Clock = std::chrono::steady_clock;

class LinePacer {
public:
    explicit LinePacer(int bitsPerSecond = 19200) { setSpeed(bitsPerSecond); }

    void setSpeed(int bitsPerSecond);
    int speed() const { return bitsPerSecond_; }
    Clock::duration characterTime() const { return characterTime_; }

    // Outgoing: queues `bytes` to start no earlier than `earliest`.
    void send(const QByteArray &bytes, Clock::time_point earliest);
    QByteArray takeDue(Clock::time_point now);
    std::optional<Clock::time_point> nextDue() const;
    // When the last queued byte will have left.
    Clock::time_point sendingEndsAt() const { return outFree_; }
    bool idle(Clock::time_point now) const { return queue_.empty() && outFree_ <= now; }
    void dropQueued();

    // Incoming: the time at which each of `count` bytes that arrived at `arrival` is complete.
    std::vector<Clock::time_point> receive(int count, Clock::time_point arrival);

private:
    struct Pending {
        Clock::time_point due;
        char byte;
    };

    int bitsPerSecond_ = 0;
    Clock::duration characterTime_{};
    std::deque<Pending> queue_;
    Clock::time_point outFree_{};
    Clock::time_point inFree_{};
};

} // namespace alvetra::sim
