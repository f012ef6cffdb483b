#include "alarm/Cp1250.h"
#include "UnitHarness.h"

#include <gtest/gtest.h>

#include <thread>

using namespace alvetra;
using namespace alvetra::sim;
using namespace alvetra::test;
using namespace std::chrono_literals;

namespace {

Bytes bytesOf(const char *text)
{
    return Bytes(text, text + std::strlen(text));
}

std::uint8_t onlyByte(const std::vector<Frame> &replies)
{
    return replies.size() == 1 && replies[0].data.size() == 1 ? replies[0].data[0] : 0xEE;
}

} // namespace

// ---------------------------------------------------------------- identification and login

TEST(UnitIdentification, TextsAndLoginReplyLayout)
{
    UnitHarness h;
    h.unit.setMinuteCounter(300);

    auto first = h.exchange(0x06);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].code, 0x86);
    EXPECT_EQ(first[0].destination, kPcAddress);
    EXPECT_EQ(first[0].source, kUnitAddress);
    EXPECT_EQ(first[0].data, bytesOf("Alvetra SIM"));
    auto second = h.exchange(0x07);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].code, 0x87);
    EXPECT_EQ(second[0].data, bytesOf("HW 3.2"));

    auto login = h.exchange(0x01, passwordData("1234"));
    ASSERT_EQ(login.size(), 1u);
    EXPECT_EQ(login[0].code, 0x81);
    // Identification, access byte, spare byte, counter most significant byte first.
    Bytes expected = bytesOf("MZRv1.61");
    expected.insert(expected.end(), {0x01, 0x00, 0x00, 0x01, 0x2C});
    EXPECT_EQ(login[0].data, expected);
    EXPECT_EQ(login[0].length, 2 + 13);
    EXPECT_TRUE(h.unit.sessionOpen());
}

TEST(UnitIdentification, OnlyTheExactFourPasswordBytesOpenASession)
{
    UnitHarness h;
    EXPECT_EQ(h.login("1235"), 0x00);
    EXPECT_FALSE(h.unit.sessionOpen());
    EXPECT_EQ(h.login("123"), 0x00);
    EXPECT_EQ(h.login("12345"), 0x00);
    EXPECT_EQ(h.login(""), 0x00);
    // A length byte that claims fewer characters than follow is not the password either.
    auto r = h.exchange(0x01, {3, '1', '2', '3', '4'});
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].data[8], 0x00);
    EXPECT_EQ(h.login("1234"), 0x01);
    EXPECT_TRUE(h.unit.sessionOpen());
    // A later wrong login closes the session again.
    EXPECT_EQ(h.login("0000"), 0x00);
    EXPECT_FALSE(h.unit.sessionOpen());
}

TEST(UnitIdentification, PasswordInCodePage1250)
{
    UnitConfig config = unpaced();
    config.password = QStringLiteral("Żółw");
    UnitHarness h(config);
    EXPECT_EQ(h.login("1234"), 0x00);
    EXPECT_EQ(h.login(cp1250::encode(QStringLiteral("Żółw"))), 0x01);
    EXPECT_EQ(h.unit.memoryAt(kLayoutB.pcPassword), 0xAF);   // "Ż" in code page 1250
}

TEST(UnitIdentification, ArmedOrBlockedUnitReportsItAndRefusesTheSession)
{
    UnitHarness h;
    h.unit.setInput(Input::Armed, true);
    EXPECT_EQ(h.login(), 0x03);
    EXPECT_FALSE(h.unit.sessionOpen());
    EXPECT_EQ(h.login("bad!"), 0x02);

    h.unit.setInput(Input::Armed, false);
    h.unit.setInput(Input::AntiTheftActive, true);
    EXPECT_EQ(h.login(), 0x09);
    EXPECT_FALSE(h.unit.sessionOpen());

    h.unit.setInput(Input::AntiTheftActive, false);
    h.unit.setInput(Input::AntiHijackActive, true);
    EXPECT_EQ(h.login(), 0x11);
    EXPECT_FALSE(h.unit.sessionOpen());

    h.unit.setInput(Input::AntiHijackActive, false);
    EXPECT_EQ(h.login(), 0x01);
    EXPECT_TRUE(h.unit.sessionOpen());
    // Arming while the program is connected ends the session.
    h.unit.setInput(Input::Armed, true);
    EXPECT_FALSE(h.unit.sessionOpen());
}

