#pragma once
// The transactions through which the operations talk to the unit: exactly the serial link's
// sendRequest, readBlock and writeBlock, and the parts of the reply state the operations look at.
// The serial link implements it (or a few-line adapter does); tests put a link of their own
// behind it.
//
// All calls run on the UI thread and process events while they wait.

#include "alarm/Layout.h"
#include "link/Protocol.h"
#include "link/Request.h"
#include "alarm/SettingsImage.h"

#include <atomic>
#include <cstdint>

namespace alvetra {

class UnitLink {
public:
    virtual ~UnitLink() = default;

    // The port-open flag: true while a reader thread exists.
    virtual bool portOpen() const = 0;

    // One transaction. True when the request's reply arrived (for a write: arrived and
    // accepted).
    virtual bool sendRequest(const Request &req) = 0;

    // Reads `count` bytes at `address`; on true they are already in the settings image.
    virtual bool readBlock(std::uint8_t destination, std::uint8_t address, std::uint8_t count) = 0;

    // Writes `count` image bytes from `address`.
    virtual WriteResult writeBlock(std::uint8_t destination, std::uint8_t address, std::uint8_t count,
                                    const SettingsImage &image) = 0;

    // Bits 0 to 4 of the access-flags byte of the latest login reply.
    virtual std::uint8_t accessFlags() const = 0;
    // Raised by a learning report that ends the learning; a wait can watch it directly.
    virtual const std::atomic<bool> &learningFlag() const = 0;
    // The first data byte of the latest learning report.
    virtual std::uint8_t learnedCount() const = 0;
    // Clears the mark that a login reply has been received.
    virtual void clearLoginReply() = 0;
    // The layout of the unit's family, once known: the link's traffic record masks the code
    // words and the PC password at its addresses.
    virtual void setUnitLayout(const Layout &) {}
};

} // namespace alvetra
