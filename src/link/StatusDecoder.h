#pragma once
// Decoding of the unit's status report (four status bytes S0..S3) into what the monitor tab shows.
//
// Pure: no widgets. The bits are applied one by one, k = 0..7, each k running the S2, S1 and S3
// rules, the absence rules of the two blocks and the S0 rule, so later bits override earlier ones
// (a triggered anti-hijack replaces "not active", an active one suppresses "triggered", and an
// absent block wins over everything). The result is the final look of every indicator after the
// whole report, plus how many times programming access must be withdrawn.

#include <QString>
#include <array>
#include <cstdint>

namespace alvetra {

namespace statustexts {
inline const QString kAntiTheftActiveText = QStringLiteral("Przeciwkradzież - aktywna");
inline const QString kAntiTheftInactiveText = QStringLiteral("Przeciwkradzież - nie aktywna");
inline const QString kAntiTheftAbsentText = QStringLiteral("Przeciwkradzież - brak");
inline const QString kAntiHijackActiveText = QStringLiteral("Antynapad - aktywny");
inline const QString kAntiHijackInactiveText = QStringLiteral("Antynapad - nie aktywny");
inline const QString kAntiHijackTriggeredText = QStringLiteral("Antynapad - wyzwolony");
inline const QString kAntiHijackAbsentText = QStringLiteral("Antynapad - brak");
inline const QString kDisarmedText = QStringLiteral("Alarm rozbrojony");
inline const QString kArmedText = QStringLiteral("Alarm uzbrojony");
inline const QString kRelayOnText = QStringLiteral("Przekaźnik włączony");
inline const QString kRelayOffText = QStringLiteral("Przekaźnik wyłączony");
} // namespace statustexts

// The 25 indicators of the monitor tab.
enum class MonitorLed {
    ArmingState, AntiHijackActive, AntiTheftActive, Service, Relay,
    Ignition, DoorSwitch, DriverDoor, UltrasonicSensor, BootBlockWire, Button, CanRx, RadioRx, SirenShort,
    RemoteButton1, RemoteButton2, RemoteButton3, RemoteButton4, LowRemoteBattery,
    CanIgnition, CanDoor, CanTurnSignals, CarRemoteUnlock, CarRemoteLock, CarRemoteBoot,
    Count
};
constexpr int kMonitorLedCount = static_cast<int>(MonitorLed::Count);

// Lit colour given to an LED; Keep leaves the LED's current lit colour.
enum class LedColor : std::uint8_t { Keep, Lime, Red, Green, Yellow };

// Keep: the report does not touch the LED (the remote-button LEDs on a clear bit).
enum class LedDraw : std::uint8_t { Keep, On, Off };

struct LedUpdate {
    LedDraw draw = LedDraw::Keep;
    LedColor color = LedColor::Keep;
    bool operator==(const LedUpdate &) const = default;
};

struct BlockLabel {
    QString text;
    bool enabled = true;
    bool operator==(const BlockLabel &) const = default;
};

struct MonitorUpdate {
    std::array<LedUpdate, kMonitorLedCount> leds{};
    bool armed = false;                // LAB_StanAlarmu: "Alarm uzbrojony" in red, else "Alarm rozbrojony" in green
    BlockLabel antiTheft;              // LAB_antykradziez
    BlockLabel antiHijack;             // LAB_antynapad
    QString relay;                     // LAB_przekaznik
    int withdrawCount = 0;             // armed state and each active block withdraw access once
    bool startRemoteLedTimer = false;  // a remote-button LED was lit (S0 != 0)

    const LedUpdate &led(MonitorLed which) const { return leds[static_cast<std::size_t>(which)]; }
    LedUpdate &led(MonitorLed which) { return leds[static_cast<std::size_t>(which)]; }
    bool operator==(const MonitorUpdate &) const = default;
};

// Option byte bits: the blocks configured in the settings image (lowest flags byte).
constexpr std::uint8_t kOptionAntiTheft = 0x40;
constexpr std::uint8_t kOptionAntiHijack = 0x80;

MonitorUpdate decodeStatus(std::uint8_t s0, std::uint8_t s1, std::uint8_t s2, std::uint8_t s3,
                           std::uint8_t optionByte);

} // namespace alvetra
