#include "ops/SettingsFiles.h"

#include "ops/FamilySetup.h"
#include "files/FirmwareFamilies.h"
#include "alarm/GroupBuilders.h"
#include "alarm/History.h"
#include "alarm/LayoutConversion.h"
#include "ops/OperationBracket.h"
#include "ops/OpsTexts.h"
#include "alarm/PcPassword.h"
#include "files/SettingsFile.h"
#include "alarm/SettingsFill.h"

#include <QFileInfo>

namespace alvetra {

OperationOutcome SettingsFiles::save(const QString &fileName)
{
    OperationView &view = context_.view;
    OperationState &state = context_.state;
    SupervisionPause pause(view);
    if (!state.layout.isEmpty()) {
        const std::vector<UserMessage> refusals =
            buildAll(state.image, state.layout, view.gatherValues(), state.familyCode, state.cars.groupLookup());
        for (const UserMessage &message : refusals)
            view.showMessage(message);
    }
    saveSettingsFile(fileName, state.image);
    return OperationOutcome::Done;
}

OperationOutcome SettingsFiles::open(const QString &fileName)
{
    OperationView &view = context_.view;
    OperationState &state = context_.state;
    SupervisionPause pause(view);
    if (state.familyCode == 0)
        fixFamilyFromName(fileName);
    const std::optional<QString> converted = readFile(fileName);
    showFile();
    if (state.connected) {
        if (converted)
            view.showStatus(*converted, kFinalStatusWidth, StatusColour::WindowText);
        return OperationOutcome::Done;
    }

    if (pcPasswordText(state.image, state.layout) != view.accessPassword()) {
        view.showMessage({kCaptionWarning, texts::kWrongAccessPassword, MessageIcon::Exclamation});
        view.showStatus(texts::kWrongAccessPassword, kFinalStatusWidth, StatusColour::Red);
        return OperationOutcome::Failed;
    }
    enterOfflineEditing(converted.value_or(texts::kFileOpened + QFileInfo(fileName).absoluteFilePath()));
    return OperationOutcome::Done;
}

void SettingsFiles::fixFamilyFromName(const QString &fileName)
{
    FamilySetup setup(context_);
    const std::optional<FirmwareFamily> family = familyForSettingsFileName(fileName);
    if (family)
        setup.apply(*family);
    // An unknown ending asks for no database at all and fails as a missing one.
    setup.loadCarDatabase(family ? family->carDatabase : QString());
}

std::optional<QString> SettingsFiles::readFile(const QString &fileName)
{
    OperationState &state = context_.state;
    const std::optional<FirmwareFamily> fileFamily = familyForSettingsFileName(fileName);
    if (!fileFamily || fileFamily->layout() == state.layout) {
        loadSettingsFile(fileName, state.image);
        state.timeCounter = timeCounterOf(state.image, state.layout);
        return std::nullopt;
    }
    // A file of the other layout: its settings go to their own places; the counter and the
    // history stay those of the unit (or file) the window holds.
    SettingsImage file;
    const int length = loadSettingsFile(fileName, file);
    carrySettings(file, fileFamily->layout(), state.image, state.layout, length);
    const QString &text = fileFamily->layout() == kLayoutA ? texts::kFileConvertedFromV14 : texts::kFileConvertedToV14;
    return text + QFileInfo(fileName).absoluteFilePath();
}

void SettingsFiles::showFile()
{
    OperationState &state = context_.state;
    const FillContext fillContext{state.familyCode, state.timeCounter, context_.config.clock()};
    context_.view.applyFill(fillFromImage(state.image, state.layout, context_.view.gatherValues(), fillContext));
}

void SettingsFiles::enterOfflineEditing(const QString &status)
{
    OperationView &view = context_.view;
    view.enableOperations(false);
    view.selectPage(0);
    view.setProgrammingAccess(true);
    view.enableFileActions();
    view.showStatus(status, kFinalStatusWidth, StatusColour::WindowText);
}

} // namespace alvetra
