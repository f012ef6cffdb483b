#pragma once
// Every setting in words, grouped as the tabs are: what a fitter reads on the tabs, one line per
// control that holds a setting, with the write group that sends it to the unit. The compare
// dialog, the confirmation before writing and the command-line tool's show and diff list these.

#include "alarm/Layout.h"
#include "alarm/SettingsImage.h"
#include "alarm/TabValues.h"
#include "alarm/WriteGroup.h"

#include <QString>
#include <vector>

namespace alvetra {

struct SettingWords {
    QString tab;       // the tab's caption
    QString setting;   // the control's label
    QString value;     // as the control shows it
    WriteGroup group;  // the group whose write sends it
    bool flagsWord = false;   // a bit of the flags word, which every option group's write sends
    bool secret = false;      // the PC password or a push-button code
    bool operator==(const SettingWords &) const = default;
};

// What a secret setting shows where it is masked.
inline const QString kMaskedValue = QStringLiteral("****");

// The settings as the tabs would show `values`, in page order. The PC password is the one the
// unit holds (the tab's edits only ever hold a new one); the CAN group is the read group number
// (storedCanGroup). The CAN-analysis options only from kCanAnalysisFamily on.
std::vector<SettingWords> describeValues(const TabValues &values, const QString &pcPassword, int familyCode);

// The settings an image holds, as the tabs show them after reading it. An authorisation with
// neither bit set has no item ("brak").
std::vector<SettingWords> describeImage(const SettingsImage &image, const Layout &layout, int familyCode);

// Every secret value as kMaskedValue: the PC password reprograms the unit and the emergency code
// disarms it, so lists that are shown, printed or copied carry them only when asked to.
void maskSecrets(std::vector<SettingWords> &settings);

// The group's name in words, for the table's groups column.
QString groupName(WriteGroup group);
// The group of a setting with the flags-word note when it is one of its bits.
QString groupsInWords(WriteGroup group, bool flagsWord);

} // namespace alvetra
