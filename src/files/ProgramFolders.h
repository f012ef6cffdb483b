#pragma once
// Where the program finds the files it ships with and where it keeps the user's own.
//
// Run from the build tree (or unpacked into one folder) everything lives beside the executable,
// as the fitters know it: the car databases, "Ikony/", the manual and "Serkano.ini". Installed
// (the executable in <prefix>/bin, its data in <prefix>/share/alvetra) the shipped files are
// read from the data folder, which belongs to the package manager; the preferences then go to the
// user's configuration folder and the file dialogs start in the user's home folder. On Windows
// the program's folder holds everything; when it takes no files (Program Files) the preferences
// go to the user's roaming application data and the file dialogs start in the user's documents.
//
//   const ProgramFolders folders = ProgramFolders::forExecutable(QCoreApplication::applicationDirPath());
//   CarDatabase::load(QDir(folders.data).filePath("MZRAv14.txt"));

#include <QString>

namespace alvetra {

struct ProgramFolders {
    QString data;           // car databases, "Ikony/", the manual
    QString preferences;    // where "Serkano.ini" is kept when that folder can be written
    QString documents;      // the folder the file dialogs start in until the user picks one
    bool installed = false; // the data folder is <prefix>/share/alvetra

    // The data folder's name below the installation prefix.
    static QString installedDataPath();   // "share/alvetra"

    // Folders for an executable in `executableFolder`. The installed layout is recognised by the
    // data folder beside the executable's parent (`../share/alvetra`) holding the car databases;
    // anything else is taken for a folder that holds everything.
    static ProgramFolders forExecutable(const QString &executableFolder);

    // The same for the running program.
    static ProgramFolders ofThisProgram();

    // Whether a file can be created in `folder` now: tried with a temporary file, since on
    // Windows a folder's attributes say nothing of its access list (Program Files is not
    // read-only, yet only an administrator may write there).
    static bool takesFiles(const QString &folder);

    // Where the user's own preferences go when the program's folder takes no files: the
    // configuration folder on Linux (~/.config/alvetra), the roaming application data on
    // Windows (%APPDATA%\alvetra), which follows the user from one workshop computer to another.
    static QString userPreferencesFolder();
};

} // namespace alvetra
