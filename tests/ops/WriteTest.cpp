// Writing settings groups: the blocks each group sends, confirmations, texts and writing all.

#include "alarm/AlarmTexts.h"
#include "OpsHarness.h"
#include "ops/OpsTexts.h"
#include "ops/WriteGroups.h"

using namespace alvetra;
using namespace alvetra::test;

namespace {

std::vector<int> addressesOf(const std::vector<WriteBlockSpec> &blocks)
{
    std::vector<int> out;
    for (const WriteBlockSpec &b : blocks) out.push_back(b.address);
    return out;
}

std::vector<int> countsOf(const std::vector<WriteBlockSpec> &blocks)
{
    std::vector<int> out;
    for (const WriteBlockSpec &b : blocks) out.push_back(b.count);
    return out;
}

} // namespace

TEST(WriteGroupBlocks, AddressesAndCountsInBothLayouts)
{
    struct Case {
        WriteGroup group;
        std::vector<int> a, b, counts;
    };
    const std::vector<Case> cases{
        {WriteGroup::PcPassword, {64}, {62}, {4}},
        {WriteGroup::Codes, {56, 58, 60, 62}, {54, 56, 58, 60}, {2, 2, 2, 2}},
        {WriteGroup::TurnSignals, {68}, {66}, {3}},
        {WriteGroup::CentralLocks, {68, 71, 72, 73, 74, 75, 76, 77, 78}, {66, 69, 70, 71, 72, 73, 74, 75, 76},
         {3, 1, 1, 1, 1, 1, 1, 1, 1}},
        {WriteGroup::AntiTheft, {68, 79}, {66, 77}, {3, 1}},
        {WriteGroup::AntiHijack, {68, 80}, {66, 78}, {3, 1}},
        {WriteGroup::Rearming, {68}, {66}, {3}},
        {WriteGroup::CanGroup, {81}, {79}, {1}},
        {WriteGroup::CanOptions, {68}, {66}, {3}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(groupTexts(c.group).progress.toStdString());
        EXPECT_EQ(addressesOf(groupBlocks(c.group, kLayoutA)), c.a);
        EXPECT_EQ(addressesOf(groupBlocks(c.group, kLayoutB)), c.b);
        EXPECT_EQ(countsOf(groupBlocks(c.group, kLayoutB)), c.counts);
    }
}

TEST_F(OpsTest, TurnSignalsSendOneFlagsBlockAndAConfirmation)
{
    connectAndClearLogs();
    view.values.soundConfirmation = !view.values.soundConfirmation;
    const ImageBytes before = unit->memory();
    ops->writeGroup(WriteGroup::TurnSignals);

    std::vector<int> expected = kLoginCodes;
    expected.insert(expected.end(), {0x03, 0x0C});
    EXPECT_EQ(codesReceived(), expected);
    const auto writes = writesReceived();
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].first, 66);
    EXPECT_EQ(writes[0].second, (Bytes{state.image.at(66), state.image.at(67), state.image.at(68)}));
    EXPECT_NE(unit->memory(), before);
    EXPECT_EQ(unit->memory(), state.image.bytes());
    EXPECT_EQ(std::count(view.calls.begin(), view.calls.end(), "BeginProgress Zapis kierunków: 1"), 1);
    EXPECT_EQ(view.progressSteps, 1);
    EXPECT_EQ(view.statuses.back(), (StatusText{"Zapisano kierunki", 383, StatusColour::WindowText}));
    EXPECT_TRUE(view.messages.empty());
    EXPECT_TRUE(state.writeOk);
}

TEST_F(OpsTest, ARefusedLockBlockStopsTheGroupButStillConfirms)
{
    connectAndClearLogs();
    unit->refuseWrites(69, 69);
    ops->writeGroup(WriteGroup::CentralLocks);

    const auto writes = writesReceived();
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0].first, 66);
    EXPECT_EQ(writes[1].first, 69);
    EXPECT_EQ(codesReceived().back(), 0x0C);
    EXPECT_EQ(view.messages, (std::vector<UserMessage>{{"Ostżerzenie", "Błąd zapisu zamków", MessageIcon::Warning}}));
    EXPECT_EQ(view.statuses.back(), (StatusText{"Błąd zapisu zamków", 383, StatusColour::Red}));
    EXPECT_FALSE(view.progressVisible);
    EXPECT_FALSE(state.writeOk);
    EXPECT_TRUE(state.loginOk);
}

