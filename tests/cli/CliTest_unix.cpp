// alvetra-cli end to end: its commands run in-process against simulated units served on
// pseudo-terminals, as a script would run them against a unit on a serial port.

#include "CliRun.h"
#include "QtPrinters.h"

#include "alarm/History.h"
#include "cli/Cli.h"
#include "files/SettingsFile.h"
#include "link/Protocol.h"
#include "link/SerialTransport.h"
#include "link/Wait.h"
#include "ops/WriteGroups.h"
#include "sim/PtyServer.h"
#include "sim/SimulatedUnit.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

using namespace alvetra;
using namespace alvetra::test;

namespace {

sim::UnitConfig quietUnit()
{
    sim::UnitConfig config;
    config.lineSpeed = 0;
    config.minuteLength = std::chrono::hours(24);   // the counter stands still during a test
    config.password = QStringLiteral("1234");
    return config;
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousSpeedup_ = TimeBase::speedup();
        TimeBase::setSpeedup(20);
    }
    void TearDown() override { TimeBase::setSpeedup(previousSpeedup_); }

    // A unit of its own on a new pseudo-terminal; the device to name with --port.
    // Units live as long as the test's servers, which let go of them when they stop.
    sim::SimulatedUnit &makeUnit(const sim::UnitConfig &config)
    {
        units_.push_back(std::make_unique<sim::SimulatedUnit>(config));
        return *units_.back();
    }

    QString serve(sim::SimulatedUnit &unit)
    {
        servers_.push_back(std::make_unique<sim::PtyServer>(unit));
        EXPECT_TRUE(servers_.back()->startPty()) << servers_.back()->errorString().toStdString();
        return servers_.back()->devicePath();
    }

    CliRun cli(QStringList arguments) { return runTool(std::move(arguments)); }

    CliRun onUnit(sim::SimulatedUnit &unit, QStringList arguments)
    {
        return cli(arguments << QStringLiteral("--port") << serve(unit) << QStringLiteral("--password")
                             << QStringLiteral("1234"));
    }

    QString path(const char *name) const { return dir_.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir_;

private:
    std::vector<std::unique_ptr<sim::SimulatedUnit>> units_;
    std::vector<std::unique_ptr<sim::PtyServer>> servers_;
    double previousSpeedup_ = 1;
};

// Every byte a group write sends, for the unit's layout.
std::vector<int> settingsAddresses(const Layout &layout)
{
    std::vector<int> addresses;
    for (WriteGroup group : kWriteAllOrder) {
        for (const WriteBlockSpec &block : groupBlocks(group, layout)) {
            for (int i = 0; i < block.count; ++i)
                addresses.push_back(block.address + i);
        }
    }
    return addresses;
}

} // namespace

TEST_F(CliTest, InfoPrintsTheIdentityTheTextsAndTheAccess)
{
    sim::UnitConfig config = quietUnit();
    config.identification = QStringLiteral("MZRFv1.2");
    config.firstText = QStringLiteral("Warsztat 7");
    sim::SimulatedUnit &unit = makeUnit(config);
    const CliRun run = onUnit(unit, {QStringLiteral("info"), QStringLiteral("--traffic-log"), path("traffic")});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("Identyfikacja: MZRFv1.2\nRodzina: 18\nTekst odpowiedzi 6: Warsztat 7\n"
                                      "Tekst odpowiedzi 7: HW 3.2\nDostęp: pełny dostęp do programowania\n"));
    QFile log(path("traffic"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("\"name\": \"login\"")) << "the traffic log holds the login";
}