TEST(UnitIdentification, ThePasswordLivesInMemoryAndAnotherUnitHasItsOwn)
{
    UnitHarness h;
    h.login();
    const Bytes newPassword{0, 0, std::uint8_t(kLayoutB.pcPassword), 4, '4', '3', '2', '1'};
    ASSERT_EQ(onlyByte(h.exchange(0x03, newPassword)), 0);
    EXPECT_EQ(h.login("1234"), 0x00);
    EXPECT_EQ(h.login("4321"), 0x01);

    UnitConfig other = unpaced();
    other.identification = QStringLiteral("MZRAv1.4");
    other.firstText = QStringLiteral("Alvetra SIM 2");
    h.unit.becomeAnotherUnit(other);
    EXPECT_FALSE(h.unit.sessionOpen());
    EXPECT_EQ(h.unit.layout(), kLayoutA);
    EXPECT_EQ(h.exchange(0x06).at(0).data, bytesOf("Alvetra SIM 2"));
    EXPECT_EQ(h.login("4321"), 0x00);
    const auto login = h.exchange(0x01, passwordData("1234"));
    ASSERT_EQ(login.size(), 1u);
    EXPECT_EQ(Bytes(login[0].data.begin(), login[0].data.begin() + 8), bytesOf("MZRAv1.4"));
    EXPECT_EQ(login[0].data[8], 0x01);
}

TEST(UnitIdentification, FamilyAOnlyForMZRAv14)
{
    UnitConfig config = unpaced();
    config.identification = QStringLiteral("MZRAv1.4");
    SimulatedUnit a(config);
    EXPECT_EQ(a.layout(), kLayoutA);
    EXPECT_EQ(a.memoryAt(kLayoutA.pcPassword), '1');
    config.identification = QStringLiteral("MZRAv1.5");
    EXPECT_EQ(SimulatedUnit(config).layout(), kLayoutB);
    config.identification = QStringLiteral("MZRFv2.1");
    EXPECT_EQ(SimulatedUnit(config).layout(), kLayoutB);
}

// ---------------------------------------------------------------- memory

TEST(UnitMemory, ReadReplyCarriesAddressCountAndBytes)
{
    UnitHarness h;
    h.login();
    auto r = h.exchange(0x02, readData(0x40, 8));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].code, 0x82);
    ASSERT_EQ(r[0].data.size(), 12u);
    EXPECT_EQ(r[0].data[0], 0x40);
    EXPECT_EQ(r[0].data[3], 8);
    const ImageBytes memory = h.unit.memory();
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(r[0].data[4 + i], memory[0x40 + i]) << i;

    // A read past the end gets only the bytes that exist.
    r = h.exchange(0x02, readData(252, 8));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].data[3], 4);
    EXPECT_EQ(r[0].data.size(), 8u);
}

TEST(UnitMemory, ReadOfTheCounterBytesShowsTheRunningCounter)
{
    UnitHarness h;
    h.login();
    h.unit.setMinuteCounter(0x123456);
    const int at = kLayoutB.timeCounter;
    auto r = h.exchange(0x02, readData(at, 3));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].data, (Bytes{static_cast<std::uint8_t>(at), 0, 0, 3, 0x56, 0x34, 0x12}));
}

TEST(UnitMemory, NoSessionNoMemory)
{
    UnitHarness h;
    EXPECT_TRUE(h.exchange(0x02, readData(0, 8)).empty());
    EXPECT_EQ(onlyByte(h.exchange(0x03, writeData(70, {9}))), 1);
    EXPECT_NE(h.unit.memoryAt(70), 9);

    h.login();
    EXPECT_EQ(h.exchange(0x02, readData(0, 8)).size(), 1u);
    // The disconnect request, with or without data, ends the session and is not answered.
    EXPECT_TRUE(h.exchange(0x0B).empty());
    EXPECT_FALSE(h.unit.sessionOpen());
    EXPECT_TRUE(h.exchange(0x02, readData(0, 8)).empty());
    h.login();
    EXPECT_TRUE(h.exchange(0x0B, {}).empty());
    EXPECT_FALSE(h.unit.sessionOpen());
}

