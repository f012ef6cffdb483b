#include "app/Preferences.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using alvetra::PreferencesFile;
using alvetra::WindowPreferences;

namespace {

class PreferencesTest : public ::testing::Test {
protected:
    QString iniPath() const { return dir.filePath(QStringLiteral("Serkano.ini")); }
    void writeIni(const QByteArray &content)
    {
        QFile file(iniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QString programFolder() const { return dir.path(); }

    QTemporaryDir dir;
};

} // namespace

TEST_F(PreferencesTest, EveryKeySurvivesARoundTrip)
{
    WindowPreferences p;
    p.portIndex = 3;
    p.speedIndex = 11;
    p.saveDialogFolder = QStringLiteral("/home/monter/Pliki ustawień, stare/");
    p.openDialogFolder = QStringLiteral("/media/pendrive/żółw/");
    p.top = -20;
    p.left = 1700;
    p.showComInformation = false;
    const PreferencesFile file(iniPath(), programFolder());
    ASSERT_TRUE(file.write(p));
    EXPECT_EQ(PreferencesFile(iniPath(), QStringLiteral("/elsewhere")).read(), p);

    // The values are stored as the fitters' files hold them: decimal text and "1"/"0".
    QFile raw(iniPath());
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(raw.readAll());
    for (const char *line : {"[COMMSETTINGS]", "CMBPORTINDEX=3", "CMBPORTSPEEDINDEX=11", "[SAVEDIALOG]",
                             "[OPENDIALOG1]", "[FORM1]", "TOP=-20", "LEFT=1700", "[COMINFORMATION]", "VALUE=0"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(line))) << line << "\n" << text.toStdString();
}

TEST_F(PreferencesTest, MissingFileGivesTheDefaults)
{
    const WindowPreferences p = PreferencesFile(iniPath(), QStringLiteral("/opt/alvetra")).read();
    EXPECT_EQ(p.portIndex, 0);
    EXPECT_EQ(p.speedIndex, 8);
    EXPECT_EQ(p.saveDialogFolder, QDir::toNativeSeparators(QStringLiteral("/opt/alvetra/")));
    EXPECT_EQ(p.openDialogFolder, QDir::toNativeSeparators(QStringLiteral("/opt/alvetra/")));
    EXPECT_EQ(p.top, 0);
    EXPECT_EQ(p.left, 0);
    EXPECT_TRUE(p.showComInformation);
}

TEST_F(PreferencesTest, EmptyValueIsEmptyForFoldersAndMissingForNumbers)
{
    writeIni("[SAVEDIALOG]\nPATH=\n[OPENDIALOG1]\nPATH=/data/\n[COMMSETTINGS]\nCMBPORTINDEX=\n"
             "CMBPORTSPEEDINDEX=abc\n[FORM1]\nTOP= 15 \n[COMINFORMATION]\nVALUE=\n");
    const WindowPreferences p = PreferencesFile(iniPath(), QStringLiteral("/opt/alvetra")).read();
    EXPECT_EQ(p.saveDialogFolder, QString());
    EXPECT_EQ(p.openDialogFolder, QStringLiteral("/data/"));
    EXPECT_EQ(p.portIndex, 0);
    EXPECT_EQ(p.speedIndex, 8);
    EXPECT_EQ(p.top, 15);
    EXPECT_EQ(p.left, 0);
    EXPECT_TRUE(p.showComInformation);
}

TEST_F(PreferencesTest, ComInformationValueIsANumberNonZeroMeaningShow)
{
    writeIni("[COMINFORMATION]\nVALUE=0\n");
    EXPECT_FALSE(PreferencesFile(iniPath(), programFolder()).read().showComInformation);
    QTemporaryDir other;
    const QString path = other.filePath(QStringLiteral("Serkano.ini"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[COMINFORMATION]\nVALUE=2\n");
    file.close();
    EXPECT_TRUE(PreferencesFile(path, programFolder()).read().showComInformation);
}

TEST_F(PreferencesTest, HandEditedFolderWithACommaIsReadWhole)
{
    writeIni("[SAVEDIALOG]\nPATH=/home/a,b/\n");
    EXPECT_EQ(PreferencesFile(iniPath(), programFolder()).read().saveDialogFolder, QStringLiteral("/home/a,b/"));
}

TEST_F(PreferencesTest, WritingKeepsOtherSectionsAndAFailedWriteIsReported)
{
    writeIni("[EXTRA]\nKEEP=yes\n");
    ASSERT_TRUE(PreferencesFile(iniPath(), programFolder()).write(WindowPreferences{}));
    EXPECT_EQ(QSettings(iniPath(), QSettings::IniFormat).value(QStringLiteral("EXTRA/KEEP")).toString(),
              QStringLiteral("yes"));

    // A folder that cannot exist: the write fails cleanly.
    const PreferencesFile impossible(QStringLiteral("/proc/alvetra-no-such/Serkano.ini"), programFolder());
    EXPECT_FALSE(impossible.write(WindowPreferences{}));
}

TEST_F(PreferencesTest, FileLivesBesideTheProgramWhenPossible)
{
    EXPECT_EQ(PreferencesFile::locate(dir.path()), dir.filePath(QStringLiteral("Serkano.ini")));
    const QString elsewhere = PreferencesFile::locate(QStringLiteral("/nonexistent/alvetra/bin"));
    EXPECT_TRUE(elsewhere.endsWith(QStringLiteral("/alvetra/Serkano.ini")));
    EXPECT_FALSE(elsewhere.startsWith(QStringLiteral("/nonexistent")));
}
