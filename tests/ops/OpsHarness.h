#pragma once
// The operations against a simulated unit: a window that records what it was told, and a link
// that carries the requests over the simulated unit's line with the transaction schedule and
// reply handling of the serial link.

#include "AlarmOperations.h"
#include "Cp1250.h"
#include "Frame.h"
#include "FrameParser.h"
#include "SimulatedUnit.h"
#include "Wait.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <utility>
#include <deque>
#include <map>
#include <ostream>
#include <vector>

// Readable failures.
inline void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }

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
    std::map<QString, bool> actions;
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
    std::optional<QString> openName;
    std::optional<QString> saveName;

    bool pauseSupervision() override { log("pauseSupervision"); return std::exchange(supervisionRunning, false); }
    void restoreSupervision(bool running) override { log("restoreSupervision", running); supervisionRunning = running; }
    void setBlockKeeping(bool running) override { blockKeeping = running; }
    void EnableOperations(bool enabled) override
    {
        log("EnableOperations", enabled);
        operationsEnabled = enabled;
        actions.clear();
    }
    void setActionEnabled(const QString &name, bool enabled) override { actions[name] = enabled; }
    void setPageControlEnabled(bool enabled) override { log("setPageControlEnabled", enabled); pageControlEnabled = enabled; }
    void SetProgrammingAccess(bool granted) override { log("SetProgrammingAccess", granted); programmingAccess = granted; }
    void selectPage(int index) override { page = index; }
    void showConnectedButtons(bool connected) override { log("showConnectedButtons", connected); connectedButtons = connected; }
    void setConnectButtonEnabled(bool enabled) override { connectButtonEnabled = enabled; }

    void ShowStatus(const QString &text, int width, StatusColour colour) override { statuses.push_back({text, width, colour}); }
    void BeginProgress(const QString &text, int steps) override
    {
        log("BeginProgress " + text + QString::number(steps));
        progressVisible = true;
        progressSteps = 0;
        ++progressBegun;
    }
    void StepProgress() override { ++progressSteps; }
    void HideProgress() override { progressVisible = false; }
    void showMessage(const UserMessage &message) override { messages.push_back(message); }

    QString identificationLine() const override { return identification; }
    QString accessPassword() const override { return password; }
    TabValues gatherValues() const override { return values; }
    void applyFill(const FillResult &fill) override { values = fill.values; ++fills; }
    void clearPcPasswordEdits() override { values.kodProg1.clear(); values.kodProg2.clear(); log("clearPcPasswordEdits"); }
    void showCanAnalysis(bool shown) override { canAnalysis = shown; }
    bool canAnalysisShown() const override { return canAnalysis; }
    int makeCount() const override { return static_cast<int>(makes.size()); }
    void setCarDatabase(const QStringList &m, const CarTable &) override { makes = m; ++carDatabaseShown; }
    void setDialogDefaults(const DialogDefaults &d) override { dialogs = d; }
    std::optional<QString> askOpenFileName() override { return openName; }
    std::optional<QString> askSaveFileName() override { return saveName; }

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

// The serial link's transactions over the simulated unit's (unpaced) line. Replies are handled as
// the reader thread handles them: data and window effects first, then the flag.
class SimLink : public UnitLink {
public:
    SimLink(sim::SimulatedUnit &unit, OperationState &state, RecordingView &view)
        : unit_(unit), state_(state), view_(view), token_(unit.attachLine())
    {
        // Reports that come while an operation waits (the end of a learning) are picked up here.
        poller_.setInterval(1);
        QObject::connect(&poller_, &QTimer::timeout, [this] { poll(); });
        poller_.start();
    }
    ~SimLink() override { unit_.detachLine(token_); }

    bool open = true;

    bool portOpen() const override { return open; }

    bool SendRequest(std::uint8_t destination, std::uint8_t source, std::uint8_t code,
                     const std::optional<QString> &hexText, std::uint16_t delayMs, std::uint16_t repeatMs,
                     std::uint16_t totalMs, std::uint32_t address, std::uint8_t count, std::uint64_t value,
                     bool threeByteAddress) override
    {
        if (!open)
            return false;
        const Bytes data = hexText ? HexToBytes(*hexText) : addressedBlock(address, count, value, threeByteAddress);
        const QByteArray wire = encodeFrame(makeFrame(destination, code, source, data));
        std::atomic<bool> &flag = flagFor(code);
        Delay(delayMs);
        flag.store(false);
        writeAccepted_.store(false);
        const int ticks = totalMs / 100;
        const int repeat = repeatMs / 100;
        for (int tick = 0, countdown = 0; !flag.load() && tick <= ticks; ++tick) {
            if (countdown == 0) {
                unit_.receive(token_, wire);
                countdown = repeat;
            }
            poll();
            Delay(100, {&flag});
            poll();
            if (countdown > 0)
                --countdown;
        }
        return code == 0x03 ? flag.load() && writeAccepted_.load() : flag.load();
    }

    bool ReadBlock(std::uint8_t destination, std::uint8_t address, std::uint8_t count) override
    {
        return SendRequest(destination, kPcAddress, 0x02, "0000" + ByteToHex(address) + ByteToHex(count), 0, 2600,
                           2500, 0, 0, 0, false);
    }

