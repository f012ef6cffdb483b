// The reply handling on its own: what each reply stores, shows and raises, and which frames
// are left alone.

#include "FakeTransport.h"
#include "RecordingEvents.h"
#include "link/ReplyHandler.h"
#include "link/ReplyState.h"
#include "alarm/SettingsImage.h"
#include "link/UiBridge.h"

#include <gtest/gtest.h>

using namespace alvetra;
using namespace alvetra::test;

namespace {

// Runs the window steps at once, as if the reader thread were the UI thread.
class DirectSteps : public UiSteps {
public:
    bool run(std::function<void()> step) override { step(); return true; }
};

Frame fromUnit(std::uint8_t code, Bytes data = {})
{
    return makeFrame(kPcAddress, code, kUnitAddress, std::move(data));
}

Bytes loginData(const QByteArray &text, std::uint8_t access, std::uint32_t counter)
{
    Bytes data(text.begin(), text.end());
    data.insert(data.end(), {access, 0x5A, std::uint8_t(counter >> 16), std::uint8_t(counter >> 8), std::uint8_t(counter)});
    return data;
}

class ReplyHandling : public ::testing::Test {
protected:
    ReplyState state;
    SettingsImage image;
    RecordingEvents events;
    DirectSteps steps;
    ReplyHandler handler{state, &image, &events, steps};
};

} // namespace

TEST_F(ReplyHandling, LoginReplyOfADisarmedUnitWithTheRightPassword)
{
    ASSERT_TRUE(handler.handle(fromUnit(0x86, {'A'})));
    ASSERT_TRUE(handler.handle(fromUnit(0x87, {'B'})));
    state.lower(ReplyFlag::Login);
    events.log.clear();

    // "MZRv1.61", access 0x01, a spare byte, counter 0x00 0x01 0x2C.
    ASSERT_TRUE(handler.handle(fromUnit(0x81, loginData("MZRv1.61", 0x01, 300))));

    EXPECT_EQ(state.timeCounter(), 300u);
    EXPECT_EQ(state.accessFlags(), 0x01);
    EXPECT_TRUE(state.isRaised(ReplyFlag::Login));
    EXPECT_EQ(state.identificationText(IdentificationText::Login), QStringLiteral("MZRv1.61"));
    EXPECT_EQ(events.panel2, QStringLiteral("A  B  MZRv1.61"));
    EXPECT_EQ(events.log, QStringList({"clearIdentification", "setIdentification", "timeCounter 300", "showDisarmed"}));
}

TEST_F(ReplyHandling, LoginReplyWithAnEmptyTextIsHandled)
{
    state.lower(ReplyFlag::Login);
    ASSERT_TRUE(handler.handle(fromUnit(0x81, loginData("", 0x01, 300))));   // 5 data bytes
    EXPECT_TRUE(state.isRaised(ReplyFlag::Login));
    EXPECT_EQ(state.accessFlags(), 0x01);
    EXPECT_EQ(state.timeCounter(), 300u);
    EXPECT_TRUE(state.identificationText(IdentificationText::Login).isEmpty());
}

TEST_F(ReplyHandling, LoginReplyWithdrawsAccessWhenArmedBlockedOrRefused)
{
    handler.handle(fromUnit(0x81, loginData("X", 0x03, 0)));   // armed, password right
    EXPECT_EQ(events.log.mid(3), QStringList({"showArmed", "withdrawAccess"}));

    events.log.clear();
    handler.handle(fromUnit(0x81, loginData("X", 0x00, 0)));   // wrong password
    EXPECT_EQ(events.log.mid(3), QStringList({"showDisarmed", "withdrawAccess"}));

    events.log.clear();
    handler.handle(fromUnit(0x81, loginData("X", 0x09, 0)));   // anti-theft block active
    EXPECT_EQ(events.log.mid(3), QStringList({"showDisarmed", "withdrawAccess"}));

    events.log.clear();
    handler.handle(fromUnit(0x81, loginData("X", 0x11, 0)));   // anti-hijack block active
    EXPECT_EQ(events.log.mid(3), QStringList({"showDisarmed", "withdrawAccess"}));

    // Bits above 4 are no access flags.
    handler.handle(fromUnit(0x81, loginData("X", 0xE1, 0xABCDEF)));
    EXPECT_EQ(state.accessFlags(), 0x01);
    EXPECT_EQ(state.timeCounter(), 0xABCDEFu);
}

