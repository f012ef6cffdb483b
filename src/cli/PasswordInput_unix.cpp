// The terminal and file permissions of Unix for the password input.

#include "cli/PasswordInput.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace alvetra::cli {

namespace {

// Echo off for its lifetime; the terminal as it was afterwards, also when reading fails.
class EchoOff {
public:
    EchoOff()
    {
        if (::tcgetattr(STDIN_FILENO, &saved_) != 0)
            return;
        termios quiet = saved_;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        quiet.c_lflag |= ECHONL;
        // Nothing typed ahead is thrown away (TCSAFLUSH would leave the reader waiting for it).
        active_ = ::tcsetattr(STDIN_FILENO, TCSANOW, &quiet) == 0;
    }
    ~EchoOff()
    {
        if (active_)
            ::tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
    }
    EchoOff(const EchoOff &) = delete;
    EchoOff &operator=(const EchoOff &) = delete;

private:
    termios saved_{};
    bool active_ = false;
};

} // namespace

bool StandardTerminal::isTerminal() const
{
    return ::isatty(STDIN_FILENO) == 1;
}

std::optional<QString> StandardTerminal::ask(const QString &prompt)
{
    // Echo off before the question shows: whatever is typed once it is there is never echoed.
    EchoOff echoOff;
    const QByteArray shown = prompt.toUtf8();
    if (::write(STDERR_FILENO, shown.constData(), static_cast<size_t>(shown.size())) < 0)
        return std::nullopt;
    // Byte by byte from the descriptor: nothing after the line is taken from the input.
    std::string line;
    char c = 0;
    for (;;) {
        const ssize_t n = ::read(STDIN_FILENO, &c, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return std::nullopt;
        if (c == '\n')
            break;
        if (c != '\r')
            line.push_back(c);
    }
    return QString::fromStdString(line);
}

QString ownerOnlyCommand(const QString &shown)
{
    return QStringLiteral("chmod 600 %1").arg(shown);
}

bool othersMayRead(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    return (st.st_mode & (S_IRGRP | S_IROTH)) != 0;
}

} // namespace alvetra::cli
