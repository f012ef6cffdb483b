#include "UnitHarness.h"

#include <gtest/gtest.h>

#include <thread>

using namespace alvetra;
using namespace alvetra::sim;
using namespace alvetra::test;
using namespace std::chrono_literals;

namespace {

bool answered(UnitHarness &h, std::uint8_t code, const Bytes &data = defaultDataBlock())
{
    return !h.exchange(code, data).empty();
}

std::uint8_t writeResult(UnitHarness &h, int address, std::uint8_t value)
{
    const auto r = h.exchange(0x03, writeData(address, {value}));
    return r.size() == 1 && r[0].data.size() == 1 ? r[0].data[0] : 0xEE;
}

} // namespace

TEST(UnitFaults, ChosenCodesGoUnansweredAndChangeNothing)
{
    UnitHarness h;
    h.login();
    FaultPlan plan;
    plan.unansweredCodes = {0x08, 0x03};
    h.unit.setFaults(plan);
    EXPECT_FALSE(answered(h, 0x08));
    EXPECT_FALSE(answered(h, 0x03, writeData(80, {5})));
    EXPECT_EQ(h.unit.memoryAt(80), 0) << "an unanswered request is lost, not carried out";
    EXPECT_TRUE(answered(h, 0x06));
    EXPECT_EQ(h.unit.received(0x08).size(), 1u) << "the log still shows what came in";
    h.unit.setFaults({});
    EXPECT_TRUE(answered(h, 0x08));
}

TEST(UnitFaults, LatencyDelaysEveryReply)
{
    UnitHarness h;
    FaultPlan plan;
    plan.latency = 80ms;
    h.unit.setFaults(plan);
    const auto start = Clock::now();
    h.send(0x08);
    EXPECT_TRUE(h.replies().empty());
    const auto replies = h.awaitReplies(2000ms);
    EXPECT_EQ(replies.size(), 1u);
    EXPECT_GE(Clock::now() - start, 75ms);
}

TEST(UnitFaults, DamagedRepliesFailTheirCheckReproducibly)
{
    UnitHarness h;
    FaultPlan plan;
    plan.corruptProbability = 1.0;
    h.unit.setFaults(plan);
    EXPECT_TRUE(h.exchange(0x08).empty());
    EXPECT_EQ(h.parser.checksumErrors(), 1);
    EXPECT_TRUE(h.unit.frameLog().back().damaged);

    // With p = 0.5 the same seed damages the same replies.
    auto pattern = [](std::uint32_t seed) {
        UnitHarness u;
        FaultPlan half;
        half.corruptProbability = 0.5;
        u.unit.setFaults(half);
        u.unit.seedFaults(seed);
        std::vector<bool> out;
        for (int i = 0; i < 40; ++i)
            out.push_back(u.exchange(0x08).empty());
        return out;
    };
    const auto a = pattern(42);
    EXPECT_EQ(a, pattern(42));
    const auto damaged = std::count(a.begin(), a.end(), true);
    EXPECT_GT(damaged, 8);
    EXPECT_LT(damaged, 32);
}

TEST(UnitFaults, NoiseBetweenFramesDoesNotBreakThem)
{
    UnitHarness h;
    FaultPlan plan;
    plan.noiseProbability = 1.0;
    h.unit.setFaults(plan);
    for (int i = 0; i < 20; ++i) {
        const auto replies = h.exchange(0x08);
        ASSERT_EQ(replies.size(), 1u) << i;
        EXPECT_EQ(replies[0].code, 0x88);
        const LoggedFrame sent = h.unit.frameLog().back();
        const qsizetype colon = sent.wire.indexOf(':');
        EXPECT_GT(colon, 0) << "noise comes first";
        EXPECT_FALSE(sent.wire.left(colon).contains(';'));
    }
    EXPECT_EQ(h.parser.checksumErrors(), 0);
}

TEST(UnitFaults, SilenceAfterNReadsUntilTheNextLogin)
{
    UnitHarness h;
    h.login();
    FaultPlan plan;
    plan.silenceAfterReads = 2;
    h.unit.setFaults(plan);
    EXPECT_TRUE(answered(h, 0x02, readData(0, 8)));
    EXPECT_TRUE(answered(h, 0x02, readData(8, 8)));
    EXPECT_FALSE(answered(h, 0x02, readData(16, 8)));
    EXPECT_FALSE(answered(h, 0x02, readData(16, 8)));
    EXPECT_TRUE(answered(h, 0x08)) << "only reads are silenced";
    EXPECT_EQ(h.login(), 0x01);
    for (int address = 16; address < 256; address += 8)
        EXPECT_TRUE(answered(h, 0x02, readData(address, 8))) << address;
}

TEST(UnitFaults, TheKthWriteIsRefused)
{
    UnitHarness h;
    h.login();
    FaultPlan plan;
    plan.refuseWrite = 2;
    h.unit.setFaults(plan);
    EXPECT_EQ(writeResult(h, 70, 1), 0);
    EXPECT_EQ(writeResult(h, 71, 2), 1);
    EXPECT_EQ(writeResult(h, 72, 3), 0);
    EXPECT_EQ(h.unit.memoryAt(71), 7) << "the refused byte keeps its value";
    EXPECT_EQ(h.unit.memoryAt(72), 3);
}

TEST(UnitFaults, SilentForAWhileAndStoppedUntilResumed)
{
    UnitHarness h;
    h.unit.silenceFor(100ms);
    EXPECT_FALSE(answered(h, 0x08));
    std::this_thread::sleep_for(120ms);
    EXPECT_TRUE(answered(h, 0x08));

    h.unit.setAnswering(false);
    EXPECT_FALSE(answered(h, 0x06));
    EXPECT_FALSE(answered(h, 0x01, passwordData("1234")));
    EXPECT_FALSE(h.unit.sessionOpen());
    h.unit.setAnswering(true);
    EXPECT_TRUE(answered(h, 0x06));
}

TEST(UnitFaults, ALearningThatEndsWhileSilentIsNotHeard)
{
    UnitConfig config = unpaced();
    config.learningTime = 0ms;
    UnitHarness h(config);
    h.login();
    h.exchange(0x09, {0x00});
    h.unit.setAnswering(false);
    h.unit.finishLearning(2);
    EXPECT_TRUE(h.replies().empty());
}

TEST(UnitFaults, UnplugTakesTheLineUntilReplug)
{
    UnitHarness h;
    h.unit.unplug();
    EXPECT_FALSE(h.unit.holdsLine(h.token));
    EXPECT_EQ(h.unit.attachLine(), 0u);
    EXPECT_FALSE(h.unit.receive(h.token, "x").has_value());
    h.unit.replug();
    EXPECT_NE(h.unit.attachLine(), 0u);
}
