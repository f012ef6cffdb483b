// The unit's history ring, learnt records and default memory, read back with the program's own
// decoders: what the unit writes must list as the fitter expects.

#include "sim/DefaultMemory.h"
#include "alarm/History.h"
#include "alarm/RemoteTexts.h"
#include "UnitHarness.h"
#include "sim/UnitRecords.h"

#include <gtest/gtest.h>

using namespace alvetra;
using namespace alvetra::sim;
using namespace alvetra::test;

namespace {

UnitConfig unitWith(const char *identification, std::uint32_t counter = 5000)
{
    UnitConfig config = unpaced();
    config.identification = QString::fromLatin1(identification);
    config.memory = ImageBytes{};
    config.minuteCounter = counter;
    return config;
}

std::vector<QString> events(const SimulatedUnit &unit, int familyCode)
{
    const Layout layout = unit.layout();
    const std::uint32_t counter = unit.minuteCounter();
    std::vector<QString> out;
    for (const HistoryRow &row : listHistory(SettingsImage(unit.memory()), layout, familyCode, counter,
                                             QDateTime(QDate(2024, 6, 1), QTime(12, 0))))
        out.push_back(row.event);
    return out;
}

std::uint32_t entryAt(const ImageBytes &m, int at)
{
    return m[at] | m[at + 1] << 8 | std::uint32_t(m[at + 2]) << 16 | std::uint32_t(m[at + 3]) << 24;
}

} // namespace

TEST(UnitHistory, ArmingDisarmingAndTriggersOnNewerUnits)
{
    SimulatedUnit unit(unitWith("MZRv1.61"));
    unit.setInput(Input::DoorSwitch, true);   // disarmed: not an event
    unit.setInput(Input::DoorSwitch, false);
    unit.setInput(Input::Armed, true);
    unit.setInput(Input::DoorSwitch, true);
    unit.setInput(Input::DoorSwitch, true);   // no change: no second entry
    unit.setInput(Input::CanIgnition, true);
    unit.setInput(Input::Relay, true);        // not an alarm input
    unit.setInput(Input::Armed, false);

    const ImageBytes m = unit.memory();
    EXPECT_EQ(entryAt(m, 168), 0x4F000000u | 5000);
    EXPECT_EQ(m[171], 0x4F);
    EXPECT_EQ(m[175], 0x02);
    EXPECT_EQ(m[179], 0x20);
    EXPECT_EQ(m[183], 0x8F);
    EXPECT_EQ(m[kLayoutB.historyPointer], 184);
    EXPECT_EQ(events(unit, 17), (std::vector<QString>{"rozbrojenie", "stacyjka CAN", "krańcówka", "uzbrojenie"}));
}

TEST(UnitHistory, OlderUnitsUseTheWiredCodes)
{
    SimulatedUnit unit(unitWith("MZRAv1.4", 0x010203));
    unit.setInput(Input::Armed, true);
    unit.setInput(Input::Bonnet, true);
    unit.setInput(Input::BootBlockWire, true);
    unit.setInput(Input::CanTurnSignals, true);   // older units do not record it
    unit.setInput(Input::Armed, false);

    const ImageBytes m = unit.memory();
    EXPECT_EQ(entryAt(m, 86), 0x40010203u);
    EXPECT_EQ(m[93], 0x10);
    EXPECT_EQ(m[97], 0x20);
    EXPECT_EQ(m[101], 0x80);
    EXPECT_EQ(m[kLayoutA.historyPointer], 102);
    EXPECT_EQ(events(unit, 14), (std::vector<QString>{"rozbrojenie", "wejście blokujące", "maska", "uzbrojenie"}));
}

TEST(UnitHistory, TheRingWrapsAndTheProgramStillListsNewestFirst)
{
    // Layout B holds 22 entries; after the 22nd the pointer is one past the area (256 -> 0).
    SimulatedUnit b(unitWith("MZRv1.61"));
    for (int i = 0; i < 11; ++i) {
        b.setInput(Input::Armed, true);
        b.setInput(Input::Armed, false);
    }
    ImageBytes m = b.memory();
    EXPECT_EQ(m[kLayoutB.historyPointer], 0);
    EXPECT_EQ(m[255], 0x8F);
    b.setInput(Input::Armed, true);
    b.setInput(Input::Ignition, true);
    m = b.memory();
    EXPECT_EQ(m[171], 0x4F) << "the 23rd entry overwrites the oldest";
    EXPECT_EQ(m[175], 0x01);
    EXPECT_EQ(m[kLayoutB.historyPointer], 176);
    const auto listed = events(b, 17);
    ASSERT_EQ(listed.size(), 22u);
    EXPECT_EQ(listed[0], "stacyjka");
    EXPECT_EQ(listed[1], "uzbrojenie");
    EXPECT_EQ(listed[2], "rozbrojenie");

    // Layout A holds 38; its pointer after the last slot is 238, and the next entry wraps.
    SimulatedUnit a(unitWith("MZRAv1.4"));
    for (int i = 0; i < 19; ++i) {
        a.setInput(Input::Armed, true);
        a.setInput(Input::Armed, false);
    }
    EXPECT_EQ(a.memoryAt(kLayoutA.historyPointer), 238);
    a.setInput(Input::Armed, true);
    EXPECT_EQ(a.memoryAt(kLayoutA.historyPointer), 90);
    EXPECT_EQ(events(a, 14).front(), "uzbrojenie");
}

