#pragma once
// Settings held in one image layout carried into an image of the other layout, field by field,
// for a settings file whose layout (told by its extension) is not the layout of the family the
// window works with. Reading such a file byte for byte would put every setting at another
// setting's address.
//
// Carried, each to its own position: the four remote and four token records, the four code
// words, the PC password, the whole flags word (the bit table is the same in both layouts; what
// bits 20 to 22 hold shows on the CAN tab like any other option), the close-pulse count, the
// seven lock time bytes, the anti-theft and anti-hijack delays and the CAN group number.
//
// Left as the target holds them: the time counter, the history pointer and the history ring,
// and the bytes no field covers. They are the record of the unit the window works with, not
// settings: the rings differ in size (38 entries against 22) and their event codes are named by
// a family's own table, which a file does not tell, so another unit's history could only be shown
// wrongly.

#include "alarm/Layout.h"
#include "alarm/SettingsImage.h"

namespace alvetra {

// Carries the settings of `source` (in layout `from`) into `target` (in layout `to`). Only the
// first `sourceLength` bytes of `source` count (a short file): a field that does not lie wholly
// within them keeps the target's value.
void carrySettings(const SettingsImage &source, const Layout &from, SettingsImage &target, const Layout &to,
                   int sourceLength = kImageSize);

} // namespace alvetra
