#pragma once
// Tab 9 "Monitor": the 25 indicators of the unit's live state and the texts beside them.

#include "link/StatusDecoder.h"

#include <array>

class QLabel;
class QWidget;

namespace alvetra {

class LedIndicator;

class MonitorTab {
public:
    explicit MonitorTab(QWidget *panel);

    LedIndicator *led(MonitorLed which) const { return leds_[static_cast<std::size_t>(which)]; }

    QLabel *armingState = nullptr;     // LAB_StanAlarmu
    QLabel *antiHijack = nullptr;      // LAB_antynapad
    QLabel *antiTheft = nullptr;       // LAB_antykradziez
    QLabel *service = nullptr;         // LAB_serwis
    QLabel *relay = nullptr;           // LAB_przekaznik

    // The remote-button LEDs that the remote-LED timer darkens, in the order it darkens them.
    static constexpr std::array<MonitorLed, 8> kRemoteLeds = {
        MonitorLed::RemoteButton1, MonitorLed::RemoteButton2, MonitorLed::RemoteButton3, MonitorLed::RemoteButton4,
        MonitorLed::LowRemoteBattery, MonitorLed::CarRemoteUnlock, MonitorLed::CarRemoteLock, MonitorLed::CarRemoteBoot};

private:
    std::array<LedIndicator *, kMonitorLedCount> leds_{};
};

} // namespace alvetra
