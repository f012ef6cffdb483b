#pragma once
// The unit's running counter of minutes (24 bits, wraps). It advances with the clock; a test or
// a demonstration may shorten the minute.

#include "sim/LinePacer.h"

#include <chrono>
#include <cstdint>

namespace alvetra::sim {

class MinuteCounter {
public:
    explicit MinuteCounter(std::uint32_t value = 0, std::chrono::milliseconds minute = std::chrono::minutes(1))
        : minute_(minute.count() > 0 ? minute : std::chrono::minutes(1)), base_(value & kMask), since_(Clock::now()) {}

    std::uint32_t value(Clock::time_point now = Clock::now()) const
    {
        const auto elapsed = now > since_ ? now - since_ : Clock::duration::zero();
        return static_cast<std::uint32_t>((base_ + static_cast<std::uint64_t>(elapsed / minute_)) & kMask);
    }

    void set(std::uint32_t value, Clock::time_point now = Clock::now())
    {
        base_ = value & kMask;
        since_ = now;
    }

    void setMinuteLength(std::chrono::milliseconds minute, Clock::time_point now = Clock::now())
    {
        set(value(now), now);
        if (minute.count() > 0)
            minute_ = minute;
    }

private:
    static constexpr std::uint32_t kMask = 0xFFFFFF;
    std::chrono::milliseconds minute_;
    std::uint64_t base_;
    Clock::time_point since_;
};

} // namespace alvetra::sim
