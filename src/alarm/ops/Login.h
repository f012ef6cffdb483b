#pragma once
// The login procedure every alarm operation runs first: the two identification requests, the PC
// access password, the unit's verdict on access, and the firmware family from the
// identification string.

#include "OperationState.h"

#include <cstdint>

namespace alvetra {

class LoginProcedure {
public:
    explicit LoginProcedure(const OperationContext &context) : context_(context) {}

    // True when the unit accepted the password, its firmware is known and the car database of
    // that firmware is not empty. Tells the user why otherwise; returns false without a word
    // when the port is not open. `delayMs` comes before the first request (every operation
    // passes kLoginDelayMs). Throws FileError when the car database is missing.
    bool run(int delayMs);

private:
    bool notAnswering();
    // Bit 0 clear, then bits 1, 3 and 4, in this order; true when none refuses.
    bool accessGranted(std::uint8_t flags);
    void fallBackToMonitorOnly();
    bool identifyFamily();

    OperationContext context_;
};

} // namespace alvetra
