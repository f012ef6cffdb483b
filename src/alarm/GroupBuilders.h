#pragma once
// The builders: one per settings group, each turning that group's control values into image
// bytes. A builder changes only its own bytes and flag bits at the layout's positions and leaves
// every other byte of the image as it was. Builders never show anything; a refusing builder
// returns the message for the window to show and leaves all its bytes unchanged.
//
// Every builder expects the layout of an identified family (A or B), not the empty layout.

#include "alarm/Layout.h"
#include "alarm/SettingsImage.h"
#include "alarm/TabValues.h"
#include "alarm/UserMessage.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace alvetra {

struct BuildOutcome {
    bool ok = true;
    std::optional<UserMessage> message;   // set when the builder refused

    static BuildOutcome success() { return {}; }
    static BuildOutcome failure(UserMessage message) { return {false, std::move(message)}; }
};

// The CAN group of the car with this key (make number * 256 + model number): the group of the
// last matching record of the car table, or nothing when no record matches.
using CarGroupLookup = std::function<std::optional<std::uint8_t>(std::uint16_t key)>;

// Four code words from programmingCode, antiHijackCode, antiTheftCode, emergencyCode. Refuses with
// "Wpisane kody muszą się różnić między sobą.\rPopraw kody." ("Ostżerzenie", warning) when
// any two texts are equal (an empty code is fine as long as it is the only one).
BuildOutcome buildCodes(SettingsImage &image, const Layout &layout, const TabValues &values);

// The checks of a new PC password (newPcPassword typed again as newPcPasswordRepeat): both exactly 4
// characters, else "Hasło za krótkie, wymagane 4 znaki."; equal, else "Źle lub nie wpisane hasło
// dostępu do programowania."; every character storable in the unit's code page. Captions
// "Informacja", information icon. Nothing when the password may be stored.
std::optional<UserMessage> checkNewPassword(const QString &first, const QString &second);

// The 4 PC password bytes (code page 1250) from newPcPassword, after checkNewPassword passed.
BuildOutcome buildPcPassword(SettingsImage &image, const Layout &layout, const TabValues &values);

// Flags bits 0-4 and 19.
void buildTurnSignals(SettingsImage &image, const Layout &layout, const TabValues &values);
// Flags bits 9-12, the pulse count and the time bytes of the pulses that are switched on.
void buildCentralLocks(SettingsImage &image, const Layout &layout, const TabValues &values);
// Flags bits 6, 14, 15, 18 and the anti-theft delay (only bit 6 while switched off).
void buildAntiTheft(SettingsImage &image, const Layout &layout, const TabValues &values);
// Flags bits 7, 13, 16, 17 and the anti-hijack delay (only bit 7 while switched off).
void buildAntiHijack(SettingsImage &image, const Layout &layout, const TabValues &values);
// Flags bits 5 and 8.
void buildRearming(SettingsImage &image, const Layout &layout, const TabValues &values);
// Flags bits 20-22; the rest of the third flags byte (mask 0x8F) and the other bytes stay.
void buildCanOptions(SettingsImage &image, const Layout &layout, const TabValues &values);

// How the group number text of ST_NrGrupyWybrany reads as an integer.
// Accepted: optional leading blanks, an optional sign, then one or more decimal digits up to the
// end of the text; the value must fit a 32-bit signed integer. Otherwise `errorPosition` is the
// 1-based position of the first character that does not fit this pattern: a blank, letter or
// other sign after the start, the digit that makes the number too large, or length + 1 when the
// text ends before any digit (so a text of 8 blanks fails at position 9).
struct IntegerText {
    bool ok = false;
    int value = 0;
    int errorPosition = 0;
};
IntegerText parseIntegerText(const QString &text);

// The CAN group byte. With alarmCan checked: the group of the chosen car (make item * 256 +
// model item looked up in the car table); refuses with "Nie wybrano marki i modelu samochodu.",
// "Nie wybrano marki samochodu.", "Nie wybrano modelu samochodu." or "Brak samochodu w bazie"
// ("Informacja", information icon). With alarmCan unchecked: the low 8 bits of the number in
// chosenCanGroup; refuses with "Błąd na pozycji: " + position ("Ostżerzenie", warning icon).
BuildOutcome buildCanGroup(SettingsImage &image, const Layout &layout, const TabValues &values,
                           const CarGroupLookup &carGroup);

// Every builder in the order PC password, codes, turn signals, central locks, anti-theft,
// anti-hijack, re-arming, CAN group and, at family code 15 and above, CAN-analysis options.
// A refusing builder does not stop the others. Returns the refusals' messages in that order.
std::vector<UserMessage> buildAll(SettingsImage &image, const Layout &layout, const TabValues &values,
                                  int familyCode, const CarGroupLookup &carGroup);

} // namespace alvetra
