// Backups: every complete read leaves the unit's settings in the backup folder; a backup that
// cannot be written is told once and never fails the read.

#include "OpsHarness.h"
#include "TestFiles.h"
#include "files/Backups.h"
#include "files/SettingsFile.h"
#include "ops/OpsTexts.h"

#include <QDir>

#include <sys/stat.h>

using namespace alvetra;
using namespace alvetra::test;

namespace {

// The permission bits of a file or folder.
int modeOf(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

// Files as Linux has them: permission bits, and any character but "/" in a name. Windows keeps
// other users out of a profile's application data by its access list, which the program leaves
// as Windows made it, and allows no line break in a name.
constexpr bool kUnixFiles =
#ifdef _WIN32
    false;
#else
    true;
#endif

void expectTheUsersAlone(const QString &folder, const QString &file)
{
    if (!kUnixFiles)
        return;
    EXPECT_EQ(modeOf(folder), 0700);
    EXPECT_EQ(modeOf(file), 0600);
}

// XDG_DATA_HOME in a temporary folder for the test's lifetime, so no test writes into the home.
class BackupsTest : public OpsTest {
protected:
    void SetUp() override
    {
        previousDataHome_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
        OpsTest::SetUp();
    }
    void TearDown() override
    {
        OpsTest::TearDown();
        if (previousDataHome_.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", previousDataHome_);
    }

    QTemporaryDir dataHome;

private:
    QByteArray previousDataHome_;
};

} // namespace

TEST_F(BackupsTest, AReadLeavesTheUnitsMemoryInTheNewestBackupAndOnly200AreKept)
{
#ifdef _WIN32
    // Windows keeps it under the user's local application data, which no variable moves.
    ASSERT_TRUE(QDir::fromNativeSeparators(defaultBackupFolder()).endsWith(QStringLiteral("/alvetra/backups")));
    opsConfig.backupFolder = dataHome.filePath("alvetra/backups");
#else
    opsConfig.backupFolder = defaultBackupFolder();
    ASSERT_EQ(opsConfig.backupFolder, dataHome.filePath("alvetra/backups"));
#endif
    ASSERT_TRUE(QDir().mkpath(opsConfig.backupFolder));
    const QDir folder(opsConfig.backupFolder);
    // 200 older backups, one a minute on 1 March 2024 from 08:00, and a file of the fitter's own.
    for (int i = 0; i < kBackupsKept; ++i) {
        const QDateTime when(QDate(2024, 3, 1), QTime(8, 0).addSecs(60 * i));
        writeFile(folder.filePath(backupFileName("Alvetra SIM  HW 3.2  MZRv1.61", when, "alm")), QByteArray(256, 'x'));
    }
    writeFile(folder.filePath("notatki_2024-03-01_07-00-00.txt"), "mine");
    // Older than every backup by their names, but not backups: never listed, never pruned.
    QStringList usersOwn{"x_2024-03-01_07-00-00.alm.bak"};
    if (kUnixFiles)
        usersOwn << "y_2024-03-01_07-00-00.alm\n";
    for (const QString &name : usersOwn)
        writeFile(folder.filePath(name), "mine");
    // A folder made readable by everybody before is narrowed by the next backup.
    ASSERT_TRUE(QFile::setPermissions(opsConfig.backupFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                                  QFile::ReadOther | QFile::ExeOther));

    ASSERT_EQ(ops->connect(), OperationOutcome::Done);

    const std::vector<BackupEntry> backups = listBackups(opsConfig.backupFolder);
    ASSERT_EQ(backups.size(), std::size_t(kBackupsKept));
    EXPECT_EQ(QFileInfo(backups.front().path).fileName(), "MZRv1.61_Alvetra_SIM_HW_3.2_2024-03-01_12-00-00.alm");
    EXPECT_EQ(backups.front().unit, "MZRv1.61 Alvetra SIM HW 3.2");
    EXPECT_EQ(backups.front().when, QDateTime(QDate(2024, 3, 1), QTime(12, 0)));
    SettingsImage saved;
    EXPECT_EQ(loadSettingsFile(backups.front().path, saved), kImageSize);
    EXPECT_EQ(saved.bytes(), unit->memory());
    // The oldest went; the file that is not a backup stayed.
    EXPECT_EQ(backups.back().when, QDateTime(QDate(2024, 3, 1), QTime(8, 1)));
    EXPECT_TRUE(folder.exists("notatki_2024-03-01_07-00-00.txt"));
    for (const QString &name : usersOwn)
        EXPECT_TRUE(folder.exists(name)) << name.toStdString();
    EXPECT_EQ(view.lastStatus(), texts::kConnected);
    expectTheUsersAlone(opsConfig.backupFolder, backups.front().path);
}

TEST_F(BackupsTest, ANewBackupFolderAndItsBackupsAreTheUsersAlone)
{
    const QString folder = dataHome.filePath("alvetra/backups");
    SettingsImage image;
    if (!kUnixFiles)
        GTEST_SKIP() << "no permission bits on this system";
    const QString path = writeBackup(folder, "Alvetra SIM  HW 3.2  MZRv1.61", QDateTime(QDate(2024, 3, 1), QTime(8, 0)), "alm", image);
    expectTheUsersAlone(folder, path);
}

TEST_F(BackupsTest, ABackupThatCannotBeWrittenIsToldOnceAndTheReadsStillSucceed)
{
    // A file where the folder should be: the folder cannot be made.
    opsConfig.backupFolder = writeFile(dataHome.filePath("alvetra"), "a file") + "/backups";

    ASSERT_EQ(ops->connect(), OperationOutcome::Done);
    EXPECT_TRUE(state.connected);
    ASSERT_EQ(view.statuses.size(), 2u);
    EXPECT_EQ(view.statuses[0], (StatusText{"Odczytano. Nie zapisano kopii zapasowej.", 383, StatusColour::Red}));
    EXPECT_EQ(view.statuses[1],
              (StatusText{"Połączono z centralą. Nie zapisano kopii zapasowej.", 383, StatusColour::Red}));
    EXPECT_EQ(state.image.bytes(), unit->memory());

    view.statuses.clear();
    ASSERT_EQ(ops->readAll(), OperationOutcome::Done);
    EXPECT_EQ(view.statuses, (std::vector<StatusText>{{texts::kReadDone, 383, StatusColour::WindowText}}));

    // Once a backup has been written, the next failure is told again.
    QFile::remove(dataHome.filePath("alvetra"));
    ASSERT_EQ(ops->readAll(), OperationOutcome::Done);
    EXPECT_EQ(listBackups(opsConfig.backupFolder).size(), 1u);
    ASSERT_TRUE(QDir(opsConfig.backupFolder).removeRecursively());
    writeFile(opsConfig.backupFolder, "a file again");
    view.statuses.clear();
    ASSERT_EQ(ops->readAll(), OperationOutcome::Done);
    EXPECT_EQ(view.lastStatus(), "Odczytano. Nie zapisano kopii zapasowej.");
}
