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

// "<unit>_<yyyy-MM-dd_HH-mm-ss>.<ext>"
const QRegularExpression &backupNamePattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("^(.+)_(\\d{4}-\\d{2}-\\d{2}_\\d{2}-\\d{2}-\\d{2})\\.(alm|v14)$"));
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
    const QString path = QDir(folder).filePath(backupFileName(identificationLine, when, extension));
    saveSettingsFile(path, image);
    const std::vector<BackupEntry> backups = listBackups(folder);
    for (std::size_t i = kBackupsKept; i < backups.size(); ++i)
        QFile::remove(backups[i].path);
    return path;
}

} // namespace alvetra
