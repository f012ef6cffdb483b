#pragma once
// One request to the unit with the waiting times of its transaction, and what writing a block of
// the settings image can come to. The serial link sends requests; the operations' UnitLink
// passes them on.
//
//   link.sendRequest({.code = request::kConfirm, .repeatMs = 1400, .totalMs = 3000});
//   link.sendRequest({.code = request::kLogin, .hexText = passwordHexText(password), .delayMs = 10});
//
// The fields are in the order a designated initialiser names them.

#include "link/Frame.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace alvetra {

struct Request {
    std::uint8_t destination = kUnitAddress;
    std::uint8_t source = kPcAddress;
    std::uint8_t code = 0;
    // The whole data as hex text. Without it the data is the addressed block of `address`,
    // `count` and `value` below: by default a four-byte address 0 and count 0.
    std::optional<QString> hexText = std::nullopt;
    // Before the first transmission.
    std::uint16_t delayMs = 0;
    // The frame is sent again every `repeatMs` until the reply arrives or `totalMs` have passed;
    // a repeat interval longer than the wait (the default) sends it once.
    std::uint16_t repeatMs = 2600;
    std::uint16_t totalMs = 2500;
    std::uint32_t address = 0;
    std::uint8_t count = 0;
    std::uint64_t value = 0;
    bool threeByteAddress = false;
};

// Writing at most eight bytes of the settings image to the unit.
enum class WriteResult {
    Written,       // the unit replied and accepted them
    NotAccepted,   // the unit refused them, or the port was not open: nothing to try again
    NotAnswered,   // sent, but no reply came within the write's wait
    TooLong,       // more than eight bytes asked for: nothing was sent
};

} // namespace alvetra
