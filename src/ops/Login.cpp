#include "ops/Login.h"

#include "ops/FamilySetup.h"
#include "files/FirmwareFamilies.h"
#include "ops/OperationView.h"
#include "ops/OpsTexts.h"
#include "ops/UnitRequests.h"

namespace alvetra {

namespace {

UserMessage warning(const QString &text) { return {kCaptionWarning, text, MessageIcon::Exclamation}; }

} // namespace

bool LoginProcedure::run(int delayMs)
{
    UnitRequests unit(context_.link);
    if (!unit.portOpen())
        context_.view.reopenPort();
    if (!unit.portOpen())
        return portNotOpen();
    if (!unit.identifyFirst(delayMs) || !unit.identifySecond())
        return notAnswering();
    const bool answered = unit.login(context_.view.accessPassword());
    context_.view.hideProgress();
    if (!answered)
        return notAnswering();
    if (!accessGranted(context_.link.accessFlags()))
        return false;
    if (purpose_ == LoginPurpose::Writing && !settingsCameFromThisUnit())
        return otherUnit();
    return identifyFamily();
}

// The fitter is told why in a box and in the red status text; the login has failed.
bool LoginProcedure::refuse(const QString &boxText, const QString &statusText)
{
    context_.view.showMessage(warning(boxText));
    context_.view.showStatus(statusText, kFinalStatusWidth, StatusColour::Red);
    return false;
}

bool LoginProcedure::portNotOpen() { return refuse(texts::kPortNotOpenBox, texts::kPortNotOpen); }

bool LoginProcedure::settingsCameFromThisUnit() const
{
    const OperationState &state = context_.state;
    const QString line = context_.view.identificationLine();
    if (state.settingsUnit)
        return *state.settingsUnit == line;
    // Nothing read yet: only a family fixed by a settings file can disagree.
    if (state.familyCode == 0)
        return true;
    const std::optional<FirmwareFamily> family = familyForIdentification(identificationOf(line));
    // An unknown firmware is refused by identifyFamily, with its own message.
    return !family || family->familyCode == state.familyCode;
}

bool LoginProcedure::otherUnit() { return refuse(texts::kOtherUnitConnectedBox, texts::kOtherUnitConnected); }

bool LoginProcedure::notAnswering() { return refuse(texts::kUnitNotAnswering, texts::kUnitNotAnswering); }

bool LoginProcedure::accessGranted(std::uint8_t flags)
{
    OperationView &view = context_.view;
    if (!(flags & access::kPasswordCorrect))
        return refuse(texts::kWrongAccessPassword, texts::kWrongAccessPassword);
    if (flags & access::kArmed) {
        view.showMessage(warning(texts::kAlarmArmed));
        view.showStatus(QString(), kFinalStatusWidth, StatusColour::Red);
        fallBackToMonitorOnly();
        UnitRequests(context_.link).disconnect();
        return false;
    }
    if (flags & (access::kAntiTheftActive | access::kAntiHijackActive)) {
        view.showMessage(warning((flags & access::kAntiTheftActive) ? texts::kAntiTheftBlockActive
                                                                     : texts::kAntiHijackBlockActive));
        view.showStatus(QString(), kFinalStatusWidth, StatusColour::Red);
        return false;
    }
    return true;
}

void LoginProcedure::fallBackToMonitorOnly()
{
    context_.view.setProgrammingAccess(false);
    context_.state.connected = false;
    context_.view.showConnectedButtons(false);
    context_.view.setBlockKeeping(false);
}

bool LoginProcedure::identifyFamily()
{
    const QString identification = identificationOf(context_.view.identificationLine());
    if (const std::optional<bool> loaded = FamilySetup(context_).identify(identification))
        return *loaded;
    context_.view.showMessage(unknownFirmwareMessage(identification));
    context_.link.clearLoginReply();
    return false;
}

} // namespace alvetra
