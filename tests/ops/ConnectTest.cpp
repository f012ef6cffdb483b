// Connecting: the login, the read of all settings and what the window shows.

#include "OpsHarness.h"
#include "ops/OpsTexts.h"
#include "files/FilesTexts.h"
#include "alarm/FileError.h"
#include "ops/ReadOperation.h"
#include "ops/UnitRequests.h"

using namespace alvetra;
using namespace alvetra::test;

namespace {

struct FamilyCase {
    const char *identification;
    int familyCode;
    int counterAddress;
};

void PrintTo(const FamilyCase &c, std::ostream *out) { *out << c.identification; }

class ConnectFamilies : public OpsTest, public ::testing::WithParamInterface<FamilyCase> {};

} // namespace

TEST_P(ConnectFamilies, LoginThen32BlocksThenTheCounterWrittenBack)
{
    startUnit(unitConfig(GetParam().identification));
    ops->connect();

    std::vector<int> expectedCodes = kLoginCodes;
    expectedCodes.insert(expectedCodes.end(), 32, 0x02);
    expectedCodes.push_back(0x03);
    EXPECT_EQ(codesReceived(), expectedCodes);
    EXPECT_EQ(unit->received(0x01).at(0).data, (Bytes{4, '1', '2', '3', '4'}));
    const auto reads = unit->received(0x02);
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(reads.at(i).data, (Bytes{0, 0, std::uint8_t(8 * i), 8}));
    // The counter of the login reply, least significant byte first, at the layout's position.
    const auto writes = writesReceived();
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].first, GetParam().counterAddress);
    EXPECT_EQ(writes[0].second, (Bytes{0x45, 0x23, 0x01}));

    EXPECT_EQ(state.familyCode, GetParam().familyCode);
    EXPECT_EQ(state.image.bytes(), unit->memory());
    EXPECT_TRUE(state.connected);
    EXPECT_EQ(view.fills, 1);
    EXPECT_EQ(view.progressSteps, 32);
    EXPECT_FALSE(view.progressVisible);
    ASSERT_EQ(view.statuses.size(), 2u);
    EXPECT_EQ(view.statuses[0], (StatusText{texts::kReadDone, 383, StatusColour::WindowText}));
    EXPECT_EQ(view.statuses[1], (StatusText{"Połączono z centralą.", 383, StatusColour::WindowText}));
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0], (UserMessage{"Ostżerzenie", texts::kConnectedWarning, MessageIcon::Exclamation}));
    EXPECT_TRUE(view.messages[0].text.startsWith("UWAGA !\rPodczas działania aplikacji"));
    EXPECT_TRUE(view.connectedButtons);
    EXPECT_TRUE(view.programmingAccess);
    EXPECT_EQ(view.page, 0);
    EXPECT_TRUE(view.blockKeeping);
    EXPECT_TRUE(view.supervisionRunning);
    EXPECT_TRUE(view.operationsEnabled);
    EXPECT_TRUE(view.connectButtonEnabled);
    EXPECT_EQ(view.makes, (QStringList{"Audi", "Škoda"}));
}

INSTANTIATE_TEST_SUITE_P(Layouts, ConnectFamilies,
                         ::testing::Values(FamilyCase{"MZRAv1.4", 14, 82}, FamilyCase{"MZRv1.61", 17, 164},
                                           FamilyCase{"MZRFv2.1", 18, 164}),
                         [](const auto &info) { return "Family" + std::to_string(info.param.familyCode); });

TEST_F(OpsTest, ABlockLostMidwayIsReadAgainAfterANewLogin)
{
    sim::FaultPlan plan;
    plan.silenceAfterReads = 10;
    unit->setFaults(plan);
    ops->readAll();

    std::vector<int> expected = kLoginCodes;
    expected.insert(expected.end(), 11, 0x02);   // blocks 0 to 9, then block 10 unanswered
    expected.insert(expected.end(), kLoginCodes.begin(), kLoginCodes.end());
    expected.insert(expected.end(), 22, 0x02);   // block 10 again, then the rest
    expected.push_back(0x03);
    EXPECT_EQ(codesWithoutRetransmissions(), expected);
    EXPECT_EQ(receivedWithoutRetransmissions(0x02).at(11).data.at(2), 80);
    EXPECT_EQ(state.image.bytes(), unit->memory());
    EXPECT_TRUE(state.connected);
    EXPECT_EQ(view.lastStatus(), texts::kReadDone);
    // The bar was hidden at the lost block and never shown again.
    EXPECT_EQ(view.progressBegun, 1);
    EXPECT_FALSE(view.progressVisible);
}

TEST_F(OpsTest, AUnitLosingReadsInMoreBlocksThanTheReloginLimitIsStillReadWhole)
{
    // The limit is for one block: blocks lost once each cost one login each, not a give-up.
    sim::FaultPlan plan;
    for (int i = 0; i <= kMaxReloginsPerBlock; ++i)
        plan.readsLostOnce.insert(8 + 64 * i);
    unit->setFaults(plan);
    ops->readAll();
    EXPECT_EQ(unit->received(0x01).size(), 2u + kMaxReloginsPerBlock);
    EXPECT_EQ(state.image.bytes(), unit->memory());
    EXPECT_EQ(view.lastStatus(), texts::kReadDone);
}

