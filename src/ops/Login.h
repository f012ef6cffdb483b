#pragma once
// The login procedure every alarm operation runs first: the two identification requests, the PC
// access password, the unit's verdict on access, and the firmware family from the
// identification string.

#include "ops/OperationState.h"

#include <cstdint>

namespace alvetra {

// A read may meet any unit: what it reads becomes the window's settings. Everything else writes
// to the unit, and may do so only to the unit those settings came from.
enum class LoginPurpose { Reading, Writing };

class LoginProcedure {
public:
    explicit LoginProcedure(const OperationContext &context, LoginPurpose purpose = LoginPurpose::Writing)
        : context_(context), purpose_(purpose) {}

    // True when the unit accepted the password, its firmware is known and the car database of
    // that firmware is not empty; for writing, also when it is the unit the settings came from.
    // Tells the user why otherwise. A port that is not open is reopened once first. `delayMs`
    // comes before the first request (every operation passes kLoginDelayMs). Throws FileError
    // when the car database is missing.
    bool run(int delayMs);

private:
    bool refuse(const QString &boxText, const QString &statusText);
    bool notAnswering();
    bool portNotOpen();
    // Bit 0 clear, then bits 1, 3 and 4, in this order; true when none refuses.
    bool accessGranted(std::uint8_t flags);
    void fallBackToMonitorOnly();
    // Before the family of the unit is applied, so that a refused unit leaves the window's
    // family, layout and car database as they are.
    bool settingsCameFromThisUnit() const;
    bool otherUnit();
    bool identifyFamily();

    OperationContext context_;
    LoginPurpose purpose_;
};

} // namespace alvetra
