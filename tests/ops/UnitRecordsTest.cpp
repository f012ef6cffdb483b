// Clearing the history, learning and erasing remotes and tokens.

#include "OpsHarness.h"
#include "ops/OpsTexts.h"
#include "ops/RemoteLearning.h"

using namespace alvetra;
using namespace alvetra::test;

TEST_F(OpsTest, ClearingTheHistoryWritesThePointerThenEveryHistoryByte)
{
    for (const auto &[identification, first, last] : {std::tuple{"MZRAv1.4", 86, 237}, std::tuple{"MZRv1.61", 168, 255}}) {
        SCOPED_TRACE(identification);
        startUnit(unitConfig(identification));
        connectAndClearLogs();
        EXPECT_EQ(ops->clearHistory(), OperationOutcome::Done);

        const auto writes = writesReceived();
        ASSERT_EQ(writes.size(), std::size_t(last - first + 2));
        EXPECT_EQ(writes[0], (std::pair<int, Bytes>{state.layout.historyPointer, {std::uint8_t(first)}}));
        for (int address = first; address <= last; ++address)
            EXPECT_EQ(writes[address - first + 1], (std::pair<int, Bytes>{address, {0}}));
        EXPECT_EQ(std::count(view.calls.begin(), view.calls.end(),
                             "BeginProgress Kasowanie historii: " + QString::number(last - first + 1)), 1);
        EXPECT_EQ(view.statuses.back(), (StatusText{"Skasowano historię", 383, StatusColour::WindowText}));
        EXPECT_TRUE(unit->received(0x0C).empty());
        EXPECT_EQ(unit->memory(), state.image.bytes());
    }
}

TEST_F(OpsTest, AHistoryByteNotTakenIsCountedAndTheRestStillCleared)
{
    connectAndClearLogs();
    unit->refuseWrites(200, 200);
    EXPECT_EQ(ops->clearHistory(), OperationOutcome::Failed);
    EXPECT_EQ(writesReceived().size(), 89u);
    EXPECT_EQ(unit->memoryAt(255), 0);
    EXPECT_EQ(view.messages, (std::vector<UserMessage>{{"Ostżerzenie", "Błąd kasowania historii.", MessageIcon::Warning}}));
    EXPECT_EQ(view.statuses.back(), (StatusText{"Błąd kasowania historii", 383, StatusColour::Red}));
    // The image holds the cleared bytes whatever the unit did with them.
    EXPECT_EQ(state.image.at(200), 0);
}

TEST(LearnedText, SingularOnlyForOne)
{
    EXPECT_EQ(learnedText(RecordGroup::Remotes, 0), "Zaprogramowano 0 piloty.");
    EXPECT_EQ(learnedText(RecordGroup::Remotes, 1), "Zaprogramowano 1 pilot.");
    EXPECT_EQ(learnedText(RecordGroup::Remotes, 5), "Zaprogramowano 5 piloty.");
    EXPECT_EQ(learnedText(RecordGroup::Tokens, 1), "Zaprogramowano 1 token.");
    EXPECT_EQ(learnedText(RecordGroup::Tokens, 3), "Zaprogramowano 3 tokeny.");
}

TEST_F(OpsTest, LearningReportsHowManyTheUnitLearnt)
{
    for (const auto &[tokens, count, text] : {std::tuple{false, 0, "Zaprogramowano 0 piloty."},
                                              std::tuple{false, 1, "Zaprogramowano 1 pilot."},
                                              std::tuple{true, 3, "Zaprogramowano 3 tokeny."}}) {
        SCOPED_TRACE(text);
        sim::UnitConfig config = unitConfig();
        config.learningTime = std::chrono::milliseconds(30);
        config.learnedByItself = count;
        startUnit(config);
        view.messages.clear();
        EXPECT_EQ(ops->learn(tokens ? RecordGroup::Tokens : RecordGroup::Remotes), OperationOutcome::Done);

        std::vector<int> expected = kLoginCodes;
        expected.insert(expected.end(), {0x09, 0x0C});
        EXPECT_EQ(codesReceived(), expected);
        EXPECT_EQ(unit->received(0x09).at(0).data, Bytes{std::uint8_t(tokens ? 1 : 0)});
        EXPECT_EQ(view.messages, (std::vector<UserMessage>{{"Iformacja", text, MessageIcon::Information}}));
        EXPECT_EQ(view.statuses.back(), (StatusText{text, 383, StatusColour::WindowText}));
        EXPECT_TRUE(view.operationsEnabled);
    }
}

TEST_F(OpsTest, LearningThatDoesNotEndIn100SecondsFails)
{
    sim::UnitConfig config = unitConfig();
    config.learningTime = std::chrono::milliseconds(0);   // ends only when told
    startUnit(config);
    const qint64 start = TimeBase::nowMs();
    EXPECT_EQ(ops->learn(RecordGroup::Remotes), OperationOutcome::Failed);

    EXPECT_GE(TimeBase::nowMs() - start, 100000);
    EXPECT_TRUE(unit->received(0x0C).empty());
    EXPECT_EQ(view.messages, (std::vector<UserMessage>{{"Iformacja", "Błąd programowania pilotów.", MessageIcon::Exclamation}}));
    EXPECT_EQ(view.statuses.front(), (StatusText{"", 383, StatusColour::WindowText}));
    EXPECT_EQ(view.statuses.back(), (StatusText{"Błąd programowania pilotów", 383, StatusColour::Red}));
    EXPECT_TRUE(view.supervisionRunning);
}

TEST_F(OpsTest, ErasingTokensWritesTheirTwentyFourBytes)
{
    for (const auto &[identification, first] : {std::pair{"MZRAv1.4", 32}, std::pair{"MZRv1.61", 30}}) {
        SCOPED_TRACE(identification);
        startUnit(unitConfig(identification));
        connectAndClearLogs();
        EXPECT_EQ(ops->erase(RecordGroup::Tokens), OperationOutcome::Done);

        const auto writes = writesReceived();
        ASSERT_EQ(writes.size(), 24u);
        for (int i = 0; i < 24; ++i)
            EXPECT_EQ(writes[i], (std::pair<int, Bytes>{first + i, {0}}));
        EXPECT_EQ(codesReceived().back(), 0x0C);
        EXPECT_EQ(view.progressSteps, 24);
        EXPECT_EQ(view.statuses.back(), (StatusText{"Skasowano.", 383, StatusColour::WindowText}));
        EXPECT_TRUE(view.messages.empty());
        EXPECT_EQ(unit->memory(), state.image.bytes());
    }
}

TEST_F(OpsTest, ErasingGoesOnPastARefusedByteAndReportsOnlyInTheStatus)
{
    connectAndClearLogs();
    unit->refuseWrites(10, 10);   // the third byte of the remotes (from 6 in this layout)
    EXPECT_EQ(ops->erase(RecordGroup::Remotes), OperationOutcome::Failed);
    EXPECT_EQ(writesReceived().size(), 24u);
    EXPECT_EQ(view.progressSteps, 4);   // the four bytes before the refused one, then the bar stops
    EXPECT_EQ(unit->memoryAt(29), 0);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(view.statuses.back(), (StatusText{"Błąd kasowania.", 383, StatusColour::Red}));
}
