// alvetra-cli on every platform: its commands in-process against the built-in simulated unit,
// and a port that does not exist, named as a fitter names it.

#include "CliRun.h"
#include "files/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace alvetra;
using namespace alvetra::test;

TEST(CliSimulator, ReadWriteShowAndDiffOnTheBuiltInUnit)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("jednostka.alm"));
    const CliRun read = runTool({QStringLiteral("read"), QStringLiteral("--simulator"), QStringLiteral("--password"),
                             QStringLiteral("1234"), QStringLiteral("-o"), file});
    ASSERT_EQ(read.status, 0) << read.err.toStdString();
    EXPECT_EQ(read.out, QStringLiteral("Zapisano plik %1\n").arg(QDir::toNativeSeparators(file)));
    SettingsImage saved;
    loadSettingsFile(file, saved);

    const CliRun write = runTool({QStringLiteral("write"), QStringLiteral("--simulator"), QStringLiteral("--password"),
                                  QStringLiteral("1234"), file});
    EXPECT_EQ(write.status, 0) << write.err.toStdString();
    EXPECT_TRUE(write.out.endsWith(QStringLiteral("Zapisano wszystkie pozycje\n"))) << write.out.toStdString();

    const CliRun show = runTool({QStringLiteral("show"), file});
    EXPECT_EQ(show.status, 0) << show.err.toStdString();
    EXPECT_TRUE(show.out.contains(QStringLiteral("****"))) << "codes stay masked";
    EXPECT_EQ(runTool({QStringLiteral("diff"), file, file}).status, 0);
}

TEST(CliSimulator, APortThatDoesNotExistIsNamedAsGivenAndExitsSeven)
{
    const CliRun run = runTool({QStringLiteral("info"), QStringLiteral("--port"), QStringLiteral("COM250"),
                            QStringLiteral("--password"), QStringLiteral("1234")});
    EXPECT_EQ(run.status, 7) << run.err.toStdString();
    EXPECT_EQ(run.err, QStringLiteral("Port COM250 nie istnieje w systemie.\n"));
}
