// The traffic console and log against the simulated unit, and a recorded session played back.

#include "WindowHarness.h"

#include "link/TrafficLogFormat.h"
#include "alarm/PcPassword.h"
#include "files/SettingsFile.h"
#include "link/TrafficSecrets.h"
#include "ui/tabs/CodeEntry.h"
#include "sim/SessionReplay.h"
#include "ui/TrafficConsole.h"

#include <QCheckBox>
#include <QDialog>
#include <QTableWidget>

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
    trafficLogSecrets = true;   // byte for byte as the unit saw them
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

TEST_F(WindowTest, AMaskedRecordingReplaysToTheSameSettingsFileTheSecretsAsMasks)
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

    // On the developer's desk: a unit with empty memory that answers only from the recording,
    // whose login took the fitter's password masked.
    trafficLogPath.clear();
    unit = std::make_unique<sim::SimulatedUnit>(unitConfig(QStringLiteral("MZRAv1.4")));
    unit->setMemory(ImageBytes{});
    auto replay = std::make_shared<sim::SessionReplay>(readTrafficLog(readAll(dir.filePath(QStringLiteral("workshop.jsonl")))));
    std::vector<int> unheld;
    unit->setReplay(replay, [&](const Frame &request) { unheld.push_back(request.code); });
    const QByteArray replayed = connectAndSave(dir.filePath(QStringLiteral("desk.alm")));
    ASSERT_EQ(replayed.size(), 256);
    EXPECT_EQ(std::count(unheld.begin(), unheld.end(), 0x02), 0);
    const Layout layout = kLayoutB;
    const SecretSpan secrets = secretSpanOf(layout);
    for (int a = 0; a < 256; ++a) {
        if (!secrets.contains(a)) {
            EXPECT_EQ(replayed[a], recorded[a]) << a;
        }
    }
    SettingsImage desk;
    loadSettingsFile(dir.filePath(QStringLiteral("desk.alm")), desk);
    EXPECT_EQ(pcPasswordText(desk, layout), QStringLiteral("****"));
}

TEST_F(WindowTest, NoPasswordOrCodeLeavesTheConsoleTheLogOrTheCompareTableUnlessAskedFor)
{
    // Code words that no other byte of the session looks like; the password is "1234".
    ImageBytes memory = unit->memory();
    const Layout layout = unit->layout();
    for (int i = 0; i < 8; ++i)
        memory[std::size_t(layout.programmingCode + i)] = std::uint8_t(0xD1 + i);
    unit->setMemory(memory);
    // The password's first half follows the codes in the read of 56; its second half opens the
    // read of 64.
    const QStringList secrets{"D1D2",        "D1 D2", "D3D4D5D6D7D83132", "D3 D4 D5 D6 D7 D8 31 32",
                              ":E00E82C5400000083334", "\"data\": \"33 34", "\"1234\""};
    const auto holdsSecrets = [&](const QString &text) {
        for (const QString &secret : secrets)
            if (text.contains(secret))
                return secret + QStringLiteral(" in ") + text.mid(text.indexOf(secret) - 60, 120);
        return QString();
    };

    const QTemporaryDir dir;
    trafficLogPath = dir.filePath(QStringLiteral("traffic.jsonl"));
    start();
    trigger("ActionRuchNaLaczu");
    TrafficConsole &console = window->trafficConsole();
    ASSERT_TRUE(connectAsTheFitterDoes(*window, dialogs, QStringLiteral("1234")));
    console.pull();
    EXPECT_EQ(holdsSecrets(console.shownText(false)), QString());
    EXPECT_EQ(holdsSecrets(QString::fromLatin1(console.logText())), QString());
    EXPECT_TRUE(console.shownText(false).contains(QStringLiteral("logowanie, dane 04, tekst \"****\"")));

    // A changed emergency code is listed by the compare table, masked.
    window->settingsTabs().codeEntry().setCode(kSlotEmergency, QStringLiteral("KDK"));
    QStringList codeRow;
    dialogs.onDialog = [&](QDialog &dialog) {
        const QTableWidget *table = dialog.findChild<QTableWidget *>(QStringLiteral("TAB_Zmiany"));
        for (int row = 0; row < table->rowCount(); ++row)
            if (table->item(row, 1)->text() == QStringLiteral("Kod awaryjnego rozblokowania przyciskiem"))
                codeRow = QStringList{table->item(row, 2)->text(), table->item(row, 3)->text()};
        return int(QDialog::Rejected);
    };
    trigger("ActionPorownajCentrala");
    EXPECT_EQ(codeRow, (QStringList{"****", "****"}));

    // Asked for, the console shows them.
    find<QCheckBox>("CHB_PokazHasla")->setChecked(true);
    EXPECT_TRUE(console.shownText(false).contains(QStringLiteral("D3 D4 D5 D6 D7 D8")));
    window->close();
    window.reset();
    EXPECT_EQ(holdsSecrets(QString::fromLatin1(readAll(trafficLogPath))), QString());
#ifndef _WIN32   // Windows: the user's profile keeps others out (no mode bits to narrow)
    EXPECT_EQ(QFileInfo(trafficLogPath).permissions() & ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser),
              QFile::Permissions()) << "the log is its owner's alone";
#endif
}
