#include "alarm/History.h"

#include <gtest/gtest.h>

using namespace alvetra;

namespace {

const QDateTime kNow(QDate(2008, 11, 3), QTime(8, 35));

void putEntry(SettingsImage &image, int address, std::uint32_t counter, std::uint8_t code)
{
    image.setWord24(address, counter);
    image.set(address + 3, code);
}

CalendarTime at(int y, int mo, int d, int h, int mi) { return {y, mo, d, h, mi}; }

} // namespace

TEST(HistoryListing, EmptyAreaListsNothing)
{
    SettingsImage image;
    image.set(kLayoutA.historyPointer, kLayoutA.historyFirst);
    EXPECT_TRUE(listHistory(image, kLayoutA, 14, 5000, kNow).empty());
    image.set(kLayoutA.historyPointer, 0);
    EXPECT_TRUE(listHistory(image, kLayoutA, 14, 5000, kNow).empty());
    // Erased flash reads as all ones: also empty.
    for (int a = kLayoutB.historyFirst; a <= kLayoutB.historyLast; ++a) image.set(a, 0xFF);
    image.set(kLayoutB.historyPointer, kLayoutB.historyFirst);
    EXPECT_TRUE(listHistory(image, kLayoutB, 15, 5000, kNow).empty());
}

TEST(HistoryListing, NewestFirstSkippingEmptyEntriesWithoutUsingANumber)
{
    SettingsImage image;
    const int first = kLayoutA.historyFirst;
    putEntry(image, first, 100, 0x40);
    putEntry(image, first + 4, 0, 0);          // empty entry between two events
    putEntry(image, first + 8, 200, 0x80);
    image.set(kLayoutA.historyPointer, first + 12);
    const std::vector<HistoryRow> rows = listHistory(image, kLayoutA, 14, 260, kNow);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (HistoryRow{"1", "07:35   03.11.2008", "rozbrojenie"}));
    EXPECT_EQ(rows[1], (HistoryRow{"2", "05:55   03.11.2008", "uzbrojenie"}));
}

TEST(HistoryListing, WrappedRingStartsAtTheLastEntryOfTheArea)
{
    SettingsImage image;
    const Layout &l = kLayoutB;
    for (int i = 0; i < l.historyEntries(); ++i)
        putEntry(image, l.historyFirst + 4 * i, 1000 + i, static_cast<std::uint8_t>(0x01 << (i % 5)));
    image.set(l.historyPointer, 0);   // one past 255 wraps to 0: the ring is full and wrapped
    std::vector<HistoryRow> rows = listHistory(image, l, 15, 2000, kNow);
    ASSERT_EQ(rows.size(), 22u);
    EXPECT_EQ(rows[0].number, "1");
    EXPECT_EQ(rows[21].number, "22");
    // Newest is the last entry (counter 1021), oldest the first (counter 1000).
    EXPECT_EQ(rows[0].time, historyTimeText(estimatedTime(979, calendarTimeOf(kNow))));
    EXPECT_EQ(rows[21].time, historyTimeText(estimatedTime(1000, calendarTimeOf(kNow))));

    // Pointer in the middle: the walk goes back from the entry before it and wraps round.
    image.set(l.historyPointer, l.historyFirst + 8);
    rows = listHistory(image, l, 15, 2000, kNow);
    ASSERT_EQ(rows.size(), 22u);
    EXPECT_EQ(rows[0].time, historyTimeText(estimatedTime(999, calendarTimeOf(kNow))));    // entry 1
    EXPECT_EQ(rows[1].time, historyTimeText(estimatedTime(1000, calendarTimeOf(kNow))));   // entry 0
    EXPECT_EQ(rows[2].time, historyTimeText(estimatedTime(979, calendarTimeOf(kNow))));    // entry 21
}

TEST(HistoryListing, CounterAboveTheCurrentCounterIsShownAtNowMinusTheCurrentCounter)
{
    SettingsImage image;
    putEntry(image, kLayoutA.historyFirst, 0x500000, 0x40);
    image.set(kLayoutA.historyPointer, kLayoutA.historyFirst + 4);
    const std::vector<HistoryRow> rows = listHistory(image, kLayoutA, 14, 90, kNow);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].time, QStringLiteral("07:05   03.11.2008"));
}

TEST(HistoryListing, CorruptPointerListsNothing)
{
    SettingsImage image;
    for (int i = 0; i < kLayoutA.historyEntries(); ++i) putEntry(image, kLayoutA.historyFirst + 4 * i, 10, 0x40);
    image.setWord24(0, 1);   // bytes below the area that a bad pointer would read
    image.set(3, 0x80);
    for (int pointer : {1, 2, 3, 40, kLayoutA.historyLast + 2, 250}) {
        image.set(kLayoutA.historyPointer, static_cast<std::uint8_t>(pointer));
        EXPECT_TRUE(listHistory(image, kLayoutA, 14, 20, kNow).empty()) << "pointer " << pointer;
    }
    image.set(kLayoutA.historyPointer, kLayoutA.historyLast + 1);
    EXPECT_EQ(listHistory(image, kLayoutA, 14, 20, kNow).size(), 38u);
}

