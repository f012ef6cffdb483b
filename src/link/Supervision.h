#pragma once
// Connection supervision and block keeping: the logic of TimerTimeOutConnected and
// TimerPdtrzymujBlokadeBlokad, free of widgets. The window calls the two tick handlers from its
// timers' timeouts.
//
//   Supervision supervision(link, *TimerTimeOutConnected,
//                           {.activePage = [this] { return PGC_Programator->currentIndex(); },
//                            .reopenPort = [this] { onPortChanged(); },
//                            .advancePressTick = [this] { tabs_->advancePressTick(); }});
//   connect(TimerTimeOutConnected, &QTimer::timeout, [&] { supervision.supervisionTick(); });
//
// Monitor page: a status request every tick (200 ms while the unit answers); after 101
// unanswered polls in a row the port is reopened and the next tick waits 5500 ms. Codes page:
// a status request every 15th tick of 200 ms. Other pages: one every 3000 ms that may repeat
// twice. A tick that arrives while the previous one still waits is skipped.

#include <cstdint>
#include <functional>

namespace alvetra {

class ScaledTimer;
class SerialLink;

class Supervision {
public:
    static constexpr int kCodesPage = 0;
    static constexpr int kMonitorPage = 9;
    static constexpr int kPollIntervalMs = 200;
    static constexpr int kIdleIntervalMs = 3000;
    static constexpr int kAfterReopenIntervalMs = 5500;
    static constexpr int kBlockKeepingIntervalMs = 30000;
    static constexpr std::uint8_t kMissesBeforeReopen = 100;   // countdown; the 101st miss reopens
    static constexpr std::uint8_t kCodesPollDivider = 15;

    struct Hooks {
        std::function<int()> activePage;           // index of the visible settings page
        std::function<void()> reopenPort;          // as onPortChanged does it
        std::function<void()> advancePressTick;    // code entry's press tick, stops at 255
    };

    Supervision(SerialLink &link, ScaledTimer &timeOutConnected, Hooks hooks);

    void supervisionTick();
    void blockKeepingTick();

    std::uint8_t missCountdown() const { return missCountdown_; }
    std::uint8_t pollDivider() const { return pollDivider_; }

private:
    void superviseMonitor();
    void pollCodesPage();
    void pollOtherPage();

    SerialLink &link_;
    ScaledTimer &timer_;
    Hooks hooks_;
    std::uint8_t missCountdown_ = kMissesBeforeReopen;
    std::uint8_t pollDivider_ = 0;
    bool ticking_ = false;
};

} // namespace alvetra
