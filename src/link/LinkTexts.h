#pragma once
// Everything the serial link shows the user, in one place. The texts are the program's own and
// are shown exactly as written (typing errors included).

#include <QString>

namespace alvetra::linktexts {

// Status-bar panels.
inline const QString kPortOpen = QStringLiteral("Port otwarty");          // panel 0
inline const QString kPortClosed = QStringLiteral("Port zamknięty");      // panel 0
inline const QString kChecksumErrors = QStringLiteral("CRC Error:%1");    // panel 1, with the count

// Message boxes. %1 is the port name as listed in the port box.
inline const QString kPortInUse = QStringLiteral("Port %1 jest już używany przez inny program.");
inline const QString kPortMissing = QStringLiteral("Port %1 nie istnieje w systemie.");
inline const QString kCloseFailed = QStringLiteral("Przy zamykaniu portu %1, wystąpił błąd %2");   // %2: error in hex
inline const QString kResetFailed = QStringLiteral("Błąd resetu portu RS232.");

// Linux tells a missing right apart from a missing device: name the fix instead of calling a
// present port missing.
inline const QString kNoPermission =
    QStringLiteral("Brak uprawnień do portu %1. Dodaj użytkownika do grupy dialout i zaloguj się ponownie.");
// An adapter pulled out while the port was open; said once, supervision reopens the port later.
inline const QString kDeviceLost = QStringLiteral("Port %1 został odłączony.");
// The adapter holds received bytes too long (FTDI's latency timer; %2 ms, %3 seconds a full read
// may lose with it). Told once per port and run.
inline const QString kLatencyAdvice = QStringLiteral(
    "Przejściówka USB portu %1 przetrzymuje odebrane dane do %2 ms (ustawienie sterownika FTDI "
    "\"Latency Timer\"): każda odpowiedź centrali dociera przez to później, a pełny odczyt ustawień "
    "trwa do %3 s dłużej.\rAby to zmienić: Menedżer urządzeń > Porty (COM i LPT) > %1 > Właściwości > "
    "Port Settings > Advanced > Latency Timer (msec): 1. Instalator programu Alvetra może to ustawić "
    "dla przejściówek FTDI podłączonych podczas instalacji.");
// The device does not take the chosen line speed; the port is not used at another speed.
inline const QString kSpeedRefused = QStringLiteral("Port %1 nie obsługuje prędkości %2 bit/s.");

// The traffic log (--traffic-log). %1 the file, %2 the system's reason. A failed write is told
// once; the link goes on without the log.
inline const QString kTrafficLogOpenFailed = QStringLiteral("Nie można otworzyć dziennika ruchu %1: %2.");
inline const QString kTrafficLogWriteFailed =
    QStringLiteral("Zapis dziennika ruchu %1 przerwany: %2. Łącze działa dalej bez dziennika.");

// Hints of the port controls.
inline const QString kHintTx = QStringLiteral("Transmisja danych przez port RS232.");
inline const QString kHintRx = QStringLiteral("Odczyt danych z portu RS232.");
inline const QString kHintCrc = QStringLiteral("Błąd sumy kontrolnej portu RS232");
inline const QString kHintReset = QStringLiteral("Reaet portu RS232");
inline const QString kHintSpeed = QStringLiteral("Wybór prędkości portu RS232 - 19200");
inline const QString kHintSpeedUnlock = QStringLiteral("Odblokowanie ustawienia prędkości portu szeregowego");

} // namespace alvetra::linktexts
