#include "link/LinkMessages.h"

#include "link/LinkTexts.h"

namespace alvetra {

namespace {

UserMessage portError(const QString &text)
{
    return UserMessage{kCaptionError, text, MessageIcon::Error};
}

} // namespace

UserMessage openFailureMessage(Transport::OpenResult result, const QString &portName, int lineRate)
{
    switch (result) {
    case Transport::OpenResult::InUse:
        return portError(linktexts::kPortInUse.arg(portName));
    case Transport::OpenResult::NoPermission:
        return portError(linktexts::kNoPermission.arg(portName));
    case Transport::OpenResult::SpeedRefused:
        return portError(linktexts::kSpeedRefused.arg(portName).arg(lineRate));
    case Transport::OpenResult::Missing:
    case Transport::OpenResult::Failed:
    case Transport::OpenResult::Opened:
        break;
    }
    return portError(linktexts::kPortMissing.arg(portName));
}

UserMessage closeFailureMessage(const QString &portName, int error)
{
    return portError(linktexts::kCloseFailed.arg(portName).arg(static_cast<unsigned>(error), 0, 16));
}

UserMessage resetFailureMessage()
{
    return UserMessage{kCaptionWarning, linktexts::kResetFailed, MessageIcon::Warning};
}

UserMessage deviceLostMessage(const QString &portName)
{
    return portError(linktexts::kDeviceLost.arg(portName));
}

QString checksumErrorText(int count)
{
    return linktexts::kChecksumErrors.arg(count);
}

} // namespace alvetra
