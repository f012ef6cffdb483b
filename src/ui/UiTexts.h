#pragma once
// The main window's own Polish texts: captions, hints, titles and messages. The program shows
// them exactly as written here, typing errors included.

#include "alarm/SettingsTexts.h"

#include <QString>
#include <QStringList>
#include <array>

namespace alvetra::uitexts {

inline const QString kApplicationTitle = QStringLiteral("Alvetra 1.61");

// Tool bar hints.
inline const QString kHintOtworz = QStringLiteral("Odczyt ustawień z pliku");
inline const QString kHintZapisz = QStringLiteral("Zapis ustawień do pliku");
inline const QString kHintWyjscie = QStringLiteral("Wyjście z programu");
inline const QString kHintPort = QStringLiteral("Wybór portu COM");
inline const QString kHintPortSpeed = QStringLiteral("Wybór prędkości portu RS232 - 19200");
inline const QString kSpeedUnlockHint = QStringLiteral("Odblokowanie ustawienia prędkości portu szeregowego");
inline const QString kHintLedTx = QStringLiteral("Transmisja danych przez port RS232.");
inline const QString kHintLedRx = QStringLiteral("Odczyt danych z portu RS232.");
inline const QString kHintLedCrc = QStringLiteral("Błąd sumy kontrolnej portu RS232");
inline const QString kHintResetRs232 = QStringLiteral("Reaet portu RS232");
inline const QString kCaptionPdf = QStringLiteral("H");
inline const QString kCaptionBackups = QStringLiteral("Kopie zapasowe");
// The owner's papers (InstallationSheetDialog).
inline const QString kCaptionSheet = QStringLiteral("Karta montażu");
inline const QString kHintSheet = QStringLiteral("Karta montażu dla właściciela i ubezpieczyciela, karta kodowa");
inline const QString kSheetNeedsTheUnitsSettings = QStringLiteral(
    "Karta montażu opisuje ustawienia, które centrala ma w pamięci.\rOdczytaj centralę albo zapisz do niej "
    "zmienione ustawienia (zakładki oznaczone gwiazdką) i spróbuj ponownie.");
inline const QString kSheetWorkshopName = QStringLiteral("Warsztat:");
inline const QString kSheetWorkshopAddress = QStringLiteral("Adres warsztatu:");
inline const QString kSheetWorkshopPhone = QStringLiteral("Telefon warsztatu:");
inline const QString kSheetMake = QStringLiteral("Marka:");
inline const QString kSheetModel = QStringLiteral("Model:");
inline const QString kSheetRegistration = QStringLiteral("Numer rejestracyjny:");
inline const QString kSheetVin = QStringLiteral("Numer VIN:");
inline const QString kSheetCodeCard = QStringLiteral("Także karta kodowa dla właściciela (kod awaryjny i kody autoryzacji)");
inline const QString kSheetSave = QStringLiteral("Zapisz PDF...");
inline const QString kSheetClose = QStringLiteral("Zamknij");
inline const QString kSheetFilter = QStringLiteral("Dokument PDF (*.pdf)");
inline const QString kSheetFileName = QStringLiteral("Karta montażu %1.pdf");
inline const QString kSheetCardSuffix = QStringLiteral(" - karta kodowa");

inline const QString kHintBackups = QStringLiteral("Ustawienia zapisane przy każdym odczycie centralki");

// The list of backups.
inline const QString kBackupsTitle = QStringLiteral("Kopie zapasowe");
inline const QString kBackupsUnitColumn = QStringLiteral("Centrala");
inline const QString kBackupsDateColumn = QStringLiteral("Data odczytu");
inline const QString kBackupsNone = QStringLiteral("Nie ma jeszcze kopii zapasowych.");
inline const QString kBackupsFolder = QStringLiteral("Folder: %1");
inline const QString kBackupsOpen = QStringLiteral("Otwórz");
inline const QString kBackupsCancel = QStringLiteral("Anuluj");

// Connection panel.
using tabtexts::kHasloDostepu;
inline const QString kHintHasloInst = QStringLiteral("Hasło dostępu do alarmu przez programator");
inline const QString kPolacz = QStringLiteral("&Połącz");
inline const QString kHintPolacz = QStringLiteral("Połączenie z centralką alarmową");
inline const QString kZapisAll = QStringLiteral("&Zapis wszystkich zakładek");
inline const QString kHintZapisAll = QStringLiteral("Programuje wszystkie ustawienia.");

// Tab captions (with the settings texts) and the titles at the top of each tab's panel, in page order.
using tabtexts::kTabCaptions;
inline const std::array<QString, 10> kTabTitles = {
    QStringLiteral("Zmiana hasel i kodów"),
    QStringLiteral("Ustawienia potwierdzeń kierunkami i mrugania kierunkami."),
    QStringLiteral("Ustawienia sygnałów zamka centralnego"),
    QStringLiteral("Ustawienia blokady przeciwkradzieżowej."),
    QStringLiteral("Ustawienia blokady antynapadowej."),
    QStringLiteral("Ponowne uzbrojenie."),
    QStringLiteral("Historia zdarzeń."),
    QStringLiteral("Tryb pracy alarmu."),
    QStringLiteral("Programowanie pilotów"),
    QStringLiteral("Monitoring alarmu.")};
inline const QString kMonitorCaption = QStringLiteral("Monitor");
// The blanks widen the only visible tab across the tab row.
inline const QString kNoAccessCaption = QString(84, QLatin1Char(' '))
    + QStringLiteral("Brak dostępu do programowania - tylko Monitor") + QString(81, QLatin1Char(' '));

// Action captions.
inline const QString kWriteActionCaption = QStringLiteral("&Zapis");
inline const QString kActionKasowanieHistorii = QStringLiteral("&Kasowanie");
inline const QString kLearnActionCaption = QStringLiteral("Programowanie");
inline const QString kEraseActionCaption = QStringLiteral("Kasowanie");
inline const QString kReadActionCaption = QStringLiteral("&Odczyt");
inline const QString kActionOpenSettings = QStringLiteral("OpenSe");
inline const QString kActionSaveAllSettings = QStringLiteral("ActionSaveAllSettings");
inline const QString kActionZamykanieAplikacji = QStringLiteral("ZamykanieAplikacji");
inline const QString kActionShowWorningCom = QStringLiteral("Informacja");

// File dialogs.
inline const QString kOpenDialogTitle = QStringLiteral("Otwórz plik z ustawieniami");
inline const QString kSaveDialogTitle = QStringLiteral("Zapisz plik z ustawieniami");
inline const QStringList kSettingsFileFilters = {
    QStringLiteral("Pliki ustawień alarmu (*.alm)"),
    QStringLiteral("Pliki ustawień alarmu do centralek v1.4 (*.v14)"),
    QStringLiteral("Wszystkie pliki (*)")};
inline const QString kSaveDialogInitialName = QStringLiteral(".alm");

// Start-up.
inline const QString kNoSerialPorts = QStringLiteral("Nie wykryto w systemie portów szeregowych COM.");
inline const QString kUwagaHasla =
    QStringLiteral("Uwaga. Kody można wprowadzać klikając lewą myszą krótko i długo\r"
                   "na przycisk z czerwoną kropką, lub wpisując litery \"k\" lub \"d\"\r"
                   "oznaczające odpowiednio krótkie i długie przyciśnięcie");
inline const QString kOpisZwlokiAntynapad =
    QStringLiteral("Po czasie zwłoki rozpoczyna się procedura przypominająca o konieczności autoryzacji, "
                   "a następnie włącza się syrena na 30 sekund\r"
                   "i światła awaryjne do autoryzowania blokady. Pojazd nie zostaje zatrzymany, natomiast "
                   "po wyłączeniu stacyjki niemożliwe jest\r"
                   "jego ponowne uruchomienie. Ponowne włączenie stacyjki włącza syrnę na 30 sekund.");

// A text with carriage returns between its lines as a label shows it (labels break at line feeds).
inline QString labelText(QString text)
{
    return text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

// An error that ended a handler and carries no text of its own.
inline const QString kUnknownError = QStringLiteral("Nieznany błąd.");

// The manual beside the executable.
inline const QString kManualFileName = QStringLiteral("Autoalrm Tervona CAN read.pdf");

// Comparing the settings and writing what changed.
inline const QString kCompareCaption = QStringLiteral("Porównaj...");
inline const QString kCompareHint = QStringLiteral("Porównanie ustawień w oknie z pamięcią centrali lub z plikiem");
inline const QString kCompareWithUnit = QStringLiteral("z pamięcią centrali (ostatni odczyt lub zapis)");
inline const QString kCompareWithFile = QStringLiteral("z plikiem ustawień...");
inline const QString kCompareFileDialogTitle = QStringLiteral("Porównaj z plikiem ustawień");
inline const QString kWriteChangedCaption = QStringLiteral("Zapisz zmienione");
inline const QString kWriteChangedHint = QStringLiteral("Programuje tylko ustawienia zmienione od ostatniego odczytu.");
inline const QString kCompareTitle = QStringLiteral("Porównanie ustawień");
inline const QString kConfirmWriteTitle = QStringLiteral("Potwierdzenie zapisu");
inline const QString kCompareWithUnitIntro = QStringLiteral("Ustawienia w oknie różniące się od pamięci centrali:");
inline const QString kCompareWithFileIntro = QStringLiteral("Ustawienia w oknie różniące się od pliku %1:");
inline const QString kConfirmWriteIntro =
    QStringLiteral("Zapis zmieni w centrali także ustawienia spoza widocznej zakładki:");
inline const QString kFlagsWordLegend =
    QStringLiteral("Słowo opcji wysyła zapis każdej z grup: kierunki, zamki, przeciwkradzież, antynapad, "
                   "ponowne uzbrojenie i analiza magistrali CAN.");
inline const QStringList kChangesColumns = {QStringLiteral("Zakładka"), QStringLiteral("Ustawienie"),
                                            QStringLiteral("W oknie"), QStringLiteral("W centrali"),
                                            QStringLiteral("Grupy zapisu")};
inline const QString kFileColumn = QStringLiteral("W pliku");
inline const QString kWriteButton = QStringLiteral("Zapisz");
inline const QString kCancelButton = QStringLiteral("Anuluj");
inline const QString kCloseButton = QStringLiteral("Zamknij");
inline const QString kNoDifferences = QStringLiteral("Ustawienia są takie same.");
inline const QString kNotReadYet = QStringLiteral("Najpierw odczytaj ustawienia z centrali.");
// After the caption of a tab whose settings differ from the unit's memory.
inline const QString kChangedMark = QStringLiteral("*");

} // namespace alvetra::uitexts
