#include "ops/ReadOperation.h"

#include "ops/Login.h"
#include "ops/OperationBracket.h"
#include "ops/OpsTexts.h"
#include "alarm/SettingsFill.h"
#include "ops/UnitRequests.h"
#include "link/Wait.h"
#include "alarm/FileError.h"
#include "files/Backups.h"
#include "files/FirmwareFamilies.h"

#include <QDebug>
#include <utility>

namespace alvetra {

namespace {

constexpr int kBlockSize = 8;
constexpr int kBlockCount = kImageSize / kBlockSize;

} // namespace

OperationOutcome ReadOperation::readAll()
{
    OperationView &view = context_.view;
    OperationBracket bracket(view);
    context_.state.connected = false;
    LoginProcedure login(context_, LoginPurpose::Reading);
    if (!login.run(kLoginDelayMs))
        return OperationOutcome::Failed;
    // Another unit's bytes are about to overwrite the image: until its read completes, the
    // settings belong to no unit, and nothing may be written with them.
    std::optional<QString> &source = context_.state.settingsUnit;
    if (source && *source != view.identificationLine())
        source = QString();
    view.beginProgress(texts::kReadProgress, kBlockCount);
    const bool complete = readBlocks(login);
    view.hideProgress();
    if (!complete || applicationTerminating())
        return OperationOutcome::Failed;
    showSettings();
    bracket.restoreSupervisionRunning();
    return OperationOutcome::Done;
}

bool ReadOperation::readBlocks(LoginProcedure &login)
{
    UnitRequests unit(context_.link);
    OperationView &view = context_.view;
    int address = 0;
    int relogins = 0;
    while (address < kImageSize && !applicationTerminating()) {
        if (unit.readBlock(address, kBlockSize)) {
            address += kBlockSize;
            relogins = 0;
            view.stepProgress();
            continue;
        }
        // The progress bar stays hidden for the rest of the read.
        view.hideProgress();
        if (++relogins > kMaxReloginsPerBlock) {
            view.showMessage({kCaptionWarning, texts::kUnitNotAnswering, MessageIcon::Exclamation});
            view.showStatus(texts::kUnitNotAnswering, kFinalStatusWidth, StatusColour::Red);
            return false;
        }
        const QString unitBefore = view.identificationLine();
        if (!login.run(kLoginDelayMs))
            return false;
        if (view.identificationLine() != unitBefore) {
            // Another unit answered the new login: the blocks read so far are the other unit's,
            // so this one is read from its first block.
            context_.state.settingsUnit = QString();
            address = 0;
        }
    }
    return address >= kImageSize;
}

void ReadOperation::showSettings()
{
    OperationState &state = context_.state;
    OperationView &view = context_.view;
    // The image is complete; the fill (which a missing lock diagram may end with an error, after
    // everything else has been applied) shows it.
    state.settingsUnit = view.identificationLine();
    const FillContext fillContext{state.familyCode, state.timeCounter, context_.config.clock()};
    view.applyFill(fillFromImage(state.image, state.layout, view.gatherValues(), fillContext));
    // The fill has stored the login's counter into the image; the unit gets it back. Its result
    // does not matter: the counter is only the history's clock.
    UnitRequests(context_.link).writeBlock(state.layout.timeCounter, 3, state.image);
    state.unitMemory = state.image;
    backupFailureToTell_ = writeBackup();
    if (backupFailureToTell_)
        view.showStatus(texts::kReadDoneBackupNotWritten, kFinalStatusWidth, StatusColour::Red);
    else
        view.showStatus(texts::kReadDone, kFinalStatusWidth, StatusColour::WindowText);
    view.showConnectedButtons(true);
    view.setBlockKeeping(true);
    state.connected = true;
}

bool ReadOperation::writeBackup()
{
    OperationState &state = context_.state;
    if (context_.config.backupFolder.isEmpty())
        return false;
    try {
        // After the fill and the counter written back, the image is what the unit holds.
        alvetra::writeBackup(context_.config.backupFolder, context_.view.identificationLine(),
                             context_.config.clock(), dialogDefaultsForFamily(state.familyCode).defaultExtension,
                             state.image);
        state.backupFailureTold = false;
        return false;
    } catch (const FileError &error) {
        qWarning().noquote() << error.message();
        return !std::exchange(state.backupFailureTold, true);
    }
}

OperationOutcome ReadOperation::connect()
{
    OperationView &view = context_.view;
    SupervisionPause pause(view);
    ConnectButtonLock lock(view);
    readAll();
    if (!context_.state.connected)
        return OperationOutcome::Failed;
    view.setProgrammingAccess(true);
    view.selectPage(0);
    if (backupFailureToTell_)
        view.showStatus(texts::kConnectedBackupNotWritten, kFinalStatusWidth, StatusColour::Red);
    else
        view.showStatus(texts::kConnected, kFinalStatusWidth, StatusColour::WindowText);
    view.showMessage({kCaptionWarning, texts::kConnectedWarning, MessageIcon::Exclamation});
    return OperationOutcome::Done;
}

} // namespace alvetra
