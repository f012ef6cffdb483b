#pragma once
// The Polish texts of alvetra-cli, and its help in Polish and English. The unit's and the
// files' own messages come from the layers below, as the window shows them.

#include <QString>

namespace alvetra::clitexts {

inline const QString kHelp = QStringLiteral(
    "Użycie / Usage: alvetra-cli POLECENIE [OPCJE]\n"
    "\n"
    "Polecenia / Commands:\n"
    "  info --port URZĄDZENIE [HASŁO]\n"
    "      Loguje się i wypisuje identyfikację, rodzinę, teksty odpowiedzi 6 i 7 oraz poziom dostępu.\n"
    "      Logs in; prints the identification, family, texts of requests 6 and 7 and the access level.\n"
    "  read --port URZĄDZENIE [HASŁO] -o PLIK\n"
    "      Odczytuje ustawienia jak przycisk Połącz i zapisuje je do PLIKU (rozszerzenie wg rodziny,\n"
    "      gdy nie podano). PLIK powstaje tylko po pełnym odczycie.\n"
    "      Reads the settings as the window's connect does and saves FILE (extension by family unless\n"
    "      given); FILE is written only after the whole read succeeded.\n"
    "  write --port URZĄDZENIE [HASŁO] PLIK [--groups LISTA]\n"
    "      Odczytuje centralkę, sprawdza, czy PLIK do niej pasuje, i zapisuje grupy ustawień z PLIKU\n"
    "      (wszystkie albo LISTA rozdzielona przecinkami): pc-password, codes, turn-signals,\n"
    "      central-locks, anti-theft, anti-hijack, rearming, can, can-options.\n"
    "      Reads the unit, checks that FILE fits it and writes FILE's settings groups (all, or the\n"
    "      comma-separated LIST above); prints the summary.\n"
    "  history --port URZĄDZENIE [HASŁO]\n"
    "      Historia zdarzeń, jak na zakładce Historia. / The event history as the window lists it.\n"
    "  show PLIK [--json]\n"
    "      Każde ustawienie pliku słowami, w grupach jak zakładki. / Every setting in words, by tab.\n"
    "  diff PLIK_A PLIK_B\n"
    "      Ustawienia, którymi pliki się różnią. / The settings that differ between two files.\n"
    "  ports [--watch]\n"
    "      Porty szeregowe: nazwa, opis urządzenia i stała nazwa (np. /dev/serial/by-id/...). Z --watch\n"
    "      potem wiersz \"+ PORT\" albo \"- PORT\" za każdą przejściówkę włożoną lub wyjętą, aż do Ctrl+C.\n"
    "      The serial ports: name, the device's description and its stable name. With --watch, then a\n"
    "      line \"+ PORT\" or \"- PORT\" for every adapter plugged in or pulled out, until Ctrl+C.\n"
    "  sheet PLIK -o KARTA.pdf [--code-card KODY.pdf] [--car-make MARKA] [--car-model MODEL]\n"
    "        [--registration NUMER] [--vin VIN] [--workshop NAZWA] [--workshop-address ADRES]\n"
    "        [--workshop-phone TELEFON]\n"
    "      Karta montażu (A4, bez hasła i kodów) z pliku ustawień lub kopii zapasowej; z --code-card\n"
    "      także karta kodowa właściciela (kod awaryjny jako wciśnięcia przycisku).\n"
    "      The installation sheet (A4, no password nor code) from a settings file or a backup; with\n"
    "      --code-card the owner's code card too (the emergency code as presses of the button).\n"
    "\n"
    "Opcje wspólne / Common options:\n"
    "  --port URZĄDZENIE     port szeregowy, np. /dev/ttyUSB0 albo COM3 / serial device\n"
    "  --simulator           wbudowana symulowana centrala (hasło 1234) / the built-in simulated unit\n"
    "  --speed BIT/S         prędkość portu (domyślnie 19200) / line speed (default 19200)\n"
    "  --timeout SEKUNDY     najdłuższy czas polecenia / longest time the command may take\n"
    "  --traffic-log PLIK    zapis ruchu na łączu / log of the line's traffic\n"
    "  --traffic-log-secrets hasło PC i kody w dzienniku jawnie (domyślnie zamaskowane)\n"
    "                        / the PC password and the codes in the log in clear (masked by default)\n"
    "  --show-secrets        show, diff: hasło PC i kody jawnie (domyślnie ****)\n"
    "                        / show, diff: the PC password and the codes in clear (**** by default)\n"
    "  -h, --help            ta pomoc / this help\n"
    "  -v, --version         wersja / version\n"
    "\n"
    "Hasło dostępu do programowania komputerem (HASŁO) / PC access password (HASŁO):\n"
    "  --password-file PLIK  pierwszy wiersz PLIKU; inni użytkownicy nie mogą go czytać\n"
    "                        / the first line of FILE, which other users must not be able to read\n"
    "  ALVETRA_PASSWORD      zmienna środowiska / environment variable\n"
    "  --password HASŁO      dla skryptów; widoczne dla innych użytkowników komputera (ps)\n"
    "                        / for scripts; other users of the machine can see it (ps)\n"
    "  Bez żadnego z nich program pyta o hasło na terminalu, bez echa.\n"
    "  / With none of them the program asks on the terminal, without echo.\n"
    "\n"
    "Wyniki na standardowym wyjściu, komunikaty i postęp na standardowym wyjściu błędów.\n"
    "Results go to standard output, messages and progress to standard error.\n"
    "\n"
    "Kod wyjścia / Exit status:\n"
    "  0  powodzenie / success\n"
    "  1  pliki się różnią (diff) / the files differ (diff)\n"
    "  2  błędne wywołanie / wrong command line\n"
    "  3  alarm nie odpowiada (także po --timeout) / the unit does not answer (also after --timeout)\n"
    "  4  niepoprawne hasło dostępu / wrong password\n"
    "  5  odmowa: alarm uzbrojony, aktywna blokada, inna centralka, plik innego układu, grupa\n"
    "     niezapisana / refused: armed, a block active, another unit, a file for another layout,\n"
    "     a group not written\n"
    "  6  plik ustawień nieczytelny lub nie do zapisania, plik z hasłem nieczytelny lub dostępny\n"
    "     dla innych / a settings file unreadable or unwritable, a password file unreadable or\n"
    "     readable by others\n"
    "  7  port nie istnieje lub nie działa z tą prędkością / port missing or refuses the speed\n"
    "  8  port zajęty przez inny program / port busy\n"
    "  9  brak uprawnień do portu / no permission for the port\n");

// Wrong command lines; a pointer to the help follows on the standard error.
inline const QString kSeeHelp = QStringLiteral("Pomoc / help: alvetra-cli --help");
inline const QString kUnknownCommand = QStringLiteral("Nieznane polecenie: %1");
inline const QString kNoCommand = QStringLiteral("Nie podano polecenia.");
inline const QString kNoPort = QStringLiteral("Podaj port: --port URZĄDZENIE albo --simulator.");
inline const QString kNoPassword =
    QStringLiteral("Podaj hasło dostępu: --password-file PLIK, zmienna ALVETRA_PASSWORD albo --password HASŁO.");
inline const QString kTwoPasswordSources = QStringLiteral("Podaj --password albo --password-file, nie oba.");
inline const QString kPasswordPrompt = QStringLiteral("Hasło dostępu: ");
inline const QString kPasswordFileUnreadable = QStringLiteral("Nie można odczytać pliku z hasłem %1: %2.");
inline const QString kPasswordFileReadableByOthers =
    QStringLiteral("Plik z hasłem %1 mogą czytać inni użytkownicy; hasła z niego nie użyto. "
                   "Ogranicz dostęp: %2");
inline const QString kNoOutput = QStringLiteral("Podaj plik wynikowy: -o PLIK.");
inline const QString kNoPaperPdf =
    QStringLiteral("Ta wersja alvetra-cli nie tworzy plików PDF; kartę montażu tworzy program Alvetra.");
inline const QString kOneFileNeeded = QStringLiteral("Polecenie %1 potrzebuje jednego pliku.");
inline const QString kTwoFilesNeeded = QStringLiteral("Polecenie %1 potrzebuje dwóch plików.");
inline const QString kUnknownGroup = QStringLiteral("Nieznana grupa ustawień: %1");
inline const QString kUnknownSpeed = QStringLiteral("Nieobsługiwana prędkość: %1");
inline const QString kBadTimeout = QStringLiteral("Niepoprawny czas: %1");
inline const QString kUnexpectedArgument = QStringLiteral("Nieoczekiwany argument: %1");

// ports
inline const QString kNoSerialPorts = QStringLiteral("Nie znaleziono portów szeregowych.");
inline const QString kWatchingPorts = QStringLiteral("Obserwuję porty (%1); Ctrl+C kończy.");

// A settings file whose name says nothing of its layout.
inline const QString kUnknownFileKind =
    QStringLiteral("Plik %1 nie jest plikiem ustawień: nazwa musi kończyć się na .alm lub .v14.");
// The file was saved for units of the other layout: its bytes would land in the wrong places.
inline const QString kFileDoesNotFit =
    QStringLiteral("Plik %1 jest dla centralek innego układu niż podłączona (%2). Nic nie zapisano.");
inline const QString kTimedOut = QStringLiteral("Przekroczono czas polecenia (%1 s).");

// Results of `info`.
inline const QString kInfoIdentification = QStringLiteral("Identyfikacja: %1");
inline const QString kInfoFamily = QStringLiteral("Rodzina: %1");
inline const QString kInfoFamilyUnknown = QStringLiteral("nieznana");
inline const QString kInfoFirstText = QStringLiteral("Tekst odpowiedzi 6: %1");
inline const QString kInfoSecondText = QStringLiteral("Tekst odpowiedzi 7: %1");
inline const QString kInfoAccess = QStringLiteral("Dostęp: %1");
inline const QString kAccessFull = QStringLiteral("pełny dostęp do programowania");
inline const QString kAccessMonitorOnly = QStringLiteral("Brak dostępu do programowania - tylko Monitor");

// A line of `diff`: tab, setting, its value in the first file, in the second.
inline const QString kDifference = QStringLiteral("%1: %2: %3 -> %4");

// Result of `read`.
inline const QString kSaved = QStringLiteral("Zapisano plik %1");

} // namespace alvetra::clitexts
