#pragma once
// The commands on settings files alone, without a unit: show and diff.

#include "cli/CliOptions.h"
#include "cli/Console.h"
#include "cli/ExitStatus.h"

namespace alvetra::cli {

// Every setting of the file in words, tab by tab (or as JSON with --json).
ExitStatus showFile(const CliOptions &options, Console &console);
// One line for each setting in which the two files differ; Differences when there is one.
ExitStatus diffFiles(const CliOptions &options, Console &console);

} // namespace alvetra::cli
