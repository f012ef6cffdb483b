#include "ops/FamilySetup.h"

#include "alarm/FileError.h"
#include "files/FilesTexts.h"
#include "ops/OperationView.h"
#include "ops/UnitLink.h"

#include <QDir>

namespace alvetra {

void FamilySetup::apply(const FirmwareFamily &family)
{
    context_.state.layout = family.layout();
    context_.link.setUnitLayout(family.layout());
    context_.view.showCanAnalysis(family.canAnalysisVisible);
    context_.view.setDialogDefaults({family.defaultExtension, family.dialogFilter});
    context_.state.familyCode = family.familyCode;
}

bool FamilySetup::loadCarDatabase(const QString &fileName)
{
    // A settings file whose name fixes no family asks for no file at all: that is a missing one.
    if (fileName.isEmpty())
        throw FileError(texts::kCarDatabaseMissing);

    OperationState &state = context_.state;
    // Another family's database: its CAN group numbers differ, so it replaces the one loaded.
    const bool replacing = !state.carDatabaseFile.isEmpty() && state.carDatabaseFile != fileName;
    if (replacing)
        state.cars = CarDatabase();
    state.carDatabaseFile = fileName;
    CarDatabase::LoadResult result;
    try {
        result = state.cars.load(QDir(context_.config.dataFolder).filePath(fileName));
    } catch (...) {
        // The makes read before the faulty line are listed as they would have been.
        showMakes(replacing);
        throw;
    }
    showMakes(replacing);
    if (!result.ok && result.message) {
        context_.view.showMessage(*result.message);
        context_.view.showStatus(result.message->text, kFinalStatusWidth, StatusColour::Red);
    }
    return result.ok;
}

std::optional<bool> FamilySetup::identify(const QString &identification)
{
    const std::optional<FirmwareFamily> family = familyForIdentification(identification);
    if (!family)
        return std::nullopt;
    apply(*family);
    return loadCarDatabase(family->carDatabase);
}

void FamilySetup::showMakes(bool replaced)
{
    // A replaced database is shown even without makes, so that no make of the other one stays.
    const CarDatabase &cars = context_.state.cars;
    if (replaced || (cars.hasMakes() && context_.view.makeCount() == 0))
        context_.view.setCarDatabase(cars.makes(), cars.cars());
}

} // namespace alvetra
