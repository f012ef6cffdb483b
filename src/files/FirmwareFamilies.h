#pragma once
// Firmware families: what the unit's identification string (or a settings file's extension)
// says about the unit: family code, image layout, car database, file-dialog defaults and whether
// the CAN-analysis options are offered.

#include "alarm/Layout.h"
#include "alarm/UserMessage.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace alvetra {

struct FirmwareFamily {
    int familyCode = 0;
    QString carDatabase;        // file name beside the program
    QString defaultExtension;   // of both settings-file dialogs
    int dialogFilter = 1;       // 1-based index of the selected filter
    bool canAnalysisVisible = false;   // GB_PomijanieLiniiNaCan and BITBTN_ZapisCanSyg

    const Layout &layout() const { return layoutForFamily(familyCode); }
    bool operator==(const FirmwareFamily &) const = default;
};

// The identification string of an identification line: its last eight characters, or the whole
// line when it is shorter.
QString identificationOf(const QString &identificationLine);

// The family of an identification string, compared exactly and case-sensitively; nothing for
// a string the program does not know.
std::optional<FirmwareFamily> familyForIdentification(const QString &identification);

// Every identification string the program knows, in table order.
QStringList knownIdentifications();

// For an unknown identification string: whether it compares greater than "MZRAv1.5" byte by byte
// (the unit is newer than this program), and the message that tells the user ("Iformacja").
bool isNewerFirmware(const QString &identification);
UserMessage unknownFirmwareMessage(const QString &identification);

// The family a settings file sets when no family is known yet, from the last three characters of
// its name, compared exactly: "v14" family 14, "alm" family 15 (both with the first car
// database); nothing for any other name (also "V14" or "ALM").
std::optional<FirmwareFamily> familyForSettingsFileName(const QString &fileName);

// Default extension and filter of the file dialogs for a family code; family 0 (none known yet)
// has no default extension and filter 1.
struct DialogDefaults {
    QString defaultExtension;
    int filter = 1;
    bool operator==(const DialogDefaults &) const = default;
};
DialogDefaults dialogDefaultsForFamily(int familyCode);

} // namespace alvetra
