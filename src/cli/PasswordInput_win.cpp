// The console and file permissions of Windows for the password input.

#include "cli/PasswordInput.h"

#include <windows.h>

#include <string>

namespace alvetra::cli {

namespace {

// Echo off for its lifetime; the console as it was afterwards.
class EchoOff {
public:
    explicit EchoOff(HANDLE input) : input_(input)
    {
        if (!GetConsoleMode(input_, &saved_))
            return;
        active_ = SetConsoleMode(input_, saved_ & ~static_cast<DWORD>(ENABLE_ECHO_INPUT)) != 0;
    }
    ~EchoOff()
    {
        if (active_)
            SetConsoleMode(input_, saved_);
    }
    EchoOff(const EchoOff &) = delete;
    EchoOff &operator=(const EchoOff &) = delete;

private:
    HANDLE input_;
    DWORD saved_ = 0;
    bool active_ = false;
};

} // namespace

bool StandardTerminal::isTerminal() const
{
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

std::optional<QString> StandardTerminal::ask(const QString &prompt)
{
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    // Echo off before the question shows, as on Linux.
    EchoOff echoOff(input);
    DWORD written = 0;
    WriteConsoleW(error, prompt.utf16(), static_cast<DWORD>(prompt.size()), &written, nullptr);
    std::wstring line;
    wchar_t c = 0;
    DWORD got = 0;
    while (ReadConsoleW(input, &c, 1, &got, nullptr) && got == 1) {
        if (c == L'\n')
            break;
        if (c != L'\r')
            line.push_back(c);
    }
    WriteConsoleW(error, L"\r\n", 2, &written, nullptr);
    if (got != 1)
        return std::nullopt;
    return QString::fromStdWString(line);
}

bool othersMayRead(const QString &)
{
    // Windows keeps who may read a file in its access list, not in mode bits; a file in the
    // user's profile is the user's alone unless shared on purpose. Not checked here yet.
    return false;
}

} // namespace alvetra::cli
