#pragma once
// Erasing all remotes or all tokens the unit has learnt.

#include "ops/OperationState.h"
#include "alarm/RemoteTexts.h"

namespace alvetra {

class RecordErasing {
public:
    explicit RecordErasing(const OperationContext &context) : context_(context) {}

    // The group's 24 record bytes set to 0 one by one in the image and the unit, then the
    // confirmation; "Skasowano." or the red "Błąd kasowania.", no message box. A byte the unit
    // does not take does not stop the rest. The tab's lines keep their text until the settings
    // are read again.
    OperationOutcome erase(RecordGroup group);

private:
    OperationContext context_;
};

} // namespace alvetra