TEST_F(OpsTest, TheCanGroupIsConfirmedByItsOwnRequestFromFamily15)
{
    for (const char *identification : {"MZRAv1.4", "MZRv1.61"}) {
        SCOPED_TRACE(identification);
        startUnit(unitConfig(identification));
        connectAndClearLogs();
        view.values.alarmCan = false;
        view.values.chosenCanGroup = "42";
        ops->writeGroup(WriteGroup::CanGroup);

        std::vector<int> expected = kLoginCodes;
        expected.push_back(0x03);
        if (state.familyCode >= 15)
            expected.push_back(0x0D);
        EXPECT_EQ(codesReceived(), expected);
        EXPECT_EQ(unit->memoryAt(state.layout.canGroup), 42);
        EXPECT_EQ(view.lastStatus(), "Zapisano CAN");
    }
}

TEST_F(OpsTest, RefusingBuildersSendNothingAfterTheLogin)
{
    connectAndClearLogs();
    view.values.antiHijackCode = view.values.programmingCode;
    ops->writeGroup(WriteGroup::Codes);
    EXPECT_EQ(codesReceived(), kLoginCodes);
    EXPECT_EQ(view.messageTexts(), std::vector<QString>{texts::kCodesMustDiffer});
    EXPECT_TRUE(state.loginOk);
    EXPECT_FALSE(state.writeOk);

    // A CAN group that cannot be built does not even log in.
    unit->clearFrameLog();
    view.values.alarmCan = false;
    view.values.chosenCanGroup = "4x";
    ops->writeGroup(WriteGroup::CanGroup);
    EXPECT_TRUE(unit->received().empty());
    EXPECT_FALSE(state.loginOk);
    EXPECT_EQ(view.messages.back().text, "Błąd na pozycji: 2");
    EXPECT_TRUE(view.operationsEnabled);
}

TEST_F(OpsTest, ChangingThePcPassword)
{
    connectAndClearLogs();
    view.values.newPcPassword = view.values.newPcPasswordRepeat = "ab1ż";
    ops->writeGroup(WriteGroup::PcPassword);
    const auto writes = writesReceived();
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0], (std::pair<int, Bytes>{62, {'a', 'b', '1', 0xBF}}));
    EXPECT_EQ(codesReceived().back(), 0x0C);
    EXPECT_EQ(view.lastStatus(), "Zapisano hasło PC");
    // The edits are emptied last, after the actions and the timer have come back.
    EXPECT_EQ(view.calls.back(), "clearPcPasswordEdits");
    view.password = "ab1ż";

    const std::vector<std::pair<QString, QString>> refused{{"ab12", "ab13"}, {"abc", "abc"}};
    for (const auto &[first, second] : refused) {
        unit->clearFrameLog();
        view.messages.clear();
        view.values.newPcPassword = first;
        view.values.newPcPasswordRepeat = second;
        ops->writeGroup(WriteGroup::PcPassword);
        EXPECT_EQ(codesReceived(), kLoginCodes);
        ASSERT_EQ(view.messages.size(), 1u);
        EXPECT_EQ(view.messages[0].caption, "Informacja");
        EXPECT_EQ(view.messages[0].text, first.size() == 4 ? texts::kPasswordMismatch : texts::kPasswordTooShort);
        EXPECT_TRUE(view.values.newPcPassword.isEmpty());
        EXPECT_TRUE(view.values.newPcPasswordRepeat.isEmpty());
    }
}

TEST_F(OpsTest, NoticesAfterWritingABlockOrReArmingSwitchedOn)
{
    connectAndClearLogs();
    struct Case {
        WriteGroup group;
        bool TabValues::*checkBox;
        QString notice;
    };
    const std::vector<Case> cases{
        {WriteGroup::AntiTheft, &TabValues::antiTheft, texts::kAntiTheftProgrammed},
        {WriteGroup::AntiHijack, &TabValues::antiHijack, texts::kAntiHijackProgrammed},
        {WriteGroup::Rearming, &TabValues::rearming, texts::kRearmingProgrammed},
    };
    for (const Case &c : cases) {
        for (bool on : {false, true}) {
            view.messages.clear();
            view.values.*c.checkBox = on;
            ASSERT_EQ(ops->writeGroup(c.group), OperationOutcome::Done);
            ASSERT_TRUE(state.writeOk);
            EXPECT_EQ(view.messages.size(), on ? 1u : 0u);
            if (on) {
                EXPECT_EQ(view.messages[0], (UserMessage{"Ostżerzenie", c.notice, MessageIcon::Warning}));
            }
        }
    }
    EXPECT_TRUE(texts::kRearmingProgrammed.startsWith("Wprogramowano ponowne uzbrajanie.\rUWAGA!\rPodczas"));
}

