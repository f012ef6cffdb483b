#pragma once
// The Polish texts of the alarm operations. Typing errors are the program's own and stay as
// they are. CR ("\r") separates the lines of a message box.

#include <QString>

namespace alvetra::texts {

// Shown with every grant of full access and after writing a block or re-arming.
inline const QString kBlocksInactiveWarning = QStringLiteral(
    "Podczas działania aplikacji, gdy wszystkie zakładki są widoczne,\r"
    "blokady antynapadowa i przeciwkradzieżowa oraz ponowne uzbrojenie\r"
    "nie są aktywne, nawet jeśli są zaprogramowane.");

// Login.
inline const QString kUnitNotAnswering = QStringLiteral("Alarm nie odpowiada.");
inline const QString kWrongAccessPassword = QStringLiteral("Hasło dostępu do programowania komputerem niepoprawne.");
inline const QString kAlarmArmed = QStringLiteral("Alarm uzbrojony.");
inline const QString kAntiTheftBlockActive = QStringLiteral(
    "Aby się połączyć autoryzuj blokadę antykradzieżową\r"
    "i połącz się przed jej ponownym uzbrojeniem.\rUWAGA!\r") + kBlocksInactiveWarning;
inline const QString kAntiHijackBlockActive = QStringLiteral(
    "Aby się połączyć autoryzuj blokadę antynapadową\r"
    "i połącz się przed jej ponownym uzbrojeniem.\rUWAGA!\r") + kBlocksInactiveWarning;

// A writing operation's login found another unit than the one the settings were read from.
inline const QString kOtherUnitConnectedBox = QStringLiteral(
    "Do portu podłączono inną centralkę.\r"
    "Aby ją programować, odczytaj najpierw jej ustawienia (Odczyt).");
inline const QString kOtherUnitConnected = QStringLiteral("Do portu podłączono inną centralkę.");

// The port is not open, also after one reopening.
inline const QString kPortNotOpenBox = QStringLiteral(
    "Port RS232 nie jest otwarty.\r"
    "Podłącz przejściówkę i naciśnij Reset portu RS232.");
inline const QString kPortNotOpen = QStringLiteral("Port RS232 nie jest otwarty.");

// Connecting.
inline const QString kConnected = QStringLiteral("Połączono z centralą.");
inline const QString kConnectedWarning = QStringLiteral("UWAGA !\r") + kBlocksInactiveWarning;

// Reading.
inline const QString kReadProgress = QStringLiteral("Odczyt: ");
inline const QString kReadDone = QStringLiteral("Odczytano");
// The read succeeded, its backup could not be written (told once, until a backup is written).
inline const QString kBackupNotWritten = QStringLiteral("Nie zapisano kopii zapasowej.");
inline const QString kReadDoneBackupNotWritten = kReadDone + QStringLiteral(". ") + kBackupNotWritten;
inline const QString kConnectedBackupNotWritten = kConnected + QStringLiteral(" ") + kBackupNotWritten;

// Writing the changed groups when the window holds what the unit holds.
inline const QString kNothingChanged = QStringLiteral("Ustawienia nie różnią się od zapisanych w centrali.");

// Group writes: start text, success text, failure box text, failure status text.
inline const QString kPcPasswordProgress = QStringLiteral("Zapis hasła PC: ");
inline const QString kPcPasswordDone = QStringLiteral("Zapisano hasło PC");
inline const QString kPcPasswordFailedBox = QStringLiteral("Błąd zapisu hasła PC.");
inline const QString kPcPasswordFailed = QStringLiteral("Błąd zapisu hasła PC");

inline const QString kCodesProgress = QStringLiteral("Zapis kodów: ");
inline const QString kCodesDone = QStringLiteral("Zapisano kody");
inline const QString kCodesFailedBox = QStringLiteral("Błąd zapisu kodów.");
inline const QString kCodesFailed = QStringLiteral("Błąd zapisu kodów");

inline const QString kTurnSignalsProgress = QStringLiteral("Zapis kierunków: ");
inline const QString kTurnSignalsDone = QStringLiteral("Zapisano kierunki");
inline const QString kTurnSignalsFailedBox = QStringLiteral("Błąd zapisu kierunków");
inline const QString kTurnSignalsFailed = QStringLiteral("Błąd zapisu kierunków");

inline const QString kLocksProgress = QStringLiteral("Zapis zamków: ");
inline const QString kLocksDone = QStringLiteral("Zapisano zamki");
inline const QString kLocksFailedBox = QStringLiteral("Błąd zapisu zamków");
inline const QString kLocksFailed = QStringLiteral("Błąd zapisu zamków");

inline const QString kAntiTheftProgress = QStringLiteral("Zapis przeciwkradzieży: ");
inline const QString kAntiTheftDone = QStringLiteral("Zapisano przeciwkradzież");
inline const QString kAntiTheftFailedBox = QStringLiteral("Błąd zapisu przeciwkradizeży");
inline const QString kAntiTheftFailed = QStringLiteral("Błąd zapisu przeciwkradizeży");

inline const QString kAntiHijackProgress = QStringLiteral("Zapis antynapad: ");
inline const QString kAntiHijackDone = QStringLiteral("Zapisano antynapad");
inline const QString kAntiHijackFailedBox = QStringLiteral("Błąd zapisu antynapadu.");
inline const QString kAntiHijackFailed = QStringLiteral("Błąd zapisu antynapadu");

inline const QString kRearmingProgress = QStringLiteral("Zapis ponowne uzbrojenie: ");
inline const QString kRearmingDone = QStringLiteral("Zapisano ponowne uzbrojenie");
inline const QString kRearmingFailedBox = QStringLiteral("Błąd zapisu ponownego uzbrojenia");
inline const QString kRearmingFailed = QStringLiteral("Błąd zapisu ponownego uzbrojenia");

inline const QString kCanGroupProgress = QStringLiteral("Zapis CAN: ");
inline const QString kCanGroupDone = QStringLiteral("Zapisano CAN");
inline const QString kCanGroupFailedBox = QStringLiteral("Błąd zapisu CAN.");
inline const QString kCanGroupFailed = QStringLiteral("Błąd zapisu CAN");

inline const QString kCanOptionsProgress = QStringLiteral("Zapis ustawień analizy magistrali CAN:");
inline const QString kCanOptionsDone = QStringLiteral("Zapis ustawień analizy magistrali CAN");
inline const QString kCanOptionsFailedBox = QStringLiteral("Błąd zapisu ustawień analizy magistrali CAN");
inline const QString kCanOptionsFailed = QStringLiteral("Błąd zapisu ustawień analizy magistrali CAN");

// After a block or re-arming has been written switched on.
inline const QString kAntiTheftProgrammed = QStringLiteral("Wprogramowano blokadę antykradzieżową.\rUWAGA!\r") + kBlocksInactiveWarning;
inline const QString kAntiHijackProgrammed = QStringLiteral("Wprogramowano blokadę antynapadową.\rUWAGA!\r") + kBlocksInactiveWarning;
inline const QString kRearmingProgrammed = QStringLiteral("Wprogramowano ponowne uzbrajanie.\rUWAGA!\r") + kBlocksInactiveWarning;

// Writing all groups; %1 written, %2 total.
inline const QString kWrittenSome = QStringLiteral("Zaprogramowano %1 pozycji z %2");
inline const QString kWrittenAll = QStringLiteral("Zapisano wszystkie pozycje");

// Clearing the history.
inline const QString kHistoryClearProgress = QStringLiteral("Kasowanie historii: ");
inline const QString kHistoryCleared = QStringLiteral("Skasowano historię");
inline const QString kHistoryClearFailedBox = QStringLiteral("Błąd kasowania historii.");
inline const QString kHistoryClearFailed = QStringLiteral("Błąd kasowania historii");

// Learning remotes and tokens; %1 the number learnt.
inline const QString kLearnedOneRemote = QStringLiteral("Zaprogramowano 1 pilot.");
inline const QString kLearnedRemotes = QStringLiteral("Zaprogramowano %1 piloty.");
inline const QString kLearnedOneToken = QStringLiteral("Zaprogramowano 1 token.");
inline const QString kLearnedTokens = QStringLiteral("Zaprogramowano %1 tokeny.");
inline const QString kLearningFailedBox = QStringLiteral("Błąd programowania pilotów.");
inline const QString kLearningFailed = QStringLiteral("Błąd programowania pilotów");

// Erasing remotes or tokens.
inline const QString kEraseProgress = QStringLiteral("Kasowanie: ");
inline const QString kErased = QStringLiteral("Skasowano.");
inline const QString kEraseFailed = QStringLiteral("Błąd kasowania.");

// Settings files; followed by the file's full path. The status line is kFinalStatusWidth wide: a
// file carried into the other layout says so before the path, which may be cut.
inline const QString kFileOpened = QStringLiteral("Otworzono plik ");
inline const QString kFileConvertedFromV14 = QStringLiteral("Plik v1.4 przepisano na układ nowszych centralek: ");
inline const QString kFileConvertedToV14 = QStringLiteral("Plik nowszej centralki przepisano na układ v1.4: ");

} // namespace alvetra::texts