TEST_F(CliTest, ReadThenWriteGivesTheSecondUnitTheFirstUnitsSettings)
{
    sim::SimulatedUnit &first = makeUnit(quietUnit());
    sim::SimulatedUnit &second = makeUnit(quietUnit());
    const Layout layout = first.layout();
    ImageBytes changed = first.memory();
    changed[static_cast<std::size_t>(layout.pulseC1)] = 7;
    changed[static_cast<std::size_t>(layout.antiTheftDelay)] = 12;
    changed[static_cast<std::size_t>(layout.flags)] ^= 0x01;
    changed[static_cast<std::size_t>(layout.programmingCode)] ^= 0x01;
    first.setMemory(changed);

    const CliRun read = onUnit(first, {QStringLiteral("read"), QStringLiteral("-o"), path("unit")});
    ASSERT_EQ(read.status, 0) << read.err.toStdString();
    EXPECT_EQ(read.out, QStringLiteral("Zapisano plik %1\n").arg(path("unit.alm")));

    const std::vector<int> settings = settingsAddresses(layout);
    auto differing = [&] {
        int count = 0;
        for (int address : settings)
            count += first.memoryAt(address) != second.memoryAt(address);
        return count;
    };
    ASSERT_GT(differing(), 0);
    const CliRun write = onUnit(second, {QStringLiteral("write"), path("unit.alm")});
    EXPECT_EQ(write.status, 0) << write.err.toStdString();
    EXPECT_TRUE(write.out.endsWith(QStringLiteral("Zapisano wszystkie pozycje\n"))) << write.out.toStdString();
    EXPECT_EQ(differing(), 0);
}

TEST_F(CliTest, ReadSavesTheUnitsMemoryByteForByte)
{
    sim::SimulatedUnit &unit = makeUnit(quietUnit());
    ImageBytes memory = unit.memory();
    // Two presses, and bits above them that no setting covers (a rebuilt word drops them).
    memory[static_cast<std::size_t>(unit.layout().emergencyCode)] = 0xF3;
    memory[static_cast<std::size_t>(unit.layout().emergencyCode) + 1] = 0x2F;
    unit.setMemory(memory);

    ASSERT_EQ(onUnit(unit, {QStringLiteral("read"), QStringLiteral("-o"), path("unit.alm")}).status, 0);
    SettingsImage saved;
    loadSettingsFile(path("unit.alm"), saved);
    EXPECT_EQ(saved.bytes(), unit.memory());
}

TEST_F(CliTest, HistoryListsTheEventsNewestFirstAsTheWindowDoes)
{
    sim::SimulatedUnit &unit = makeUnit(quietUnit());
    const ImageBytes memory = unit.memory();
    const SettingsImage image(memory);
    const std::vector<HistoryRow> rows =
        listHistory(image, unit.layout(), 17, unit.minuteCounter(), QDateTime::currentDateTime());
    ASSERT_FALSE(rows.empty());

    const CliRun run = onUnit(unit, {QStringLiteral("history")});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), static_cast<qsizetype>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const QStringList columns = lines[static_cast<qsizetype>(i)].split(QLatin1Char('\t'));
        ASSERT_EQ(columns.size(), 3);
        EXPECT_EQ(columns[0], rows[i].number);
        EXPECT_EQ(columns[2], rows[i].event);
    }
}

// A settings file of the default memory with the PC password and the first extra opening pulse
// changed.
QString knownFile(const QString &path, const char *password, std::uint8_t pulseC1)
{
    sim::SimulatedUnit unit(quietUnit());   // only its memory and layout: never served
    SettingsImage image(unit.memory());
    const Layout layout = unit.layout();
    for (int i = 0; i < 4; ++i)
        image.set(layout.pcPassword + i, static_cast<std::uint8_t>(password[i]));
    image.set(layout.pulseC1, pulseC1);
    saveSettingsFile(path, image);
    return path;
}

TEST_F(CliTest, ShowListsEverySettingInWordsUnderItsTab)
{
    const QString file = knownFile(path("known.alm"), "4321", 9);
    const CliRun run = cli({QStringLiteral("show"), file});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    // The password and the codes masked unless asked for.
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("Hasła i kody\n  Hasło dostępu do programowania centrali: ****\n")))
        << run.out.toStdString();
    EXPECT_EQ(run.out.count(QStringLiteral(": ****\n")), 5);
    EXPECT_TRUE(run.out.contains(QStringLiteral("\nZamki\n"))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("\n  C1: czas trwania dodatkowego impulsu C1: 9 sek.\n")));

    const CliRun json = cli({QStringLiteral("show"), file, QStringLiteral("--json"), QStringLiteral("--show-secrets")});
    const QJsonArray tabs = QJsonDocument::fromJson(json.out.toUtf8()).array();
    ASSERT_FALSE(tabs.isEmpty()) << json.out.toStdString();
    qsizetype settings = 0;
    for (const QJsonValue &tab : tabs)
        settings += tab[QStringLiteral("settings")].toArray().size();
    EXPECT_EQ(settings, run.out.count(QStringLiteral("\n  ")));
    EXPECT_EQ(tabs[0][QStringLiteral("settings")][0][QStringLiteral("value")].toString(), QStringLiteral("4321"));
}

