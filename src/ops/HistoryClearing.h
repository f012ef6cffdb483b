#pragma once
// Clearing the unit's event history, one byte at a time.

#include "ops/OperationState.h"

namespace alvetra {

class HistoryClearing {
public:
    explicit HistoryClearing(const OperationContext &context) : context_(context) {}

    // The pointer set to the first history byte, then every history byte set to 0, in the image
    // and in the unit. A byte the unit does not take is counted and the clearing goes on; Done
    // when the unit took them all. No confirmation request follows; the list keeps its rows until
    // the next fill.
    OperationOutcome clear();

private:
    OperationContext context_;
};

} // namespace alvetra
