#include "sim/UnitCommands.h"
#include "UnitHarness.h"

#include <gtest/gtest.h>

using namespace alvetra;
using namespace alvetra::sim;
using namespace alvetra::test;

namespace {

class Console : public ::testing::Test {
protected:
    UnitHarness h;
    UnitCommands commands{h.unit};

    UnitCommands::Outcome run(const char *line) { return commands.execute(QString::fromLatin1(line)); }
    StatusBytes status() { return h.unit.statusBytes(); }
};

} // namespace

TEST_F(Console, SwitchesSetClearAndToggleInputs)
{
    EXPECT_EQ(run("ignition on").text, QStringLiteral("on; status 00 00 01 00"));
    EXPECT_TRUE(run("door open").ok);
    EXPECT_EQ(status()[2], 0x03);
    run("door close");
    run("ignition off");
    EXPECT_EQ(status()[2], 0x00);
    run("sensor");   // toggles
    EXPECT_EQ(status()[2], 0x08);
    run("sensor");
    EXPECT_EQ(status()[2], 0x00);
    run("  Relay   ON ");
    EXPECT_EQ(status()[3], 0x40);
    run("can-turn on");
    run("can-ignition on");
    EXPECT_EQ(status(), (StatusBytes{0x00, 0x04, 0x10, 0x40}));
    const auto wrong = run("ignition maybe");
    EXPECT_FALSE(wrong.ok);
    EXPECT_EQ(status()[2], 0x10) << "a refused command changes nothing";
}

TEST_F(Console, ArmingAndBlocks)
{
    run("arm");
    EXPECT_TRUE(h.unit.inputs()[Input::Armed]);
    run("disarm");
    EXPECT_FALSE(h.unit.inputs()[Input::Armed]);

    run("antitheft active");
    EXPECT_EQ(status()[3], 0x11);
    run("antitheft present");
    EXPECT_EQ(status()[3], 0x10);
    run("hijack triggered");
    EXPECT_EQ(status()[3], 0x38);
    run("hijack active");
    EXPECT_EQ(status()[3], 0x34);
    run("hijack off");
    run("antitheft off");
    EXPECT_EQ(status()[3], 0x00);
    EXPECT_FALSE(run("hijack sometimes").ok);
}

TEST_F(Console, ButtonsAndRawStatus)
{
    run("remote 3");
    run("car-unlock");
    run("battery");
    EXPECT_EQ(status()[0], 0x45);
    EXPECT_FALSE(run("remote 5").ok);
    EXPECT_TRUE(run("status 0x00 02 a0 1F").ok);
    EXPECT_EQ(status(), (StatusBytes{0x00, 0x02, 0xA0, 0x1F}));
    EXPECT_FALSE(run("status 00 02 100 00").ok);
    EXPECT_FALSE(run("status 00 02").ok);
}

TEST_F(Console, LearnEndsARunningLearning)
{
    h.unit.setFaults({});
    EXPECT_FALSE(run("learn 2").ok) << "nothing to end";
    h.login();
    h.exchange(0x09, {0x00});
    EXPECT_FALSE(run("learn 7").ok);
    EXPECT_TRUE(run("learn 2").ok);
    const auto replies = h.replies();
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].data, Bytes{2});
}

TEST_F(Console, FaultsAtRunTime)
{
    EXPECT_TRUE(run("no-reply 08, 0c").ok);
    EXPECT_EQ(h.unit.faults().unansweredCodes, (std::set<std::uint8_t>{0x08, 0x0C}));
    EXPECT_TRUE(h.exchange(0x08).empty());
    run("no-reply none");
    EXPECT_EQ(h.exchange(0x08).size(), 1u);

    run("latency 25");
    EXPECT_EQ(h.unit.faults().latency, std::chrono::milliseconds(25));
    run("corrupt 0.25");
    EXPECT_DOUBLE_EQ(h.unit.faults().corruptProbability, 0.25);
    EXPECT_FALSE(run("noise 2").ok);
    run("refuse-write 3");
    EXPECT_EQ(h.unit.faults().refuseWrite, 3);
    run("refuse-write off");
    EXPECT_FALSE(h.unit.faults().refuseWrite.has_value());
    run("silence-after-reads 10");
    EXPECT_EQ(h.unit.faults().silenceAfterReads, 10);

    run("stop");
    EXPECT_FALSE(h.unit.answering());
    run("resume");
    EXPECT_TRUE(h.unit.answering());
    run("unplug");
    EXPECT_TRUE(h.unit.unplugged());
    run("replug");
    EXPECT_FALSE(h.unit.unplugged());
    EXPECT_FALSE(run("frobnicate").ok);
}

TEST_F(Console, RefusedRangesAndDump)
{
    h.login();
    run("latency 0");
    EXPECT_TRUE(run("refuse-range 62 65").ok);
    EXPECT_EQ(h.exchange(0x03, writeData(63, {1}))[0].data, Bytes{1});
    run("refuse-range off");
    EXPECT_EQ(h.exchange(0x03, writeData(63, {1}))[0].data, Bytes{0});

    const QString dump = run("dump").text;
    EXPECT_TRUE(dump.contains(QStringLiteral("identification MZRv1.61, layout B")));
    EXPECT_TRUE(dump.contains(QStringLiteral("session open")));
    EXPECT_TRUE(dump.contains(QStringLiteral(" 48: ")));
    EXPECT_EQ(dump.count(QLatin1Char('\n')), 3 + 15);
}

TEST_F(Console, QuitHelpAndEmptyLines)
{
    EXPECT_TRUE(run("quit").quit);
    EXPECT_TRUE(run("exit").quit);
    EXPECT_FALSE(run("help").quit);
    EXPECT_TRUE(run("help").text.contains(QStringLiteral("learn N")));
    const auto empty = run("   ");
    EXPECT_TRUE(empty.ok);
    EXPECT_TRUE(empty.text.isEmpty());
}

TEST(ConsoleCodes, RequestCodeLists)
{
    EXPECT_EQ(UnitCommands::parseRequestCodes("08,0C"), (std::set<std::uint8_t>{0x08, 0x0C}));
    EXPECT_EQ(UnitCommands::parseRequestCodes("0x1 b"), (std::set<std::uint8_t>{0x01, 0x0B}));
    EXPECT_EQ(UnitCommands::parseRequestCodes("none"), std::set<std::uint8_t>{});
    EXPECT_FALSE(UnitCommands::parseRequestCodes("").has_value());
    EXPECT_FALSE(UnitCommands::parseRequestCodes("1FF").has_value());
    EXPECT_FALSE(UnitCommands::parseRequestCodes("zz").has_value());
}

TEST_F(Console, BecomingAnotherUnitByFamilyOrIdentification)
{
    EXPECT_TRUE(run("become 14 Alvetra SIM 2").ok);
    EXPECT_EQ(h.unit.identification(), QByteArray("MZRAv1.4"));
    EXPECT_EQ(h.unit.layout(), kLayoutA);
    EXPECT_EQ(h.exchange(0x06).at(0).data, (Bytes{'A', 'l', 'v', 'e', 't', 'r', 'a', ' ', 'S', 'I', 'M', ' ', '2'}));
    EXPECT_TRUE(run("Become MZRFv2.1").ok);
    EXPECT_EQ(h.unit.identification(), QByteArray("MZRFv2.1"));
    EXPECT_FALSE(run("become 13").ok);
    EXPECT_FALSE(run("become").ok);
    EXPECT_EQ(h.unit.identification(), QByteArray("MZRFv2.1"));
}
