#include "files/ProgramFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

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

QString userConfigurationFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)).filePath(QStringLiteral("alvetra"));
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
        folders.data = executableFolder;
        folders.preferences = executableFolder;
        folders.documents = executableFolder;
        return folders;
    }
    folders.installed = true;
    folders.data = installedData;
    folders.preferences = userConfigurationFolder();
    folders.documents = QDir::homePath();
    return folders;
}

ProgramFolders ProgramFolders::ofThisProgram()
{
    return forExecutable(QCoreApplication::applicationDirPath());
}

} // namespace alvetra
