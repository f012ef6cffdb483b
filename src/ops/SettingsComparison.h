#pragma once
// The window's settings against the unit's memory as last read or written, or against a
// settings file, in words as the tabs show them. What a write would change is measured here:
// the window's values are built into a copy of the image exactly as writing every group builds
// them, so a setting that a write would leave alone (a refusing builder, a time of a pulse that is
// switched off) is no change.

#include "alarm/SettingsDiff.h"
#include "ops/OperationState.h"

#include <QString>
#include <optional>
#include <vector>

namespace alvetra {

// The image writing every group would send (a refusing builder keeps its bytes; nothing is shown).
SettingsImage settingsToWrite(const OperationContext &context);

// The window's settings against the unit's; nothing before a unit has been read.
std::optional<std::vector<SettingDifference>> changesAgainstUnit(const OperationContext &context);

// The window's settings against a settings file, which is read at the window's family (a file of
// the other layout carried over as opening it does). Throws FileError as opening does; nothing
// while no family is known.
std::optional<std::vector<SettingDifference>> changesAgainstFile(const OperationContext &context, const QString &fileName);

} // namespace alvetra
