// "Serkano.ini" under bad conditions: a write that fails keeps the old file whole, hand-edited
// and foreign lines survive a write, and nothing in the file is ever interpreted beyond text and
// numbers.

#include "app/Preferences.h"
#include "ReadOnlyFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#ifndef _WIN32
#include <sys/resource.h>
#endif

using alvetra::PreferencesFile;
using alvetra::WindowPreferences;

namespace {

class PreferencesReliability : public ::testing::Test {
protected:
    QString iniPath() const { return dir.filePath(QStringLiteral("Serkano.ini")); }
    PreferencesFile file() const { return PreferencesFile(iniPath(), dir.path()); }

    void writeRaw(const QByteArray &bytes)
    {
        QFile f(iniPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    QByteArray readRaw() const
    {
        QFile f(iniPath());
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }

    static WindowPreferences someChoices()
    {
        WindowPreferences p;
        p.portIndex = 2;
        p.speedIndex = 11;
        p.saveDialogFolder = QStringLiteral("/home/monter/") + QString(400, QLatin1Char('x')) + QStringLiteral("/");
        p.openDialogFolder = QStringLiteral("/media/pendrive/");
        p.top = 40;
        p.left = 60;
        p.showComInformation = false;
        return p;
    }

    QTemporaryDir dir;
};

#ifndef _WIN32   // Windows has no file size limit to make a write fail part way
// Lets the system refuse files longer than `bytes` for the lifetime of the object, which makes
// writes fail even for root (permission bits do not stop root).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved_;
        small.rlim_cur = bytes;
        ok_ = setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    bool ok() const { return ok_; }

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
    bool ok_ = false;
};
#endif

} // namespace

#ifndef _WIN32
TEST_F(PreferencesReliability, AWriteThatFailsHalfwayKeepsThePreviousFileWhole)
{
    ASSERT_TRUE(file().write(WindowPreferences{}));
    const QByteArray before = readRaw();
    ASSERT_GT(before.size(), 100);
    {
        FileSizeLimit limit(100);   // the new file is longer than that: its writing fails midway
        ASSERT_TRUE(limit.ok());
        EXPECT_FALSE(file().write(someChoices()));
    }
    EXPECT_EQ(readRaw(), before);
    EXPECT_EQ(file().read(), WindowPreferences{});
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Serkano.ini"});

    // With room again the same write goes through.
    EXPECT_TRUE(file().write(someChoices()));
    EXPECT_EQ(file().read(), someChoices());
}
#endif

TEST_F(PreferencesReliability, ADirectoryInTheFilesPlaceFailsTheWriteAndStaysAsItIs)
{
    // Also fails for root: a directory cannot be replaced by a file.
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Serkano.ini/inside")));
    EXPECT_FALSE(file().write(someChoices()));
    EXPECT_TRUE(QFileInfo(iniPath() + QStringLiteral("/inside")).isDir());
    EXPECT_EQ(file().read().speedIndex, 8);
}

TEST_F(PreferencesReliability, ForeignLinesCommentsAndLineEndsSurviveAWrite)
{
    writeRaw("; ustawienia monterskie\r\n[FORM1]\r\nTOP=5\r\nWIDTH=800\r\n\r\n[EXTRA]\r\nKEEP = \"a,b\" \r\n"
             "PORMATION]DIALOG]\r\n[COMMSETTINGS]\r\ncmbportindex=1\r\n");
    ASSERT_TRUE(file().write(someChoices()));
    const QByteArray after = readRaw();
    for (const char *kept : {"; ustawienia monterskie\r\n", "WIDTH=800\r\n", "[EXTRA]\r\nKEEP = \"a,b\" \r\n",
                             "PORMATION]DIALOG]\r\n"})
        EXPECT_TRUE(after.contains(kept)) << kept << "\n" << after.toStdString();
    // A key is changed where it stands (whatever its case), a missing one joins its section.
    EXPECT_TRUE(after.contains("[FORM1]\r\nTOP=40\r\nWIDTH=800\r\nLEFT=60\r\n")) << after.toStdString();
    EXPECT_TRUE(after.contains("[COMMSETTINGS]\r\nCMBPORTINDEX=2\r\n")) << after.toStdString();
    EXPECT_EQ(after.count("CMBPORTINDEX"), 1);
    EXPECT_EQ(file().read(), someChoices());
}

TEST_F(PreferencesReliability, SerialisedValueFormsAreReadAsPlainText)
{
    // A value that asks to be unpacked into a multi-gigabyte object: it is text like any other.
    writeRaw(QByteArray("[FORM1]\nTOP=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\xff\\xff\\xff\\xff)\n"
                        "[SAVEDIALOG]\nPATH=@ByteArray(\\xff\\xff\\xff\\xff)\n[OPENDIALOG1]\nPATH=\"@Variant(x)\"\n"));
    const WindowPreferences p = file().read();
    EXPECT_EQ(p.top, 0);
    EXPECT_EQ(p.saveDialogFolder, QStringLiteral("@ByteArray(\\xff\\xff\\xff\\xff)"));
    EXPECT_EQ(p.openDialogFolder, QStringLiteral("@Variant(x)"));
}

TEST_F(PreferencesReliability, FoldersWithBlanksQuotesAndLineBreaksReadBackAsWritten)
{
    WindowPreferences p;
    p.saveDialogFolder = QStringLiteral("  /home/monter/ z odstępami/  ");
    p.openDialogFolder = QStringLiteral("\"/w cudzysłowie/\"");
    ASSERT_TRUE(file().write(p));
    EXPECT_EQ(file().read(), p);

    // A line break cannot live in a line: it is left out rather than splitting the file.
    p.saveDialogFolder = QStringLiteral("/a\nCMBPORTINDEX=7\n/");
    ASSERT_TRUE(file().write(p));
    const WindowPreferences back = file().read();
    EXPECT_EQ(back.saveDialogFolder, QStringLiteral("/aCMBPORTINDEX=7/"));
    EXPECT_EQ(back.portIndex, p.portIndex);
}

TEST_F(PreferencesReliability, AReadOnlyFolderKeepsThePreviousFileAndTheWriteIsReportedFailed)
{
    ASSERT_TRUE(file().write(someChoices()));
    const QByteArray before = readRaw();
    WindowPreferences other = someChoices();
    other.portIndex = 5;
    {
        const alvetra::test::ReadOnlyFolder readOnly(dir.path());
        if (!readOnly.active())
            GTEST_SKIP() << "this file system cannot make a folder read-only for this user";
        EXPECT_FALSE(file().write(other));
    }
    EXPECT_EQ(readRaw(), before);
    EXPECT_EQ(file().read(), someChoices());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Serkano.ini")});
}
