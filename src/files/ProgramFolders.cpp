#include "files/ProgramFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace alvetra {

namespace {

// Any one of the shipped files marks a data folder; the first database every unit family
// falls back on is the one a connect or a file load asks for first.
const QString kMarkerFile = QStringLiteral("MZRAv14.txt");

QString installedDataFolder(const QString &executableFolder)
{
    const QDir bin(executableFolder);
    if (bin.dirName() != QLatin1String("bin"))
        return {};
    const QString candidate = QDir::cleanPath(bin.absoluteFilePath(QStringLiteral("../") + ProgramFolders::installedDataPath()));
    return QFileInfo(QDir(candidate).filePath(kMarkerFile)).isFile() ? candidate : QString();
}

} // namespace

QString ProgramFolders::installedDataPath()
{
    return QStringLiteral("share/alvetra");
}

ProgramFolders ProgramFolders::forExecutable(const QString &executableFolder)
{
    ProgramFolders folders;
    const QString installedData = installedDataFolder(executableFolder);
    if (installedData.isEmpty()) {
        const bool writable = takesFiles(executableFolder);
        folders.data = executableFolder;
        folders.preferences = writable ? executableFolder : userPreferencesFolder();
        folders.documents = writable ? executableFolder
                                     : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        return folders;
    }
    folders.installed = true;
    folders.data = installedData;
    folders.preferences = userPreferencesFolder();
    folders.documents = QDir::homePath();
    return folders;
}

bool ProgramFolders::takesFiles(const QString &folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".alvetra-probe-XXXXXX")));
    return probe.open();
}

ProgramFolders ProgramFolders::ofThisProgram()
{
    return forExecutable(QCoreApplication::applicationDirPath());
}

} // namespace alvetra
