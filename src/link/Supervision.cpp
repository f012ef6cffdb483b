#include "link/Supervision.h"

#include "link/SerialLink.h"
#include "link/Wait.h"

namespace alvetra {

namespace {

// Answered or not within one 100 ms slice: the monitor must not fall behind its 200 ms period.
constexpr std::uint16_t kQuickTotalMs = 1;
constexpr std::uint16_t kQuickRepeatMs = 2;
constexpr std::uint16_t kIdleTotalMs = 2500;
constexpr std::uint16_t kIdleRepeatMs = 1000;

// Marks a tick as running for its whole length, even when it returns early.
class TickGuard {
public:
    explicit TickGuard(bool &flag) : flag_(flag) { flag_ = true; }
    ~TickGuard() { flag_ = false; }
    TickGuard(const TickGuard &) = delete;
    TickGuard &operator=(const TickGuard &) = delete;

private:
    bool &flag_;
};

} // namespace

Supervision::Supervision(SerialLink &link, ScaledTimer &timeOutConnected, Hooks hooks)
    : link_(link), timer_(timeOutConnected), hooks_(std::move(hooks))
{
}

void Supervision::supervisionTick()
{
    // A tick's request processes events while it waits; the timer may fire again inside it.
    if (ticking_)
        return;
    TickGuard guard(ticking_);
    if (hooks_.advancePressTick)
        hooks_.advancePressTick();
    const int page = hooks_.activePage ? hooks_.activePage() : -1;
    if (page == kMonitorPage)
        superviseMonitor();
    else if (page == kCodesPage)
        pollCodesPage();
    else
        pollOtherPage();
}

void Supervision::superviseMonitor()
{
    if (link_.sendStatusRequest(kQuickTotalMs, kQuickRepeatMs)) {
        timer_.setIntervalMs(kPollIntervalMs);
        missCountdown_ = kMissesBeforeReopen;
    } else if (missCountdown_ == 0) {
        if (hooks_.reopenPort)
            hooks_.reopenPort();
        timer_.setIntervalMs(kAfterReopenIntervalMs);
        missCountdown_ = kMissesBeforeReopen;
    } else {
        --missCountdown_;
    }
}

void Supervision::pollCodesPage()
{
    timer_.setIntervalMs(kPollIntervalMs);
    if (++pollDivider_ >= kCodesPollDivider) {
        pollDivider_ = 0;
        link_.sendStatusRequest(kQuickTotalMs, kQuickRepeatMs);
    }
}

void Supervision::pollOtherPage()
{
    timer_.setIntervalMs(kIdleIntervalMs);
    link_.sendStatusRequest(kIdleTotalMs, kIdleRepeatMs);
}

void Supervision::blockKeepingTick()
{
    link_.sendBlockKeeping();
}

} // namespace alvetra
