#pragma once
// The lines of the "Piloty" tab that show the remotes and tokens the unit has learnt.

#include "alarm/ByteWrite.h"
#include "alarm/Layout.h"
#include "alarm/SettingsImage.h"

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace alvetra {

constexpr int kRemoteSlots = 4;
constexpr int kTokenSlots = 4;
constexpr int kRecordSize = 6;
using Record = std::array<std::uint8_t, kRecordSize>;   // b0 (lowest address) to b5

// "%d. " with the slot number (1-4), then, for the fields whose bytes are not all zero:
// "Data produkcji: YYYY." "MM." "DD  " "Numer seryjny: NNNN" "   Numer emisji: NNNN".
// Year code c gives 2006 + c for c < 5, else 1990 + c. Numbers show their last four digits.
QString remoteText(int slot, const Record &record);

// "%d. " then "Numer seryjny: NNNN" and "   Numer emisji: NNNN" for non-zero fields.
QString tokenText(int slot, const Record &record);

struct RemoteAndTokenTexts {
    std::array<QString, kRemoteSlots> remotes;   // Pilot1 to Pilot4
    std::array<QString, kTokenSlots> tokens;     // Token1 to Token4
    bool operator==(const RemoteAndTokenTexts &) const = default;
};

// The eight lines from the records at the layout's remote and token positions.
RemoteAndTokenTexts remoteAndTokenTexts(const SettingsImage &image, const Layout &layout);

enum class RecordGroup { Remotes, Tokens };

// Erasing all remotes or all tokens: each of the group's 24 record bytes set to 0, ascending.
std::vector<ByteWrite> eraseRecordsPlan(const Layout &layout, RecordGroup group);

} // namespace alvetra
