#include "link/SerialLink.h"

#include "link/LineSpeed.h"
#include "link/LinkEvents.h"
#include "link/Protocol.h"
#include "link/SerialTransport.h"
#include "alarm/SettingsImage.h"
#include "link/ReaderThread.h"
#include "link/Wait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace alvetra {

namespace {

constexpr int kTickMs = 100;
constexpr int kMaxWriteBlock = 8;
// Between attempts at a frame the port would not take, so that a failing port is not hammered.
constexpr int kRetryPauseMs = 20;
// How quickly the unit answers on a healthy line, beyond the characters' wire time.
constexpr int kUnitAnswerMs = 50;
// A reply may take a few times its wire time (a busy reader thread, a USB adapter's latency)
// before a retransmission is worth its place on the line.
constexpr int kWireTimeMargin = 3;
// Reply handling (thread wake-ups, the window's steps) runs in real time, which a sped-up time
// base does not shorten: no retransmission sooner than this many real milliseconds after the last.
constexpr int kMinRealRetransmissionMs = 15;
constexpr int kBitsPerCharacter = 10;
// A read reply: ":", destination, length, code, source, address, two spare bytes, count, the
// bytes, check byte, ";", CR LF.
constexpr int readReplyCharacters(int count) { return 1 + 2 * (9 + count) + 1 + 2; }

// The block a read request asks for: its data are 0, 0, address, count.
std::optional<ReplyState::ReadBlock> readBlockOf(const Frame &frame)
{
    if (frame.data.size() < 4 || frame.data[0] != 0 || frame.data[1] != 0)
        return std::nullopt;
    return ReplyState::ReadBlock{frame.data[2], frame.data[3]};
}

// The read a transaction waits for, for its whole length; a transaction nested in its wait puts
// the outer one's back when it ends.
class ExpectedRead {
public:
    ExpectedRead(ReplyState &replies, std::optional<ReplyState::ReadBlock> block)
        : replies_(replies), outer_(replies.expectedRead())
    {
        replies_.expectRead(block);
    }
    ~ExpectedRead() { replies_.expectRead(outer_); }
    ExpectedRead(const ExpectedRead &) = delete;
    ExpectedRead &operator=(const ExpectedRead &) = delete;

private:
    ReplyState &replies_;
    const std::optional<ReplyState::ReadBlock> outer_;
};

} // namespace

SerialLink::TransportFactory SerialLink::serialPorts()
{
    return [](const QString &portName, int speedIndex) -> std::unique_ptr<Transport> {
        return std::make_unique<SerialTransport>(devicePathForPort(portName), portName, speedIndex);
    };
}

SerialLink::SerialLink(SettingsImage &image, LinkEvents &events, TransportFactory factory, QObject *parent)
    : QObject(parent), image_(image), events_(events), factory_(std::move(factory))
{
}

SerialLink::~SerialLink()
{
    if (reader_) {
        // The window may already be half gone: no more window steps, just end and join.
        reader_->abandon();
        reader_->join();
        reader_.reset();
    }
}

bool SerialLink::open(const QString &portName, int speedIndex)
{
    if (reader_ && portOpen())
        return false;
    reapReader();
    if (portName.isEmpty() || lineRateForIndex(speedIndex) == 0 || !factory_)
        return false;
    transport_ = factory_(portName, speedIndex);
    if (!transport_)
        return false;
    replies_.reset();
    ++readerGeneration_;
    lineRate_ = lineRateForIndex(speedIndex);
    installUiWakeup();
    reader_ = std::make_unique<ReaderThread>(ReaderThread::Wiring{*transport_, replies_, &image_, &events_, portOpen_,
                                                      lineRateForIndex(speedIndex), [this] { readerEnded_.wake(); },
                                                      &traffic_});
    reader_->start();
    return true;
}