TEST_F(CliTest, DiffPrintsOneLineASettingAndExitsOneWhenFilesDiffer)
{
    const QString a = knownFile(path("a.alm"), "1234", 7);
    const QString b = knownFile(path("b.alm"), "4321", 9);
    const CliRun differ = cli({QStringLiteral("diff"), a, b});
    EXPECT_EQ(differ.status, 1) << differ.err.toStdString();
    EXPECT_EQ(differ.out, QStringLiteral("Hasła i kody: Hasło dostępu do programowania centrali: **** -> ****\n"
                                         "Zamki: C1: czas trwania dodatkowego impulsu C1: 7 sek. -> 9 sek.\n"));
    EXPECT_TRUE(cli({QStringLiteral("diff"), a, b, QStringLiteral("--show-secrets")})
                    .out.startsWith(QStringLiteral("Hasła i kody: Hasło dostępu do programowania centrali: 1234 -> 4321\n")));
    const CliRun same = cli({QStringLiteral("diff"), a, knownFile(path("c.alm"), "1234", 7)});
    EXPECT_EQ(same.status, 0) << same.err.toStdString();
    EXPECT_TRUE(same.out.isEmpty()) << same.out.toStdString();
}

// Each error ends with its own status and its Polish message; neither a file nor the unit is
// half-written.
TEST_F(CliTest, EachErrorExitsWithItsStatusAndMessage)
{
    struct Case {
        const char *name;
        std::function<CliRun()> run;
        int status;
        QString message;
    };
    sim::SimulatedUnit &silent = makeUnit(quietUnit());
    silent.setAnswering(false);
    sim::SimulatedUnit &unit = makeUnit(quietUnit());
    const ImageBytes unitMemory = unit.memory();
    const QString unitDevice = serve(unit);
    auto onServedUnit = [&](QStringList arguments) {
        return cli(arguments << QStringLiteral("--port") << unitDevice << QStringLiteral("--password")
                             << QStringLiteral("1234"));
    };
    QFile(path("v14.v14")).open(QIODevice::WriteOnly);

    // Another program holds this unit's port.
    sim::SimulatedUnit &held = makeUnit(quietUnit());
    const QString heldDevice = serve(held);
    SerialTransport holder(heldDevice, heldDevice, 8);
    ASSERT_EQ(holder.open(), Transport::OpenResult::Opened);

    const std::vector<Case> cases = {
        {"usage", [&] { return cli({QStringLiteral("info")}); }, 2,
         QStringLiteral("Podaj port: --port URZĄDZENIE albo --simulator.\n")},
        {"not answering", [&] { return onUnit(silent, {QStringLiteral("read"), QStringLiteral("-o"), path("none.alm")}); }, 3,
         QStringLiteral("Alarm nie odpowiada.\n")},
        {"wrong password",
         [&] {
             return cli({QStringLiteral("info"), QStringLiteral("--port"), unitDevice, QStringLiteral("--password"),
                         QStringLiteral("4321")});
         },
         4, QStringLiteral("Hasło dostępu do programowania komputerem niepoprawne.\n")},
        {"file for the other layout", [&] { return onServedUnit({QStringLiteral("write"), path("v14.v14")}); }, 5,
         QStringLiteral("Plik %1 jest dla centralek innego układu niż podłączona (MZRv1.61). Nic nie zapisano.\n")
             .arg(path("v14.v14"))},
        {"unreadable file", [&] { return onServedUnit({QStringLiteral("write"), path("missing.alm")}); }, 6,
         QStringLiteral("Nie można otworzyć pliku %1.\n").arg(path("missing.alm"))},
        {"port missing",
         [&] {
             return cli({QStringLiteral("info"), QStringLiteral("--port"), path("tty"), QStringLiteral("--password"),
                         QStringLiteral("1234")});
         },
         7, QStringLiteral("Port %1 nie istnieje w systemie.\n").arg(path("tty"))},
        {"port busy",
         [&] {
             return cli({QStringLiteral("info"), QStringLiteral("--port"), heldDevice, QStringLiteral("--password"),
                         QStringLiteral("1234")});
         },
         8, QStringLiteral("Port %1 jest już używany przez inny program.\n").arg(heldDevice)},
    };
    for (const Case &c : cases) {
        const CliRun run = c.run();
        EXPECT_EQ(run.status, c.status) << c.name << ": " << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(c.message)) << c.name << ": " << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(path("none.alm")));
    EXPECT_EQ(unit.memory(), unitMemory);
    holder.close();
}

