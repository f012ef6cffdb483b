// The console and file permissions of Windows for the password input.

#include "cli/PasswordInput.h"

#include <windows.h>
#include <aclapi.h>

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

namespace {

// The user this program runs as; empty when the token cannot be read.
std::string currentUserSid()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return {};
    std::string buffer(256, '\0');
    DWORD size = 0;
    const bool read = GetTokenInformation(token, TokenUser, buffer.data(), static_cast<DWORD>(buffer.size()), &size);
    CloseHandle(token);
    if (!read)
        return {};
    const auto *user = reinterpret_cast<const TOKEN_USER *>(buffer.data());
    return std::string(static_cast<const char *>(user->User.Sid), GetLengthSid(user->User.Sid));
}

// Whom an access list may let read a user's private file: the user, the file's owner, the
// system and the administrators (who may read any file anyway).
bool mayReadPrivateFiles(PSID sid, PSID owner, const std::string &user)
{
    return EqualSid(sid, owner) ||
           (!user.empty() && EqualSid(sid, const_cast<char *>(user.data()))) ||
           IsWellKnownSid(sid, WinLocalSystemSid) || IsWellKnownSid(sid, WinBuiltinAdministratorsSid) ||
           IsWellKnownSid(sid, WinCreatorOwnerSid);
}

} // namespace

QString ownerOnlyCommand(const QString &shown)
{
    // Inherited entries removed, the user's own read kept: what othersMayRead accepts.
    return QStringLiteral("icacls \"%1\" /inheritance:r /grant:r \"%USERNAME%\":R").arg(shown);
}

bool othersMayRead(const QString &path)
{
    // Windows keeps who may read a file in its access list: any entry that lets someone else
    // read it counts (a list that is missing lets everybody). Denying entries are not weighed:
    // a file they would protect is refused all the same, which errs on the safe side.
    PSID owner = nullptr;
    PACL access = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(reinterpret_cast<const wchar_t *>(path.utf16()), SE_FILE_OBJECT,
                              OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner, nullptr, &access,
                              nullptr, &descriptor) != ERROR_SUCCESS)
        return false;   // the file cannot be read either; opening it says so
    const std::string user = currentUserSid();
    bool shared = access == nullptr;
    for (DWORD i = 0; access && i < access->AceCount && !shared; ++i) {
        void *entry = nullptr;
        if (!GetAce(access, i, &entry) || static_cast<ACE_HEADER *>(entry)->AceType != ACCESS_ALLOWED_ACE_TYPE)
            continue;
        const auto *allowed = static_cast<ACCESS_ALLOWED_ACE *>(entry);
        const bool reads = (allowed->Mask & (FILE_READ_DATA | GENERIC_READ | GENERIC_ALL)) != 0;
        shared = reads && !mayReadPrivateFiles(const_cast<DWORD *>(&allowed->SidStart), owner, user);
    }
    LocalFree(descriptor);
    return shared;
}

} // namespace alvetra::cli
