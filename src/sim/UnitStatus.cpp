#include "sim/UnitStatus.h"

namespace alvetra::sim {

namespace {

struct InputBit {
    Input input;
    StatusBit bit;
};

constexpr InputBit kInputBits[] = {
    {Input::Ignition, {2, 0}},         {Input::DoorSwitch, {2, 1}},       {Input::DriverDoor, {2, 2}},
    {Input::UltrasonicSensor, {2, 3}}, {Input::CanTurnSignals, {2, 4}},   {Input::BootBlockWire, {2, 5}},
    {Input::Button, {2, 7}},           {Input::Armed, {1, 1}},            {Input::CanIgnition, {1, 2}},
    {Input::CanDoor, {1, 3}},          {Input::RadioActivity, {1, 5}},    {Input::CanActivity, {1, 6}},
    {Input::SirenShort, {1, 7}},       {Input::AntiTheftActive, {3, 0}},  {Input::Service, {3, 1}},
    {Input::AntiHijackActive, {3, 2}}, {Input::AntiHijackTriggered, {3, 3}},
    {Input::AntiTheftPresent, {3, 4}}, {Input::AntiHijackPresent, {3, 5}}, {Input::Relay, {3, 6}},
    {Input::Bonnet, {2, 1}},
};
static_assert(std::size(kInputBits) == kInputCount, "every input has a status bit");

std::uint8_t mask(StatusBit b) { return static_cast<std::uint8_t>(1u << b.bit); }

} // namespace

StatusBit statusBitOf(Input input)
{
    for (const InputBit &entry : kInputBits)
        if (entry.input == input)
            return entry.bit;
    return {};
}

StatusBit statusBitOf(Press press)
{
    return {0, static_cast<int>(press)};
}

void InputState::press(Press p)
{
    presses_ |= mask(statusBitOf(p));
}

StatusBytes InputState::statusBytes() const
{
    StatusBytes out = undriven_;
    out[0] |= presses_;
    for (const InputBit &entry : kInputBits)
        if ((*this)[entry.input])
            out[entry.bit.byte] |= mask(entry.bit);
    return out;
}

void InputState::setStatusBytes(const StatusBytes &bytes)
{
    const StatusBytes driven = drivenStatusMask();
    for (int i = 0; i < 4; ++i)
        undriven_[i] = bytes[i] & static_cast<std::uint8_t>(~driven[i]);
    presses_ = bytes[0];
    for (const InputBit &entry : kInputBits)
        set(entry.input, (bytes[entry.bit.byte] & mask(entry.bit)) != 0);
    set(Input::Bonnet, false);
}

StatusBytes drivenStatusMask()
{
    StatusBytes driven{0xFF, 0, 0, 0};   // all of S0 is presses
    for (const InputBit &entry : kInputBits)
        driven[entry.bit.byte] |= mask(entry.bit);
    return driven;
}

} // namespace alvetra::sim