TEST_F(CliTest, AnAdapterPulledOutDuringAReadExitsSevenAndLeavesNoFile)
{
    sim::UnitConfig config = quietUnit();
    config.lineSpeed = 19200;   // a read long enough to be interrupted
    sim::SimulatedUnit &unit = makeUnit(config);
    std::atomic<bool> done{false};
    std::thread puller([&] {
        auto reads = [&] {
            const std::vector<sim::LoggedFrame> log = unit.frameLog();
            return std::count_if(log.begin(), log.end(), [](const sim::LoggedFrame &f) {
                return f.direction == sim::LoggedFrame::Direction::Received && f.frame.code == request::kRead;
            });
        };
        while (!done.load() && reads() < 3)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        unit.unplug();
    });
    const CliRun read = onUnit(unit, {QStringLiteral("read"), QStringLiteral("-o"), path("pulled.alm")});
    done = true;
    puller.join();

    EXPECT_EQ(read.status, 7) << read.err.toStdString();
    EXPECT_EQ(read.err.count(QStringLiteral("został odłączony")), 1) << read.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("pulled.alm")));
}

namespace {

// A terminal that answers the question with its line.
class TypingTerminal : public cli::PasswordTerminal {
public:
    explicit TypingTerminal(bool terminal) : terminal_(terminal) {}
    bool isTerminal() const override { return terminal_; }
    std::optional<QString> ask(const QString &prompt) override
    {
        prompts << prompt;
        return QStringLiteral("1234");
    }
    QStringList prompts;

private:
    bool terminal_;
};

} // namespace

TEST_F(CliTest, ThePasswordComesFromAPrivateFileTheEnvironmentOrTheTerminal)
{
    sim::SimulatedUnit &unit = makeUnit(quietUnit());
    const QString device = serve(unit);
    const auto info = [&](QStringList extra, cli::PasswordTerminal &terminal) {
        QBuffer out, err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        cli::Console console(out, err, false);
        const QStringList arguments = QStringList{"alvetra-cli", "info", "--port", device} + extra;
        CliRun run;
        run.status = cli::runCli(arguments, console, QStringLiteral(ALVETRA_DATA_DIR), terminal);
        run.err = QString::fromUtf8(err.data());
        return run;
    };
    TypingTerminal terminal(true);
    TypingTerminal noTerminal(false);
    const auto writePasswordFile = [&](const char *name, QFile::Permissions permissions) {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("1234\r\nsecond line\n");
        file.close();
        file.setPermissions(permissions);
        return path(name);
    };
    const QString privateFile = writePasswordFile("private", QFile::ReadOwner | QFile::WriteOwner);
    const QString sharedFile = writePasswordFile("shared", QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);

    // A file others may read is refused before the port is even opened.
    const CliRun shared = info({"--password-file", sharedFile}, terminal);
    EXPECT_EQ(shared.status, 6);
    EXPECT_TRUE(shared.err.contains(QStringLiteral("Plik z hasłem %1 mogą czytać inni użytkownicy").arg(sharedFile)))
        << shared.err.toStdString();
    EXPECT_TRUE(unit.received().empty());

    EXPECT_EQ(info({"--password-file", privateFile}, terminal).status, 0);
    qputenv("ALVETRA_PASSWORD", "1234");
    EXPECT_EQ(info({}, terminal).status, 0);
    qunsetenv("ALVETRA_PASSWORD");
    EXPECT_TRUE(terminal.prompts.isEmpty());
    EXPECT_EQ(info({}, terminal).status, 0);
    EXPECT_EQ(terminal.prompts, QStringList{QStringLiteral("Hasło dostępu: ")});
    EXPECT_EQ(info({}, noTerminal).status, 2);
    EXPECT_EQ(info({"--password", "1234", "--password-file", privateFile}, terminal).status, 2);
}
