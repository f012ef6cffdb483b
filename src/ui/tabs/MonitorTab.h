#pragma once
// Tab 9 "Monitor": the 25 indicators of the unit's live state and the texts beside them.

#include "StatusDecoder.h"

#include <array>

class QLabel;
class QWidget;

namespace alvetra {

class ThhALed;

class MonitorTab {
public:
    explicit MonitorTab(QWidget *panel);

    ThhALed *led(MonitorLed which) const { return leds_[static_cast<std::size_t>(which)]; }

    QLabel *stanAlarmu = nullptr;      // LAB_StanAlarmu
    QLabel *antynapad = nullptr;       // LAB_antynapad
    QLabel *antykradziez = nullptr;    // LAB_antykradziez
    QLabel *serwis = nullptr;          // LAB_serwis
    QLabel *przekaznik = nullptr;      // LAB_przekaznik

    // The remote-button LEDs that the pilot timer darkens, in the order it darkens them.
    static constexpr std::array<MonitorLed, 8> kRemoteLeds = {
        MonitorLed::PilotP1, MonitorLed::PilotP2, MonitorLed::PilotP3, MonitorLed::PilotP4,
        MonitorLed::PilotBateria, MonitorLed::CanRozb, MonitorLed::CanUzb, MonitorLed::CanBag};

private:
    std::array<ThhALed *, kMonitorLedCount> leds_{};
};

} // namespace alvetra
