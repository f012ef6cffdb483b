#include "link/PrivateAppendFile.h"

#include <windows.h>

namespace alvetra {

namespace {

// The system's text for an error code, in the user's language.
QString reason(DWORD error)
{
    wchar_t *text = nullptr;
    const DWORD size = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, error, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    QString message = size ? QString::fromWCharArray(text, int(size)).trimmed() : QStringLiteral("error %1").arg(error);
    if (text)
        LocalFree(text);
    // The traffic log's messages add their own full stop.
    while (message.endsWith(QLatin1Char('.')))
        message.chop(1);
    return message;
}

HANDLE handleOf(std::intptr_t value)
{
    return reinterpret_cast<HANDLE>(value);
}

} // namespace

PrivateAppendFile::~PrivateAppendFile()
{
    if (handle_ != -1)
        CloseHandle(handleOf(handle_));
}

std::optional<QString> PrivateAppendFile::open(const QString &path)
{
    // FILE_APPEND_DATA alone: every write lands at the end. Other programs may read the log
    // while it grows, as on Linux; the folders under the user's profile keep other users out.
    const HANDLE file = CreateFileW(reinterpret_cast<const wchar_t *>(path.utf16()), FILE_APPEND_DATA,
                                    FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return reason(GetLastError());
    handle_ = reinterpret_cast<std::intptr_t>(file);
    return std::nullopt;
}

std::optional<QString> PrivateAppendFile::write(const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        DWORD written = 0;
        if (!WriteFile(handleOf(handle_), data, static_cast<DWORD>(left), &written, nullptr))
            return reason(GetLastError());
        if (written == 0)
            return reason(ERROR_WRITE_FAULT);
        data += written;
        left -= written;
    }
    return std::nullopt;
}

} // namespace alvetra