TEST(HistoryEvents, TablesAndCombinations)
{
    EXPECT_EQ(historyEventText(0x41, 14), QStringLiteral("stacyjka+uzbrojenie"));
    EXPECT_EQ(historyEventText(0x03, 16), QStringLiteral("stacyjka+krańcówka"));
    EXPECT_EQ(historyEventText(0x05, 15), QStringLiteral("stacyjka+krańcówka kierowcy"));
    EXPECT_EQ(historyEventText(0x40, 15), QStringLiteral("uzbrojenie"));
    EXPECT_EQ(historyEventText(0x80, 0), QStringLiteral("rozbrojenie"));
    EXPECT_EQ(historyEventText(0x18, 14), QStringLiteral("czujnki ultradźwiękowy+maska"));
    EXPECT_EQ(historyEventText(0x4F, 16),
              QStringLiteral("stacyjka+krańcówka+krańcówka kierowcy+czujnki ultradźwiękowy+uzbrojenie"));
    EXPECT_EQ(historyEventText(0, 14), QString());

    EXPECT_EQ(historyEventText(0x21, 17), QStringLiteral("stacyjka CAN"));
    EXPECT_EQ(historyEventText(0x4F, 17), QStringLiteral("uzbrojenie"));
    EXPECT_EQ(historyEventText(0x8F, 18), QStringLiteral("rozbrojenie"));
    EXPECT_EQ(historyEventText(0x40, 17), QStringLiteral("krańcówka CAN"));
    EXPECT_EQ(historyEventText(0x63, 17), QStringLiteral("stacyjka CAN+krańcówka CAN"));
    EXPECT_EQ(historyEventText(0x90, 17), QStringLiteral("wejście blokujące+kierunkowskazy CAN"));
}

TEST(HistoryTime, TextFormat)
{
    EXPECT_EQ(historyTimeText(at(2008, 11, 3, 8, 5)), QStringLiteral("08:05   03.11.2008"));
    EXPECT_EQ(historyTimeText(at(2019, 12, 31, 23, 59)), QStringLiteral("23:59   31.12.2019"));
}

TEST(HistoryTime, BorrowsAcrossMinutesHoursDaysAndMonths)
{
    EXPECT_EQ(estimatedTime(30, at(2010, 6, 15, 0, 10)), at(2010, 6, 14, 23, 40));
    EXPECT_EQ(estimatedTime(1440, at(2008, 3, 1, 12, 0)), at(2008, 2, 29, 12, 0));
    EXPECT_EQ(estimatedTime(1440, at(2009, 3, 1, 12, 0)), at(2009, 2, 28, 12, 0));
    EXPECT_EQ(estimatedTime(1, at(2009, 1, 1, 0, 0)), at(2008, 12, 31, 23, 59));
    EXPECT_EQ(estimatedTime(0, at(2009, 1, 1, 0, 0)), at(2009, 1, 1, 0, 0));
    EXPECT_EQ(estimatedTime(365 * 1440, at(2010, 6, 15, 12, 0)), at(2009, 6, 15, 12, 0));
    // 40 days: January is taken whole first, then 9 days.
    EXPECT_EQ(estimatedTime(40 * 1440, at(2010, 6, 15, 12, 0)), at(2010, 5, 6, 12, 0));
    // A month count that reaches back over New Year.
    EXPECT_EQ(estimatedTime(59 * 1440, at(2010, 2, 10, 12, 0)), at(2009, 12, 10, 12, 0));
}

TEST(HistoryTime, DayBorrowThatFebruaryCannotHoldStepsBackOneMoreMonth)
{
    // 88.5 days: January and February are taken whole, 29 days and 12 hours remain. From 1 May
    // the day borrow lands in February, which is too short, so it goes on into January.
    const CalendarTime t = estimatedTime(88 * 1440 + 720, at(2009, 5, 1, 0, 0));
    EXPECT_EQ(t, at(2009, 1, 30, 12, 0));
    EXPECT_GE(t.day, 1);
}

TEST(HistoryClearing, PointerFirstThenEveryHistoryByteAscending)
{
    const std::vector<ByteWrite> a = historyClearPlan(kLayoutA);
    ASSERT_EQ(a.size(), 153u);
    EXPECT_EQ(a.front(), (ByteWrite{85, 86}));
    EXPECT_EQ(a[1], (ByteWrite{86, 0}));
    EXPECT_EQ(a.back(), (ByteWrite{237, 0}));
    const std::vector<ByteWrite> b = historyClearPlan(kLayoutB);
    ASSERT_EQ(b.size(), 89u);
    EXPECT_EQ(b.front(), (ByteWrite{167, 168}));
    for (std::size_t i = 1; i < b.size(); ++i) EXPECT_EQ(b[i], (ByteWrite{167 + int(i), 0}));
    EXPECT_TRUE(historyClearPlan(Layout{}).empty());
}
