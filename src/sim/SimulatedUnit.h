#pragma once
// The simulated alarm unit: a complete protocol partner for the program, used by the tests, the
// app's "Symulator" port and the alvetra-unit tool. Thread-safe: every public call may come from
// any thread.
//
// The protocol (frames, codes, data, times, memory map) is docs/protocol.md. What this unit
// does with it:
//   Login (0x01): the password matches when its length byte is 4 and its characters equal the
//        4 password bytes in memory exactly. Once a write has changed those bytes, only the new
//        password opens a session. A correct password on a disarmed unit without an active
//        block opens a programming session; any other login closes it.
//   Read (0x02): session only; without one the unit stays silent. The count is kept within the
//        memory and within 52 bytes so that the reply stays sendable.
//   Write (0x03): refused (0x83 with 1) without a session, for a malformed request, a refused
//        address range or an injected refusal.
//   0x86 and 0x87 carry two texts of our own (unit name, hardware version).
//   Status (0x08): S0..S3 from the inputs (see UnitStatus.h); remote-button bits are reported
//        once.
//   Learning (0x09, session only): 0x89 [5] at once, then 0x89 [N] when learning ends:
//        finishLearning(N), or by itself after a configurable time. N >= 1 replaces the whole
//        set of remotes or tokens with N fresh records.
//   Block keeping (0x0A) is accepted silently; disconnect (0x0B) ends the session; the two
//   confirmations (0x0C, 0x0D) are answered without data. Any other code, or a frame for another
//   address, gets no reply.
// A request that meets an injected silence (unanswered code, silent period, stopped unit) is
// ignored as if it had been lost on the line; it changes nothing.
//
// History: arming, disarming and every trigger input that becomes active while armed append an
// entry to the ring in memory (see HistoryRing.h); older identifications ("MZRAv...") use the
// wired event codes, newer ones the CAN codes.
//
// Memory: 256 bytes, layout A for "MZRAv1.4", layout B otherwise. The counter bytes follow the
// running minute counter; writing them sets the counter.
//
// Replay: with a recorded session set (setReplay), every request is answered from the
// recording instead (SessionReplay.h): the unit's own memory, session and faults take no part,
// only the line and its pacing. A request the recording does not hold goes unanswered.
//
// The line: one consumer at a time (SimulatedTransport or PtyServer) attaches, hands over the
// bytes the program sends and takes the unit's bytes as they become due at the line speed.

#include "sim/DefaultMemory.h"
#include "link/Frame.h"
#include "sim/FrameLog.h"
#include "link/FrameParser.h"
#include "sim/HistoryRing.h"
#include "alarm/Layout.h"
#include "sim/LinePacer.h"
#include "sim/MinuteCounter.h"
#include "sim/SessionReplay.h"
#include "alarm/SettingsImage.h"
#include "sim/UnitFaults.h"
#include "sim/UnitStatus.h"

#include <QByteArray>
#include <QString>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <utility>
#include <vector>

namespace alvetra::sim {

struct UnitConfig {
    QString identification = QStringLiteral("MZRv1.61");
    QString firstText = QStringLiteral("Alvetra SIM");   // reply 0x86
    QString secondText = QStringLiteral("HW 3.2");       // reply 0x87
    std::optional<ImageBytes> memory;                     // the default memory when absent
    QString password;                                     // when given, stored over the memory's
    std::optional<std::uint32_t> minuteCounter;           // from the memory's counter bytes when absent
    std::chrono::milliseconds minuteLength = std::chrono::minutes(1);
    int lineSpeed = 19200;                                // bit/s; 0 = no pacing
    std::chrono::milliseconds learningTime{8000};         // 0: learning ends only by finishLearning()
    int learnedByItself = 2;                              // what a learning that ends by itself reports
    std::uint32_t seed = 1;                               // faults and learnt records
};

class SimulatedUnit {
public:
    explicit SimulatedUnit(const UnitConfig &config = {});
    SimulatedUnit(const SimulatedUnit &) = delete;
    SimulatedUnit &operator=(const SimulatedUnit &) = delete;

    // ---- identity and memory
    QByteArray identification() const;
    void setIdentification(const QString &identification);   // also selects the layout
    // Another unit is plugged into the same line between two operations: the identification,
    // the texts of replies 0x86 and 0x87, the memory (the default one of its layout when none is
    // given), the password and the counter of `config`. The line, its pacing, the plug, the
    // inputs, the faults, the frame log and the length of a counter minute stay; a programming
    // session or learning ends.
    void becomeAnotherUnit(const UnitConfig &config);
    Layout layout() const;
    ImageBytes memory() const;
    std::uint8_t memoryAt(int address) const;
    void setMemory(const ImageBytes &memory);
    void setPassword(const QString &password);
    std::uint32_t minuteCounter() const;
    void setMinuteCounter(std::uint32_t value);
    bool sessionOpen() const;

    // ---- inputs
    InputState inputs() const;
    void setInput(Input input, bool on);
    void press(Press press);
    StatusBytes statusBytes() const;
    void setStatusBytes(const StatusBytes &bytes);

    // ---- learning
    bool learning() const;
    // Ends a running learning with `count` learnt (0 to 4); false when none runs.
    bool finishLearning(int count);