TEST_F(ReplyHandling, UnitTextsAreCodePage1250)
{
    handler.handle(fromUnit(0x86, {'Z', 0xB9, 0xBF}));   // "Ząż"
    EXPECT_EQ(state.identificationText(IdentificationText::First), QStringLiteral("Ząż"));
    EXPECT_TRUE(state.isRaised(ReplyFlag::FirstId));
}

TEST_F(ReplyHandling, ReadReplyStoresItsBytesAtTheirAddresses)
{
    const Bytes values = {1, 2, 3, 4, 5, 6, 7, 8};
    Bytes data = {0x40, 0, 0, 8};
    data.insert(data.end(), values.begin(), values.end());
    state.expectRead(ReplyState::ReadBlock{0x40, 8});
    ASSERT_TRUE(handler.handle(fromUnit(0x82, data)));
    EXPECT_TRUE(state.isRaised(ReplyFlag::Read));
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(image.at(0x40 + i), values[i]) << i;
    EXPECT_EQ(image.at(0x3F), 0);
    EXPECT_EQ(image.at(0x48), 0);
}

TEST_F(ReplyHandling, WriteReplyAcceptedUnlessItsFirstByteIsOne)
{
    ASSERT_TRUE(handler.handle(fromUnit(0x83, {1})));
    EXPECT_TRUE(state.isRaised(ReplyFlag::Write));
    EXPECT_FALSE(state.isRaised(ReplyFlag::WriteAccepted));
    ASSERT_TRUE(handler.handle(fromUnit(0x83, {0})));
    EXPECT_TRUE(state.isRaised(ReplyFlag::WriteAccepted));
    ASSERT_TRUE(handler.handle(fromUnit(0x83, {2})));
    EXPECT_TRUE(state.isRaised(ReplyFlag::WriteAccepted));
}

TEST_F(ReplyHandling, StatusReportTakesTheLastFourBytesItsLengthAnnounces)
{
    state.lower(ReplyFlag::Status);
    ASSERT_TRUE(handler.handle(fromUnit(0x88, {9, 1, 2, 3, 4})));
    EXPECT_EQ(events.log, QStringList({"status 1 2 3 4"}));
    EXPECT_EQ(state.statusBytes(), (std::array<std::uint8_t, 4>{1, 2, 3, 4}));
    EXPECT_TRUE(state.isRaised(ReplyFlag::Status));
}

TEST_F(ReplyHandling, LearningReportOfFiveMeansStillLearning)
{
    ASSERT_TRUE(handler.handle(fromUnit(0x89, {5})));
    EXPECT_FALSE(state.isRaised(ReplyFlag::Learning));
    EXPECT_EQ(state.learnedCount(), 5);
    ASSERT_TRUE(handler.handle(fromUnit(0x89, {3})));
    EXPECT_TRUE(state.isRaised(ReplyFlag::Learning));
    EXPECT_EQ(state.learnedCount(), 3);
}

TEST_F(ReplyHandling, ConfirmationsRaiseTheirOwnFlags)
{
    ASSERT_TRUE(handler.handle(fromUnit(0x8C)));
    EXPECT_TRUE(state.isRaised(ReplyFlag::Confirmation));
    EXPECT_FALSE(state.isRaised(ReplyFlag::CanConfirmation));
    ASSERT_TRUE(handler.handle(fromUnit(0x8D)));
    EXPECT_TRUE(state.isRaised(ReplyFlag::CanConfirmation));
}

