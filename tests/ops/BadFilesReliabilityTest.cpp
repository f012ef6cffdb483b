// Opening a bad settings file or meeting a bad car database ends the handler with its message and
// leaves the image and the window as they were.

#include "alarm/FileError.h"
#include "OpsHarness.h"
#include "files/SettingsFile.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>

using namespace alvetra;
using namespace alvetra::test;

namespace {

class BadFiles : public OpsTest {
protected:
    QString write(const QString &name, const QByteArray &bytes)
    {
        return alvetra::test::writeFile(files.filePath(name), bytes);
    }

    // Opens `path` as the user would; returns the message of the error that ended the handler.
    QString openExpectingError(const QString &path)
    {
        try {
            ops->openFile(path);
        } catch (const FileError &error) {
            return error.message();
        }
        ADD_FAILURE() << "no error for " << path.toStdString();
        return QString();
    }

    QTemporaryDir files;
};

} // namespace

TEST_F(BadFiles, AnOversizedFileOrAFolderWhileConnectedChangesNeitherImageNorWindow)
{
    connectAndClearLogs();
    const ImageBytes before = state.image.bytes();
    const int fillsBefore = view.fills;
    const TabValues valuesBefore = view.values;

    const QString large = write(QStringLiteral("duzy.alm"), QByteArray(70000, '\0'));
    EXPECT_EQ(openExpectingError(large),
              QStringLiteral("Plik %1 nie jest plikiem ustawień alarmu: ma 70000 bajtów, a może mieć najwyżej 65535.").arg(QDir::toNativeSeparators(large)));

    ASSERT_TRUE(QDir(files.path()).mkdir(QStringLiteral("katalog.alm")));
    const QString folder = files.filePath(QStringLiteral("katalog.alm"));
    EXPECT_EQ(openExpectingError(folder), QStringLiteral("Nie można otworzyć pliku %1.\rTo jest folder, a nie plik.").arg(QDir::toNativeSeparators(folder)));

    EXPECT_EQ(state.image.bytes(), before);
    EXPECT_EQ(view.fills, fillsBefore);
    EXPECT_EQ(view.values, valuesBefore);
    EXPECT_TRUE(state.connected);
    EXPECT_TRUE(view.supervisionRunning);
}

TEST_F(BadFiles, ACarDatabaseInUtf8StopsTheFirstFileBeforeItIsRead)
{
    // Offline, no family known: the file's extension fixes the family and asks for the database.
    QFile database(dataDir.filePath(QStringLiteral("MZRAv14.txt")));
    ASSERT_TRUE(database.open(QIODevice::WriteOnly | QIODevice::Truncate));
    database.write(QStringLiteral("0\n0000,Škoda,Fabia I,3\n").toUtf8());
    database.close();
    ImageBytes saved;
    saved.fill(0x42);
    const QString file = files.filePath(QStringLiteral("offline.alm"));
    saveSettingsFile(file, SettingsImage(saved));

    EXPECT_EQ(openExpectingError(file), QStringLiteral("Brak pliku z bazą danych o samochodach!"));
    ImageBytes untouched;
    untouched.fill(0);
    EXPECT_EQ(state.image.bytes(), untouched);
    EXPECT_EQ(view.fills, 0);
    EXPECT_TRUE(view.makes.isEmpty());
    EXPECT_FALSE(view.programmingAccess);
    EXPECT_TRUE(view.supervisionRunning);
}
