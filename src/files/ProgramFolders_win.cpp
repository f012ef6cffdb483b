#include "files/ProgramFolders.h"

#include <QDir>

#include <windows.h>
#include <shlobj.h>

namespace alvetra {

QString ProgramFolders::userPreferencesFolder()
{
    // The roaming application data (%APPDATA%), not the local one, which stays on one computer.
    wchar_t *roaming = nullptr;
    QString folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &roaming)))
        folder = QDir::fromNativeSeparators(QString::fromWCharArray(roaming));
    CoTaskMemFree(roaming);
    return folder.isEmpty() ? QString() : QDir(folder).filePath(QStringLiteral("alvetra"));
}

} // namespace alvetra
