// Where the program looks for its shipped files and keeps the user's own, in the build-tree
// layout (everything beside the executable) and in the installed one (bin + share/alvetra).

#include "app/Preferences.h"
#include "files/ProgramFolders.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace alvetra;

namespace {

class ProgramFoldersTest : public ::testing::Test {
protected:
    // Makes `relative` (a file) inside the temporary folder.
    void touch(const QString &relative)
    {
        const QString path = root.filePath(relative);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("0\n");
    }
    QString path(const QString &relative) const { return QDir::cleanPath(root.filePath(relative)); }

    QTemporaryDir root;
};

} // namespace

TEST_F(ProgramFoldersTest, BuildTreeKeepsEverythingBesideTheExecutable)
{
    touch(QStringLiteral("build/alvetra"));
    touch(QStringLiteral("build/MZRAv14.txt"));
    const ProgramFolders folders = ProgramFolders::forExecutable(path(QStringLiteral("build")));
    EXPECT_FALSE(folders.installed);
    EXPECT_EQ(folders.data, path(QStringLiteral("build")));
    EXPECT_EQ(folders.preferences, path(QStringLiteral("build")));
    EXPECT_EQ(folders.documents, path(QStringLiteral("build")));
}

TEST_F(ProgramFoldersTest, InstalledProgramReadsTheSharedDataFolder)
{
    touch(QStringLiteral("usr/bin/alvetra"));
    touch(QStringLiteral("usr/share/alvetra/MZRAv14.txt"));
    const ProgramFolders folders = ProgramFolders::forExecutable(path(QStringLiteral("usr/bin")));
    EXPECT_TRUE(folders.installed);
    EXPECT_EQ(folders.data, path(QStringLiteral("usr/share/alvetra")));
    EXPECT_EQ(folders.documents, QDir::homePath());
    EXPECT_EQ(folders.preferences,
              QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)).filePath(QStringLiteral("alvetra")));
}

TEST_F(ProgramFoldersTest, AnEmptyOrForeignShareFolderIsNotTakenForTheData)
{
    // A bin folder whose share/alvetra lacks the databases (a half-removed installation, or
    // another program's folder) is a folder that holds everything itself.
    touch(QStringLiteral("usr/bin/alvetra"));
    touch(QStringLiteral("usr/share/alvetra/readme.txt"));
    EXPECT_FALSE(ProgramFolders::forExecutable(path(QStringLiteral("usr/bin"))).installed);

    // The data beside a folder that is not called bin belongs to something else.
    touch(QStringLiteral("opt/tools/alvetra"));
    touch(QStringLiteral("opt/share/alvetra/MZRAv14.txt"));
    const ProgramFolders folders = ProgramFolders::forExecutable(path(QStringLiteral("opt/tools")));
    EXPECT_FALSE(folders.installed);
    EXPECT_EQ(folders.data, path(QStringLiteral("opt/tools")));
}

TEST_F(ProgramFoldersTest, InstalledProgramKeepsItsPreferencesOutOfThePackagesFolder)
{
    // Even where the data folder can be written (run as root), the preferences file goes to the
    // user's configuration folder and never among the package's files.
    touch(QStringLiteral("usr/bin/alvetra"));
    touch(QStringLiteral("usr/share/alvetra/MZRAv14.txt"));
    const ProgramFolders folders = ProgramFolders::forExecutable(path(QStringLiteral("usr/bin")));
    const QString ini = PreferencesFile::locate(folders.preferences);
    EXPECT_FALSE(ini.startsWith(path(QStringLiteral("usr"))));
    EXPECT_TRUE(ini.endsWith(QStringLiteral("/alvetra/Serkano.ini")));

    // Built or unpacked into one writable folder, it stays beside the program as it always was.
    touch(QStringLiteral("portable/MZRAv14.txt"));
    EXPECT_EQ(PreferencesFile::locate(ProgramFolders::forExecutable(path(QStringLiteral("portable"))).preferences),
              path(QStringLiteral("portable/Serkano.ini")));
}
