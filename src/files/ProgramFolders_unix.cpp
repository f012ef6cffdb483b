#include "files/ProgramFolders.h"

#include <QDir>
#include <QStandardPaths>

namespace alvetra {

QString ProgramFolders::userPreferencesFolder()
{
    // XDG_CONFIG_HOME, or ~/.config without it.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)).filePath(QStringLiteral("alvetra"));
}

} // namespace alvetra
