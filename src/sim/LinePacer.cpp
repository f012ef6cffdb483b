#include "sim/LinePacer.h"

#include <algorithm>

namespace alvetra::sim {

void LinePacer::setSpeed(int bitsPerSecond)
{
    bitsPerSecond_ = std::max(0, bitsPerSecond);
    using namespace std::chrono;
    characterTime_ = bitsPerSecond_ == 0
        ? Clock::duration::zero()
        : duration_cast<Clock::duration>(nanoseconds(10'000'000'000LL / bitsPerSecond_));
}

void LinePacer::send(const QByteArray &bytes, Clock::time_point earliest)
{
    Clock::time_point t = std::max(outFree_, earliest);
    for (char byte : bytes) {
        t += characterTime_;
        queue_.push_back({t, byte});
    }
    outFree_ = t;
}

QByteArray LinePacer::takeDue(Clock::time_point now)
{
    QByteArray out;
    while (!queue_.empty() && queue_.front().due <= now) {
        out.append(queue_.front().byte);
        queue_.pop_front();
    }
    return out;
}

std::optional<Clock::time_point> LinePacer::nextDue() const
{
    if (queue_.empty())
        return std::nullopt;
    return queue_.front().due;
}

void LinePacer::dropQueued()
{
    queue_.clear();
    outFree_ = {};
}

std::vector<Clock::time_point> LinePacer::receive(int count, Clock::time_point arrival)
{
    std::vector<Clock::time_point> done;
    done.reserve(static_cast<std::size_t>(std::max(0, count)));
    Clock::time_point t = std::max(inFree_, arrival);
    for (int i = 0; i < count; ++i) {
        t += characterTime_;
        done.push_back(t);
    }
    inFree_ = t;
    return done;
}

} // namespace alvetra::sim