    std::uint8_t WriteBlock(std::uint8_t destination, std::uint8_t address, std::uint8_t count,
                            const SettingsImage &image) override
    {
        if (count > 8)
            return 3;
        std::uint64_t value = 0;
        for (int i = count - 1; i >= 0; --i)
            value = value << 8 | image.at(address + i);
        return SendRequest(destination, kPcAddress, 0x03, std::nullopt, 0, 6600, 6500, address, count, value, true) ? 0 : 1;
    }

    std::uint8_t accessFlags() const override { return access_; }
    const std::atomic<bool> &learningFlag() const override { return learning_; }
    std::uint8_t learnedCount() const override { return learned_; }
    void clearLoginReply() override { login_.store(false); }

private:
    std::atomic<bool> &flagFor(std::uint8_t code)
    {
        switch (code) {
        case 0x02: return read_;
        case 0x03: return write_;
        case 0x06: return first_;
        case 0x07: return second_;
        case 0x09: return learning_;
        case 0x0C: return confirm_;
        case 0x0D: return confirmCan_;
        default: return login_;
        }
    }

    void poll()
    {
        for (const TRs232Frame &frame : parser_.feed(unit_.takeDue(token_)).frames)
            if (frame.destination == kPcAddress && frame.source == kUnitAddress)
                handle(frame.code, frame.data);
    }

    void handle(std::uint8_t code, const Bytes &d)
    {
        const auto text = [](Bytes::const_iterator from, Bytes::const_iterator to) {
            return cp1250::decode(QByteArray(reinterpret_cast<const char *>(&*from), static_cast<int>(to - from)));
        };
        const std::size_t n = d.size();
        switch (code) {
        case 0x81:
            if (n < 6) return;
            view_.identification = firstText_ + "  " + secondText_ + "  " + text(d.begin(), d.end() - 5);
            state_.timeCounter = std::uint32_t(d[n - 3]) << 16 | d[n - 2] << 8 | d[n - 1];
            access_ = d[n - 5] & 0x1F;
            login_.store(true);
            break;
        case 0x82:
            for (int i = 0; i < d[3]; ++i)
                state_.image.set(d[0] + i, d[4 + i]);
            read_.store(true);
            break;
        case 0x83: writeAccepted_.store(d.at(0) != 1); write_.store(true); break;
        case 0x86: firstText_ = text(d.begin(), d.end()); first_.store(true); break;
        case 0x87: secondText_ = text(d.begin(), d.end()); second_.store(true); break;
        case 0x89: learned_ = d.at(0); learning_.store(d.at(0) != 5); break;
        case 0x8C: confirm_.store(true); break;
        case 0x8D: confirmCan_.store(true); break;
        default: break;
        }
    }

    sim::SimulatedUnit &unit_;
    OperationState &state_;
    RecordingView &view_;
    sim::SimulatedUnit::LineToken token_;
    FrameParser parser_;
    QTimer poller_;
    QString firstText_, secondText_;
    std::atomic<bool> login_{true}, read_{false}, write_{true}, writeAccepted_{false}, first_{true}, second_{true},
        learning_{false}, confirm_{false}, confirmCan_{false};
    std::uint8_t access_ = 0;
    std::uint8_t learned_ = 0;
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

    void SetUp() override
    {
        previousSpeedup_ = TimeBase::speedup();
        TimeBase::setSpeedup(1000);
        for (const char *name : {"MZRAv14.txt", "MZRAv17.txt", "MZRAv18.txt", "MZRFv10.txt"})
            writeCarDatabase(name, QStringLiteral("12\n0000,Audi,A4 B8,17\n0001,Audi,A6 C7,18\n0100,Škoda,Octavia,21\n"));
        startUnit(unitConfig());
    }
    void TearDown() override { TimeBase::setSpeedup(previousSpeedup_); }

    void startUnit(const sim::UnitConfig &config)
    {
        ops.reset();
        link.reset();
        unit = std::make_unique<sim::SimulatedUnit>(config);
        link = std::make_unique<SimLink>(*unit, state, view);
        ops = std::make_unique<AlarmOperations>(view, *link, state, opsConfig);
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
        ops->BITBTN_PolaczClick();
        ASSERT_TRUE(state.connected) << view.lastStatus().toStdString();
        unit->clearFrameLog();
        view.messages.clear();
        view.statuses.clear();
        view.calls.clear();
    }

    std::vector<int> codesReceived() const
    {
        std::vector<int> codes;
        for (const TRs232Frame &f : unit->received()) codes.push_back(f.code);
        return codes;
    }

    // (address, count, bytes) of every write request the unit received.
    std::vector<std::pair<int, Bytes>> writesReceived() const
    {
        std::vector<std::pair<int, Bytes>> writes;
        for (const TRs232Frame &f : unit->received(0x03))
            writes.emplace_back(f.data.at(2), Bytes(f.data.begin() + 4, f.data.end()));
        return writes;
    }

    QTemporaryDir dataDir;
    OperationState state;
    RecordingView view;
    OperationConfig opsConfig{dataDir.path(), [] { return QDateTime(QDate(2024, 3, 1), QTime(12, 0)); }};
    std::unique_ptr<sim::SimulatedUnit> unit;
    std::unique_ptr<SimLink> link;
    std::unique_ptr<AlarmOperations> ops;

private:
    double previousSpeedup_ = 1;
};

inline const std::vector<int> kLoginCodes{0x06, 0x07, 0x01};

} // namespace alvetra::test
