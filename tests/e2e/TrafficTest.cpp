// The traffic console and log against the simulated unit, and a recorded session played back.

#include "WindowHarness.h"

#include "link/TrafficLogFormat.h"
#include "sim/SessionReplay.h"
#include "ui/TrafficConsole.h"

using namespace alvetra;
using namespace alvetra::test;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The frame texts of one direction, as the log holds them and as the unit saw them.
std::vector<QByteArray> logged(const TrafficLogContents &log, TrafficEvent::Direction direction)
{
    std::vector<QByteArray> texts;
    for (const TrafficRecord &r : log.records)
        if (r.direction == direction)
            texts.push_back(r.frame);
    return texts;
}

std::vector<QByteArray> seenByUnit(const sim::SimulatedUnit &unit, sim::LoggedFrame::Direction direction)
{
    std::vector<QByteArray> texts;
    for (const sim::LoggedFrame &f : unit.frameLog())
        if (f.direction == direction)
            texts.push_back(f.wire.trimmed());
    return texts;
}

} // namespace

TEST_F(WindowTest, TheTrafficLogHoldsEveryFrameTheUnitSawInOrderAndTheConsoleShowsThemLive)
{
    const QTemporaryDir dir;
    trafficLogPath = dir.filePath(QStringLiteral("traffic.jsonl"));
    start();
    trigger("ActionRuchNaLaczu");
    TrafficConsole &console = window->trafficConsole();
    EXPECT_TRUE(console.isVisible());
    ASSERT_TRUE(connectAsTheFitterDoes(*window, dialogs, QStringLiteral("1234")));

    console.pull();
    const QStringList rows = console.shownText(false).split(QLatin1Char('\n'));
    // At least once each: a slow machine (a sanitizer build) may send a request again.
    EXPECT_GE(rows.filter(QStringLiteral("do centrali\t:C50602E000000008D6;\todczyt, adres 0, ilość 8")).size(), 1);
    EXPECT_GE(rows.filter(QStringLiteral("z centrali\t:E0")).filter(QStringLiteral("\todpowiedź: odczyt, adres")).size(), 32);
    EXPECT_GE(rows.filter(QStringLiteral("odpowiedź: logowanie, dane 01 00 01 23 45, tekst \"MZRv1.61\"")).size(), 1);

    window->close();
    window.reset();   // the log has everything once the window has gone
    const TrafficLogContents log = readTrafficLog(readAll(trafficLogPath));
    EXPECT_EQ(log.badLines, 0);
    const auto tx = logged(log, TrafficEvent::Direction::ToUnit);
    EXPECT_GT(tx.size(), 36u);
    EXPECT_EQ(tx, seenByUnit(*unit, sim::LoggedFrame::Direction::Received));
    EXPECT_EQ(logged(log, TrafficEvent::Direction::FromUnit), seenByUnit(*unit, sim::LoggedFrame::Direction::Sent));
}

TEST_F(WindowTest, ARecordedSessionReplaysToTheSameSettingsFile)
{
    const QTemporaryDir dir;
    trafficLogPath = dir.filePath(QStringLiteral("workshop.jsonl"));
    const auto connectAndSave = [&](const QString &file) {
        start();
        connect();
        dialogs.fileAnswer = file;
        trigger("ActionSaveAllSettings");
        window->close();
        window.reset();
        return readAll(file);
    };
    const QByteArray recorded = connectAndSave(dir.filePath(QStringLiteral("workshop.alm")));
    ASSERT_EQ(recorded.size(), 256);

    // On the developer's desk: a unit with empty memory that answers only from the recording.
    trafficLogPath.clear();
    unit = std::make_unique<sim::SimulatedUnit>(unitConfig(QStringLiteral("MZRAv1.4")));
    unit->setMemory(ImageBytes{});
    auto replay = std::make_shared<sim::SessionReplay>(readTrafficLog(readAll(dir.filePath(QStringLiteral("workshop.jsonl")))));
    std::vector<int> unheld;
    unit->setReplay(replay, [&](const Frame &request) { unheld.push_back(request.code); });
    EXPECT_EQ(connectAndSave(dir.filePath(QStringLiteral("desk.alm"))), recorded);
    EXPECT_EQ(std::count(unheld.begin(), unheld.end(), 0x02), 0);
}
