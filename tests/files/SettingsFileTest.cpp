#include "files/SettingsFile.h"

#include "alarm/FileError.h"
#include "ReadOnlyFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <random>
#ifndef _WIN32
#include <sys/resource.h>
#endif

using namespace alvetra;

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    QString path(const QString &name = QStringLiteral("ustawienia.alm")) const { return dir.filePath(name); }

    QString writeRaw(const QByteArray &bytes, const QString &name = QStringLiteral("raw.alm"))
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    static QByteArray readRaw(const QString &file)
    {
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }

    static SettingsImage randomImage(unsigned seed)
    {
        std::mt19937 random(seed);
        SettingsImage image;
        for (int i = 0; i < kImageSize; ++i) image.set(i, static_cast<std::uint8_t>(random()));
        return image;
    }

    static SettingsImage constantImage(std::uint8_t value)
    {
        SettingsImage image;
        image.fill(value);
        return image;
    }

    QTemporaryDir dir;
};

// A device that delivers some bytes and then fails, like a disk that goes away.
class FailingDevice : public QIODevice {
public:
    explicit FailingDevice(QByteArray first) : first_(std::move(first)) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (first_.isEmpty()) {
            setErrorString(QStringLiteral("Input/output error"));
            return -1;
        }
        const qint64 n = std::min<qint64>(maxSize, first_.size());
        memcpy(data, first_.constData(), n);
        first_.remove(0, n);
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray first_;
};

} // namespace

TEST_F(SettingsFileTest, SaveThenLoadReproducesAllBytes)
{
    const SettingsImage saved = randomImage(7);
    saveSettingsFile(path(), saved);
    SettingsImage loaded = constantImage(0x33);
    EXPECT_EQ(loadSettingsFile(path(), loaded), 256);
    EXPECT_EQ(loaded, saved);
}

// Written out byte by byte, not through the program's mask: files saved by earlier versions must
// open to the same settings whatever the program's constants say.
TEST_F(SettingsFileTest, AFileOfEarlierVersionsOpensToTheImageItHeld)
{
    QByteArray file(256, char(0xA5));
    file[0] = char(0x5A);
    file.replace(62, 4, QByteArray("\x94\x97\x96\x91", 4));
    file[79] = char(0x8F);
    file[255] = char(0x00);
    ImageBytes expected{};
    expected[0] = 0xFF;
    expected[62] = '1';
    expected[63] = '2';
    expected[64] = '3';
    expected[65] = '4';
    expected[79] = 0x2A;
    expected[255] = 0xA5;
    SettingsImage image = constantImage(0x33);
    loadSettingsFile(writeRaw(file), image);
    EXPECT_EQ(image.bytes(), expected);
}

TEST_F(SettingsFileTest, FileIsTheMaskedImageAndAlways256Bytes)
{
    saveSettingsFile(path(), constantImage(0x00));
    const QByteArray zeros = readRaw(path());
    EXPECT_EQ(zeros, QByteArray(256, char(kSettingsFileMask)));
    const SettingsImage image = randomImage(3);
    saveSettingsFile(path(), image);   // overwrites
    const QByteArray bytes = readRaw(path());
    ASSERT_EQ(bytes.size(), 256);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(std::uint8_t(bytes[i]), image.at(i) ^ kSettingsFileMask) << i;
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"ustawienia.alm"});   // no temporary left
}

TEST_F(SettingsFileTest, ShortFileChangesOnlyItsOwnBytes)
{
    SettingsImage image = constantImage(0x77);
    EXPECT_EQ(loadSettingsFile(writeRaw(QByteArray(100, char(kSettingsFileMask ^ 0x12))), image), 100);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(image.at(i), 0x12) << i;
    for (int i = 100; i < 256; ++i) ASSERT_EQ(image.at(i), 0x77) << i;

    SettingsImage untouched = constantImage(0x77);
    EXPECT_EQ(loadSettingsFile(writeRaw(QByteArray()), untouched), 0);
    EXPECT_EQ(untouched, constantImage(0x77));
}

TEST_F(SettingsFileTest, BytesAfterThe256thAreIgnored)
{
    QByteArray bytes(300, char(kSettingsFileMask ^ 0x01));
    bytes[255] = char(kSettingsFileMask ^ 0x02);
    SettingsImage image;
    EXPECT_EQ(loadSettingsFile(writeRaw(bytes), image), 256);
    EXPECT_EQ(image.at(0), 0x01);
    EXPECT_EQ(image.at(255), 0x02);
}

TEST_F(SettingsFileTest, FilesOver65535BytesAreRefusedBeforeReading)
{
    SettingsImage image = constantImage(0x44);
    try {
        loadSettingsFile(writeRaw(QByteArray(65536, '\0')), image);
        ADD_FAILURE() << "a 65536-byte file was read";
    } catch (const FileError &error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("65536"))) << error.message().toStdString();
    }
    EXPECT_EQ(image, constantImage(0x44));
    EXPECT_EQ(loadSettingsFile(writeRaw(QByteArray(65535, char(kSettingsFileMask))), image), 256);
    EXPECT_EQ(image, constantImage(0x00));
}

TEST_F(SettingsFileTest, MissingFileRaisesItsReason)
{
    SettingsImage image = constantImage(0x44);
    try {
        loadSettingsFile(path("brak.alm"), image);
        ADD_FAILURE() << "a missing file was read";
    } catch (const FileError &error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("brak.alm")));
        EXPECT_TRUE(error.message().contains(QStringLiteral("Taki plik nie istnieje."))) << error.message().toStdString();
    }
    EXPECT_EQ(image, constantImage(0x44));
}

TEST_F(SettingsFileTest, ReadErrorLeavesTheImageAsItWas)
{
    FailingDevice device(QByteArray(40, char(kSettingsFileMask ^ 0x09)));
    SettingsImage image = constantImage(0x55);
    EXPECT_THROW(readSettings(device, image, QStringLiteral("/media/pendrive/a.alm")), FileError);
    EXPECT_EQ(image, constantImage(0x55));
}

// Windows has no file size limit to make a write fail part way.
#ifndef _WIN32
TEST_F(SettingsFileTest, FailedWriteLeavesThePreviousFileIntact)
{
    const SettingsImage old = randomImage(1);
    saveSettingsFile(path(), old);
    const QByteArray before = readRaw(path());

    // Let the system refuse files above 100 bytes: the write fails even for root.
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool failed = false;
    QString message;
    try {
        saveSettingsFile(path(), randomImage(2));
    } catch (const FileError &error) {
        failed = true;
        message = error.message();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_TRUE(failed);
    EXPECT_TRUE(message.startsWith(QStringLiteral("Nie można zapisać pliku "))) << message.toStdString();
    EXPECT_EQ(readRaw(path()), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"ustawienia.alm"});
}
#endif

TEST_F(SettingsFileTest, ReadOnlyFolderLeavesThePreviousFileIntact)
{
    saveSettingsFile(path(), randomImage(1));
    const QByteArray before = readRaw(path());
    {
        const alvetra::test::ReadOnlyFolder readOnly(dir.path());
        if (!readOnly.active())
            GTEST_SKIP() << "this file system cannot make a folder read-only for this user";
        EXPECT_THROW(saveSettingsFile(path(), randomImage(2)), FileError);
    }
    EXPECT_EQ(readRaw(path()), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("ustawienia.alm")});
}

TEST_F(SettingsFileTest, SavingIntoAMissingFolderFails)
{
    EXPECT_THROW(saveSettingsFile(path("brak/ustawienia.alm"), randomImage(1)), FileError);
}