TEST_F(OpsTest, AUnitChangedDuringAReadIsReadFromItsFirstBlock)
{
    // A read reply is lost; before the new login another unit of the same family is plugged in.
    sim::FaultPlan plan;
    plan.readsLostOnce.insert(64);
    unit->setFaults(plan);
    sim::UnitConfig other = unitConfig();
    other.firstText = QStringLiteral("Alvetra SIM 0002");
    ImageBytes otherMemory = unit->memory();
    for (int address = 8; address < 16; ++address)
        otherMemory[address] ^= 0x5A;
    other.memory = otherMemory;
    bool swapped = false;
    view.progressHidden = [&] {
        if (!swapped && !unit->received(0x02).empty()) {
            swapped = true;
            unit->becomeAnotherUnit(other);
        }
    };
    ops->readAll();
    ASSERT_TRUE(swapped);
    EXPECT_EQ(state.image.bytes(), unit->memory());
    EXPECT_EQ(view.lastStatus(), texts::kReadDone);
}

TEST_F(OpsTest, AUnitThatAnswersLoginsButNoReadsIsGivenUpOn)
{
    sim::FaultPlan plan;
    plan.unansweredCodes = {0x02};
    unit->setFaults(plan);
    EXPECT_EQ(ops->connect(), OperationOutcome::Failed);

    EXPECT_EQ(receivedWithoutRetransmissions(0x02).size(), 1u + kMaxReloginsPerBlock);
    EXPECT_EQ(unit->received(0x01).size(), 1u + kMaxReloginsPerBlock);
    EXPECT_EQ(view.messageTexts(), std::vector<QString>{"Alarm nie odpowiada."});
    EXPECT_FALSE(state.connected);
    EXPECT_FALSE(view.connectedButtons);
    EXPECT_TRUE(view.operationsEnabled);
}

TEST_F(OpsTest, ASilentUnitLeavesTheWindowNotConnected)
{
    unit->setAnswering(false);
    ops->connect();

    EXPECT_EQ(codesWithoutRetransmissions(), std::vector<int>{0x06});
    EXPECT_EQ(view.messages, (std::vector<UserMessage>{{"Ostżerzenie", "Alarm nie odpowiada.", MessageIcon::Exclamation}}));
    EXPECT_EQ(view.statuses, (std::vector<StatusText>{{"Alarm nie odpowiada.", 383, StatusColour::Red}}));
    EXPECT_FALSE(state.connected);
    EXPECT_FALSE(view.connectedButtons);
    EXPECT_FALSE(view.programmingAccess);
    // Actions and the supervision come back as they were; the connect button too.
    EXPECT_TRUE(view.operationsEnabled);
    EXPECT_TRUE(view.supervisionRunning);
    EXPECT_TRUE(view.connectButtonEnabled);
}

TEST_F(OpsTest, AClosedPortIsReopenedOnceOrTheFitterIsToldWhatToDo)
{
    ASSERT_EQ(serial->stopReaderThread(), SerialLink::StopResult::Stopped);
    ASSERT_FALSE(serial->portOpen());
    unit->unplug();
    ops->readAll();
    EXPECT_EQ(std::count(view.calls.begin(), view.calls.end(), "reopenPort"), 1);
    EXPECT_TRUE(unit->received().empty());
    EXPECT_EQ(view.messages, (std::vector<UserMessage>{{"Ostżerzenie",
                                                        "Port RS232 nie jest otwarty.\rPodłącz przejściówkę i naciśnij "
                                                        "Reset portu RS232.",
                                                        MessageIcon::Exclamation}}));
    EXPECT_EQ(view.statuses, (std::vector<StatusText>{{"Port RS232 nie jest otwarty.", 383, StatusColour::Red}}));
    EXPECT_TRUE(view.operationsEnabled);

    // Plugged in again: the next operation's reopening finds the port and the read goes ahead.
    ASSERT_EQ(serial->stopReaderThread(), SerialLink::StopResult::Stopped);
    unit->replug();
    view.messages.clear();
    ops->readAll();
    EXPECT_TRUE(view.messages.empty());
    EXPECT_TRUE(state.connected);
    EXPECT_EQ(view.lastStatus(), texts::kReadDone);
}

