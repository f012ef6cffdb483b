#pragma once
// The application shell's own texts: the COM information reminder and the command-line help.

#include <QString>

namespace alvetra::apptexts {

inline const QString kComInformationCaption = QStringLiteral("ff");
inline const QString kComInformationText = QStringLiteral(
    "\rUstaw odpowiedni port COM\r\rPo zmianie prędkości (19200) wyłącz program \ri uruchom jeszcze raz.\r");
inline const QString kDoNotShowAgain = QStringLiteral("Nie pokazuj tego okna więcej");
inline const QString kOk = QStringLiteral("OK");

inline const QString kPreferencesFileName = QStringLiteral("Serkano.ini");

// Command line (Polish first, then English).
inline const QString kCommandLineDescription = QStringLiteral(
    "Programator centrali alarmowej przez port RS232.\n"
    "Programs and diagnoses a car-alarm control unit over an RS232 serial port.");
inline const QString kPortOptionDescription = QStringLiteral(
    "Dodaje urządzenie (np. /dev/ttyUSB0 lub pseudoterminal) do listy portów i wybiera je.\n"
    "Adds the device (e.g. /dev/ttyUSB0 or a pseudo-terminal) to the port list and selects it.");
inline const QString kPortValueName = QStringLiteral("DEVICE");
inline const QString kSimulatorOptionDescription = QStringLiteral(
    "Dodaje port \"Symulator\" (wbudowana symulowana centrala, do nauki) i wybiera go.\n"
    "Adds the port \"Symulator\" (the built-in simulated alarm unit, for training) and selects it.");
inline const QString kTrafficLogOptionDescription = QStringLiteral(
    "Dopisuje każdą ramkę na łączu do pliku FILE (jeden obiekt JSON w wierszu).\n"
    "Appends every frame on the line to FILE (one JSON object a line).");
inline const QString kTrafficLogValueName = QStringLiteral("FILE");
inline const QString kTrafficLogSecretsOptionDescription = QStringLiteral(
    "Zapisuje w dzienniku ruchu hasło PC i kody jawnie (domyślnie są zamaskowane).\n"
    "Writes the PC password and the codes into the traffic log in clear (masked by default).");
inline const QString kSettingsFileArgumentDescription =
    QStringLiteral("Plik ustawień (.alm, .v14) do otwarcia / a settings file to open");
inline const QString kHelpOptionDescription = QStringLiteral(
    "Wyświetla tę pomoc.\nDisplays this help.");
inline const QString kVersionOptionDescription = QStringLiteral(
    "Wyświetla wersję programu.\nDisplays the program's version.");

} // namespace alvetra::apptexts