TEST(UnitHistory, ACorruptPointerStartsAgainAtTheFirstSlot)
{
    ImageBytes memory{};
    memory[kLayoutB.historyPointer] = 170;   // between entries
    appendHistoryEntry(memory, kLayoutB, 7, 0x4F);
    EXPECT_EQ(memory[171], 0x4F);
    EXPECT_EQ(memory[kLayoutB.historyPointer], 172);
    memory[kLayoutB.historyPointer] = 20;    // outside the area
    appendHistoryEntry(memory, kLayoutB, 8, 0x8F);
    EXPECT_EQ(memory[171], 0x8F);
}

TEST(UnitHistory, RawStatusArmsBeforeItsTriggersCount)
{
    SimulatedUnit unit(unitWith("MZRv1.61"));
    unit.setStatusBytes({0x00, 0x02, 0x04, 0x00});   // armed and driver's door at once
    const ImageBytes m = unit.memory();
    EXPECT_EQ(m[171], 0x4F);
    EXPECT_EQ(m[175], 0x04);
}

TEST(UnitRecords, RemoteAndTokenRecordsReadAsTheProgramShowsThem)
{
    const UnitRecord remote = encodeRemote({2008, 5, 17, 123, 4567});
    EXPECT_EQ(remote, (UnitRecord{0xD7, 0x11, 0x7B, 0x10, 0x51, 0x02}));
    EXPECT_EQ(remoteText(1, remote), QStringLiteral("1. Data produkcji: 2008.05.17  Numer seryjny: 0123   Numer emisji: 4567"));
    EXPECT_EQ(remoteText(2, encodeRemote({1997, 12, 31, 4095, 65535})),
              QStringLiteral("2. Data produkcji: 1997.12.31  Numer seryjny: 4095   Numer emisji: 5535"));
    EXPECT_EQ(tokenText(1, encodeToken({734215, 1048577})),
              QStringLiteral("1. Numer seryjny: 4215   Numer emisji: 8577"));
    EXPECT_EQ(encodeToken({0x0ABCDE, 0x123456}), (UnitRecord{0x56, 0x34, 0x12, 0xDE, 0xBC, 0x0A}));

    EXPECT_EQ(yearCode(2006), 0);
    EXPECT_EQ(yearCode(2010), 4);
    EXPECT_EQ(yearCode(1995), 5);
    EXPECT_EQ(yearCode(2005), 15);
    EXPECT_EQ(yearCode(2030), 4);
}

TEST(UnitRecords, LearntRecordsArePlausible)
{
    std::mt19937 rng(7);
    for (int i = 0; i < 200; ++i) {
        const RemoteData r = randomRemote(rng);
        const UnitRecord bytes = encodeRemote(r);
        const int c = bytes[5] & 0x0F;
        const int year = c <= 4 ? 2006 + c : 1990 + c;
        EXPECT_EQ(year, r.year);
        EXPECT_GE(bytes[4] >> 4, 1);
        EXPECT_LE(bytes[4] >> 4, 12);
        const int day = (bytes[4] & 0x0F) * 16 + (bytes[3] >> 4);
        EXPECT_EQ(day, r.day);
        EXPECT_NE(bytes[0] | bytes[1], 0) << "an emission number is never 0";
    }
}

TEST(UnitDefaultMemory, ShowsSomethingMeaningfulInBothLayouts)
{
    for (const char *id : {"MZRv1.61", "MZRAv1.4"}) {
        UnitConfig config = unpaced();
        config.identification = QString::fromLatin1(id);
        SimulatedUnit unit(config);
        const Layout layout = unit.layout();
        const ImageBytes m = unit.memory();
        EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(&m[layout.pcPassword]), 4), QByteArray("1234")) << id;
        EXPECT_EQ(unit.minuteCounter(), kDefaultMinuteCounter);
        EXPECT_EQ(m[layout.canGroup], 12);
        EXPECT_GE(m[layout.antiHijackDelay], 30) << "the anti-hijack delay starts at 30";

        const auto texts = remoteAndTokenTexts(SettingsImage(m), layout);
        EXPECT_EQ(texts.remotes[0], QStringLiteral("1. Data produkcji: 2008.05.17  Numer seryjny: 0123   Numer emisji: 4567"));
        EXPECT_EQ(texts.remotes[3], QStringLiteral("4. "));
        EXPECT_EQ(texts.tokens[0], QStringLiteral("1. Numer seryjny: 4215   Numer emisji: 8577"));

        const int family = layout == kLayoutA ? 14 : 17;
        const auto listed = events(unit, family);
        ASSERT_EQ(listed.size(), 7u) << id;
        EXPECT_EQ(listed.front(), "rozbrojenie");
        EXPECT_EQ(listed[5], "krańcówka");
        EXPECT_EQ(listed.back(), "uzbrojenie");
    }
}

TEST(UnitDefaultMemory, AMemoryImageAndPasswordCanBeGiven)
{
    ImageBytes image{};
    image[kLayoutB.timeCounter] = 0x10;
    image[kLayoutB.pcPassword] = 'a';
    UnitConfig config = unpaced();
    config.memory = image;
    SimulatedUnit fromImage(config);
    EXPECT_EQ(fromImage.minuteCounter(), 0x10u) << "the counter comes from the image";
    EXPECT_EQ(fromImage.memoryAt(kLayoutB.pcPassword), 'a');

    config.password = QStringLiteral("qwer");
    SimulatedUnit withPassword(config);
    EXPECT_EQ(withPassword.memoryAt(kLayoutB.pcPassword + 3), 'r');
    EXPECT_EQ(withPassword.memoryAt(kLayoutB.timeCounter), 0x10);
}
