#pragma once
// The standard output and error as devices the Console writes UTF-8 to. On Linux the descriptors
// themselves. On Windows a stream that is a console gets its text as UTF-16 (WriteConsoleW),
// which the console shows whatever its code page (852 or 1250 for Polish); one that is a pipe or
// a file gets UTF-8 as on Linux.

#include <QIODevice>

#include <memory>

namespace alvetra::cli {

enum class StandardStream { Output, Error };

std::unique_ptr<QIODevice> openStandardStream(StandardStream stream);

// Whether the stream is shown to a person (a terminal or a console), for the progress lines.
bool isInteractive(StandardStream stream);

} // namespace alvetra::cli
