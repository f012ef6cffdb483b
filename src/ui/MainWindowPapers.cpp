// The owner's papers from the window: the installation sheet and the code card of the settings
// the unit holds, never of settings it does not (a tab marked changed, a file opened offline).

#include "ui/MainWindow.h"

#include "ops/AlarmOperations.h"
#include "ops/SettingsComparison.h"
#include "ui/InstallationSheetDialog.h"
#include "ui/UiTexts.h"
#include "ui/tabs/SettingsTabs.h"

namespace alvetra {

void MainWindow::onInstallationSheetTriggered()
{
    const OperationState &state = *state_;
    const std::optional<std::vector<SettingDifference>> changes = ops_ ? changesAgainstUnit(ops_->context()) : std::nullopt;
    if (!changes || !changes->empty() || !state.unitMemory || !state.settingsUnit) {
        setup_.dialogs->showMessage(this, {kCaptionInformation, uitexts::kSheetNeedsTheUnitsSettings, MessageIcon::Information});
        return;
    }
    PaperFacts facts;
    facts.workshop = workshop_;
    facts.date = (setup_.clock ? setup_.clock() : QDateTime::currentDateTime()).date();
    facts.unit = *state.settingsUnit;
    takeSettings(facts, *state.unitMemory, state.layout, state.familyCode);
    // The car as chosen from the CAN car database on the CAN tab.
    const TabValues shown = tabs_->gather();
    if (shown.alarmCan && shown.make >= 0 && shown.make < state.cars.makes().size()) {
        const QStringList models = state.cars.modelsOfMake(shown.make);
        facts.car.make = state.cars.makes().at(shown.make).trimmed();
        if (shown.model >= 0 && shown.model < models.size())
            facts.car.model = models.at(shown.model).trimmed();
    }

    if (sheetSaveDialog_.initialFolder.isEmpty())
        sheetSaveDialog_.initialFolder = saveDialog_.initialFolder;
    InstallationSheetDialog dialog(facts, {*setup_.dialogs, setup_.openUrl, sheetSaveDialog_}, this);
    setup_.dialogs->execDialog(dialog);
    workshop_ = dialog.workshop();
}

} // namespace alvetra
