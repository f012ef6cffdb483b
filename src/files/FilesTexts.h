#pragma once
// The Polish texts of settings files, firmware families and the car database. Typing errors are
// the program's own and stay as they are.

#include <QString>

namespace alvetra::texts {

// Car database.
inline const QString kCarDatabaseMissing = QStringLiteral("Brak pliku z bazą danych o samochodach!");
inline const QString kCarDatabaseEmpty = QStringLiteral("Plik z bazą danych o samochodach jest pusty.");

// Firmware the program does not know.
inline const QString kNewerFirmware = QStringLiteral(
    "Ta centralka ma nowsze oprogramowanie.\rTą wersję oprogramowania na komputer należy uaktualnic.");
inline const QString kOlderFirmware = QStringLiteral(
    "Ta centralka ma stare oprogramowanie.\rTa wersja oprogramowania na komputer jest dla nowszych centralek.");

// Settings-file dialogs: titles and the three filters in their order (index 1 to 3).
inline const QString kOpenDialogTitle = QStringLiteral("Otwórz plik z ustawieniami");
inline const QString kSaveDialogTitle = QStringLiteral("Zapisz plik z ustawieniami");
inline const QString kFilterAlm = QStringLiteral("Pliki ustawień alarmu (*.alm)");
inline const QString kFilterV14 = QStringLiteral("Pliki ustawień alarmu do centralek v1.4 (*.v14)");
inline const QString kFilterAll = QStringLiteral("Wszystkie pliki (*)");

// Settings-file input and output; %1 is the file's path, %2 the system's reason.
inline const QString kSettingsFileCannotOpen = QStringLiteral("Nie można otworzyć pliku %1.\r%2");
inline const QString kSettingsFileCannotRead = QStringLiteral("Błąd odczytu pliku %1.\r%2");
inline const QString kSettingsFileCannotWrite = QStringLiteral("Nie można zapisać pliku %1.\r%2\rPoprzednia zawartość pliku nie została zmieniona.");
// The reasons given in place of the system's text where the cause is plain.
inline const QString kReasonNoSuchFile = QStringLiteral("Taki plik nie istnieje.");
inline const QString kReasonNoSuchFolder = QStringLiteral("Taki folder nie istnieje.");
inline const QString kReasonIsAFolder = QStringLiteral("To jest folder, a nie plik.");
inline const QString kReasonDiskFull = QStringLiteral("Brak miejsca na dysku.");
inline const QString kSettingsFileTooLarge = QStringLiteral(
    "Plik %1 nie jest plikiem ustawień alarmu: ma %2 bajtów, a może mieć najwyżej 65535.");

// Backups; %1 is the folder.
inline const QString kBackupFolderCannotBeMade = QStringLiteral("Nie można utworzyć folderu %1.");

} // namespace alvetra::texts
