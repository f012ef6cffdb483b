#pragma once
// alvetra-cli as a function: the arguments (the program's name first) in, the exit status out,
// everything said through the console. The program's main and the tests both run it; it needs a
// running Qt application object and the folder of the car databases.

#include "cli/Console.h"
#include "cli/PasswordInput.h"

#include <QStringList>

namespace alvetra::cli {

int runCli(const QStringList &arguments, Console &console, const QString &dataFolder);
// The same with the password asked on `terminal` instead of the standard input.
int runCli(const QStringList &arguments, Console &console, const QString &dataFolder, PasswordTerminal &terminal);

} // namespace alvetra::cli
