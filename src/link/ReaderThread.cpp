#include "link/ReaderThread.h"

#include "link/LinkEvents.h"
#include "link/LinkMessages.h"
#include "link/ThisThread.h"
#include "link/Wait.h"

namespace alvetra {

namespace {

// The Rx LED stays lit 100 ms after each telling (TimerLedRs232): telling it again sooner shows
// the fitter nothing new, and every telling holds the reader until the UI thread has run it.
// A reply often comes a few bytes a read (Windows' drivers end a read at its first byte), and a
// telling at its last bytes would hold the reply's flag, and so the next request.
constexpr qint64 kRxActivityEveryMs = 50;

} // namespace

ReaderThread::ReaderThread(Wiring wiring)
    : transport_(wiring.transport),
      events_(wiring.events),
      portOpen_(wiring.portOpen),
      lineRate_(wiring.lineRate),
      onEnded_(std::move(wiring.onEnded)),
      traffic_(wiring.traffic),
      handler_(wiring.replies, wiring.image, wiring.events, ui_)
{
    if (traffic_) {
        parser_.setWitness([tap = traffic_](FrameParser::Seen what, const char *text, std::size_t size) {
            const auto kind = what == FrameParser::Seen::Frame ? TrafficEvent::Kind::Frame
                : what == FrameParser::Seen::Damaged           ? TrafficEvent::Kind::Damaged
                                                               : TrafficEvent::Kind::Noise;
            tap->tell(TrafficEvent::Direction::FromUnit, kind, text, size);
        });
    }
    portOpen_.store(true, std::memory_order_release);
    if (events_)
        events_->threadStarted();
}

ReaderThread::~ReaderThread()
{
    if (thread_.joinable()) {
        abandon();
        thread_.join();
    }
}

void ReaderThread::start()
{
    thread_ = std::thread([this] { run(); });
}

void ReaderThread::requestStop()
{
    stop_.store(true, std::memory_order_release);
    transport_.interrupt();
}

void ReaderThread::abandon()
{
    ui_.cancel();
    requestStop();
}

void ReaderThread::join()
{
    if (thread_.joinable())
        thread_.join();
}

void ReaderThread::run()
{
    nameThisThread("rs232");
    lowerThisThreadsPriority();
    if (openPort()) {
        if (events_)
            ui_.run([events = events_] { events->portOpened(); });
        opening_.store(false, std::memory_order_release);
        wakeUiThread();
        while (!stopping() && !applicationTerminating() && receiveOnce()) {
        }
        closePort();
    }
    opening_.store(false, std::memory_order_release);
    portOpen_.store(false, std::memory_order_release);
    wakeUiThread();
    if (onEnded_)
        onEnded_();
}

bool ReaderThread::openPort()
{
    const Transport::OpenResult result = transport_.open();
    if (result == Transport::OpenResult::Opened) {
        if (traffic_)
            traffic_->portOpened();
        return true;
    }
    if (events_) {
        const QString name = transport_.portName();
        const UserMessage message = openFailureMessage(result, name, lineRate_);
        ui_.run([events = events_, result, name, message] { events->openFailed(result, name, message); });
    }
    return false;
}

bool ReaderThread::receiveOnce()
{
    switch (transport_.waitForBytes()) {
    case Transport::WaitResult::Interrupted:
        return true;   // the loop condition decides
    case Transport::WaitResult::DeviceLost:
        deviceLost_ = true;
        return false;
    case Transport::WaitResult::BytesReady:
        break;
    }
    char buffer[kMaxReadBytes];
    const qint64 count = transport_.read(buffer, kMaxReadBytes);
    if (count < 0) {
        deviceLost_ = true;
        return false;
    }
    if (count > 0)
        handleBytes(buffer, count);
    return true;
}

void ReaderThread::handleBytes(const char *bytes, qint64 count)
{
    tellRxActivity();
    const FrameParser::Result parsed = parser_.feed(bytes, static_cast<std::size_t>(count));
    if (parsed.rejected > 0) {
        const int errors = parser_.checksumErrors();
        checksumErrors_.store(static_cast<std::uint16_t>(errors), std::memory_order_relaxed);
        if (events_)
            ui_.run([events = events_, errors] { events->checksumError(errors, checksumErrorText(errors)); });
    }
    for (const Frame &frame : parsed.frames) {
        if (stopping())
            break;
        handler_.handle(frame);
    }
}

void ReaderThread::tellRxActivity()
{
    if (!events_)
        return;
    const qint64 now = TimeBase::nowMs();
    if (rxToldAtMs_ && now - *rxToldAtMs_ < kRxActivityEveryMs)
        return;
    rxToldAtMs_ = now;
    ui_.run([events = events_] { events->rxActivity(); });
}

void ReaderThread::closePort()
{
    const QString name = transport_.portName();
    if (events_)
        ui_.run([events = events_] { events->portClosed(); });
    if (!transport_.close() && !deviceLost_ && events_) {
        const int error = transport_.lastError();
        const UserMessage message = closeFailureMessage(name, error);
        ui_.run([events = events_, name, error, message] { events->closeFailed(name, error, message); });
    }
    if (deviceLost_ && events_) {
        const UserMessage message = deviceLostMessage(name);
        ui_.run([events = events_, name, message] { events->deviceLost(name, message); });
    }
}

} // namespace alvetra
