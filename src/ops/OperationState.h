#pragma once
// The program's knowledge of the unit that the operations share with the main window: the
// settings image, the firmware family and its layout, the minute counter, the car database and
// the flags of connecting and writing. The window owns one and passes it to the operations; the
// reader thread stores read replies into `image`, the window's reply handling sets
// `timeCounter` and clears `connected` when access is withdrawn.

#include "files/CarDatabase.h"
#include "alarm/Layout.h"
#include "alarm/SettingsImage.h"

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

namespace alvetra {

struct OperationState {
    SettingsImage image;
    int familyCode = 0;          // 0 until a unit is identified or a settings file fixes it
    Layout layout;               // the family's layout; the empty layout while familyCode is 0
    std::uint32_t timeCounter = 0;   // the program's copy of the unit's minute counter
    bool connected = false;      // all settings read after connecting
    bool loginOk = false;        // the last group write got past its login
    bool writeOk = false;        // the last group write ended without error
    CarDatabase cars;
    QString carDatabaseFile;     // the file `cars` was loaded from; empty before the first load
    // The unit the settings in the window came from: its identification line (the texts of
    // replies 0x86 and 0x87 and the identification string, as panel 2 shows them) at the end of
    // its last complete read. Empty while a read of another unit has begun to overwrite the
    // image; nothing before the first read. Writing operations go only to this unit.
    std::optional<QString> settingsUnit;
    // What that unit's memory holds as far as the program knows: the image at the end of its
    // last complete read, with every group written since. Nothing before the first read.
    std::optional<SettingsImage> unitMemory;
    // A backup that could not be written has been told; told again only after one was written.
    bool backupFailureTold = false;
};

struct OperationConfig {
    // Folder of the car databases (beside the executable in the program).
    QString dataFolder;
    // The local time the history is dated from.
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };
    // Where every complete read leaves a backup of the settings (files/Backups.h); empty: none.
    QString backupFolder;
};

// How an operation ended, for a front end that acts on it (a script's exit status). What went
// wrong has already been told through the view.
enum class OperationOutcome {
    Done,      // everything asked for was done
    Failed,    // not done, or not all of it: no answer, a refusal, a failed step, a wrong password
    Skipped,   // nothing to do: the CAN-analysis options while the unit's family has none
};

class OperationView;
class UnitLink;

// What every operation works with.
struct OperationContext {
    OperationView &view;
    UnitLink &link;
    OperationState &state;
    const OperationConfig &config;
};

} // namespace alvetra
