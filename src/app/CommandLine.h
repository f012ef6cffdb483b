#pragma once
// The program's command-line options:
//   --port DEVICE   add a serial device to the port list and select it (may be repeated)
//   --simulator     add the simulated unit "Symulator" and select it
//   --traffic-log FILE   append every frame on the line to FILE
//   --traffic-log-secrets   with the PC password and the codes in clear (masked otherwise)
//   --help, --version

#include <QStringList>

class QCoreApplication;

namespace alvetra {

struct CommandLineOptions {
    QStringList extraPorts;     // to add to the found ports, in this order
    QString selectedPort;       // to select at start-up; empty: the stored choice
    QString trafficLogPath;     // empty: no traffic log
    bool trafficLogSecrets = false;   // the PC password and the codes in clear in the log
    QString settingsFile;       // a settings file (.alm, .v14) to open once the window is up
};

// Parses the arguments; --help and --version print and end the program, an unknown option prints
// the error and ends it with a failure.
CommandLineOptions parseCommandLine(const QCoreApplication &app);

// The same for a given argument list (the program's name first); no printing, no exit.
// Returns false with `error` set when the arguments are wrong.
bool parseArguments(const QStringList &arguments, CommandLineOptions &options, QString &error);

} // namespace alvetra
