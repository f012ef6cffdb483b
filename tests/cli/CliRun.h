#pragma once
// alvetra-cli's commands run in-process, as a script would run the executable: its exit status
// and what it wrote to the standard output and error.

#include "cli/Cli.h"
#include "cli/Console.h"

#include <QBuffer>
#include <QStringList>

namespace alvetra::test {

struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

// `arguments` without the program's name; the car databases from the build's data folder.
inline CliRun runTool(QStringList arguments)
{
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    cli::Console console(out, err, false);
    arguments.prepend(QStringLiteral("alvetra-cli"));
    CliRun run;
    run.status = cli::runCli(arguments, console, QStringLiteral(ALVETRA_DATA_DIR));
    run.out = QString::fromUtf8(out.data());
    run.err = QString::fromUtf8(err.data());
    return run;
}

} // namespace alvetra::test
