#pragma once
// The unit's event history as the settings image holds it: a ring of 4-byte entries (a 24-bit
// minute counter and an event code), newest entry just before the history pointer.

#include "alarm/ByteWrite.h"
#include "alarm/Layout.h"
#include "alarm/SettingsImage.h"

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <vector>

namespace alvetra {

// One row of LV_Historia: running number ("%d"), estimated time text and event text.
struct HistoryRow {
    QString number;
    QString time;
    QString event;
    bool operator==(const HistoryRow &) const = default;
};

// A calendar time taken apart; the history's own arithmetic works on these fields.
struct CalendarTime {
    int year = 0;
    int month = 1;    // 1 to 12
    int day = 1;
    int hour = 0;     // 0 to 23
    int minute = 0;   // 0 to 59
    bool operator==(const CalendarTime &) const = default;
};

CalendarTime calendarTimeOf(const QDateTime &localTime);

// `now` minus `elapsedMinutes`, subtracted field by field with borrows as the unit's history has
// always been dated: whole years of the current year's length, then whole months in calendar
// order (January first, each at most once), then days, hours and minutes, every month length
// taken from the current year. When a day borrow lands in a month too short to hold it (only
// February can be), the date steps back one more month. The year never goes below 0.
CalendarTime estimatedTime(std::uint32_t elapsedMinutes, const CalendarTime &now);

// "HH:MM   DD.MM.YYYY" (hour, minute, day and month with two digits, three spaces between).
QString historyTimeText(const CalendarTime &time);

// The event text of an event code. Below family code 17: 0x40 "uzbrojenie", 0x80 "rozbrojenie",
// else the names of the set bits joined by "+". From 17: 0x4F and 0x8F are arming and disarming;
// otherwise a CAN input replaces its wired twin (bit 5 clears bit 0, bit 6 clears bit 1) before
// the names are joined. Code 0 gives an empty text.
QString historyEventText(std::uint8_t code, int familyCode);

// The rows of the history, newest first, as the fill lists them. `currentCounter` is the
// program's copy of the unit's minute counter, `now` the local time of the listing. Empty
// entries (0 or 0xFFFFFFFF) are skipped without using a number. A pointer byte of 0 stands for
// the first history byte; any other pointer outside the history area (first byte to one past
// the last) is corrupt and lists nothing rather than reading entries from outside the area.
std::vector<HistoryRow> listHistory(const SettingsImage &image, const Layout &layout, int familyCode,
                                    std::uint32_t currentCounter, const QDateTime &now);

// Clearing the history: the pointer set to the first history byte, then every history byte from
// the first to the last set to 0, in this order (153 writes in layout A, 89 in layout B).
std::vector<ByteWrite> historyClearPlan(const Layout &layout);

// The image's copy of the minute counter and storing the program's copy into it.
std::uint32_t timeCounterOf(const SettingsImage &image, const Layout &layout);
void storeTimeCounter(SettingsImage &image, const Layout &layout, std::uint32_t counter);

} // namespace alvetra
