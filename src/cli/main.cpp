// alvetra-cli: the unit from a terminal and from scripts, on the operations the window uses.

#include "cli/Cli.h"
#include "cli/SheetCommand.h"
#include "cli/StandardStreams.h"
#include "files/ProgramFolders.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    const std::unique_ptr<QCoreApplication> app = alvetra::cli::makeCliApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("alvetra-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ALVETRA_VERSION));

    using alvetra::cli::StandardStream;
    const std::unique_ptr<QIODevice> out = alvetra::cli::openStandardStream(StandardStream::Output);
    const std::unique_ptr<QIODevice> err = alvetra::cli::openStandardStream(StandardStream::Error);
    alvetra::cli::Console console(*out, *err, alvetra::cli::isInteractive(StandardStream::Error));
    return alvetra::cli::runCli(QCoreApplication::arguments(), console, alvetra::ProgramFolders::ofThisProgram().data);
}
