#pragma once
// The operations against a simulated unit over the whole link: a window that records what it was
// told, the serial link with its reader thread, and the in-process port "Symulator".

#include "ops/AlarmOperations.h"
#include "alarm/Cp1250.h"
#include "link/Frame.h"
#include "link/LinkEvents.h"
#include "link/SerialLink.h"
#include "ops/SerialUnitLink.h"
#include "sim/SimulatedTransport.h"
#include "sim/SimulatedUnit.h"
#include "link/Wait.h"
#include "QtPrinters.h"
#include "TestSpeedup.h"
#include "WaitFor.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <atomic>
#include <utility>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <vector>

// Readable failures.
namespace alvetra {
inline void PrintTo(const UserMessage &m, std::ostream *out)
{
    *out << '{' << m.caption.toStdString() << ", " << m.text.toStdString() << ", " << int(m.icon) << '}';
}
} // namespace alvetra

namespace alvetra::test {

struct StatusText {
    QString text;
    int width = 0;
    StatusColour colour = StatusColour::WindowText;
    bool operator==(const StatusText &) const = default;
};

inline void PrintTo(const StatusText &s, std::ostream *out)
{
    *out << '{' << s.text.toStdString() << ", " << s.width << ", " << (s.colour == StatusColour::Red ? "red" : "text") << '}';
}

class RecordingView : public OperationView {
public:
    // What the window was told, in order ("EnableOperations 0", "BeginProgress Odczyt: 32", ...).
    std::vector<QString> calls;
    std::vector<UserMessage> messages;
    std::vector<StatusText> statuses;

    bool supervisionRunning = true;
    bool blockKeeping = false;
    bool operationsEnabled = true;
    bool fileActions = false;   // offered while every other operation is disabled
    bool pageControlEnabled = true;
    bool programmingAccess = false;
    int page = 9;
    bool connectedButtons = false;
    bool connectButtonEnabled = true;
    bool progressVisible = false;
    int progressSteps = 0;
    int progressBegun = 0;

    QString identification;   // set by the link's reply handling, as the window's panel 2
    QString password = QStringLiteral("1234");
    TabValues values;
    int fills = 0;
    bool canAnalysis = false;
    QStringList makes;
    int carDatabaseShown = 0;
    DialogDefaults dialogs;
    QString visible;   // the tab in front
    bool confirmAnswer = true;
    std::vector<std::vector<SettingDifference>> confirmations;
    std::function<void()> reopen;   // the harness's port reopening
    std::function<void()> progressHidden;   // a test's step where an operation hides its progress

    bool pauseSupervision() override { log("pauseSupervision"); return std::exchange(supervisionRunning, false); }
    void restoreSupervision(bool running) override { log("restoreSupervision", running); supervisionRunning = running; }
    void setBlockKeeping(bool running) override { blockKeeping = running; }
    void enableOperations(bool enabled) override
    {
        log("EnableOperations", enabled);
        operationsEnabled = enabled;
        fileActions = false;
    }
    void enableFileActions() override { fileActions = true; }
    void setPageControlEnabled(bool enabled) override { log("setPageControlEnabled", enabled); pageControlEnabled = enabled; }
    void setProgrammingAccess(bool granted) override { log("SetProgrammingAccess", granted); programmingAccess = granted; }
    void selectPage(int index) override { page = index; }
    void showConnectedButtons(bool connected) override { log("showConnectedButtons", connected); connectedButtons = connected; }
    void setConnectButtonEnabled(bool enabled) override { connectButtonEnabled = enabled; }

    void showStatus(const QString &text, int width, StatusColour colour) override { statuses.push_back({text, width, colour}); }
    void beginProgress(const QString &text, int steps) override
    {
        log("BeginProgress " + text + QString::number(steps));
        progressVisible = true;
        progressSteps = 0;
        ++progressBegun;
    }
    void stepProgress() override { ++progressSteps; }
    void hideProgress() override
    {
        progressVisible = false;
        if (progressHidden)
            progressHidden();
    }
    void showMessage(const UserMessage &message) override { messages.push_back(message); }

