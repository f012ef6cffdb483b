#pragma once
// Fixing the unit's firmware family: the image layout, the CAN-analysis controls, the file
// dialogs' defaults and the family code, then the car database of that family.

#include "files/FirmwareFamilies.h"
#include "ops/OperationState.h"

#include <QString>
#include <optional>

namespace alvetra {

class FamilySetup {
public:
    explicit FamilySetup(const OperationContext &context) : context_(context) {}

    // Layout, CAN-analysis visibility, dialog defaults and family code of `family`.
    void apply(const FirmwareFamily &family);

    // Loads `fileName` from the data folder, and its makes fill CMB_Marka. The database that lists
    // makes stays until a family with another database is identified; that one replaces it,
    // also in the make and model lists. False for an empty file, after telling the user. Throws
    // FileError("Brak pliku z bazą danych o samochodach!") for a missing name or file, or a line
    // that does not parse (the cars read before it stay).
    bool loadCarDatabase(const QString &fileName);

    // A known identification string: its family applied and its car database loaded, with the
    // load's result. Nothing (and nothing changed) for an unknown string.
    std::optional<bool> identify(const QString &identification);

private:
    // The makes, when the list is empty or the database was replaced.
    void showMakes(bool replaced);

    OperationContext context_;
};

} // namespace alvetra
