#include "files/Backups.h"

#include "alarm/FileError.h"
#include "files/FilesTexts.h"
#include "files/FirmwareFamilies.h"
#include "files/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>

namespace alvetra {

namespace {

const QString kTimeFormat = QStringLiteral("yyyy-MM-dd_HH-mm-ss");

// Letters, digits, "." "-" and "+" stay; each run of anything else becomes one "_".
QString fileNamePart(const QString &text)
{
    QString part;
    bool gap = false;
    for (const QChar c : text) {
        if (c.isLetterOrNumber() || c == QLatin1Char('.') || c == QLatin1Char('-') || c == QLatin1Char('+')) {
            if (gap && !part.isEmpty())
                part += QLatin1Char('_');
            part += c;
            gap = false;
        } else {
            gap = true;
        }
    }
    return part;
}

// "<unit>_<yyyy-MM-dd_HH-mm-ss>.<ext>", the whole name: a file of the user's such as
// "x_2024-03-01_07-00-00.alm.bak" is no backup and must never be pruned ("$" alone would also
// take a name ending in a line feed).
const QRegularExpression &backupNamePattern()
{
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(
            QStringLiteral("(.+)_(\\d{4}-\\d{2}-\\d{2}_\\d{2}-\\d{2}-\\d{2})\\.(alm|v14)")));
    return pattern;
}

} // namespace

QString defaultBackupFolder()
{
    // GenericDataLocation follows XDG_DATA_HOME, and ~/.local/share without it.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("alvetra/backups"));
}

QString backupFileName(const QString &identificationLine, const QDateTime &when, const QString &extension)
{
    const QString line = identificationLine.trimmed();
    const QString identification = identificationOf(line);
    QString unit = fileNamePart(identification);
    const QString others = fileNamePart(line.left(line.size() - identification.size()));
    if (!others.isEmpty())
        unit += (unit.isEmpty() ? QString() : QStringLiteral("_")) + others;
    if (unit.isEmpty())
        unit = QStringLiteral("centrala");
    QString suffix = extension.startsWith(QLatin1Char('.')) ? extension.mid(1) : extension;
    if (suffix.isEmpty())
        suffix = QStringLiteral("alm");
    return unit + QLatin1Char('_') + when.toString(kTimeFormat) + QLatin1Char('.') + suffix;
}

std::vector<BackupEntry> listBackups(const QString &folder)
{
    std::vector<BackupEntry> backups;
    if (folder.isEmpty())
        return backups;
    const QStringList names = QDir(folder).entryList(QDir::Files, QDir::Name);
    for (const QString &name : names) {
        const QRegularExpressionMatch match = backupNamePattern().match(name);
        if (!match.hasMatch())
            continue;
        const QDateTime when = QDateTime::fromString(match.captured(2), kTimeFormat);
        if (!when.isValid())
            continue;
        backups.push_back({QDir(folder).filePath(name), match.captured(1).replace(QLatin1Char('_'), QLatin1Char(' ')), when});
    }
    // Newest first; for the same second the name decides, so the order is stable.
    std::sort(backups.begin(), backups.end(), [](const BackupEntry &a, const BackupEntry &b) {
        return a.when != b.when ? a.when > b.when : a.path < b.path;
    });
    return backups;
}

QString writeBackup(const QString &folder, const QString &identificationLine, const QDateTime &when,
                    const QString &extension, const SettingsImage &image)
{
    if (!QDir().mkpath(folder))
        throw FileError(texts::kBackupFolderCannotBeMade.arg(QDir::toNativeSeparators(folder)));
    // The backups hold the workshop's PC passwords and push-button codes: the folder and every
    // file in it are the user's alone, also when the folder was made wider before.
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString path = QDir(folder).filePath(backupFileName(identificationLine, when, extension));
    saveSettingsFile(path, image);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    const std::vector<BackupEntry> backups = listBackups(folder);
    for (std::size_t i = kBackupsKept; i < backups.size(); ++i)
        QFile::remove(backups[i].path);
    return path;
}

} // namespace alvetra
