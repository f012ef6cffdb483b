// The reader thread's life: opening (and failing to), stopping within a limit, losing the
// device, counting damaged frames, and being torn down while it waits for the window.

#include "LinkFixture.h"
#include "link/LinkMessages.h"

#include <QElapsedTimer>
#include <QThread>

using namespace alvetra;
using namespace alvetra::test;

namespace {

using ReaderThreadTest = LinkFixture;

} // namespace

TEST_F(ReaderThreadTest, OpeningAndStoppingShowTheirPanelTexts)
{
    openPort();
    EXPECT_TRUE(link->portOpen());
    EXPECT_EQ(events.log, QStringList({"threadStarted", "portOpened"}));

    EXPECT_EQ(link->stopReaderThread(), SerialLink::StopResult::Stopped);
    EXPECT_EQ(events.log.last(), QStringLiteral("portClosed"));
    EXPECT_FALSE(link->portOpen());
    EXPECT_FALSE(link->hasReaderThread());
    EXPECT_EQ(line->closes(), 1);
    EXPECT_FALSE(line->isOpen());
    // Nothing left to stop.
    EXPECT_EQ(link->stopReaderThread(), SerialLink::StopResult::Stopped);
}

TEST_F(ReaderThreadTest, APortHeldByAnotherProgramIsReportedWithItsName)
{
    line->setOpenResult(Transport::OpenResult::InUse);
    ASSERT_TRUE(link->open(QStringLiteral("COM3"), 8));
    ASSERT_TRUE(waitFor([&] { return !link->hasReaderThread(); }));

    EXPECT_EQ(events.log, QStringList({"threadStarted", "openFailed COM3"}));   // no "Port zamknięty"
    ASSERT_EQ(events.messages.size(), 1u);
    EXPECT_EQ(events.messages[0],
              (UserMessage{QStringLiteral("Błąd"), QStringLiteral("Port COM3 jest już używany przez inny program."),
                           MessageIcon::Error}));
    EXPECT_FALSE(link->portOpen());
    EXPECT_FALSE(link->readBlock(kUnitAddress, 0, 8));
    EXPECT_TRUE(line->written().empty());
    EXPECT_EQ(events.tx, 0);
}

TEST_F(ReaderThreadTest, OpenFailuresNameTheirCause)
{
    const std::vector<std::pair<Transport::OpenResult, QString>> cases = {
        {Transport::OpenResult::Missing, QStringLiteral("Port ttyUSB1 nie istnieje w systemie.")},
        {Transport::OpenResult::Failed, QStringLiteral("Port ttyUSB1 nie istnieje w systemie.")},
        {Transport::OpenResult::NoPermission,
         QStringLiteral("Brak uprawnień do portu ttyUSB1. Dodaj użytkownika do grupy dialout i zaloguj się ponownie.")},
        {Transport::OpenResult::SpeedRefused, QStringLiteral("Port ttyUSB1 nie obsługuje prędkości 19200 bit/s.")},
    };
    for (const auto &[result, text] : cases) {
        events.messages.clear();
        line->setOpenResult(result);
        ASSERT_TRUE(link->open(QStringLiteral("ttyUSB1"), 8));
        ASSERT_TRUE(waitFor([&] { return !link->hasReaderThread(); }));
        ASSERT_EQ(events.messages.size(), 1u);
        EXPECT_EQ(events.messages[0].text, text);
        EXPECT_EQ(events.messages[0].caption, QStringLiteral("Błąd"));
    }
}

TEST_F(ReaderThreadTest, LinkMessagesForClosingAndResetting)
{
    EXPECT_EQ(closeFailureMessage(QStringLiteral("COM3"), 0x1F).text,
              QStringLiteral("Przy zamykaniu portu COM3, wystąpił błąd 1f"));
    EXPECT_EQ(resetFailureMessage(),
              (UserMessage{QStringLiteral("Ostżerzenie"), QStringLiteral("Błąd resetu portu RS232."), MessageIcon::Warning}));
    EXPECT_EQ(checksumErrorText(12), QStringLiteral("CRC Error:12"));
}

TEST_F(ReaderThreadTest, NoThreadWithoutAPortOrWithAnUnknownSpeed)
{
    EXPECT_FALSE(link->open(QString(), 8));
    EXPECT_FALSE(link->open(QStringLiteral("COM3"), -1));
    EXPECT_FALSE(link->open(QStringLiteral("COM3"), 13));
    EXPECT_FALSE(link->hasReaderThread());
    EXPECT_EQ(line->opens(), 0);
}

TEST_F(ReaderThreadTest, AThreadThatDoesNotEndInTimeIsKeptAndReportedAsSuch)
{
    openPort();
    line->holdClose();
    EXPECT_EQ(link->stopReaderThread(200), SerialLink::StopResult::LimitReached);
    EXPECT_TRUE(link->hasReaderThread());
    EXPECT_TRUE(link->portOpen());
    // The port is not reopened over the old thread.
    EXPECT_EQ(link->reopen(QStringLiteral("COM3"), 8, 100), SerialLink::StopResult::LimitReached);
    EXPECT_EQ(line->opens(), 1);

    line->releaseClose();
    EXPECT_EQ(link->stopReaderThread(), SerialLink::StopResult::Stopped);
    EXPECT_FALSE(link->hasReaderThread());
}

TEST_F(ReaderThreadTest, StoppingEndsAtOnceWhenTheApplicationIsClosing)
{
    openPort();
    line->holdClose();
    setApplicationTerminating(true);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(link->stopReaderThread(5000), SerialLink::StopResult::ApplicationTerminating);
    EXPECT_LT(clock.elapsed(), 1000);
    line->releaseClose();
}

