#pragma once
// Backups of the units' settings: after every complete read the image, as read, goes into a
// settings file of its own in the backup folder, named by the unit and the time of the read
// ("MZRv1.61_Alvetra_SIM_HW_3.2_2026-12-08_14-03-22.alm"). The newest kBackupsKept stay; older
// ones go when a new one is written. Only files named like a backup are ever listed or removed.

#include "alarm/SettingsImage.h"

#include <QDateTime>
#include <QString>
#include <vector>

namespace alvetra {

constexpr int kBackupsKept = 200;

// $XDG_DATA_HOME/alvetra/backups (~/.local/share/alvetra/backups when it is not set).
QString defaultBackupFolder();

// The file name of a backup: the identification string, the other texts of the identification
// line and the local time, with every character that does not belong in a file name made "_".
// `extension` with or without its dot; ".alm" when empty.
QString backupFileName(const QString &identificationLine, const QDateTime &when, const QString &extension);

struct BackupEntry {
    QString path;
    QString unit;        // the identification part of the name, "_" shown as spaces
    QDateTime when;      // the local time of the read
};

// The backups in `folder`, newest first.
std::vector<BackupEntry> listBackups(const QString &folder);

// Writes `image` as a settings file into `folder` (made when missing) and removes all but the
// newest kBackupsKept backups. Returns the path written. Throws FileError when the folder cannot
// be made or the file cannot be written; the backups already there stay as they were.
QString writeBackup(const QString &folder, const QString &identificationLine, const QDateTime &when,
                    const QString &extension, const SettingsImage &image);

} // namespace alvetra
