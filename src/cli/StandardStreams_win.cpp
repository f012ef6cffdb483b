#include "cli/StandardStreams.h"

#include <QFile>
#include <QString>

#include <io.h>
#include <windows.h>

namespace alvetra::cli {

namespace {

HANDLE handleOf(StandardStream stream)
{
    return GetStdHandle(stream == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
}

bool isConsole(HANDLE handle)
{
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && handle != nullptr && GetConsoleMode(handle, &mode) != 0;
}

// A console, written in UTF-16. The Console hands over whole texts, so no character is split
// between two writes.
class ConsoleDevice final : public QIODevice {
public:
    explicit ConsoleDevice(HANDLE console) : console_(console) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        const QString text = QString::fromUtf8(data, size);
        const wchar_t *next = reinterpret_cast<const wchar_t *>(text.utf16());
        DWORD left = static_cast<DWORD>(text.size());
        while (left > 0) {
            DWORD written = 0;
            if (!WriteConsoleW(console_, next, left, &written, nullptr) || written == 0)
                return -1;
            next += written;
            left -= written;
        }
        return size;
    }

private:
    HANDLE console_;
};

} // namespace

std::unique_ptr<QIODevice> openStandardStream(StandardStream stream)
{
    const HANDLE handle = handleOf(stream);
    if (isConsole(handle))
        return std::make_unique<ConsoleDevice>(handle);
    auto file = std::make_unique<QFile>();
    file->open(stream == StandardStream::Output ? _fileno(stdout) : _fileno(stderr),
               QIODevice::WriteOnly | QIODevice::Unbuffered);
    return file;
}

bool isInteractive(StandardStream stream) { return isConsole(handleOf(stream)); }

} // namespace alvetra::cli
