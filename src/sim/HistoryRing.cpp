#include "sim/HistoryRing.h"

namespace alvetra::sim {

EventTable eventTableFor(const QByteArray &identification)
{
    return identification.startsWith("MZRAv") ? EventTable::Wired : EventTable::Can;
}

std::uint8_t armedEventCode(EventTable table)
{
    return table == EventTable::Wired ? 0x40 : 0x4F;
}

std::uint8_t disarmedEventCode(EventTable table)
{
    return table == EventTable::Wired ? 0x80 : 0x8F;
}

std::optional<std::uint8_t> triggerEventCode(Input input, EventTable table)
{
    const bool can = table == EventTable::Can;
    switch (input) {
    case Input::Ignition: return 0x01;
    case Input::DoorSwitch: return 0x02;
    case Input::DriverDoor: return 0x04;
    case Input::UltrasonicSensor: return 0x08;
    case Input::Bonnet: return can ? 0x02 : 0x10;
    case Input::BootBlockWire: return can ? 0x10 : 0x20;
    // Older units see the CAN ignition and door as their wired twins.
    case Input::CanIgnition: return can ? 0x20 : 0x01;
    case Input::CanDoor: return can ? 0x40 : 0x02;
    case Input::CanTurnSignals: return can ? std::optional<std::uint8_t>(0x80) : std::nullopt;
    default: return std::nullopt;
    }
}

namespace {

int slotForNextEntry(const ImageBytes &memory, const Layout &layout)
{
    const int pointer = memory[layout.historyPointer];
    const int end = layout.historyLast + 1;
    const bool inArea = pointer >= layout.historyFirst && pointer <= end;
    const bool onEntryBoundary = (pointer - layout.historyFirst) % 4 == 0;
    if (!inArea || !onEntryBoundary || pointer + 4 > end)
        return layout.historyFirst;
    return pointer;
}

} // namespace

void appendHistoryEntry(ImageBytes &memory, const Layout &layout, std::uint32_t counter, std::uint8_t code)
{
    const int slot = slotForNextEntry(memory, layout);
    setWord24(memory, slot, counter);
    memory[slot + 3] = code;
    memory[layout.historyPointer] = static_cast<std::uint8_t>((slot + 4) & 0xFF);
}

} // namespace alvetra::sim
