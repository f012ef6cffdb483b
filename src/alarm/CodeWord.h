#pragma once
// Push-button codes as the unit stores them.
//
// A code is a sequence of short ("K") and long ("D") presses of the unit's button. The code word
// holds the number of presses n in bits 15-12 and one bit per press in bits 11-0: the last press
// in bit 0, the first in bit n-1; 1 is a long press. Bits above n-1 are 0.

#include <QString>
#include <cstdint>

namespace alvetra {

constexpr int kMaxCodePresses = 15;       // what the 4-bit count can hold
constexpr int kCodePressBits = 12;        // presses that have a bit of their own

// The word for a code text. Only a capital "D" is a long press; every other character (also a
// lower-case "d") is a short one. A text longer than 15 letters stores the count 15; a long press
// more than twelve places before the end has no bit to go to and is stored as short, so that it
// can never spill into the press count.
std::uint16_t encodeCode(const QString &text);

// The text of a code word: n letters "K"/"D", the letter of bit 0 last. A word with 0 presses
// (an empty code) gives an empty text. Presses beyond the twelfth from the end have no bit and
// read as "K" (0xFFFF gives "KKKDDDDDDDDDDDD").
QString decodeCode(std::uint16_t word);

} // namespace alvetra
