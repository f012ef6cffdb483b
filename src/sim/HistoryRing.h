#pragma once
// The unit's event history: a ring of 4-byte entries in its memory (24-bit minute counter, low
// byte first, then the event code) and the pointer byte holding the address just after the
// newest entry.

#include "alarm/Layout.h"
#include "alarm/SettingsImage.h"
#include "sim/UnitStatus.h"

#include <QByteArray>
#include <cstdint>
#include <optional>

namespace alvetra::sim {

// Event codes differ by firmware generation: the older units ("MZRAv...") name the wired
// inputs and the bonnet, the newer ones have the CAN-bus inputs in the upper bits and mark
// arming and disarming with the low nibble set.
enum class EventTable { Wired, Can };

EventTable eventTableFor(const QByteArray &identification);

std::uint8_t armedEventCode(EventTable table);
std::uint8_t disarmedEventCode(EventTable table);
// The code written when `input` becomes active while armed; nullopt for inputs that never
// trigger the alarm (or that this generation does not record).
std::optional<std::uint8_t> triggerEventCode(Input input, EventTable table);

// Appends one entry after the newest. A pointer of 0, outside the area or between entries is
// taken as an empty ring (the entry goes to the first history byte). After the entry that
// fills the last slot the pointer holds one past the area, kept to 8 bits (layout B: 0, which
// the program reads as the first history byte); the next entry wraps to the first slot.
void appendHistoryEntry(ImageBytes &memory, const Layout &layout, std::uint32_t counter, std::uint8_t code);

} // namespace alvetra::sim
