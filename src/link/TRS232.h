#pragma once
// The reader thread: owns the receive side of an open port from its opening to its closing.
//
// Body: open the transport (a failure is reported and ends the thread), then sleep until bytes
// come, read at most 255 at a time, cut them into frames and handle each reply in arrival order.
// When the device goes away the port is closed and the loss reported, once; the thread ends.
// Every window change runs on the UI thread through a blocking call into LinkEvents.
//
// The port-open flag it is given is raised by the constructor and lowered as the very last
// step of the thread, after the port has been closed; the UI thread then joins and deletes it.
//
//   TRS232 reader({transport, replies, &image, &events, uiContext, portOpen});   // UI thread
//   reader.start(QThread::LowPriority);
//   reader.requestStop();    // any thread: the loop ends, the port closes ("Port zamknięty")
//   reader.abandon();        // UI thread at teardown: as requestStop, and no more window steps
//   reader.wait();

#include "FrameParser.h"
#include "ReplyHandler.h"
#include "Transport.h"
#include "UiBridge.h"

#include <QThread>
#include <atomic>
#include <cstdint>

namespace alvetra {

class LinkEvents;
class ReplyState;
class SettingsImage;

class TRS232 : public QThread {
    Q_OBJECT
public:
    // The most bytes one read takes from the device.
    static constexpr int kMaxReadBytes = 255;

    struct Wiring {
        Transport &transport;
        ReplyState &replies;
        SettingsImage *image = nullptr;   // read replies are stored here
        LinkEvents *events = nullptr;
        QObject *uiContext = nullptr;     // a QObject of the UI thread
        std::atomic<bool> &portOpen;
        int lineRate = 0;                 // bit/s, named when the device refuses it
    };

    // On the UI thread: raises the port-open flag and announces the new thread (threadStarted).
    explicit TRS232(const Wiring &wiring, QObject *parent = nullptr);
    ~TRS232() override;   // the thread must have finished

    void requestStop();
    void abandon();

    // Frames rejected for a bad check byte since this thread was created.
    std::uint16_t checksumErrors() const { return checksumErrors_.load(std::memory_order_relaxed); }

protected:
    void run() override;

private:
    bool openPort();
    bool stopping() const { return stop_.load(std::memory_order_acquire); }
    // Sleeps until bytes come; false when the loop is to end (stop, device lost).
    bool receiveOnce();
    void handleBytes(const char *bytes, qint64 count);
    void closePort();
    void finish();

    Transport &transport_;
    LinkEvents *events_;
    const int lineRate_;
    std::atomic<bool> &portOpen_;
    UiBridge ui_;
    ReplyHandler handler_;
    FrameParser parser_;   // reader thread only
    std::atomic<bool> stop_{false};
    std::atomic<std::uint16_t> checksumErrors_{0};
    bool deviceLost_ = false;   // reader thread only
};

} // namespace alvetra
