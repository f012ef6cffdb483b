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
    // On the descriptors, not through stdio's buffer: results and messages leave in the order
    // they are made, also into a pipe.
    out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    err.open(STDERR_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    alvetra::cli::Console console(out, err, ::isatty(STDERR_FILENO) == 1);
    return alvetra::cli::runCli(app.arguments(), console, alvetra::ProgramFolders::ofThisProgram().data);
}
