#include "alarm/History.h"

#include "alarm/AlarmTexts.h"

#include <QDate>
#include <QTime>
#include <algorithm>

namespace alvetra {

namespace {

constexpr int kMinutesPerDay = 1440;
constexpr int kCanEventTableFamily = 17;
constexpr std::uint32_t kCounterMask = 0xFFFFFF;

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// Borrows within the estimated time: the month lengths are those of the year of `now`.
class BorrowingDate {
public:
    BorrowingDate(const CalendarTime &start, int referenceYear) : t_(start), leap_(isLeapYear(referenceYear)) {}

    int monthLength(int month) const
    {
        static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        return month == 2 && leap_ ? 29 : kDays[month - 1];
    }
    void stepMonthBack()
    {
        if (--t_.month < 1) {
            t_.month = 12;
            t_.year = std::max(0, t_.year - 1);
        }
    }
    void stepDayBack()
    {
        if (--t_.day < 1) {
            stepMonthBack();
            t_.day = monthLength(t_.month);
        }
    }
    void stepHourBack()
    {
        if (--t_.hour < 0) {
            t_.hour = 23;
            stepDayBack();
        }
    }
    CalendarTime &time() { return t_; }

private:
    CalendarTime t_;
    bool leap_;
};

std::uint32_t entryAt(const SettingsImage &image, int address)
{
    return image.at(address) | image.at(address + 1) << 8 | image.at(address + 2) << 16
         | std::uint32_t(image.at(address + 3)) << 24;
}

bool isEmptyEntry(std::uint32_t entry) { return entry == 0 || entry == 0xFFFFFFFFu; }

QString twoDigits(int value) { return value >= 10 ? QString::asprintf("%2d", value) : QString::asprintf("0%d", value); }

} // namespace

CalendarTime calendarTimeOf(const QDateTime &localTime)
{
    const QDate date = localTime.date();
    const QTime time = localTime.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute()};
}

CalendarTime estimatedTime(std::uint32_t elapsedMinutes, const CalendarTime &now)
{
    BorrowingDate date(now, now.year);
    const std::uint32_t yearMinutes = (isLeapYear(now.year) ? 366u : 365u) * kMinutesPerDay;
    const int years = static_cast<int>(elapsedMinutes / yearMinutes);
    std::uint32_t rest = elapsedMinutes % yearMinutes;
    int months = 0;
    for (int month = 1; month <= 12; ++month) {
        const std::uint32_t length = std::uint32_t(date.monthLength(month)) * kMinutesPerDay;
        if (length <= rest) {
            rest -= length;
            ++months;
        }
    }
    const int days = static_cast<int>(rest / kMinutesPerDay);
    const int hours = static_cast<int>(rest % kMinutesPerDay / 60);
    const int minutes = static_cast<int>(rest % 60);

    CalendarTime &t = date.time();
    t.year = std::max(0, now.year - years);
    if (now.month <= months) {
        t.year = std::max(0, t.year - 1);
        t.month = now.month + 12 - months;
    } else {
        t.month = now.month - months;
    }
    if (now.day <= days) {
        date.stepMonthBack();
        t.day = date.monthLength(t.month) + now.day - days;
        while (t.day < 1) {   // February cannot hold the borrow: go back one more month
            date.stepMonthBack();
            t.day += date.monthLength(t.month);
        }
    } else {
        t.day = now.day - days;
    }
    if (now.hour < hours) {
        t.hour = now.hour + 24 - hours;
        date.stepDayBack();
    } else {
        t.hour = now.hour - hours;
    }
    if (now.minute < minutes) {
        t.minute = now.minute + 60 - minutes;
        date.stepHourBack();
    } else {
        t.minute = now.minute - minutes;
    }
    return t;
}

QString historyTimeText(const CalendarTime &time)
{
    return twoDigits(time.hour) + u':' + twoDigits(time.minute) + QStringLiteral("   ") + twoDigits(time.day)
         + u'.' + twoDigits(time.month) + u'.' + QString::number(time.year);
}

QString historyEventText(std::uint8_t code, int familyCode)
{
    const bool canTable = familyCode >= kCanEventTableFamily;
    const std::uint8_t armed = canTable ? 0x4F : 0x40;
    const std::uint8_t disarmed = canTable ? 0x8F : 0x80;
    if (code == armed) return texts::kEventArmed;
    if (code == disarmed) return texts::kEventDisarmed;
    unsigned c = code;
    if (canTable) {
        if (c & 0x20) c &= ~0x01u;
        if (c & 0x40) c &= ~0x02u;
    }
    const QString *names = canTable ? texts::kEventNamesCan : texts::kEventNamesOld;
    QString text;
    for (int bit = 0; bit < 8; ++bit) {
        if (c >> bit & 1u)
            text += names[bit];
        if (text.size() >= 2 && (c >> (bit + 1) & 1u))
            text += texts::kEventJoin;
    }
    return text;
}

std::vector<HistoryRow> listHistory(const SettingsImage &image, const Layout &layout, int familyCode,
                                    std::uint32_t currentCounter, const QDateTime &now)
{
    std::vector<HistoryRow> rows;
    const int first = layout.historyFirst;
    const int last = layout.historyLast;
    const int entries = layout.historyEntries();
    if (entries <= 0)
        return rows;
    int pointer = image.at(layout.historyPointer);
    if (pointer == 0)
        pointer = first;
    if (pointer < first || pointer > last + 1)
        return rows;

    int s = pointer - 4;
    if (s < first)
        s = entryAt(image, first) != 0 ? last - 3 : pointer;

    const CalendarTime nowFields = calendarTimeOf(now);
    const std::uint32_t current = currentCounter & kCounterMask;
    int number = 1;
    for (int i = 0; i < entries; ++i) {
        const std::uint32_t entry = entryAt(image, s);
        if (!isEmptyEntry(entry)) {
            const std::uint32_t eventCounter = entry & kCounterMask;
            const std::uint32_t elapsed = eventCounter > current ? current : current - eventCounter;
            rows.push_back({QString::asprintf("%d", number++), historyTimeText(estimatedTime(elapsed, nowFields)),
                            historyEventText(static_cast<std::uint8_t>(entry >> 24), familyCode)});
        }
        s -= 4;
        if (s < first)
            s = last - 3;
    }
    return rows;
}

std::vector<ByteWrite> historyClearPlan(const Layout &layout)
{
    std::vector<ByteWrite> plan;
    if (layout.historyEntries() <= 0)
        return plan;
    plan.push_back({layout.historyPointer, static_cast<std::uint8_t>(layout.historyFirst)});
    for (int address = layout.historyFirst; address <= layout.historyLast; ++address)
        plan.push_back({address, 0});
    return plan;
}

std::uint32_t timeCounterOf(const SettingsImage &image, const Layout &layout) { return image.word24(layout.timeCounter); }

void storeTimeCounter(SettingsImage &image, const Layout &layout, std::uint32_t counter)
{
    image.setWord24(layout.timeCounter, counter & kCounterMask);
}

} // namespace alvetra
