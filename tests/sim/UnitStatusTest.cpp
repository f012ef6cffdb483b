#include "sim/UnitStatus.h"

#include <gtest/gtest.h>

using namespace alvetra::sim;

namespace {

struct Expected {
    Input input;
    StatusBytes bytes;
};

// Where the monitor looks for each input.
const Expected kExpected[] = {
    {Input::Ignition, {0, 0, 0x01, 0}},
    {Input::DoorSwitch, {0, 0, 0x02, 0}},
    {Input::Bonnet, {0, 0, 0x02, 0}},
    {Input::DriverDoor, {0, 0, 0x04, 0}},
    {Input::UltrasonicSensor, {0, 0, 0x08, 0}},
    {Input::CanTurnSignals, {0, 0, 0x10, 0}},
    {Input::BootBlockWire, {0, 0, 0x20, 0}},
    {Input::Button, {0, 0, 0x80, 0}},
    {Input::Armed, {0, 0x02, 0, 0}},
    {Input::CanIgnition, {0, 0x04, 0, 0}},
    {Input::CanDoor, {0, 0x08, 0, 0}},
    {Input::RadioActivity, {0, 0x20, 0, 0}},
    {Input::CanActivity, {0, 0x40, 0, 0}},
    {Input::SirenShort, {0, 0x80, 0, 0}},
    {Input::AntiTheftActive, {0, 0, 0, 0x01}},
    {Input::Service, {0, 0, 0, 0x02}},
    {Input::AntiHijackActive, {0, 0, 0, 0x04}},
    {Input::AntiHijackTriggered, {0, 0, 0, 0x08}},
    {Input::AntiTheftPresent, {0, 0, 0, 0x10}},
    {Input::AntiHijackPresent, {0, 0, 0, 0x20}},
    {Input::Relay, {0, 0, 0, 0x40}},
};

} // namespace

TEST(UnitStatus, EveryInputHasItsBit)
{
    static_assert(std::size(kExpected) == kInputCount);
    for (const Expected &e : kExpected) {
        InputState state;
        state.set(e.input, true);
        EXPECT_EQ(state.statusBytes(), e.bytes) << static_cast<int>(e.input);
    }
}

TEST(UnitStatus, PressesAreTheBitsOfS0)
{
    InputState state;
    state.press(Press::LowRemoteBattery);
    state.press(Press::CarRemoteBoot);
    state.press(Press::RemoteButton4);
    EXPECT_EQ(state.statusBytes(), (StatusBytes{0x89, 0, 0, 0}));
    state.clearPresses();
    EXPECT_EQ(state.statusBytes(), (StatusBytes{0, 0, 0, 0}));
    state.press(Press::CarRemoteLock);
    state.press(Press::CarRemoteUnlock);
    state.press(Press::RemoteButton1);
    state.press(Press::RemoteButton2);
    state.press(Press::RemoteButton3);
    EXPECT_EQ(state.statusBytes()[0], 0x76);
}

TEST(UnitStatus, RawBytesReadBackUnchanged)
{
    InputState state;
    for (const StatusBytes raw : {StatusBytes{0xFF, 0xFF, 0xFF, 0xFF}, StatusBytes{0x00, 0x11, 0x40, 0x80},
                                  StatusBytes{0x10, 0x02, 0x02, 0x28}}) {
        state.setStatusBytes(raw);
        EXPECT_EQ(state.statusBytes(), raw);
    }
    state.setStatusBytes({0x00, 0x02, 0x03, 0x10});
    EXPECT_TRUE(state[Input::Armed]);
    EXPECT_TRUE(state[Input::Ignition]);
    EXPECT_TRUE(state[Input::DoorSwitch]);
    EXPECT_FALSE(state[Input::Bonnet]);
    EXPECT_TRUE(state[Input::AntiTheftPresent]);
    EXPECT_FALSE(state[Input::AntiTheftActive]);
}

TEST(UnitStatus, DoorAndBonnetShareTheirBit)
{
    InputState state;
    state.set(Input::DoorSwitch, true);
    state.set(Input::Bonnet, true);
    state.set(Input::DoorSwitch, false);
    EXPECT_EQ(state.statusBytes()[2], 0x02) << "the bonnet still holds the bit";
    state.set(Input::Bonnet, false);
    EXPECT_EQ(state.statusBytes()[2], 0x00);
}
