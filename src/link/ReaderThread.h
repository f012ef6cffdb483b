#pragma once
// The reader thread: owns the receive side of an open port from its opening to its closing.
//
// Body: open the transport (a failure is reported and ends the thread), then sleep until bytes
// come, read at most 255 at a time, cut them into frames and handle each reply in arrival order.
// When the device goes away the port is closed and the loss reported, once; the thread ends.
// Every window change runs on the UI thread through a blocking call into LinkEvents.
//
// The port-open flag it is given is raised by the constructor and lowered after the port has
// been closed; `onEnded` is the thread's very last action (the owner then joins it).
//
//   ReaderThread reader({transport, replies, &image, &events, portOpen, rate, onEnded});   // UI thread
//   reader.start();
//   reader.requestStop();    // any thread: the loop ends, the port closes ("Port zamknięty")
//   reader.abandon();        // UI thread at teardown: as requestStop, and no more window steps
//   reader.join();           // UI thread
//
// A plain std::thread rather than a QThread: no Qt code runs on it after its body, so its end
// and join are fully ordered (and a race detector can see that they are).

#include "link/FrameParser.h"
#include "link/ReplyHandler.h"
#include "link/TrafficTap.h"
#include "link/Transport.h"
#include "link/UiBridge.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <thread>

namespace alvetra {

class LinkEvents;
class ReplyState;
class SettingsImage;

class ReaderThread {
public:
    // The most bytes one read takes from the device.
    static constexpr int kMaxReadBytes = 255;

    struct Wiring {
        Transport &transport;
        ReplyState &replies;
        SettingsImage *image = nullptr;   // read replies are stored here
        LinkEvents *events = nullptr;
        std::atomic<bool> &portOpen;
        int lineRate = 0;                 // bit/s, named when the device refuses it
        std::function<void()> onEnded;    // called on the reader thread as its last action
        TrafficTap *traffic = nullptr;    // told every text the parser sees
    };

    // On the UI thread: raises the port-open flag and announces the new thread (threadStarted).
    explicit ReaderThread(Wiring wiring);
    ~ReaderThread();   // joins a thread that was started and not yet joined
    ReaderThread(const ReaderThread &) = delete;
    ReaderThread &operator=(const ReaderThread &) = delete;

    void start();
    void requestStop();
    void abandon();
    void join();
    bool joinable() const { return thread_.joinable(); }

    // True until the thread's attempt to open the port has ended, either way (and the window has
    // been told which).
    bool opening() const { return opening_.load(std::memory_order_acquire); }
    // Frames rejected for a bad check byte since this thread was created.
    std::uint16_t checksumErrors() const { return checksumErrors_.load(std::memory_order_relaxed); }

private:
    void run();
    bool openPort();
    bool stopping() const { return stop_.load(std::memory_order_acquire); }
    // Sleeps until bytes come; false when the loop is to end (device lost).
    bool receiveOnce();
    void handleBytes(const char *bytes, qint64 count);
    void tellRxActivity();
    void closePort();

    Transport &transport_;
    LinkEvents *events_;
    std::atomic<bool> &portOpen_;
    const int lineRate_;
    std::function<void()> onEnded_;
    TrafficTap *traffic_;
    UiBridge ui_;
    ReplyHandler handler_;
    FrameParser parser_;   // reader thread only
    std::atomic<bool> stop_{false};
    std::atomic<bool> opening_{true};
    std::atomic<std::uint16_t> checksumErrors_{0};
    bool deviceLost_ = false;   // reader thread only
    std::optional<qint64> rxToldAtMs_;   // reader thread only
    std::thread thread_;
};

} // namespace alvetra