TEST_F(ReaderThreadTest, ADamagedFrameIsCountedShownAndForgottenOnReopening)
{
    openPort();
    line->push(":E0028CC555;\r\n");
    ASSERT_TRUE(waitFor([&] { return events.log.contains(QStringLiteral("checksumError 1")); }));
    EXPECT_EQ(events.panel1, QStringLiteral("CRC Error:1"));
    EXPECT_EQ(link->checksumErrors(), 1);

    // A frame in lower case loses its letters and fails too.
    line->push(":e0028cc554;\r\n");
    ASSERT_TRUE(waitFor([&] { return events.log.contains(QStringLiteral("checksumError 2")); }));

    ASSERT_EQ(link->reopen(QStringLiteral("COM3"), 8), SerialLink::StopResult::Stopped);
    ASSERT_TRUE(waitFor([&] { return events.log.count(QStringLiteral("portOpened")) == 2; }));
    EXPECT_EQ(events.log.count(QStringLiteral("threadStarted")), 2);
    EXPECT_EQ(link->checksumErrors(), 0);
}

TEST_F(ReaderThreadTest, ADeviceLostMidFrameIsClosedAndReportedOnce)
{
    openPort();
    line->push(":E0028C");
    QThread::msleep(20);
    line->loseDevice();
    ASSERT_TRUE(waitFor([&] { return !link->hasReaderThread(); }));

    EXPECT_EQ(events.log, QStringList({"threadStarted", "portOpened", "portClosed", "deviceLost COM3"}));
    ASSERT_EQ(events.messages.size(), 1u);
    EXPECT_EQ(events.messages[0].text, QStringLiteral("Port COM3 został odłączony."));
    EXPECT_EQ(line->closes(), 1);
    EXPECT_FALSE(link->portOpen());

    // Reopening works once the device is back.
    EXPECT_EQ(link->reopen(QStringLiteral("COM3"), 8), SerialLink::StopResult::Stopped);
    ASSERT_TRUE(waitFor([&] { return events.log.count(QStringLiteral("portOpened")) == 2; }));
}

TEST_F(ReaderThreadTest, TearingDownWhileTheReaderWaitsForTheWindowNeitherHangsNorReachesIt)
{
    openPort();
    // The reader delivers the report and blocks until the window has shown it; this thread
    // does not process events, so it never does.
    line->push(replyText(0x88, {1, 2, 3, 4}));
    QThread::msleep(50);
    QElapsedTimer clock;
    clock.start();
    link.reset();
    EXPECT_LT(clock.elapsed(), 1000);
    waitFor([] { return false; }, 50);
    EXPECT_FALSE(events.log.contains(QStringLiteral("status 1 2 3 4")));
    EXPECT_FALSE(line->isOpen());
}

TEST_F(ReaderThreadTest, ReportsOfTheUnitReachTheWindowInArrivalOrder)
{
    openPort();
    line->push(replyText(0x88, {1, 0, 0, 0}) + "noise" + replyText(0x88, {2, 0, 0, 0}));
    line->push(replyText(0x88, {3, 0, 0, 0}));
    ASSERT_TRUE(waitFor([&] { return events.log.size() == 5; }));
    EXPECT_EQ(events.log.mid(2), QStringList({"status 1 0 0 0", "status 2 0 0 0", "status 3 0 0 0"}));
}

TEST_F(ReaderThreadTest, OneReadTakesAtMost255BytesAndTheRestFollows)
{
    openPort();
    QByteArray bytes = QByteArray(280, 'x') + replyText(0x88, {7, 0, 0, 0});   // 302 bytes waiting
    line->push(bytes);
    ASSERT_TRUE(waitFor([&] { return events.log.contains(QStringLiteral("status 7 0 0 0")); }));
    EXPECT_EQ(line->reads(), 2);
}

TEST_F(ReaderThreadTest, TheRxLedIsToldOncePerItsLitTimeNotOncePerRead)
{
    openPort();
    line->push(replyText(0x88, {1, 0, 0, 0}));
    ASSERT_TRUE(waitFor([&] { return events.log.contains(QStringLiteral("status 1 0 0 0")); }));
    QThread::msleep(60);   // past the 50 ms after which bytes light the LED again
    // A reply four bytes a read, as Windows' drivers hand it over.
    const QByteArray reply = replyText(0x88, {2, 0, 0, 0});
    for (qsizetype at = 0; at < reply.size(); at += 4)
        line->push(reply.mid(at, 4));
    ASSERT_TRUE(waitFor([&] { return events.log.contains(QStringLiteral("status 2 0 0 0")); }));
    EXPECT_GE(events.rx, 2);
    EXPECT_LE(events.rx, 3) << line->reads() << " reads";
}

TEST_F(ReaderThreadTest, AFloodOfGarbageNeitherStopsTheReaderNorHidesTheNextReply)
{
    answer(0x0C);
    openPort();
    std::uint32_t seed = 12345;
    QByteArray garbage;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1103515245u + 12345u;
        garbage.append(static_cast<char>(seed >> 16));
    }
    line->push(garbage);
    line->push(";\r\n");   // whatever frame the garbage began ends here
    ASSERT_TRUE(waitFor([&] { return line->reads() >= 20000 / 255; }));
    EXPECT_TRUE(link->sendRequest({.code = 0x0C, .repeatMs = 1400, .totalMs = 3000}));
    EXPECT_TRUE(link->portOpen());
}