TEST_F(OpsTest, CanAnalysisOptionsDoNothingWhileHidden)
{
    connectAndClearLogs();
    view.canAnalysis = false;
    EXPECT_EQ(ops->writeGroup(WriteGroup::CanOptions), OperationOutcome::Skipped);
    EXPECT_TRUE(unit->received().empty());
    EXPECT_TRUE(view.calls.empty());

    view.canAnalysis = true;
    EXPECT_EQ(ops->writeGroup(WriteGroup::CanOptions), OperationOutcome::Done);
    EXPECT_EQ(writesReceived().size(), 1u);
    EXPECT_EQ(view.lastStatus(), "Zapis ustawień analizy magistrali CAN");
}

TEST_F(OpsTest, WritingAllWithThePasswordEditsEmpty)
{
    for (const auto &[identification, summary, logins] :
         {std::tuple{"MZRv1.61", "Zaprogramowano 8 pozycji z 9", 9u}, std::tuple{"MZRAv1.4", "Zaprogramowano 7 pozycji z 8", 8u}}) {
        SCOPED_TRACE(identification);
        startUnit(unitConfig(identification));
        connectAndClearLogs();
        EXPECT_EQ(ops->writeAll(), OperationOutcome::Failed);   // all but the PC password

        EXPECT_EQ(view.messages.at(0), (UserMessage{"Informacja", texts::kPasswordTooShort, MessageIcon::Information}));
        EXPECT_EQ(view.statuses.back(), (StatusText{summary, 383, StatusColour::WindowText}));
        EXPECT_EQ(unit->received(0x01).size(), logins);
        EXPECT_EQ(view.calls.front(), "pauseSupervision");
        EXPECT_EQ(std::count(view.calls.begin(), view.calls.end(), "setPageControlEnabled 0"), 1);
        EXPECT_TRUE(view.pageControlEnabled);
        EXPECT_TRUE(view.operationsEnabled);
        EXPECT_TRUE(view.supervisionRunning);
        // What the unit holds now is what the program holds.
        EXPECT_EQ(unit->memory(), state.image.bytes());
    }
}

TEST_F(OpsTest, WritingAllStopsWhenTheFirstLoginIsNotAnswered)
{
    connectAndClearLogs();
    unit->setAnswering(false);
    ops->writeAll();
    EXPECT_EQ(codesWithoutRetransmissions(), std::vector<int>{0x06});
    EXPECT_EQ(view.messageTexts(), std::vector<QString>{"Alarm nie odpowiada."});
    EXPECT_EQ(view.lastStatus(), "Alarm nie odpowiada.");
}

TEST_F(OpsTest, NothingIsWrittenToAnotherUnitUntilItsSettingsAreRead)
{
    connectAndClearLogs();
    // The same family, another unit: only the text of reply 0x86 tells them apart.
    sim::UnitConfig other = unitConfig();
    other.firstText = QStringLiteral("Alvetra SIM 0002");
    unit->becomeAnotherUnit(other);
    const ImageBytes before = unit->memory();
    view.values.newPcPassword = view.values.newPcPasswordRepeat = "4321";

    using Operation = std::function<void(AlarmOperations &)>;
    for (const Operation &writing : std::vector<Operation>{
             &AlarmOperations::writeAll, [](AlarmOperations &ops) { ops.writeGroup(WriteGroup::CentralLocks); },
             &AlarmOperations::clearHistory, [](AlarmOperations &ops) { ops.learn(RecordGroup::Remotes); },
             [](AlarmOperations &ops) { ops.erase(RecordGroup::Tokens); }}) {
        unit->clearFrameLog();
        view.messages.clear();
        writing(*ops);
        // One login, and not a request after it; one box, also for all groups.
        EXPECT_EQ(codesReceived(), kLoginCodes);
        EXPECT_EQ(view.messages, (std::vector<UserMessage>{{"Ostżerzenie",
                                                            "Do portu podłączono inną centralkę.\rAby ją programować, "
                                                            "odczytaj najpierw jej ustawienia (Odczyt).",
                                                            MessageIcon::Exclamation}}));
        EXPECT_EQ(view.statuses.back(), (StatusText{"Do portu podłączono inną centralkę.", 383, StatusColour::Red}));
    }
    EXPECT_EQ(unit->memory(), before);
    EXPECT_EQ(view.password, "1234");

    // A read of it that breaks off leaves the image part one unit's, part the other's: then not
    // even the first unit, plugged in again, is written to.
    sim::FaultPlan noReads;
    noReads.unansweredCodes = {0x02};
    unit->setFaults(noReads);
    ops->readAll();
    unit->setFaults({});
    unit->becomeAnotherUnit(unitConfig());
    unit->clearFrameLog();
    view.messages.clear();
    ops->writeGroup(WriteGroup::CentralLocks);
    EXPECT_EQ(codesReceived(), kLoginCodes);
    EXPECT_EQ(view.lastStatus(), "Do portu podłączono inną centralkę.");

    // Once read, it is the window's unit.
    ops->readAll();
    ops->writeGroup(WriteGroup::CentralLocks);
    EXPECT_EQ(view.lastStatus(), "Zapisano zamki");
}

