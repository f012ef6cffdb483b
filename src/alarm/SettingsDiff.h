#pragma once
// The difference of two lists of settings in words: what a write would change, or what a file
// holds that the unit does not.

#include "alarm/SettingsWords.h"

#include <QString>
#include <vector>

namespace alvetra {

struct SettingDifference {
    QString tab;
    QString setting;
    QString here;      // "—" when only the other side has the setting
    QString there;     // "—" when only this side has it
    WriteGroup group;
    bool flagsWord = false;
    bool secret = false;   // the PC password or a push-button code
    bool operator==(const SettingDifference &) const = default;
};

// Both values of every secret difference as kMaskedValue (a side without the setting stays
// "—"): the table says that a code changed, not what it is.
void maskSecrets(std::vector<SettingDifference> &differences);

// The settings whose values differ, matched by tab and label, in the order of `here` and then
// those only `there` has.
std::vector<SettingDifference> diffSettings(const std::vector<SettingWords> &here, const std::vector<SettingWords> &there);

// The groups of the differences, each once, in kWriteAllOrder.
std::vector<WriteGroup> changedGroups(const std::vector<SettingDifference> &differences);

} // namespace alvetra