TEST_F(OpsTest, RefusedLogins)
{
    struct Case {
        QString password;
        std::vector<sim::Input> inputs;
        QString message;
        bool disconnects;
    };
    const std::vector<Case> cases{
        {"0000", {}, texts::kWrongAccessPassword, false},
        // A wrong password is all the user hears about, also when the alarm is armed.
        {"0000", {sim::Input::Armed}, texts::kWrongAccessPassword, false},
        {"1234", {sim::Input::Armed}, "Alarm uzbrojony.", true},
        {"1234", {sim::Input::AntiTheftActive}, texts::kAntiTheftBlockActive, false},
        {"1234", {sim::Input::AntiHijackActive}, texts::kAntiHijackBlockActive, false},
        {"1234", {sim::Input::AntiTheftActive, sim::Input::AntiHijackActive}, texts::kAntiTheftBlockActive, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        startUnit(unitConfig());
        for (sim::Input input : c.inputs)
            unit->setInput(input, true);
        view = RecordingView{};
        view.password = c.password;
        view.blockKeeping = true;
        ops->connect();

        EXPECT_EQ(view.messages, (std::vector<UserMessage>{{"Ostżerzenie", c.message, MessageIcon::Exclamation}}));
        const bool wrongPassword = c.message == texts::kWrongAccessPassword;
        EXPECT_EQ(view.lastStatus(), wrongPassword ? c.message : QString());
        EXPECT_EQ(view.statuses.back().colour, StatusColour::Red);
        EXPECT_TRUE(unit->received(0x02).empty());
        EXPECT_EQ(unit->received(0x0B).size(), c.disconnects ? 1u : 0u);
        // Only the armed alarm takes the window back to the monitor and stops the block keeping.
        EXPECT_EQ(view.blockKeeping, !c.disconnects);
        EXPECT_EQ(std::count(view.calls.begin(), view.calls.end(), "SetProgrammingAccess 0"), c.disconnects ? 1 : 0);
        EXPECT_FALSE(state.connected);
    }
    EXPECT_TRUE(texts::kAntiHijackBlockActive.startsWith("Aby się połączyć autoryzuj blokadę antynapadową\r"));
}

TEST_F(OpsTest, AnEmptyPasswordIsSentAsTheSingleByteZero)
{
    view.password.clear();
    ops->readAll();
    ASSERT_EQ(unit->received(0x01).size(), 1u);
    EXPECT_EQ(unit->received(0x01)[0].data, Bytes{0});
    EXPECT_EQ(view.lastStatus(), texts::kWrongAccessPassword);
}

TEST_F(OpsTest, UnknownFirmwareIsOlderOrNewer)
{
    const std::vector<std::pair<QString, QString>> cases{
        {"MZRAv1.3", texts::kOlderFirmware}, {"MZRAv1.9", texts::kNewerFirmware}, {"MZRv2.00", texts::kNewerFirmware}};
    for (const auto &[identification, text] : cases) {
        startUnit(unitConfig(identification));
        view.messages.clear();
        ops->readAll();
        EXPECT_EQ(view.messages, (std::vector<UserMessage>{{"Iformacja", text, MessageIcon::Information}}));
        EXPECT_TRUE(unit->received(0x02).empty());
        EXPECT_EQ(state.familyCode, 0);
    }
    startUnit(unitConfig("MZRAv1.6"));
    ops->readAll();
    EXPECT_EQ(state.familyCode, 16);
    EXPECT_TRUE(view.canAnalysis);
    EXPECT_EQ(view.dialogs, (DialogDefaults{".alm", 1}));
}

TEST_F(OpsTest, CarDatabases)
{
    // The database of the family the login identifies, so that the CAN group comes from its table.
    startUnit(unitConfig("MZRAv1.4"));
    ops->readAll();
    EXPECT_EQ(view.dialogs, (DialogDefaults{".v14", 2}));
    EXPECT_FALSE(view.canAnalysis);
    EXPECT_EQ(view.makes, (QStringList{"Audi", "Škoda"}));
    writeCarDatabase("MZRFv10.txt", "1\n0000,Fiat,Panda III,3\n");
    startUnit(unitConfig("MZRFv1.0"));
    ops->readAll();
    EXPECT_EQ(state.familyCode, 18);
    EXPECT_EQ(view.makes, (QStringList{"Fiat"}));
    EXPECT_EQ(view.carDatabaseShown, 2);

    view.values.alarmCan = true;
    view.values.make = 0;
    view.values.model = 0;
    ops->writeGroup(WriteGroup::CanGroup);
    EXPECT_EQ(view.lastStatus(), "Zapisano CAN");
    EXPECT_EQ(unit->memoryAt(state.layout.canGroup), 3);
}

TEST_F(OpsTest, AnEmptyCarDatabaseEndsTheLoginAndAMissingOneLeavesTheHandler)
{
    writeCarDatabase("MZRAv18.txt", "");
    startUnit(unitConfig("MZRv1.80"));
    ops->readAll();
    EXPECT_EQ(view.messages, (std::vector<UserMessage>{{"Iformacja", texts::kCarDatabaseEmpty, MessageIcon::Information}}));
    EXPECT_EQ(view.statuses.back(), (StatusText{texts::kCarDatabaseEmpty, 383, StatusColour::Red}));
    EXPECT_TRUE(unit->received(0x02).empty());

    ASSERT_TRUE(QFile::remove(dataDir.filePath("MZRAv18.txt")));
    view.calls.clear();
    try {
        ops->readAll();
        ADD_FAILURE() << "a missing car database must leave the handler";
    } catch (const FileError &e) {
        EXPECT_EQ(e.message(), texts::kCarDatabaseMissing);
    }
    // The bracket gave the actions and the timer back on the way out.
    EXPECT_EQ(view.calls.back(), "restoreSupervision 1");
    EXPECT_TRUE(view.operationsEnabled);
    EXPECT_TRUE(unit->received(0x02).empty());
}
