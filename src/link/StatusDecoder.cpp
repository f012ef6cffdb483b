#include "link/StatusDecoder.h"

namespace alvetra {

namespace {

constexpr bool bit(std::uint8_t byte, int k)
{
    return (byte >> k) & 1;
}

void onOff(MonitorUpdate &u, MonitorLed led, bool lit)
{
    u.led(led).draw = lit ? LedDraw::On : LedDraw::Off;
}

void showOn(MonitorUpdate &u, MonitorLed led, LedColor color)
{
    u.led(led).color = color;
    u.led(led).draw = LedDraw::On;
}

// Wired inputs and the turn signals; bit 6 is unused.
void applyS2(MonitorUpdate &u, std::uint8_t s2, int k)
{
    static constexpr MonitorLed byBit[8] = {MonitorLed::Ignition,  MonitorLed::DoorSwitch,
                                            MonitorLed::DriverDoor, MonitorLed::UltrasonicSensor,
                                            MonitorLed::CanTurnSignals,   MonitorLed::BootBlockWire,
                                            MonitorLed::Count,     MonitorLed::Button};
    if (byBit[k] != MonitorLed::Count)
        onOff(u, byBit[k], bit(s2, k));
}

// Arming state, CAN inputs, radio and CAN activity, siren; bits 0 and 4 are unused.
void applyS1(MonitorUpdate &u, std::uint8_t s1, int k)
{
    switch (k) {
    case 1:
        u.armed = bit(s1, 1);
        showOn(u, MonitorLed::ArmingState, u.armed ? LedColor::Red : LedColor::Lime);
        if (u.armed)
            ++u.withdrawCount;
        break;
    case 2: onOff(u, MonitorLed::CanIgnition, bit(s1, 2)); break;
    case 3: onOff(u, MonitorLed::CanDoor, bit(s1, 3)); break;
    case 5: onOff(u, MonitorLed::RadioRx, bit(s1, 5)); break;
    case 6: onOff(u, MonitorLed::CanRx, bit(s1, 6)); break;
    case 7: onOff(u, MonitorLed::SirenShort, bit(s1, 7)); break;
    default: break;
    }
}

void applyS3(MonitorUpdate &u, std::uint8_t s3, std::uint8_t option, int k)
{
    const bool theftKnown = (option & kOptionAntiTheft) || bit(s3, 4);
    const bool hijackKnown = (option & kOptionAntiHijack) || bit(s3, 5);
    switch (k) {
    case 0:
        if (bit(s3, 0)) {
            showOn(u, MonitorLed::AntiTheftActive, LedColor::Red);
            u.antiTheft = {statustexts::kAntiTheftActiveText, true};
            ++u.withdrawCount;
        } else if (theftKnown) {
            showOn(u, MonitorLed::AntiTheftActive, LedColor::Lime);
            u.antiTheft = {statustexts::kAntiTheftInactiveText, true};
        }
        break;
    case 1:
        if (bit(s3, 1))
            showOn(u, MonitorLed::Service, LedColor::Red);
        else
            onOff(u, MonitorLed::Service, false);
        break;
    case 2:
        if (bit(s3, 2)) {
            showOn(u, MonitorLed::AntiHijackActive, LedColor::Red);
            u.antiHijack = {statustexts::kAntiHijackActiveText, true};
            ++u.withdrawCount;
        } else if (hijackKnown) {
            showOn(u, MonitorLed::AntiHijackActive, LedColor::Lime);
            u.antiHijack = {statustexts::kAntiHijackInactiveText, true};
        }
        break;
    case 3:
        if (bit(s3, 3) && !bit(s3, 2)) {
            showOn(u, MonitorLed::AntiHijackActive, LedColor::Yellow);
            u.antiHijack = {statustexts::kAntiHijackTriggeredText, true};
        }
        break;
    case 6:
        showOn(u, MonitorLed::Relay, bit(s3, 6) ? LedColor::Red : LedColor::Lime);
        u.relay = bit(s3, 6) ? statustexts::kRelayOnText : statustexts::kRelayOffText;
        break;
    default:
        break;
    }
    // A block neither configured nor present in the unit wins over everything.
    if (!hijackKnown) {
        onOff(u, MonitorLed::AntiHijackActive, false);
        u.antiHijack = {statustexts::kAntiHijackAbsentText, false};
    }
    if (!theftKnown) {
        onOff(u, MonitorLed::AntiTheftActive, false);
        u.antiTheft = {statustexts::kAntiTheftAbsentText, false};
    }
}

// Remote buttons: only lit here; the remote-LED timer darkens them.
void applyS0(MonitorUpdate &u, std::uint8_t s0, int k)
{
    static constexpr MonitorLed byBit[8] = {MonitorLed::LowRemoteBattery, MonitorLed::CarRemoteLock,  MonitorLed::CarRemoteUnlock,
                                            MonitorLed::CarRemoteBoot,       MonitorLed::RemoteButton1, MonitorLed::RemoteButton2,
                                            MonitorLed::RemoteButton3,      MonitorLed::RemoteButton4};
    if (bit(s0, k))
        onOff(u, byBit[k], true);
}

} // namespace

MonitorUpdate decodeStatus(std::uint8_t s0, std::uint8_t s1, std::uint8_t s2, std::uint8_t s3,
                           std::uint8_t optionByte)
{
    MonitorUpdate u;
    for (int k = 0; k < 8; ++k) {
        applyS2(u, s2, k);
        applyS1(u, s1, k);
        applyS3(u, s3, optionByte, k);
        applyS0(u, s0, k);
    }
    u.startRemoteLedTimer = s0 != 0;
    return u;
}

} // namespace alvetra
