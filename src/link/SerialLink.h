#pragma once
// The serial link as the window and the operations use it, on the UI thread: the port-open
// flag, the current reader thread with its transport, and the request/reply transactions.
//
//   SerialLink link(image, events, SerialLink::serialPorts());   // or a factory of fakes or the
//                                                                 // simulated unit
//   link.reopen(portName, speedIndex);   // onPortChanged: LimitReached means the old reader
//                                        // thread still runs (show resetFailureMessage())
//   link.readBlock(kUnitAddress, 0x10, 8);            // true: the 8 bytes are in `image`
//   link.writeBlock(kUnitAddress, 0x10, 4, image);    // WriteResult::Written: accepted
//   link.sendRequest({.code = request::kConfirm, .repeatMs = 1400, .totalMs = 3000});
//   link.sendDisconnect();               // at shutdown, before stopReaderThread()
//
// Every transaction waits by processing events (the window stays alive, the reader's window
// steps run) and ends as soon as its reply flag is raised. With the port not open every
// transaction returns false at once and writes nothing. Waits nest: a timer tick inside one
// transaction's wait may run a transaction of its own.
//
// accessFlags(), learningFlag(), learnedCount(), clearLoginReply() and portOpen() are what
// the alarm operations' UnitLink asks for; an adapter only forwards.

#include "link/Frame.h"
#include "link/ReplyState.h"
#include "link/Request.h"
#include "link/TrafficTap.h"
#include "link/Transport.h"
#include "link/UiWakeup.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

namespace alvetra {

class LinkEvents;
class SettingsImage;
class ReaderThread;

class SerialLink : public QObject {
    Q_OBJECT
public:
    using TransportFactory = std::function<std::unique_ptr<Transport>(const QString &portName, int speedIndex)>;

    // How stopReaderThread ended.
    enum class StopResult {
        Stopped,                  // the port is closed and the reader thread gone (or there was none)
        ApplicationTerminating,   // the application began to end meanwhile
        LimitReached,             // the reader thread still runs
    };
    static constexpr int kStopLimitMs = 5000;

    // Serial devices by port name (SerialTransport on devicePathForPort(name)).
    static TransportFactory serialPorts();

    // `image` receives read replies; `events` is the window. Both must outlive the link.
    SerialLink(SettingsImage &image, LinkEvents &events, TransportFactory factory, QObject *parent = nullptr);
    ~SerialLink() override;   // stops and joins the reader thread without touching the window

    // ---- port
    // Creates a reader thread for the port (which opens it). False when no thread was created:
    // no port name, a speed index outside the table, a reader thread still running, or the
    // factory made nothing.
    bool open(const QString &portName, int speedIndex);
    // Asks the reader thread to end and processes events until it has closed the port, the
    // application is terminating or `limitMs` have passed. Stopped at once when there is no
    // reader thread.
    StopResult stopReaderThread(int limitMs = kStopLimitMs);
    // stopReaderThread, then open when it stopped. Returns stopReaderThread's result.
    StopResult reopen(const QString &portName, int speedIndex, int limitMs = kStopLimitMs);
    // True from the creation of a reader thread until it has closed the port and ended.
    bool portOpen() const { return portOpen_.load(std::memory_order_acquire); }
    // True while a new reader thread is still trying to open its port.
    bool portOpening() const;
    bool hasReaderThread() const { return reader_ != nullptr; }
    std::uint16_t checksumErrors() const;

    // ---- transactions
    // One transaction: true when the request's reply arrived (for a write: arrived and
    // accepted). False at once for a frame whose text would be 128 characters or more.
    bool sendRequest(const Request &req);
    // Encodes and writes one frame; false (nothing written) for a text of 128 characters or more.
    bool sendFrame(const Frame &frame);
    // Writes the text to the port and waits until it has left; bytes written, 0 on failure.
    qint64 writeRaw(const QByteArray &text);
    bool readBlock(std::uint8_t destination, std::uint8_t address, std::uint8_t count);
    // `count` bytes of `image` from `address`, in one write request.
    WriteResult writeBlock(std::uint8_t destination, std::uint8_t address, std::uint8_t count,
                            const SettingsImage &image);

    // The requests of supervision and shutdown.
    bool sendStatusRequest(std::uint16_t totalMs, std::uint16_t repeatMs);
    void sendBlockKeeping();
    bool sendDisconnect();

    // Every frame written and every text received, for the traffic console and log.
    TrafficTap &traffic() { return traffic_; }

    // ---- reply state
    const ReplyState &replies() const { return replies_; }
    ReplyState &replies() { return replies_; }
    std::uint8_t accessFlags() const { return replies_.accessFlags(); }
    const std::atomic<bool> &learningFlag() const { return replies_.flag(ReplyFlag::Learning); }
    std::uint8_t learnedCount() const { return replies_.learnedCount(); }
    void clearLoginReply() { replies_.lower(ReplyFlag::Login); }

    // How long the reply to `frame` may take on a healthy line at the port's speed, in protocol
    // milliseconds: a request that is safe to repeat is sent again when none has come by then.
    int retransmissionIntervalMs(const Frame &frame) const;

private:
    // The request's own schedule: sent every repeatMs until totalMs have passed.
    void awaitOnSchedule(const Frame &frame, const Request &req, const std::atomic<bool> &awaited,
                         std::uint64_t generation);
    // The same total wait, but sent again after retransmissionIntervalMs, each pause twice the
    // one before and never longer than repeatMs.
    void awaitRetransmitting(const Frame &frame, const Request &req, const std::atomic<bool> &awaited,
                             std::uint64_t generation);
    bool transmit(const Frame &frame, std::uint64_t generation);
    void reapReader();

    SettingsImage &image_;
    LinkEvents &events_;
    TransportFactory factory_;
    ReplyState replies_;
    TrafficTap traffic_;   // outlives the reader threads that tell it
    std::atomic<bool> portOpen_{false};
    int lineRate_ = 0;   // bit/s of the port opened last
    // Outlives the reader thread that uses it, and a write in progress on it.
    std::shared_ptr<Transport> transport_;
    // Counts the reader threads made; a transaction that sees it change has lost its port.
    std::uint64_t readerGeneration_ = 0;
    // A reader that ends by itself (failed open, lost device) says so here; it is then joined
    // and cleared away on the UI thread, and the next open starts afresh.
    UiWakeup readerEnded_{[this] { reapReader(); }};
    std::unique_ptr<ReaderThread> reader_;
};

} // namespace alvetra
