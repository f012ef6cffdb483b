#pragma once
// The link's message boxes and panel texts, composed from LinkTexts.

#include "link/Transport.h"
#include "alarm/UserMessage.h"

#include <QString>

namespace alvetra {

// Why the port could not be opened; `lineRate` names the refused speed.
UserMessage openFailureMessage(Transport::OpenResult result, const QString &portName, int lineRate);
// Closing failed with the system's error code (shown in hexadecimal).
UserMessage closeFailureMessage(const QString &portName, int error);
// The reader thread did not end in time when the port was to be reopened.
UserMessage resetFailureMessage();
// The device went away while the port was open.
UserMessage deviceLostMessage(const QString &portName);
// Panel 1: "CRC Error:<count>".
QString checksumErrorText(int count);

} // namespace alvetra
