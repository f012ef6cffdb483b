#include "FamilySetup.h"

#include "FileError.h"
#include "FilesTexts.h"
#include "OperationView.h"

#include <QDir>

namespace alvetra {

void FamilySetup::apply(const FirmwareFamily &family)
{
    context_.state.layout = family.layout();
    context_.view.showCanAnalysis(family.canAnalysisVisible);
    context_.view.setDialogDefaults({family.defaultExtension, family.dialogFilter});
    context_.state.familyCode = family.familyCode;
}

bool FamilySetup::loadCarDatabase(const QString &fileName)
{
    // A settings file whose name fixes no family asks for no file at all: that is a missing one.
    if (fileName.isEmpty())
        throw FileError(texts::kCarDatabaseMissing);

    CarDatabase::LoadResult result;
    try {
        result = context_.state.cars.load(QDir(context_.config.dataFolder).filePath(fileName));
    } catch (...) {
        // The makes read before the faulty line are listed as they would have been.
        showMakesOnce();
        throw;
    }
    showMakesOnce();
    if (!result.ok && result.message) {
        context_.view.showMessage(*result.message);
        context_.view.ShowStatus(result.message->text, kFinalStatusWidth, StatusColour::Red);
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

void FamilySetup::showMakesOnce()
{
    const CarDatabase &cars = context_.state.cars;
    if (cars.hasMakes() && context_.view.makeCount() == 0)
        context_.view.setCarDatabase(cars.makes(), cars.cars());
}

} // namespace alvetra
