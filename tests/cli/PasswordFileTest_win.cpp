// Who may read a password file on Windows: its access list, as the system keeps it.

#include "cli/PasswordInput.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <windows.h>
#include <aclapi.h>

using namespace alvetra;

namespace {

// Gives the file an access list of its own (none inherited): full access for the owner, and read
// access for everybody as well when `everybody`.
bool setReaders(const QString &path, bool everybody)
{
    HANDLE token = nullptr;
    char user[256];
    DWORD size = 0;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    GetTokenInformation(token, TokenUser, user, sizeof user, &size);
    CloseHandle(token);
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);

    EXPLICIT_ACCESS_W entries[2]{};
    entries[0].grfAccessPermissions = GENERIC_ALL;
    entries[0].Trustee.TrusteeType = TRUSTEE_IS_USER;
    entries[0].Trustee.ptstrName = static_cast<LPWSTR>(reinterpret_cast<TOKEN_USER *>(user)->User.Sid);
    entries[1].grfAccessPermissions = GENERIC_READ;
    entries[1].Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
    entries[1].Trustee.ptstrName = static_cast<LPWSTR>(everyone);
    for (EXPLICIT_ACCESS_W &entry : entries) {
        entry.grfAccessMode = SET_ACCESS;
        entry.grfInheritance = NO_INHERITANCE;
        entry.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    }
    PACL list = nullptr;
    const bool built = SetEntriesInAclW(everybody ? 2 : 1, entries, nullptr, &list) == ERROR_SUCCESS;
    std::wstring name = path.toStdWString();
    const bool set = built && SetNamedSecurityInfoW(name.data(), SE_FILE_OBJECT,
                                                    DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                                                    nullptr, nullptr, list, nullptr) == ERROR_SUCCESS;
    LocalFree(list);
    FreeSid(everyone);
    return set;
}

} // namespace

TEST(PasswordFileOnWindows, AFileEverybodyMayReadIsSharedAndOneOfTheOwnerAloneIsNot)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("haslo.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("1234\n");
    file.close();

    ASSERT_TRUE(setReaders(path, false));
    EXPECT_FALSE(cli::othersMayRead(path));
    ASSERT_TRUE(setReaders(path, true));
    EXPECT_TRUE(cli::othersMayRead(path));
}