TEST_F(OpsTest, GroupsAreBuiltAtTheLayoutOfTheUnitTheLoginFound)
{
    // Nothing read yet: the layout is known only once the login has identified the unit.
    startUnit(unitConfig("MZRAv1.4"));
    view.values.centralLock = view.values.lockAfterIgnition = true;
    view.values.lockDelayAfterIgnition = 25;
    ops->writeGroup(WriteGroup::CentralLocks);
    EXPECT_EQ(view.lastStatus(), "Zapisano zamki");
    EXPECT_EQ(unit->memoryAt(kLayoutA.lockDelayAfterIgnition), 25);

    state.familyCode = 0;
    state.layout = Layout();
    view.values.alarmCan = false;
    view.values.chosenCanGroup = "42";
    ops->writeGroup(WriteGroup::CanGroup);
    EXPECT_EQ(view.lastStatus(), "Zapisano CAN");
    EXPECT_EQ(unit->memoryAt(kLayoutA.canGroup), 42);
}

TEST_F(OpsTest, WritingTheChangedGroupsSendsOnlyThoseAfterConfirmingChangesBeyondTheVisibleTab)
{
    connectAndClearLogs();
    EXPECT_EQ(ops->writeChanged(), OperationOutcome::Skipped);
    EXPECT_EQ(view.lastStatus(), texts::kNothingChanged);

    view.values.soundConfirmation = !view.values.soundConfirmation;
    ASSERT_FALSE(view.values.antiHijack);
    view.values.antiHijack = true;   // its delay is written only while it is switched on
    view.values.antiHijackDelay = view.values.antiHijackDelay == 60 ? 61 : 60;
    view.visible = "Antynapad";
    view.confirmAnswer = false;
    EXPECT_EQ(ops->writeAll(), OperationOutcome::Skipped);
    EXPECT_EQ(ops->writeChanged(), OperationOutcome::Skipped);
    EXPECT_TRUE(unit->received().empty());
    ASSERT_EQ(view.confirmations.size(), 2u);
    ASSERT_EQ(view.confirmations[1].size(), 3u);
    EXPECT_EQ(view.confirmations[1][0].tab, "Potwierdzanie i kierunki");
    EXPECT_EQ(view.confirmations[1][2].tab, "Antynapad");

    view.confirmAnswer = true;
    EXPECT_EQ(ops->writeChanged(), OperationOutcome::Done);
    EXPECT_EQ(unit->received(0x01).size(), 2u);
    const auto writes = writesReceived();
    ASSERT_EQ(writes.size(), 3u);
    EXPECT_EQ(writes[0].first, 66);   // turn signals: the flags word
    EXPECT_EQ(writes[2].first, 78);   // anti-hijack: the flags word, then its delay
    EXPECT_EQ(view.lastStatus(), texts::kWrittenAll);
    EXPECT_EQ(unit->memory(), state.image.bytes());
    // What was written is what the unit holds now.
    EXPECT_EQ(ops->writeChanged(), OperationOutcome::Skipped);
    EXPECT_EQ(unit->received(0x01).size(), 2u);
}