SerialLink::StopResult SerialLink::stopReaderThread(int limitMs)
{
    if (!portOpen()) {
        reapReader();
        return StopResult::Stopped;
    }
    reader_->requestStop();
    const qint64 start = TimeBase::nowMs();
    QTimer wake;   // guarantees the loop looks at the clock while nothing else happens
    wake.start(TimeBase::toRealMs(kTickMs));
    while (portOpen() && !applicationTerminating() && TimeBase::nowMs() - start < limitMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (!portOpen()) {
        reapReader();
        return StopResult::Stopped;
    }
    return applicationTerminating() ? StopResult::ApplicationTerminating : StopResult::LimitReached;
}

SerialLink::StopResult SerialLink::reopen(const QString &portName, int speedIndex, int limitMs)
{
    const StopResult stopped = stopReaderThread(limitMs);
    if (stopped == StopResult::Stopped)
        open(portName, speedIndex);
    return stopped;
}

void SerialLink::reapReader()
{
    if (!reader_ || portOpen())
        return;
    // The flag drops after the port has closed; the thread is at most returning.
    reader_->join();
    reader_.reset();
    transport_.reset();
}

bool SerialLink::portOpening() const
{
    return reader_ && reader_->opening();
}

std::uint16_t SerialLink::checksumErrors() const
{
    return reader_ ? reader_->checksumErrors() : 0;
}

bool SerialLink::sendRequest(const Request &req)
{
    if (!portOpen())
        return false;
    const std::uint8_t code = req.code;
    const Frame frame = makeFrame(req.destination, code, req.source,
                                  req.hexText ? hexToBytes(*req.hexText)
                                              : addressedBlock(req.address, req.count, req.value, req.threeByteAddress));
    // A text that can never be sent would otherwise be retried for ever.
    if (encodeFrame(frame).size() > kMaxFrameTextLength)
        return false;

    // A new reader thread starts with some flags raised; a transaction that began on the old one
    // must not take them for its reply.
    const std::uint64_t generation = readerGeneration_;
    const std::optional<ReplyFlag> flag = ReplyState::flagForRequest(code);
    const std::atomic<bool> noReply{false};
    const std::atomic<bool> &awaited = flag ? replies_.flag(*flag) : noReply;
    ExpectedRead expected(replies_, code == request::kRead ? readBlockOf(frame) : replies_.expectedRead());
    if (req.delayMs > 0)
        delay(req.delayMs);
    if (flag)
        replies_.lower(*flag);
    if (code == request::kWrite)
        replies_.lower(ReplyFlag::WriteAccepted);

    if (safeToRepeat(code))
        awaitRetransmitting(frame, req, awaited, generation);
    else
        awaitOnSchedule(frame, req, awaited, generation);
    if (readerGeneration_ != generation)
        return false;
    if (code == request::kWrite)
        return replies_.isRaised(ReplyFlag::Write) && replies_.isRaised(ReplyFlag::WriteAccepted);
    return awaited.load(std::memory_order_acquire);
}

void SerialLink::awaitOnSchedule(const Frame &frame, const Request &req, const std::atomic<bool> &awaited,
                                 std::uint64_t generation)
{
    const int lastTick = req.totalMs / kTickMs;
    const int repeatTicks = req.repeatMs / kTickMs;
    int tick = 0;
    int countdown = 0;
    while (!awaited.load(std::memory_order_acquire) && tick <= lastTick && readerGeneration_ == generation) {
        if (countdown == 0) {
            if (!transmit(frame, generation))
                break;
            countdown = repeatTicks;
        }
        delay(kTickMs, {&awaited});
        if (countdown > 0)
            --countdown;
        if (tick < 0xFFFF)
            ++tick;
    }
}

void SerialLink::awaitRetransmitting(const Frame &frame, const Request &req, const std::atomic<bool> &awaited,
                                     std::uint64_t generation)
{
    // Ends when the tick loop of the request's own schedule would: ticks 0 to totalMs / 100
    // after the first transmission. A healthy line answers the first one, as it always did.
    if (!transmit(frame, generation))
        return;
    const qint64 end = TimeBase::nowMs() + (req.totalMs / kTickMs + 1) * kTickMs;
    const qint64 realFloorMs = std::llround(kMinRealRetransmissionMs * TimeBase::speedup());
    // The request's own schedule repeats at whole ticks, at least one.
    const qint64 repeatMs = std::max(1, req.repeatMs / kTickMs) * kTickMs;
    qint64 pauseMs = retransmissionIntervalMs(frame);
    const auto pause = [&] { return std::min(std::max(pauseMs, realFloorMs), repeatMs); };
    qint64 nextSend = TimeBase::nowMs() + pause();
    // A closing application ends every wait at once: no pause would pass, only the clock.
    while (!awaited.load(std::memory_order_acquire) && readerGeneration_ == generation && !applicationTerminating()) {
        const qint64 now = TimeBase::nowMs();
        if (now >= end)
            break;
        if (now >= nextSend) {
            if (!transmit(frame, generation))
                break;
            pauseMs *= 2;
            nextSend = TimeBase::nowMs() + pause();
            continue;
        }
        delay(static_cast<int>(std::min<qint64>({nextSend, end, now + kTickMs}) - now), {&awaited});
    }
}

int SerialLink::retransmissionIntervalMs(const Frame &frame) const
{
    const std::optional<ReplyState::ReadBlock> block = frame.code == request::kRead ? readBlockOf(frame) : std::nullopt;
    const qsizetype characters =
        encodeFrame(frame).size() + (block ? readReplyCharacters(block->count) : kMaxFrameTextLength);
    const double wireMs = double(characters) * kBitsPerCharacter * 1000.0 / std::max(lineRate_, 1);
    return static_cast<int>(std::ceil(kWireTimeMargin * wireMs)) + kUnitAnswerMs;
}

bool SerialLink::transmit(const Frame &frame, std::uint64_t generation)
{
    // A frame the port does not take is tried again, with events processed in between, until it
    // leaves, the application closes or the port is gone (an unplugged adapter) or replaced.
    for (;;) {
        QCoreApplication::processEvents();
        if (readerGeneration_ != generation)
            return false;
        if (sendFrame(frame))
            return true;
        if (applicationTerminating() || !portOpen())
            return false;
        delay(kRetryPauseMs);
    }
}

bool SerialLink::sendFrame(const Frame &frame)
{
    const QByteArray text = encodeFrame(frame);
    if (text.size() > kMaxFrameTextLength)
        return false;
    if (writeRaw(text) != text.size())
        return false;
    events_.txActivity();
    return true;
}

qint64 SerialLink::writeRaw(const QByteArray &text)
{
    if (!portOpen() || !transport_)
        return 0;
    // The write processes events while the bytes leave; a port change among them must not free
    // the transport under it.
    const std::shared_ptr<Transport> transport = transport_;
    // Told before the write: on a fast line the reply may be read before the write returns.
    if (traffic_.hasSinks()) {
        const qsizetype size = text.endsWith("\r\n") ? text.size() - 2 : text.size();
        traffic_.tell(TrafficEvent::Direction::ToUnit, TrafficEvent::Kind::Frame, text.constData(),
                      static_cast<std::size_t>(size));
    }
    const qint64 written = transport->write(text);
    return written > 0 ? written : 0;
}

bool SerialLink::readBlock(std::uint8_t destination, std::uint8_t address, std::uint8_t count)
{
    const QString hex = QStringLiteral("0000") + byteToHex(address) + byteToHex(count);
    return sendRequest(
        {.destination = destination, .code = request::kRead, .hexText = hex, .repeatMs = 2600, .totalMs = 2500});
}

WriteResult SerialLink::writeBlock(std::uint8_t destination, std::uint8_t address, std::uint8_t count,
                                   const SettingsImage &image)
{
    if (count > kMaxWriteBlock)
        return WriteResult::TooLong;
    if (!portOpen())
        return WriteResult::NotAccepted;
    std::uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | image.at(address + i);
    const bool accepted = sendRequest({.destination = destination,
                                       .code = request::kWrite,
                                       .repeatMs = 6600,
                                       .totalMs = 6500,
                                       .address = address,
                                       .count = count,
                                       .value = value,
                                       .threeByteAddress = true});
    if (accepted)
        return WriteResult::Written;
    // A reply that came refused the bytes; without one the operation may write them again.
    return replies_.isRaised(ReplyFlag::Write) ? WriteResult::NotAccepted : WriteResult::NotAnswered;
}

bool SerialLink::sendStatusRequest(std::uint16_t totalMs, std::uint16_t repeatMs)
{
    return sendRequest({.code = request::kStatus, .repeatMs = repeatMs, .totalMs = totalMs});
}

void SerialLink::sendBlockKeeping()
{
    // One transmission, the reply not awaited.
    sendRequest({.code = request::kBlockKeeping, .repeatMs = 2, .totalMs = 1});
}

bool SerialLink::sendDisconnect()
{
    return sendRequest({.code = request::kDisconnect, .repeatMs = 200, .totalMs = 600});
}

} // namespace alvetra