    // ---- faults
    void setFaults(const FaultPlan &plan);
    FaultPlan faults() const;
    void seedFaults(std::uint32_t seed);
    void silenceFor(std::chrono::milliseconds duration);
    void setAnswering(bool answering);
    bool answering() const;
    void refuseWrites(int firstAddress, int lastAddress);   // inclusive
    void clearWriteRefusals();
    // The cable is pulled: the consumer loses the line and nobody can attach until replug().
    void unplug();
    void replug();
    bool unplugged() const;

    // ---- replay
    // Answers from `replay` from now on; `unheld` sees (under the unit's lock: keep it short)
    // each request the recording does not hold. An empty replay ends the replaying.
    void setReplay(std::shared_ptr<SessionReplay> replay, std::function<void(const Frame &)> unheld = {});

    // ---- the line
    using LineToken = std::uint64_t;   // 0 = no line
    enum class LineState { BytesDue, Stopped, Lost, TimedOut };

    void setLineSpeed(int bitsPerSecond);
    int lineSpeed() const;
    // Claims the line; 0 when it is taken or the unit is unplugged. Bytes queued before the
    // claim are dropped: nobody was listening.
    LineToken attachLine();
    void detachLine(LineToken token);
    bool holdsLine(LineToken token) const;
    // The program's bytes, arriving at `arrival`. Returns when the last of them has passed the
    // line (for an honest drain), or nullopt when `token` no longer holds the line. Frames are
    // handled as their last character comes in.
    std::optional<Clock::time_point> receive(LineToken token, const QByteArray &bytes, Clock::time_point arrival = Clock::now());
    // The unit's bytes whose time has come.
    QByteArray takeDue(LineToken token, Clock::time_point now = Clock::now());
    // When a byte or a timed event of the unit is next due; nullopt when nothing is pending.
    std::optional<Clock::time_point> nextDue() const;
    // Blocks until a byte is due, `stopRequested` returns true, the line is lost, or `deadline`.
    LineState waitForLine(LineToken token, const std::function<bool()> &stopRequested,
                          std::optional<Clock::time_point> deadline = std::nullopt);
    // Makes every waitForLine re-check its stop condition.
    void wakeLine();
    // Called (from any thread) whenever bytes were queued or the plug changed; for consumers
    // that sleep in poll() rather than in waitForLine. Must not call back into the unit.
    void setLineListener(std::function<void()> listener);

    // ---- what happened
    std::vector<LoggedFrame> frameLog() const;
    std::vector<Frame> received(std::optional<std::uint8_t> code = std::nullopt) const;
    std::vector<Frame> sent(std::optional<std::uint8_t> code = std::nullopt) const;
    // (address, data bytes) of every write request received, in order.
    std::vector<std::pair<int, Bytes>> writesReceived() const;
    void clearFrameLog();
    int checksumErrors() const;   // damaged frames received
    // Sees every frame as it is logged, under the unit's lock: keep it short, never call back.
    void setFrameObserver(std::function<void(const LoggedFrame &)> observer);

private:
    struct Learning {
        bool active = false;
        bool tokens = false;
        std::optional<Clock::time_point> endsAt;
    };

    void takeIdentity(const UnitConfig &config);
    void handle(const Frame &frame, Clock::time_point at);
    void dispatch(const Frame &frame, Clock::time_point at);
    void onLogin(const Bytes &data, Clock::time_point at);
    void onRead(const Bytes &data, Clock::time_point at);
    void onWrite(const Bytes &data, Clock::time_point at);
    void onLearning(const Bytes &data, Clock::time_point at);
    void reply(std::uint8_t code, Bytes data, Clock::time_point at);
    void replayAnswer(const Frame &request, Clock::time_point at);

    std::uint8_t accessFlags() const;
    bool passwordMatches(const Bytes &data) const;
    bool writeAccepted(const Bytes &data) const;
    bool writeRefusedByAddress(int address, int count) const;
    void applyInputChange(Input input, bool on, Clock::time_point at);
    void endSession();
    void completeLearning(int count, Clock::time_point at);
    void advanceTo(Clock::time_point now);
    void refreshCounterBytes(Clock::time_point now);
    std::optional<Clock::time_point> nextDueLocked() const;
    void notifyLine();
    void logFrame(LoggedFrame entry);

    mutable std::mutex mutex_;
    std::condition_variable lineChanged_;
    std::mutex listenerMutex_;
    std::function<void()> listener_;

    UnitConfig config_;
    QByteArray identification_;
    Layout layout_;
    EventTable events_;
    ImageBytes memory_{};
    MinuteCounter counter_;
    InputState inputs_;
    UnitFaults faults_;
    std::mt19937 recordRng_;
    std::vector<std::pair<int, int>> refusedRanges_;
    bool session_ = false;
    Learning learning_;
    std::shared_ptr<SessionReplay> replay_;
    std::function<void(const Frame &)> unheld_;

    LinePacer pacer_;
    FrameParser parser_;
    FrameLog log_;
    std::function<void(const LoggedFrame &)> observer_;
    int checksumErrors_ = 0;
    LineToken holder_ = 0;
    LineToken lastToken_ = 0;
    bool unplugged_ = false;
};

} // namespace alvetra::sim
