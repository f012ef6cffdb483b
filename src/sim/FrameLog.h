#pragma once
// What the simulated unit received and sent, for tests that check a conversation.

#include "link/Frame.h"
#include "sim/LinePacer.h"

#include <QByteArray>
#include <cstdint>
#include <deque>
#include <vector>

namespace alvetra::sim {

struct LoggedFrame {
    enum class Direction { Received, Sent };
    Direction direction = Direction::Received;
    Clock::time_point at;   // received: when its last character arrived; sent: when it has left
    Frame frame;      // as received, or as the unit meant to send it
    QByteArray wire;        // sent: the characters put on the line (noise and damage included)
    bool damaged = false;   // sent: a fault changed a character
};

class FrameLog {
public:
    explicit FrameLog(std::size_t capacity = 100000) : capacity_(capacity) {}

    void add(LoggedFrame entry)
    {
        if (entries_.size() >= capacity_)
            entries_.pop_front();
        entries_.push_back(std::move(entry));
    }
    void clear() { entries_.clear(); }
    std::vector<LoggedFrame> entries() const { return {entries_.begin(), entries_.end()}; }

private:
    std::size_t capacity_;
    std::deque<LoggedFrame> entries_;   // oldest first; the oldest are dropped beyond capacity
};

} // namespace alvetra::sim