TEST_F(ReplyHandling, RepliesTooShortForTheirLayoutAreDropped)
{
    for (ReplyFlag f : {ReplyFlag::Login, ReplyFlag::Read, ReplyFlag::Write, ReplyFlag::Status, ReplyFlag::Learning})
        state.lower(f);
    image.fill(0xEE);

    EXPECT_FALSE(handler.handle(fromUnit(0x81, {0x01, 0, 1, 0x2C})));             // 4 data bytes
    EXPECT_FALSE(handler.handle(fromUnit(0x82, {0x40, 0, 0, 8, 1, 2, 3})));      // count past its data
    EXPECT_FALSE(handler.handle(fromUnit(0x82, {0xFC, 0, 0, 8, 1, 2, 3, 4, 5, 6, 7, 8})));   // past 255
    EXPECT_FALSE(handler.handle(fromUnit(0x82, {0x40, 0, 0})));
    EXPECT_FALSE(handler.handle(fromUnit(0x83)));
    EXPECT_FALSE(handler.handle(fromUnit(0x89)));
    Frame status = fromUnit(0x88, {1, 2, 3, 4});
    status.length = 7;   // announces five data bytes, carries four
    EXPECT_FALSE(handler.handle(status));
    EXPECT_FALSE(handler.handle(fromUnit(0x88, {1, 2, 3})));

    for (ReplyFlag f : {ReplyFlag::Login, ReplyFlag::Read, ReplyFlag::Write, ReplyFlag::Status, ReplyFlag::Learning})
        EXPECT_FALSE(state.isRaised(f)) << static_cast<int>(f);
    EXPECT_EQ(image.at(0x40), 0xEE);
    EXPECT_EQ(image.at(0xFC), 0xEE);
    EXPECT_EQ(image.at(0x00), 0xEE);   // a wrap past 255 would land here
    EXPECT_TRUE(events.log.isEmpty());
}

TEST_F(ReplyHandling, FramesNotFromTheUnitToThisProgramAreSkipped)
{
    state.lower(ReplyFlag::Confirmation);
    EXPECT_FALSE(handler.handle(makeFrame(kUnitAddress, 0x8C, kPcAddress)));   // our own echo
    EXPECT_FALSE(handler.handle(makeFrame(0xE1, 0x8C, kUnitAddress)));
    EXPECT_FALSE(handler.handle(makeFrame(kPcAddress, 0x8C, 0xC6)));
    EXPECT_FALSE(handler.handle(fromUnit(0x8E)));
    EXPECT_FALSE(handler.handle(fromUnit(0x0C)));
    EXPECT_FALSE(state.isRaised(ReplyFlag::Confirmation));
}

TEST(ReplyStateTest, ANewReaderStartsWithTheFlagsOfNothingAwaited)
{
    ReplyState state;
    state.lower(ReplyFlag::Login);
    state.raise(ReplyFlag::Read);
    state.setTimeCounter(5);
    state.setIdentificationText(IdentificationText::First, QStringLiteral("x"));
    state.reset();
    const std::vector<std::pair<ReplyFlag, bool>> initial = {
        {ReplyFlag::Login, true},     {ReplyFlag::Read, false},     {ReplyFlag::Write, true},
        {ReplyFlag::WriteAccepted, false}, {ReplyFlag::FirstId, true}, {ReplyFlag::SecondId, true},
        {ReplyFlag::Status, true},    {ReplyFlag::Learning, false}, {ReplyFlag::Confirmation, false},
        {ReplyFlag::CanConfirmation, false}};
    for (const auto &[flag, raised] : initial)
        EXPECT_EQ(state.isRaised(flag), raised) << static_cast<int>(flag);
    EXPECT_EQ(state.timeCounter(), 0u);
    EXPECT_TRUE(state.identificationText(IdentificationText::First).isEmpty());

    EXPECT_EQ(ReplyState::flagForRequest(0x0C), ReplyFlag::Confirmation);
    EXPECT_EQ(ReplyState::flagForRequest(0x0D), ReplyFlag::CanConfirmation);
    // The unit never answers block keeping and disconnect: their waits watch no reply's flag.
    EXPECT_EQ(ReplyState::flagForRequest(0x0A), std::nullopt);
    EXPECT_EQ(ReplyState::flagForRequest(0x0B), std::nullopt);
}