TEST(UnitMemory, WritesAreStoredOrRefused)
{
    UnitHarness h;
    h.login();
    EXPECT_EQ(onlyByte(h.exchange(0x03, writeData(66, {0x12, 0x34, 0x56}))), 0);
    EXPECT_EQ(h.unit.memoryAt(66), 0x12);
    EXPECT_EQ(h.unit.memoryAt(68), 0x56);

    h.unit.refuseWrites(62, 65);   // the password
    EXPECT_EQ(onlyByte(h.exchange(0x03, writeData(64, {'x', 'y'}))), 1);
    EXPECT_EQ(h.unit.memoryAt(64), '3');
    EXPECT_EQ(onlyByte(h.exchange(0x03, writeData(66, {0x00}))), 0) << "next to the range is allowed";

    // Malformed: fewer bytes than the count says, a write past the end, high address bytes.
    EXPECT_EQ(onlyByte(h.exchange(0x03, {0, 0, 80, 4, 1, 2})), 1);
    EXPECT_EQ(onlyByte(h.exchange(0x03, writeData(254, {1, 2, 3}))), 1);
    EXPECT_EQ(onlyByte(h.exchange(0x03, {0, 1, 80, 1, 7})), 1);
    EXPECT_EQ(h.unit.memoryAt(80), 0);
    h.unit.clearWriteRefusals();
    EXPECT_EQ(onlyByte(h.exchange(0x03, writeData(64, {'x'}))), 0);
}

TEST(UnitMemory, WritingTheCounterBytesSetsTheCounter)
{
    UnitHarness h;
    h.login();
    EXPECT_EQ(onlyByte(h.exchange(0x03, writeData(kLayoutB.timeCounter, {0x2C, 0x01, 0x00}))), 0);
    EXPECT_EQ(h.unit.minuteCounter(), 300u);
}

TEST(UnitMemory, TheCounterRuns)
{
    UnitConfig config = unpaced();
    config.minuteCounter = 10;
    config.minuteLength = 20ms;
    SimulatedUnit unit(config);
    std::this_thread::sleep_for(70ms);
    EXPECT_GE(unit.minuteCounter(), 13u);
    EXPECT_LE(unit.minuteCounter(), 20u);
}

// ---------------------------------------------------------------- other requests

TEST(UnitRequests, StatusConfirmationsAndSilentRequests)
{
    UnitHarness h;
    h.unit.setInput(Input::Ignition, true);
    h.unit.setInput(Input::Relay, true);
    auto status = h.exchange(0x08);
    ASSERT_EQ(status.size(), 1u);
    EXPECT_EQ(status[0].code, 0x88);
    EXPECT_EQ(status[0].data, (Bytes{0x00, 0x00, 0x01, 0x40}));

    auto confirm = h.exchange(0x0C);
    ASSERT_EQ(confirm.size(), 1u);
    EXPECT_EQ(encodeFrame(confirm[0]), QByteArray(":E0028CC554;\r\n"));
    auto canConfirm = h.exchange(0x0D);
    ASSERT_EQ(canConfirm.size(), 1u);
    EXPECT_EQ(canConfirm[0].code, 0x8D);
    EXPECT_TRUE(canConfirm[0].data.empty());

    EXPECT_TRUE(h.exchange(0x0A).empty());
    EXPECT_TRUE(h.exchange(0x04).empty());
    EXPECT_TRUE(h.exchange(0x0E).empty());
    // A frame for another address is seen but not answered.
    h.unit.receive(h.token, encodeFrame(makeFrame(0xC6, 0x08, kPcAddress, defaultDataBlock())));
    EXPECT_TRUE(h.replies().empty());
    EXPECT_EQ(h.unit.received().back().destination, 0xC6);
}

TEST(UnitRequests, RemoteButtonsAreReportedOnce)
{
    UnitHarness h;
    h.unit.press(Press::RemoteButton1);
    h.unit.press(Press::CarRemoteLock);
    auto first = h.exchange(0x08);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].data[0], 0x12);
    auto second = h.exchange(0x08);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].data[0], 0x00);
}

TEST(UnitRequests, DamagedRequestsAreCountedAndIgnored)
{
    UnitHarness h;
    h.unit.receive(h.token, QByteArray(":C50708E00000000000D6;\r\n"));
    EXPECT_TRUE(h.replies().empty());
    EXPECT_EQ(h.unit.checksumErrors(), 1);
    EXPECT_TRUE(h.unit.received().empty());
}

TEST(UnitRequests, FramesSplitAcrossWritesAreHandledWhenComplete)
{
    UnitHarness h;
    const QByteArray text = encodeFrame(makeFrame(kUnitAddress, 0x08, kPcAddress, defaultDataBlock()));
    h.unit.receive(h.token, text.left(7));
    EXPECT_TRUE(h.replies().empty());
    h.unit.receive(h.token, text.mid(7));
    EXPECT_EQ(h.replies().size(), 1u);
}

