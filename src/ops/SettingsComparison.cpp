#include "ops/SettingsComparison.h"

#include "alarm/GroupBuilders.h"
#include "alarm/LayoutConversion.h"
#include "files/FirmwareFamilies.h"
#include "files/SettingsFile.h"
#include "ops/OperationView.h"

namespace alvetra {

namespace {

std::vector<SettingWords> inWords(const SettingsImage &image, const OperationState &state)
{
    return describeImage(image, state.layout, state.familyCode);
}

} // namespace

SettingsImage settingsToWrite(const OperationContext &context)
{
    const OperationState &state = context.state;
    SettingsImage image(state.image);
    buildAll(image, state.layout, context.view.gatherValues(), state.familyCode, state.cars.groupLookup());
    return image;
}

std::optional<std::vector<SettingDifference>> changesAgainstUnit(const OperationContext &context)
{
    const OperationState &state = context.state;
    if (!state.unitMemory || state.layout.isEmpty())
        return std::nullopt;
    return diffSettings(inWords(settingsToWrite(context), state), inWords(*state.unitMemory, state));
}

std::optional<std::vector<SettingDifference>> changesAgainstFile(const OperationContext &context, const QString &fileName)
{
    const OperationState &state = context.state;
    if (state.layout.isEmpty())
        return std::nullopt;
    SettingsImage file;
    const int length = loadSettingsFile(fileName, file);
    const std::optional<FirmwareFamily> fileFamily = familyForSettingsFileName(fileName);
    if (fileFamily && fileFamily->layout() != state.layout) {
        SettingsImage carried(state.image);
        carrySettings(file, fileFamily->layout(), carried, state.layout, length);
        file = carried;
    }
    return diffSettings(inWords(settingsToWrite(context), state), inWords(file, state));
}

} // namespace alvetra
