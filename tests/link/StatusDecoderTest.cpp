// The unit's status bytes turned into the monitor's indicators and texts.

#include "link/StatusDecoder.h"

#include <gtest/gtest.h>

using namespace alvetra;

namespace {

constexpr LedUpdate on(LedColor c = LedColor::Keep) { return {LedDraw::On, c}; }
constexpr LedUpdate off(LedColor c = LedColor::Keep) { return {LedDraw::Off, c}; }
constexpr LedUpdate untouched() { return {LedDraw::Keep, LedColor::Keep}; }

TEST(StatusDecoder, ArmedWithNothingConfiguredWithdrawsAccessAndShowsBothBlocksAbsent)
{
    const MonitorUpdate u = decodeStatus(0x00, 0x02, 0x00, 0x00, 0x00);
    EXPECT_TRUE(u.armed);
    EXPECT_EQ(u.led(MonitorLed::ArmingState), on(LedColor::Red));
    EXPECT_EQ(u.withdrawCount, 1);
    EXPECT_EQ(u.antiTheft, (BlockLabel{QStringLiteral("Przeciwkradzież - brak"), false}));
    EXPECT_EQ(u.antiHijack, (BlockLabel{QStringLiteral("Antynapad - brak"), false}));
    EXPECT_EQ(u.led(MonitorLed::AntiTheftActive).draw, LedDraw::Off);
    EXPECT_EQ(u.led(MonitorLed::AntiHijackActive).draw, LedDraw::Off);
    EXPECT_FALSE(u.startRemoteLedTimer);

    const MonitorUpdate d = decodeStatus(0x00, 0x00, 0x00, 0x00, 0x00);
    EXPECT_FALSE(d.armed);
    EXPECT_EQ(d.led(MonitorLed::ArmingState), on(LedColor::Lime));
    EXPECT_EQ(d.withdrawCount, 0);
}

TEST(StatusDecoder, AntiTheftPresentActiveOrConfigured)
{
    MonitorUpdate u = decodeStatus(0, 0, 0, 0x10, 0x00);   // present in the unit, not active
    EXPECT_EQ(u.antiTheft, (BlockLabel{QStringLiteral("Przeciwkradzież - nie aktywna"), true}));
    EXPECT_EQ(u.led(MonitorLed::AntiTheftActive), on(LedColor::Lime));
    EXPECT_EQ(u.withdrawCount, 0);

    u = decodeStatus(0, 0, 0, 0x11, 0x00);                  // active
    EXPECT_EQ(u.antiTheft, (BlockLabel{QStringLiteral("Przeciwkradzież - aktywna"), true}));
    EXPECT_EQ(u.led(MonitorLed::AntiTheftActive), on(LedColor::Red));
    EXPECT_EQ(u.withdrawCount, 1);

    u = decodeStatus(0, 0, 0, 0x00, kOptionAntiTheft);   // configured in the settings only
    EXPECT_EQ(u.antiTheft.text, QStringLiteral("Przeciwkradzież - nie aktywna"));

    // Active but neither present nor configured: access is still withdrawn, yet "brak" shows.
    u = decodeStatus(0, 0, 0, 0x01, 0x00);
    EXPECT_EQ(u.withdrawCount, 1);
    EXPECT_EQ(u.antiTheft, (BlockLabel{QStringLiteral("Przeciwkradzież - brak"), false}));
    EXPECT_EQ(u.led(MonitorLed::AntiTheftActive), off(LedColor::Red));
}

TEST(StatusDecoder, AntiHijackTriggeredActiveAndAbsent)
{
    MonitorUpdate u = decodeStatus(0, 0, 0, 0x28, 0x00);
    EXPECT_EQ(u.antiHijack, (BlockLabel{QStringLiteral("Antynapad - wyzwolony"), true}));
    EXPECT_EQ(u.led(MonitorLed::AntiHijackActive), on(LedColor::Yellow));
    EXPECT_EQ(u.withdrawCount, 0);

    u = decodeStatus(0, 0, 0, 0x2C, 0x00);                  // active suppresses triggered
    EXPECT_EQ(u.antiHijack, (BlockLabel{QStringLiteral("Antynapad - aktywny"), true}));
    EXPECT_EQ(u.led(MonitorLed::AntiHijackActive), on(LedColor::Red));
    EXPECT_EQ(u.withdrawCount, 1);

    u = decodeStatus(0, 0, 0, 0x08, 0x00);                  // triggered but absent: absence wins
    EXPECT_EQ(u.antiHijack, (BlockLabel{QStringLiteral("Antynapad - brak"), false}));
    EXPECT_EQ(u.led(MonitorLed::AntiHijackActive).draw, LedDraw::Off);

    u = decodeStatus(0, 0, 0, 0x00, kOptionAntiHijack);
    EXPECT_EQ(u.antiHijack, (BlockLabel{QStringLiteral("Antynapad - nie aktywny"), true}));
    EXPECT_EQ(u.led(MonitorLed::AntiHijackActive), on(LedColor::Lime));

    // Armed with both blocks active: three withdrawals in one report.
    EXPECT_EQ(decodeStatus(0, 0x02, 0, 0x35, 0).withdrawCount, 3);
}

TEST(StatusDecoder, RelayIsNeverDarkAndServiceFollowsItsBit)
{
    MonitorUpdate u = decodeStatus(0, 0, 0, 0x40, 0);
    EXPECT_EQ(u.led(MonitorLed::Relay), on(LedColor::Red));
    EXPECT_EQ(u.relay, QStringLiteral("Przekaźnik włączony"));
    u = decodeStatus(0, 0, 0, 0x00, 0);
    EXPECT_EQ(u.led(MonitorLed::Relay), on(LedColor::Lime));
    EXPECT_EQ(u.relay, QStringLiteral("Przekaźnik wyłączony"));

    EXPECT_EQ(decodeStatus(0, 0, 0, 0x02, 0).led(MonitorLed::Service), on(LedColor::Red));
    EXPECT_EQ(decodeStatus(0, 0, 0, 0x00, 0).led(MonitorLed::Service), off());
}

TEST(StatusDecoder, EachInputBitLightsItsOwnLed)
{
    struct Row { int byte; int bit; MonitorLed led; };
    const Row rows[] = {
        {2, 0, MonitorLed::Ignition}, {2, 1, MonitorLed::DoorSwitch}, {2, 2, MonitorLed::DriverDoor},
        {2, 3, MonitorLed::UltrasonicSensor}, {2, 4, MonitorLed::CanTurnSignals}, {2, 5, MonitorLed::BootBlockWire},
        {2, 7, MonitorLed::Button}, {1, 2, MonitorLed::CanIgnition}, {1, 3, MonitorLed::CanDoor},
        {1, 5, MonitorLed::RadioRx}, {1, 6, MonitorLed::CanRx}, {1, 7, MonitorLed::SirenShort},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(testing::Message() << "S" << r.byte << " bit " << r.bit);
        const std::uint8_t value = static_cast<std::uint8_t>(1u << r.bit);
        const MonitorUpdate u = r.byte == 2 ? decodeStatus(0, 0, value, 0, 0) : decodeStatus(0, value, 0, 0, 0);
        for (const Row &other : rows)
            EXPECT_EQ(u.led(other.led).draw, &other == &r ? LedDraw::On : LedDraw::Off);
    }
    // Unused bits light nothing.
    const MonitorUpdate quiet = decodeStatus(0, 0x11, 0x40, 0x80, 0);
    for (const Row &r : rows)
        EXPECT_EQ(quiet.led(r.led).draw, LedDraw::Off);
    EXPECT_FALSE(quiet.armed);
}

TEST(StatusDecoder, RemoteButtonsAreOnlyLitAndStartTheRemoteLedTimer)
{
    struct Row { int bit; MonitorLed led; };
    const Row rows[] = {{0, MonitorLed::LowRemoteBattery}, {1, MonitorLed::CarRemoteLock}, {2, MonitorLed::CarRemoteUnlock},
                        {3, MonitorLed::CarRemoteBoot},       {4, MonitorLed::RemoteButton1}, {5, MonitorLed::RemoteButton2},
                        {6, MonitorLed::RemoteButton3},      {7, MonitorLed::RemoteButton4}};
    for (const Row &r : rows) {
        const MonitorUpdate u = decodeStatus(static_cast<std::uint8_t>(1u << r.bit), 0, 0, 0, 0);
        EXPECT_TRUE(u.startRemoteLedTimer);
        for (const Row &other : rows)
            EXPECT_EQ(u.led(other.led), &other == &r ? on() : untouched()) << r.bit;
    }
    EXPECT_FALSE(decodeStatus(0, 0xFF, 0xFF, 0xFF, 0xFF).startRemoteLedTimer);
}

} // namespace
