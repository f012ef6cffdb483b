#pragma once
// The transactions through which the operations talk to the unit: exactly the serial link's
// sendRequest, readBlock and writeBlock, and the parts of the reply state the operations look at.
// The serial link implements it (or a few-line adapter does); tests put a link of their own
// behind it.
//
// All calls run on the UI thread and process events while they wait.

#include "link/Protocol.h"
#include "alarm/SettingsImage.h"

#include <QString>
#include <atomic>
#include <cstdint>
#include <optional>

namespace alvetra {

class UnitLink {
public:
    virtual ~UnitLink() = default;

    // The port-open flag: true while a reader thread exists.
    virtual bool portOpen() const = 0;

    // One transaction: `hexText`, when given, is the whole data; otherwise the data is the
    // addressed block of `address`, `count` and `value` (3- or 4-byte address). True when the
    // request's reply arrived (for a write: arrived and accepted).
    virtual bool sendRequest(std::uint8_t destination, std::uint8_t source, std::uint8_t code,
                             const std::optional<QString> &hexText, std::uint16_t delayMs,
                             std::uint16_t repeatMs, std::uint16_t totalMs, std::uint32_t address,
                             std::uint8_t count, std::uint64_t value, bool threeByteAddress) = 0;

    // Reads `count` bytes at `address`; on true they are already in the settings image.
    virtual bool readBlock(std::uint8_t destination, std::uint8_t address, std::uint8_t count) = 0;

    // Writes `count` image bytes from `address`: 0 written and accepted, 1 no reply or refused,
    // 3 more than 8 bytes asked for (nothing sent).
    virtual std::uint8_t writeBlock(std::uint8_t destination, std::uint8_t address, std::uint8_t count,
                                    const SettingsImage &image) = 0;

    // Bits 0 to 4 of the access-flags byte of the latest login reply.
    virtual std::uint8_t accessFlags() const = 0;
    // Raised by a learning report that ends the learning; a wait can watch it directly.
    virtual const std::atomic<bool> &learningFlag() const = 0;
    // The first data byte of the latest learning report.
    virtual std::uint8_t learnedCount() const = 0;
    // Clears the mark that a login reply has been received.
    virtual void clearLoginReply() = 0;
};

} // namespace alvetra