    QString identificationLine() const override { return identification; }
    QString accessPassword() const override { return password; }
    void setAccessPassword(const QString &p) override { password = p; log("setAccessPassword " + p); }
    void reopenPort() override
    {
        log("reopenPort");
        if (reopen)
            reopen();
    }
    TabValues gatherValues() const override { return values; }
    void applyFill(const FillResult &fill) override { values = fill.values; ++fills; }
    void clearPcPasswordEdits() override { values.newPcPassword.clear(); values.newPcPasswordRepeat.clear(); log("clearPcPasswordEdits"); }
    void showCanAnalysis(bool shown) override { canAnalysis = shown; }
    bool canAnalysisShown() const override { return canAnalysis; }
    int makeCount() const override { return static_cast<int>(makes.size()); }
    void setCarDatabase(const QStringList &m, const CarTable &) override { makes = m; ++carDatabaseShown; }
    void setDialogDefaults(const DialogDefaults &d) override { dialogs = d; }
    QString visibleTab() const override { return visible; }
    bool confirmChanges(const std::vector<SettingDifference> &changes) override
    {
        confirmations.push_back(changes);
        return confirmAnswer;
    }

    QString lastStatus() const { return statuses.empty() ? QString() : statuses.back().text; }
    std::vector<QString> messageTexts() const
    {
        std::vector<QString> out;
        for (const UserMessage &m : messages) out.push_back(m.text);
        return out;
    }

private:
    void log(const QString &what) { calls.push_back(what); }
    void log(const QString &what, bool on) { calls.push_back(what + (on ? " 1" : " 0")); }
};

// The window's side of the serial link in these tests: the identification line and the minute
// counter go where the window keeps them; the rest is only logged.
class WindowEvents : public LinkEvents {
public:
    WindowEvents(RecordingView &view, OperationState &state) : view_(view), state_(state) {}

    QStringList log;

    void threadStarted() override { view_.identification.clear(); }
    void portOpened() override { log << "portOpened"; }
    void portClosed() override { log << "portClosed"; }
    void openFailed(Transport::OpenResult, const QString &, const UserMessage &) override { log << "openFailed"; }
    void closeFailed(const QString &, int, const UserMessage &) override { log << "closeFailed"; }
    void deviceLost(const QString &, const UserMessage &) override { log << "deviceLost"; }
    void checksumError(int, const QString &) override { log << "checksumError"; }
    void rxActivity() override {}
    void txActivity() override {}
    void clearIdentification() override { view_.identification.clear(); }
    void setIdentification(const QString &line) override { view_.identification = line; }
    void setTimeCounter(std::uint32_t value) override { state_.timeCounter = value; }
    void showArmed() override {}
    void showDisarmed() override {}
    void withdrawAccess() override
    {
        log << "withdrawAccess";
        state_.connected = false;
    }
    void statusReport(std::uint8_t, std::uint8_t, std::uint8_t, std::uint8_t) override {}

private:
    RecordingView &view_;
    OperationState &state_;
};

// A unit, the window, the link and the operations, with protocol time running 1000 times faster.
class OpsTest : public ::testing::Test {
protected:
    static constexpr std::uint32_t kCounter = 0x012345;

    static sim::UnitConfig unitConfig(const QString &identification = QStringLiteral("MZRv1.61"))
    {
        sim::UnitConfig config;
        config.identification = identification;
        config.lineSpeed = 0;
        config.minuteCounter = kCounter;
        config.minuteLength = std::chrono::hours(24);   // the counter stands still during a test
        return config;
    }

    // Fast enough that a 100-second learning wait takes 2 s, slow enough that every reply from
    // the reader thread comes well within its transaction's wait.
    static constexpr double kNativeSpeedup = 50;

