// Bad files end with a clear message and change nothing: car databases in other encodings,
// settings files that are folders, and saves that cannot happen.

#include "files/CarDatabase.h"
#include "alarm/Cp1250.h"
#include "alarm/FileError.h"
#include "files/SettingsFile.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace alvetra;

namespace {

const QString kDatabaseError = QStringLiteral("Brak pliku z bazą danych o samochodach!");

class FilesReliability : public ::testing::Test {
protected:
    QString write(const QString &name, const QByteArray &bytes)
    {
        return alvetra::test::writeFile(dir.filePath(name), bytes);
    }
    QByteArray read(const QString &name) const
    {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    // The message of the FileError that `action` throws; empty when it throws none.
    static QString errorOf(const std::function<void()> &action)
    {
        try {
            action();
        } catch (const FileError &error) {
            return error.message();
        }
        return QString();
    }
    static SettingsImage constant(std::uint8_t value)
    {
        SettingsImage image;
        image.fill(value);
        return image;
    }

    QTemporaryDir dir;
};

const QString kCars = QStringLiteral("0\n0000,Škoda,Fabia I,3\n0001,Škoda,Octavia II,17\n0100,Łada,Niva,1\n");

} // namespace

TEST_F(FilesReliability, CarDatabasesInOtherEncodingsAreRefusedAndCodePage1250Loads)
{
    const QByteArray utf16 = QByteArray("\xFF\xFE", 2)
                             + QByteArray(reinterpret_cast<const char *>(kCars.utf16()), kCars.size() * 2);
    const std::pair<const char *, QByteArray> others[] = {
        {"UTF-8", kCars.toUtf8()},
        {"UTF-8 with a byte-order mark", QByteArray("\xEF\xBB\xBF") + kCars.toUtf8()},
        {"UTF-16", utf16},
    };
    for (const auto &[encoding, bytes] : others) {
        CarDatabase db;
        EXPECT_EQ(errorOf([&] { db.load(write(QStringLiteral("cars.txt"), bytes)); }), kDatabaseError) << encoding;
        EXPECT_TRUE(db.cars().empty()) << encoding;
        EXPECT_FALSE(db.hasMakes()) << encoding;
    }

    CarDatabase db;
    ASSERT_TRUE(db.load(write(QStringLiteral("cars.txt"), cp1250::encode(kCars))).ok);
    EXPECT_EQ(db.makes(), (QStringList{QStringLiteral("Škoda"), QStringLiteral("Łada")}));
    // Letters whose code page 1250 bytes happen to look like a UTF-8 sequence next to others
    // that do not: still code page 1250.
    CarDatabase mixed;
    ASSERT_TRUE(mixed.load(write(QStringLiteral("mixed.txt"), cp1250::encode(QStringLiteral("0\n0000,Ółtowo,Żuk,4\n")))).ok);
    EXPECT_EQ(mixed.makes(), QStringList{QStringLiteral("Ółtowo")});
}

TEST_F(FilesReliability, AFolderInPlaceOfASettingsFileIsNamedAsSuchAndChangesNothing)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("ustawienia.alm")));
    const QString folder = dir.filePath(QStringLiteral("ustawienia.alm"));
    SettingsImage image = constant(0x44);
    EXPECT_EQ(errorOf([&] { loadSettingsFile(folder, image); }),
              QStringLiteral("Nie można otworzyć pliku %1.\rTo jest folder, a nie plik.").arg(QDir::toNativeSeparators(folder)));
    EXPECT_EQ(image, constant(0x44));

    EXPECT_EQ(errorOf([&] { saveSettingsFile(folder, constant(0x10)); }),
              QStringLiteral("Nie można zapisać pliku %1.\rTo jest folder, a nie plik.\r"
                             "Poprzednia zawartość pliku nie została zmieniona.").arg(QDir::toNativeSeparators(folder)));
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST_F(FilesReliability, SavingIntoAFolderThatIsAFileFailsAndSaysWhy)
{
    // A path whose folder is a regular file: fails for root as well.
    write(QStringLiteral("plik"), "x");
    const QString path = dir.filePath(QStringLiteral("plik/ustawienia.alm"));
    EXPECT_EQ(errorOf([&] { saveSettingsFile(path, constant(0x10)); }),
              QStringLiteral("Nie można zapisać pliku %1.\rTaki folder nie istnieje.\r"
                             "Poprzednia zawartość pliku nie została zmieniona.").arg(QDir::toNativeSeparators(path)));
    EXPECT_EQ(read(QStringLiteral("plik")), QByteArray("x"));
}

TEST_F(FilesReliability, OversizedSettingsFileIsRefusedWithItsSize)
{
    const QString path = write(QStringLiteral("duzy.alm"), QByteArray(70000, '\x5A'));
    SettingsImage image = constant(0x44);
    EXPECT_EQ(errorOf([&] { loadSettingsFile(path, image); }),
              QStringLiteral("Plik %1 nie jest plikiem ustawień alarmu: ma 70000 bajtów, a może mieć najwyżej 65535.").arg(QDir::toNativeSeparators(path)));
    EXPECT_EQ(image, constant(0x44));
}
