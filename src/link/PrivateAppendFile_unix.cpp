#include "link/PrivateAppendFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace alvetra {

namespace {

QString reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

PrivateAppendFile::~PrivateAppendFile()
{
    if (handle_ >= 0)
        ::close(static_cast<int>(handle_));
}

std::optional<QString> PrivateAppendFile::open(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return reason(errno);
    // An older file is narrowed as well; a device (/dev/full) or somebody else's file is left alone.
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
        (void)::fchmod(fd, st.st_mode & 0700);
    handle_ = fd;
    return std::nullopt;
}

std::optional<QString> PrivateAppendFile::write(const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(static_cast<int>(handle_), data, static_cast<std::size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return reason(n == 0 ? EIO : errno);
        data += n;
        left -= n;
    }
    return std::nullopt;
}

} // namespace alvetra
