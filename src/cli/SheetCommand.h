#pragma once
// alvetra-cli sheet: the owner's papers (the installation sheet, the code card) from a settings
// file or a backup, as PDF files. Typesetting needs Qt's Gui module: a build without it
// (Windows' cli flavour) says so instead (SheetCommandUnavailable.cpp).

#include "cli/CliOptions.h"
#include "cli/Console.h"
#include "cli/ExitStatus.h"

#include <QCoreApplication>
#include <memory>

namespace alvetra::cli {

ExitStatus writeSheet(const CliOptions &options, Console &console);

// The application object for this command line: one with fonts and a PDF writer (Qt's Gui, on a
// platform that needs no display) when the command is sheet, else the plain core one.
std::unique_ptr<QCoreApplication> makeCliApplication(int &argc, char **argv);

} // namespace alvetra::cli
