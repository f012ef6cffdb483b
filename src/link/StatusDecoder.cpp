#include "StatusDecoder.h"

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
    static constexpr MonitorLed byBit[8] = {MonitorLed::Stacyjka,  MonitorLed::Krancowka,
                                            MonitorLed::KracowkaKier, MonitorLed::Czujnik,
                                            MonitorLed::CanKier,   MonitorLed::BagaznikBlokada,
                                            MonitorLed::Count,     MonitorLed::Przycisk};
    if (byBit[k] != MonitorLed::Count)
        onOff(u, byBit[k], bit(s2, k));
}

// Arming state, CAN inputs, radio and CAN activity, siren; bits 0 and 4 are unused.
void applyS1(MonitorUpdate &u, std::uint8_t s1, int k)
{
    switch (k) {
    case 1:
        u.armed = bit(s1, 1);
        showOn(u, MonitorLed::StanAlarmu, u.armed ? LedColor::Red : LedColor::Lime);
        if (u.armed)
            ++u.withdrawCount;
        break;
    case 2: onOff(u, MonitorLed::StacyjkaCan, bit(s1, 2)); break;
    case 3: onOff(u, MonitorLed::KrancowkaCan, bit(s1, 3)); break;
    case 5: onOff(u, MonitorLed::RadioRx, bit(s1, 5)); break;
    case 6: onOff(u, MonitorLed::CanRx, bit(s1, 6)); break;
    case 7: onOff(u, MonitorLed::DiagSyr, bit(s1, 7)); break;
    default: break;
    }
}

void applyS3(MonitorUpdate &u, std::uint8_t s3, std::uint8_t option, int k)
{
    const bool theftKnown = (option & kOptionAntykradziez) || bit(s3, 4);
    const bool hijackKnown = (option & kOptionAntynapad) || bit(s3, 5);
    switch (k) {
    case 0:
        if (bit(s3, 0)) {
            showOn(u, MonitorLed::AktywnaBlokada, LedColor::Red);
            u.antykradziez = {statustexts::kAntykradziezAktywna, true};
            ++u.withdrawCount;
        } else if (theftKnown) {
            showOn(u, MonitorLed::AktywnaBlokada, LedColor::Lime);
            u.antykradziez = {statustexts::kAntykradziezNieAktywna, true};
        }
        break;
    case 1:
        if (bit(s3, 1))
            showOn(u, MonitorLed::Serwis, LedColor::Red);
        else
            onOff(u, MonitorLed::Serwis, false);
        break;
    case 2:
        if (bit(s3, 2)) {
            showOn(u, MonitorLed::AktywnyKidnaper, LedColor::Red);
            u.antynapad = {statustexts::kAntynapadAktywny, true};
            ++u.withdrawCount;
        } else if (hijackKnown) {
            showOn(u, MonitorLed::AktywnyKidnaper, LedColor::Lime);
            u.antynapad = {statustexts::kAntynapadNieAktywny, true};
        }
        break;
    case 3:
        if (bit(s3, 3) && !bit(s3, 2)) {
            showOn(u, MonitorLed::AktywnyKidnaper, LedColor::Yellow);
            u.antynapad = {statustexts::kAntynapadWyzwolony, true};
        }
        break;
    case 6:
        showOn(u, MonitorLed::Przekaznik, bit(s3, 6) ? LedColor::Red : LedColor::Lime);
        u.przekaznik = bit(s3, 6) ? statustexts::kPrzekaznikWlaczony : statustexts::kPrzekaznikWylaczony;
        break;
    default:
        break;
    }
    // A block neither configured nor present in the unit wins over everything.
    if (!hijackKnown) {
        onOff(u, MonitorLed::AktywnyKidnaper, false);
        u.antynapad = {statustexts::kAntynapadBrak, false};
    }
    if (!theftKnown) {
        onOff(u, MonitorLed::AktywnaBlokada, false);
        u.antykradziez = {statustexts::kAntykradziezBrak, false};
    }
}

// Remote buttons: only lit here; the pilot timer darkens them.
void applyS0(MonitorUpdate &u, std::uint8_t s0, int k)
{
    static constexpr MonitorLed byBit[8] = {MonitorLed::PilotBateria, MonitorLed::CanUzb,  MonitorLed::CanRozb,
                                            MonitorLed::CanBag,       MonitorLed::PilotP1, MonitorLed::PilotP2,
                                            MonitorLed::PilotP3,      MonitorLed::PilotP4};
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
    u.startPilotTimer = s0 != 0;
    return u;
}

} // namespace alvetra