// ---------------------------------------------------------------- learning

TEST(UnitLearning, StillLearningThenTheCountAndFreshRecords)
{
    UnitConfig config = unpaced();
    config.learningTime = 0ms;   // only finishLearning ends it
    UnitHarness h(config);
    h.login();
    const ImageBytes before = h.unit.memory();

    EXPECT_EQ(onlyByte(h.exchange(0x09, {0x00})), 5);
    EXPECT_TRUE(h.unit.learning());
    EXPECT_TRUE(h.replies().empty());
    EXPECT_TRUE(h.unit.finishLearning(3));
    EXPECT_EQ(onlyByte(h.replies()), 3);
    EXPECT_FALSE(h.unit.learning());
    EXPECT_FALSE(h.unit.finishLearning(1)) << "nothing to finish";

    const ImageBytes after = h.unit.memory();
    const int remotes = kLayoutB.remotes;
    for (int slot = 0; slot < 4; ++slot) {
        const bool empty = std::all_of(after.begin() + remotes + slot * 6, after.begin() + remotes + slot * 6 + 6,
                                       [](std::uint8_t b) { return b == 0; });
        EXPECT_EQ(empty, slot == 3) << "slot " << slot;
    }
    EXPECT_TRUE(std::equal(before.begin() + kLayoutB.tokens, before.begin() + kLayoutB.tokens + 24,
                           after.begin() + kLayoutB.tokens))
        << "learning remotes leaves the tokens alone";
}

TEST(UnitLearning, EndsByItselfAfterItsTime)
{
    UnitConfig config = unpaced();
    config.learningTime = 60ms;
    config.learnedByItself = 1;
    UnitHarness h(config);
    h.login();
    const auto start = Clock::now();
    EXPECT_EQ(onlyByte(h.exchange(0x09, {0x01})), 5);
    const auto report = h.awaitReplies(2000ms);
    EXPECT_GE(Clock::now() - start, 55ms);
    EXPECT_EQ(onlyByte(report), 1);
    const ImageBytes m = h.unit.memory();
    EXPECT_TRUE(std::any_of(m.begin() + kLayoutB.tokens, m.begin() + kLayoutB.tokens + 6, [](auto b) { return b != 0; }));
    EXPECT_TRUE(std::all_of(m.begin() + kLayoutB.tokens + 6, m.begin() + kLayoutB.tokens + 24, [](auto b) { return b == 0; }));
}

TEST(UnitLearning, NeedsASessionAndZeroLearntKeepsTheOldRecords)
{
    UnitConfig config = unpaced();
    config.learningTime = 0ms;
    UnitHarness h(config);
    EXPECT_TRUE(h.exchange(0x09, {0x00}).empty());
    h.login();
    EXPECT_TRUE(h.exchange(0x09, {0x02}).empty()) << "neither remotes nor tokens";
    const ImageBytes before = h.unit.memory();
    h.exchange(0x09, {0x00});
    h.unit.finishLearning(0);
    EXPECT_EQ(onlyByte(h.replies()), 0);
    EXPECT_EQ(h.unit.memory(), before);
    // Counts above four are reported as four.
    h.exchange(0x09, {0x00});
    h.unit.finishLearning(9);
    EXPECT_EQ(onlyByte(h.replies()), 4);
}

// ---------------------------------------------------------------- the log

TEST(UnitLog, RecordsEveryFrameBothWays)
{
    UnitHarness h;
    h.unit.clearFrameLog();
    h.exchange(0x08);
    h.login();
    const auto log = h.unit.frameLog();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].direction, LoggedFrame::Direction::Received);
    EXPECT_EQ(log[0].frame.code, 0x08);
    EXPECT_EQ(log[1].direction, LoggedFrame::Direction::Sent);
    EXPECT_EQ(log[1].frame.code, 0x88);
    EXPECT_EQ(log[1].wire, encodeFrame(log[1].frame));
    EXPECT_LE(log[0].at, log[1].at);
    EXPECT_EQ(h.unit.received(0x01).size(), 1u);
    EXPECT_EQ(h.unit.received(0x01)[0].data, passwordData("1234"));
    EXPECT_EQ(h.unit.sent(0x81).size(), 1u);
}
