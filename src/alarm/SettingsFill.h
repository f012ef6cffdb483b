#pragma once
// The fill: the settings image turned into what the settings tabs show.
//
// The window applies the result in its own order (code buffers, check boxes and radio groups,
// click handlers, spin edits, history, group texts, remotes and tokens, diagrams). Controls that
// the image leaves undecided keep the values of `previous`: an authorisation group whose code
// and token bits are both clear, the close-pulse boxes for a pulse count other than 0, 1 and 2,
// and CKB_AlarmCan, CMB_Marka, CMB_Model, ED_KodProg1 and ED_KodProg2, which the fill never sets.

#include "alarm/History.h"
#include "alarm/Layout.h"
#include "alarm/RemoteTexts.h"
#include "alarm/SettingsImage.h"
#include "alarm/TabValues.h"

#include <QDateTime>
#include <cstdint>
#include <vector>

namespace alvetra {

struct FillContext {
    int familyCode = 0;
    std::uint32_t timeCounter = 0;   // the program's copy of the unit's minute counter
    QDateTime now;                   // local time of the fill, for the history
};

struct FillResult {
    TabValues values;                // programmingCode ... emergencyCode hold the code buffers' texts
    std::vector<HistoryRow> history; // LV_Historia, newest first
    RemoteAndTokenTexts remotes;     // Pilot1-4, Token1-4
};

// Stores the time counter into the image's three counter bytes (the only change the fill makes
// to the image) and returns the controls' values. Spin edits are kept within their ranges, so a
// byte of 0 shows as 1 (30 for the anti-hijack delay). A checked "obecny E2" always comes with a
// checked "obecny C2", as its click handler does.
FillResult fillFromImage(SettingsImage &image, const Layout &layout, const TabValues &previous,
                         const FillContext &context);

} // namespace alvetra
