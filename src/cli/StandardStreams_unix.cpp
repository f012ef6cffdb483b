#include "cli/StandardStreams.h"

#include <QFile>

#include <unistd.h>

namespace alvetra::cli {

namespace {
int descriptorOf(StandardStream stream) { return stream == StandardStream::Output ? STDOUT_FILENO : STDERR_FILENO; }
}

std::unique_ptr<QIODevice> openStandardStream(StandardStream stream)
{
    // On the descriptor, not through stdio's buffer: results and messages leave in the order
    // they are made, also into a pipe.
    auto file = std::make_unique<QFile>();
    file->open(descriptorOf(stream), QIODevice::WriteOnly | QIODevice::Unbuffered);
    return file;
}

bool isInteractive(StandardStream stream) { return ::isatty(descriptorOf(stream)) == 1; }

} // namespace alvetra::cli
