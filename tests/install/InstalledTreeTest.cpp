// The installed program: `cmake --install` of this build into a fresh prefix puts the
// executables, the car databases, the lock diagrams, the manual, the desktop entry and the icons
// where the program and the desktop find them, and the installed program starts.

#include "files/CarDatabase.h"
#include "files/ProgramFolders.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

using namespace alvetra;

namespace {

const QStringList kCarDatabases = {QStringLiteral("MZRAv14.txt"), QStringLiteral("MZRAv17.txt"),
                                   QStringLiteral("MZRAv18.txt"), QStringLiteral("MZRFv10.txt")};
const QString kManual = QStringLiteral("Autoalrm Tervona CAN read.pdf");

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs a program to its end; returns its standard output, or nothing when it failed.
std::optional<QString> run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << ": " << process.readAllStandardError().toStdString();
        return std::nullopt;
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

class InstalledTreeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        prefix_ = std::make_unique<QTemporaryDir>();
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(QStringLiteral(ALVETRA_CMAKE_COMMAND),
                      {QStringLiteral("--install"), QStringLiteral(ALVETRA_BUILD_DIR), QStringLiteral("--prefix"), prefix_->path()});
        installed_ = install.waitForFinished(60000) && install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0;
        installLog_ = QString::fromUtf8(install.readAll());
    }
    static void TearDownTestSuite() { prefix_.reset(); }

    void SetUp() override { ASSERT_TRUE(installed_) << installLog_.toStdString(); }

    static QString at(const QString &relative) { return QDir(prefix_->path()).filePath(relative); }
    static ProgramFolders folders() { return ProgramFolders::forExecutable(at(QStringLiteral("bin"))); }

    static inline std::unique_ptr<QTemporaryDir> prefix_;
    static inline bool installed_ = false;
    static inline QString installLog_;
};

} // namespace

TEST_F(InstalledTreeTest, InstalledProgramFindsItsCarDatabases)
{
    ASSERT_TRUE(folders().installed);
    EXPECT_EQ(folders().data, at(QStringLiteral("share/alvetra")));
    for (const QString &name : kCarDatabases) {
        CarDatabase database;
        EXPECT_TRUE(database.load(QDir(folders().data).filePath(name)).ok) << name.toStdString();
        EXPECT_TRUE(database.hasMakes()) << name.toStdString();
    }
}

TEST_F(InstalledTreeTest, InstalledProgramFindsEveryLockDiagram)
{
    const QDir icons(QDir(folders().data).filePath(QStringLiteral("Ikony")));
    QStringList names;
    for (int i = 0; i <= 3; ++i)
        names << QStringLiteral("Otworz%1.bmp").arg(i);
    for (int i = 0; i <= 5; ++i)
        names << QStringLiteral("Zamknij%1.bmp").arg(i);
    for (const QString &name : names) {
        const QImage diagram(icons.filePath(name), "BMP");
        EXPECT_FALSE(diagram.isNull()) << name.toStdString();
    }
}

TEST_F(InstalledTreeTest, ManualIsAPdfWithPicturesOfTheWindow)
{
    const QByteArray pdf = readAll(QDir(folders().data).filePath(kManual));
    ASSERT_TRUE(pdf.startsWith("%PDF-"));
    const QString text = QString::fromLatin1(pdf);
    EXPECT_GE(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))), 12);
    // One picture at least for every tab of the window.
    EXPECT_GE(pdf.count("/Subtype /Image"), 10);
}

TEST_F(InstalledTreeTest, DesktopEntryStartsTheInstalledProgramWithItsIcon)
{
    const QString entry = QString::fromUtf8(readAll(at(QStringLiteral("share/applications/alvetra.desktop"))));
    ASSERT_FALSE(entry.isEmpty());
    const QRegularExpression exec(QStringLiteral("^Exec=(\\S+)"), QRegularExpression::MultilineOption);
    const QRegularExpression icon(QStringLiteral("^Icon=(\\S+)$"), QRegularExpression::MultilineOption);
    const QString program = exec.match(entry).captured(1);
    const QString iconName = icon.match(entry).captured(1);
    EXPECT_TRUE(QFileInfo(at(QStringLiteral("bin/") + program)).isExecutable()) << program.toStdString();
    ASSERT_FALSE(iconName.isEmpty());

    const QImage png(at(QStringLiteral("share/icons/hicolor/48x48/apps/%1.png").arg(iconName)));
    EXPECT_EQ(png.size(), QSize(48, 48));
    const QByteArray svg = readAll(at(QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(iconName)));
    EXPECT_TRUE(svg.contains("<svg") && svg.contains("</svg>"));
    // The window's own icon, beside the data.
    EXPECT_FALSE(QImage(QDir(folders().data).filePath(QStringLiteral("alvetra.png"))).isNull());
}

TEST_F(InstalledTreeTest, InstalledProgramsStart)
{
    const std::optional<QString> version = run(at(QStringLiteral("bin/alvetra")), {QStringLiteral("--version")});
    ASSERT_TRUE(version);
    EXPECT_EQ(version->trimmed(), QStringLiteral("alvetra 1.61"));
    const std::optional<QString> help = run(at(QStringLiteral("bin/alvetra-unit")), {QStringLiteral("--help")});
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->contains(QStringLiteral("--link")));
}
