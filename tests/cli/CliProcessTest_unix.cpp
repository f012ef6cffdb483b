// alvetra-cli as its own process, where the test needs what only a process has: a terminal as
// its standard input, or another user.

#include "sim/PtyServer.h"
#include "sim/SimulatedUnit.h"

#include <QFile>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <pty.h>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace alvetra;

namespace {

// Everything the child writes to the terminal until it ends or `limitMs` passes; `typed` is
// typed once `prompt` has appeared.
std::string converse(int master, const std::string &prompt, const std::string &typed, int limitMs)
{
    std::string seen;
    bool answered = false;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (std::chrono::steady_clock::now() < end) {
        pollfd p{master, POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0)
            continue;
        char buffer[256];
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n <= 0)
            break;   // the child closed the terminal
        seen.append(buffer, std::size_t(n));
        if (!answered && seen.find(prompt) != std::string::npos) {
            answered = true;
            EXPECT_EQ(::write(master, typed.data(), typed.size()), ssize_t(typed.size()));
        }
    }
    return seen;
}

int exitStatusOf(pid_t child)
{
    int status = 0;
    for (int i = 0; i < 100 && ::waitpid(child, &status, WNOHANG) == 0; ++i)
        ::usleep(100000);
    if (::waitpid(child, &status, WNOHANG) == 0) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(CliProcess, OnATerminalThePasswordIsAskedWithoutEcho)
{
    int master = -1;
    const pid_t child = ::forkpty(&master, nullptr, nullptr, nullptr);
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::unsetenv("ALVETRA_PASSWORD");
        ::execl(ALVETRA_CLI, "alvetra-cli", "info", "--simulator", static_cast<char *>(nullptr));
        ::_exit(127);
    }
    const std::string seen = converse(master, "Hasło dostępu: ", "1234\n", 20000);
    ::close(master);
    EXPECT_EQ(exitStatusOf(child), 0) << seen;
    EXPECT_NE(seen.find("Dostęp: pełny dostęp do programowania"), std::string::npos) << seen;
    EXPECT_EQ(seen.find("1234"), std::string::npos) << "the password was echoed: " << seen;
}

TEST(CliProcess, AUserWithoutPermissionForThePortExitsNine)
{
    sim::SimulatedUnit unit;
    sim::PtyServer server(unit);
    ASSERT_TRUE(server.startPty());
    const QByteArray device = QFile::encodeName(server.devicePath());
    ASSERT_EQ(::chmod(device.constData(), 0600), 0);
    // Root may open anything: the command runs as nobody then (the suite runs as root).
    const passwd *nobody = ::getpwnam("nobody");
    if (::geteuid() == 0) {
        ASSERT_NE(nobody, nullptr);
    }

    int output[2];
    ASSERT_EQ(::pipe(output), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::dup2(output[1], STDERR_FILENO);
        if (::geteuid() == 0 && (::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0))
            ::_exit(126);
        ::setenv("HOME", "/tmp", 1);
        ::execl(ALVETRA_CLI, "alvetra-cli", "info", "--port", device.constData(), "--password", "1234",
                static_cast<char *>(nullptr));
        ::_exit(127);
    }
    ::close(output[1]);
    std::string err;
    char buffer[256];
    for (ssize_t n; (n = ::read(output[0], buffer, sizeof buffer)) > 0;)
        err.append(buffer, std::size_t(n));
    ::close(output[0]);
    EXPECT_EQ(exitStatusOf(child), 9) << err;
    EXPECT_NE(err.find("Brak uprawnień"), std::string::npos) << err;
}