    void SetUp() override
    {
        previousSpeedup_ = TimeBase::speedup();
        TimeBase::setSpeedup(testSpeedup(kNativeSpeedup));
        for (const char *name : {"MZRAv14.txt", "MZRAv17.txt", "MZRAv18.txt", "MZRFv10.txt"})
            writeCarDatabase(name, QStringLiteral("12\n0000,Audi,A4 B8,17\n0001,Audi,A6 C7,18\n0100,Škoda,Octavia,21\n"));
        startUnit(unitConfig());
    }
    void TearDown() override { TimeBase::setSpeedup(previousSpeedup_); }

    // A new unit on the port "Symulator", with a new reader thread.
    void startUnit(const sim::UnitConfig &config)
    {
        ops.reset();
        link.reset();
        serial.reset();
        unit = std::make_unique<sim::SimulatedUnit>(config);
        serial = std::make_unique<SerialLink>(state.image, events, [this](const QString &, int) {
            return std::make_unique<sim::SimulatedTransport>(*unit);
        });
        events.log.clear();
        ASSERT_TRUE(serial->open(QString::fromLatin1(sim::kSimulatorPortName), 8));
        ASSERT_TRUE(waitFor([&] { return events.log.contains("portOpened"); }));
        link = std::make_unique<SerialUnitLink>(*serial);
        ops = std::make_unique<AlarmOperations>(view, *link, state, opsConfig);
        view.reopen = [this] {
            events.log.clear();
            if (serial->open(QString::fromLatin1(sim::kSimulatorPortName), 8))
                waitFor([&] { return events.log.contains("portOpened") || !serial->portOpen(); });
        };
    }

    void writeCarDatabase(const QString &name, const QString &text)
    {
        QFile file(dataDir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(cp1250::encode(text));
    }

    // Connects and forgets what that exchanged, for tests about what comes after.
    void connectAndClearLogs()
    {
        ASSERT_EQ(ops->connect(), OperationOutcome::Done) << view.lastStatus().toStdString();
        ASSERT_TRUE(state.connected);
        unit->clearFrameLog();
        view.messages.clear();
        view.statuses.clear();
        view.calls.clear();
    }

    std::vector<int> codesReceived() const
    {
        std::vector<int> codes;
        for (const Frame &f : unit->received()) codes.push_back(f.code);
        return codes;
    }

    // The frames the unit received, a frame sent again right after itself (a retransmission)
    // counted once.
    std::vector<Frame> receivedWithoutRetransmissions(std::optional<std::uint8_t> code = std::nullopt) const
    {
        std::vector<Frame> frames;
        std::optional<QByteArray> previous;
        for (const Frame &f : unit->received()) {
            const QByteArray text = encodeFrame(f);
            if (text != previous && (!code || f.code == *code))
                frames.push_back(f);
            previous = text;
        }
        return frames;
    }
    std::vector<int> codesWithoutRetransmissions() const
    {
        std::vector<int> codes;
        for (const Frame &f : receivedWithoutRetransmissions()) codes.push_back(f.code);
        return codes;
    }

    // (address, count, bytes) of every write request the unit received.
    std::vector<std::pair<int, Bytes>> writesReceived() const { return unit->writesReceived(); }

    QTemporaryDir dataDir;
    OperationState state;
    RecordingView view;
    OperationConfig opsConfig{dataDir.path(), [] { return QDateTime(QDate(2024, 3, 1), QTime(12, 0)); }, QString()};
    WindowEvents events{view, state};
    std::unique_ptr<sim::SimulatedUnit> unit;
    std::unique_ptr<SerialLink> serial;
    std::unique_ptr<SerialUnitLink> link;
    std::unique_ptr<AlarmOperations> ops;

private:
    double previousSpeedup_ = 1;
};

inline const std::vector<int> kLoginCodes{0x06, 0x07, 0x01};

} // namespace alvetra::test
