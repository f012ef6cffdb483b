// alvetra-cli: the unit from a terminal and from scripts, on the operations the window uses.

#include "cli/Cli.h"
#include "files/ProgramFolders.h"

#include <QCoreApplication>
#include <QFile>

#include <unistd.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("alvetra-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ALVETRA_VERSION));

    QFile out;
    QFile err;
    out.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);
    err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    alvetra::cli::Console console(out, err, ::isatty(STDERR_FILENO) == 1);
    return alvetra::cli::runCli(app.arguments(), console, alvetra::ProgramFolders::ofThisProgram().data);
}
