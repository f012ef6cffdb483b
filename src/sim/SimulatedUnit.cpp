#include "sim/SimulatedUnit.h"

#include "alarm/Cp1250.h"
#include "link/Protocol.h"
#include "sim/UnitRecords.h"

#include <algorithm>

namespace alvetra::sim {

namespace {

constexpr std::uint8_t kWriteAccepted = 0;
constexpr std::uint8_t kWriteRefused = 1;
constexpr int kMaxReadCount = kMaxSendableDataBytes - 4;   // a read reply must stay sendable
constexpr int kSlots = 4;

const Layout &layoutFor(const QByteArray &identification)
{
    return identification == "MZRAv1.4" ? kLayoutA : kLayoutB;
}

Bytes toBytes(const QByteArray &text)
{
    return Bytes(text.begin(), text.end());
}

bool overlaps(int first, int last, int otherFirst, int otherLast)
{
    return first <= otherLast && otherFirst <= last;
}

} // namespace

SimulatedUnit::SimulatedUnit(const UnitConfig &config)
    : config_(config),
      faults_(config.seed),
      recordRng_(config.seed),
      pacer_(config.lineSpeed)
{
    takeIdentity(config);
}

void SimulatedUnit::takeIdentity(const UnitConfig &config)
{
    config_.identification = config.identification;
    config_.firstText = config.firstText;
    config_.secondText = config.secondText;
    identification_ = cp1250::encode(config.identification);
    layout_ = layoutFor(identification_);
    events_ = eventTableFor(identification_);
    memory_ = config.memory ? *config.memory : defaultMemory(layout_, events_);
    if (!config.password.isEmpty())
        storePassword(memory_, layout_, cp1250::encode(config.password));
    counter_ = MinuteCounter(config.minuteCounter.value_or(word24(memory_, layout_.timeCounter)), config_.minuteLength);
}

// ---------------------------------------------------------------- identity and memory

QByteArray SimulatedUnit::identification() const
{
    std::lock_guard lock(mutex_);
    return identification_;
}

void SimulatedUnit::setIdentification(const QString &identification)
{
    std::lock_guard lock(mutex_);
    identification_ = cp1250::encode(identification);
    layout_ = layoutFor(identification_);
    events_ = eventTableFor(identification_);
}

void SimulatedUnit::becomeAnotherUnit(const UnitConfig &config)
{
    {
        std::lock_guard lock(mutex_);
        takeIdentity(config);
        endSession();
    }
    notifyLine();   // a learning that ended has no timed event left
}

Layout SimulatedUnit::layout() const
{
    std::lock_guard lock(mutex_);
    return layout_;
}

ImageBytes SimulatedUnit::memory() const
{
    std::lock_guard lock(mutex_);
    ImageBytes copy = memory_;
    setWord24(copy, layout_.timeCounter, counter_.value());
    return copy;
}

std::uint8_t SimulatedUnit::memoryAt(int address) const
{
    return memory()[static_cast<std::size_t>(address & 0xFF)];
}

void SimulatedUnit::setMemory(const ImageBytes &memory)
{
    std::lock_guard lock(mutex_);
    memory_ = memory;
    counter_.set(word24(memory_, layout_.timeCounter));
}

void SimulatedUnit::setPassword(const QString &password)
{
    std::lock_guard lock(mutex_);
    storePassword(memory_, layout_, cp1250::encode(password));
}

std::uint32_t SimulatedUnit::minuteCounter() const
{
    std::lock_guard lock(mutex_);
    return counter_.value();
}

void SimulatedUnit::setMinuteCounter(std::uint32_t value)
{
    std::lock_guard lock(mutex_);
    counter_.set(value);
}

bool SimulatedUnit::sessionOpen() const
{
    std::lock_guard lock(mutex_);
    return session_;
}

// ---------------------------------------------------------------- inputs

InputState SimulatedUnit::inputs() const
{
    std::lock_guard lock(mutex_);
    return inputs_;
}

void SimulatedUnit::setInput(Input input, bool on)
{
    std::lock_guard lock(mutex_);
    applyInputChange(input, on, Clock::now());
}

void SimulatedUnit::press(Press press)
{
    std::lock_guard lock(mutex_);
    inputs_.press(press);
}

StatusBytes SimulatedUnit::statusBytes() const
{
    std::lock_guard lock(mutex_);
    return inputs_.statusBytes();
}

void SimulatedUnit::setStatusBytes(const StatusBytes &bytes)
{
    std::lock_guard lock(mutex_);
    InputState wanted = inputs_;
    wanted.setStatusBytes(bytes);
    const Clock::time_point now = Clock::now();
    // Arming first, so that an input raised in the same report counts as a trigger.
    applyInputChange(Input::Armed, wanted[Input::Armed], now);
    for (int i = 0; i < kInputCount; ++i)
        applyInputChange(static_cast<Input>(i), wanted[static_cast<Input>(i)], now);
    inputs_ = wanted;   // presses and undriven bits
}

void SimulatedUnit::applyInputChange(Input input, bool on, Clock::time_point at)
{
    if (inputs_[input] == on)
        return;
    inputs_.set(input, on);
    const std::uint32_t now = counter_.value(at);
    if (input == Input::Armed) {
        appendHistoryEntry(memory_, layout_, now, on ? armedEventCode(events_) : disarmedEventCode(events_));
        if (on)
            endSession();
        return;
    }
    if (on && (input == Input::AntiTheftActive || input == Input::AntiHijackActive))
        endSession();
    if (on && inputs_[Input::Armed])
        if (const auto code = triggerEventCode(input, events_))
            appendHistoryEntry(memory_, layout_, now, *code);
}

void SimulatedUnit::endSession()
{
    session_ = false;
    learning_ = {};
}

// ---------------------------------------------------------------- learning

bool SimulatedUnit::learning() const
{
    std::lock_guard lock(mutex_);
    return learning_.active;
}

bool SimulatedUnit::finishLearning(int count)
{
    {
        std::lock_guard lock(mutex_);
        if (!learning_.active)
            return false;
        completeLearning(count, Clock::now());
    }
    notifyLine();
    return true;
}

void SimulatedUnit::completeLearning(int count, Clock::time_point at)
{
    count = std::clamp(count, 0, kSlots);
    const bool tokens = learning_.tokens;
    const int start = tokens ? layout_.tokens : layout_.remotes;
    learning_ = {};
    if (count > 0) {
        for (int slot = 0; slot < kSlots; ++slot) {
            UnitRecord record{};
            if (slot < count)
                record = tokens ? encodeToken(randomToken(recordRng_)) : encodeRemote(randomRemote(recordRng_));
            std::copy(record.begin(), record.end(), memory_.begin() + start + slot * 6);
        }
    }
    reply(request::kLearning, {static_cast<std::uint8_t>(count)}, at);
}

// ---------------------------------------------------------------- faults

void SimulatedUnit::setFaults(const FaultPlan &plan)
{
    std::lock_guard lock(mutex_);
    faults_.setPlan(plan);
}

FaultPlan SimulatedUnit::faults() const
{
    std::lock_guard lock(mutex_);
    return faults_.plan();
}

void SimulatedUnit::seedFaults(std::uint32_t seed)
{
    std::lock_guard lock(mutex_);
    faults_.seed(seed);
}

void SimulatedUnit::silenceFor(std::chrono::milliseconds duration)
{
    std::lock_guard lock(mutex_);
    faults_.silenceUntil(Clock::now() + duration);
}

void SimulatedUnit::setAnswering(bool answering)
{
    std::lock_guard lock(mutex_);
    faults_.setAnswering(answering);
}

bool SimulatedUnit::answering() const
{
    std::lock_guard lock(mutex_);
    return faults_.answering();
}

void SimulatedUnit::refuseWrites(int firstAddress, int lastAddress)
{
    std::lock_guard lock(mutex_);
    refusedRanges_.emplace_back(std::min(firstAddress, lastAddress), std::max(firstAddress, lastAddress));
}

void SimulatedUnit::clearWriteRefusals()
{
    std::lock_guard lock(mutex_);
    refusedRanges_.clear();
}

void SimulatedUnit::unplug()
{
    {
        std::lock_guard lock(mutex_);
        unplugged_ = true;
        holder_ = 0;
        pacer_.dropQueued();
        parser_ = FrameParser();
    }
    notifyLine();
}

void SimulatedUnit::replug()
{
    {
        std::lock_guard lock(mutex_);
        unplugged_ = false;
    }
    notifyLine();
}

bool SimulatedUnit::unplugged() const
{
    std::lock_guard lock(mutex_);
    return unplugged_;
}

// ---------------------------------------------------------------- the line

void SimulatedUnit::setLineSpeed(int bitsPerSecond)
{
    std::lock_guard lock(mutex_);
    pacer_.setSpeed(bitsPerSecond);
}

int SimulatedUnit::lineSpeed() const
{
    std::lock_guard lock(mutex_);
    return pacer_.speed();
}

SimulatedUnit::LineToken SimulatedUnit::attachLine()
{
    std::lock_guard lock(mutex_);
    if (unplugged_ || holder_ != 0)
        return 0;
    holder_ = ++lastToken_;
    pacer_.dropQueued();
    parser_ = FrameParser();
    return holder_;
}

void SimulatedUnit::detachLine(LineToken token)
{
    {
        std::lock_guard lock(mutex_);
        if (token == 0 || holder_ != token)
            return;
        holder_ = 0;
        pacer_.dropQueued();
    }
    notifyLine();
}

bool SimulatedUnit::holdsLine(LineToken token) const
{
    std::lock_guard lock(mutex_);
    return token != 0 && holder_ == token;
}

std::optional<Clock::time_point> SimulatedUnit::receive(LineToken token, const QByteArray &bytes,
                                                        Clock::time_point arrival)
{
    Clock::time_point done = arrival;
    {
        std::lock_guard lock(mutex_);
        if (token == 0 || holder_ != token)
            return std::nullopt;
        const std::vector<Clock::time_point> complete = pacer_.receive(static_cast<int>(bytes.size()), arrival);
        // Fed one character at a time so that each frame is handled when its ";" comes in.
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            const FrameParser::Result result = parser_.feed(bytes.constData() + i, 1);
            checksumErrors_ += result.rejected;
            for (const Frame &frame : result.frames)
                handle(frame, complete[static_cast<std::size_t>(i)]);
        }
        if (complete.empty())
            return done;
        done = complete.back();
    }
    notifyLine();
    return done;
}

QByteArray SimulatedUnit::takeDue(LineToken token, Clock::time_point now)
{
    std::lock_guard lock(mutex_);
    if (token == 0 || holder_ != token)
        return {};
    advanceTo(now);
    return pacer_.takeDue(now);
}

std::optional<Clock::time_point> SimulatedUnit::nextDue() const
{
    std::lock_guard lock(mutex_);
    return nextDueLocked();
}

std::optional<Clock::time_point> SimulatedUnit::nextDueLocked() const
{
    std::optional<Clock::time_point> due = pacer_.nextDue();
    if (learning_.active && learning_.endsAt && (!due || *learning_.endsAt < *due))
        due = learning_.endsAt;
    return due;
}

SimulatedUnit::LineState SimulatedUnit::waitForLine(LineToken token, const std::function<bool()> &stopRequested,
                                                    std::optional<Clock::time_point> deadline)
{
    std::unique_lock lock(mutex_);
    for (;;) {
        if (stopRequested && stopRequested())
            return LineState::Stopped;
        if (token == 0 || holder_ != token)
            return LineState::Lost;
        const Clock::time_point now = Clock::now();
        advanceTo(now);
        const std::optional<Clock::time_point> byteDue = pacer_.nextDue();
        if (byteDue && *byteDue <= now)
            return LineState::BytesDue;
        if (deadline && *deadline <= now)
            return LineState::TimedOut;
        std::optional<Clock::time_point> wake = nextDueLocked();
        if (deadline && (!wake || *deadline < *wake))
            wake = deadline;
        if (wake)
            lineChanged_.wait_until(lock, *wake);
        else
            lineChanged_.wait(lock);
    }
}

void SimulatedUnit::wakeLine()
{
    // Taking the lock orders this wake after any waiter's check of its stop condition.
    { std::lock_guard lock(mutex_); }
    lineChanged_.notify_all();
}

void SimulatedUnit::setLineListener(std::function<void()> listener)
{
    std::lock_guard lock(listenerMutex_);
    listener_ = std::move(listener);
}

void SimulatedUnit::notifyLine()
{
    lineChanged_.notify_all();
    std::lock_guard lock(listenerMutex_);
    if (listener_)
        listener_();
}

void SimulatedUnit::advanceTo(Clock::time_point now)
{
    if (learning_.active && learning_.endsAt && *learning_.endsAt <= now)
        completeLearning(config_.learnedByItself, *learning_.endsAt);
}

// ---------------------------------------------------------------- requests

void SimulatedUnit::handle(const Frame &frame, Clock::time_point at)
{
    logFrame({LoggedFrame::Direction::Received, at, frame, encodeFrame(frame), false});
    if (frame.destination != kUnitAddress)
        return;
    if (replay_) {
        replayAnswer(frame, at);
        return;
    }
    advanceTo(at);
    if (faults_.silentAt(at) || faults_.unanswered(frame.code))
        return;
    dispatch(frame, at);
}

void SimulatedUnit::dispatch(const Frame &frame, Clock::time_point at)
{
    switch (frame.code) {
    case request::kLogin: onLogin(frame.data, at); break;
    case request::kRead: onRead(frame.data, at); break;
    case request::kWrite: onWrite(frame.data, at); break;
    case request::kIdentifyFirst: reply(request::kIdentifyFirst, toBytes(cp1250::encode(config_.firstText)), at); break;
    case request::kIdentifySecond: reply(request::kIdentifySecond, toBytes(cp1250::encode(config_.secondText)), at); break;
    case request::kStatus: {
        const StatusBytes s = inputs_.statusBytes();
        inputs_.clearPresses();
        reply(request::kStatus, Bytes(s.begin(), s.end()), at);
        break;
    }
    case request::kLearning: onLearning(frame.data, at); break;
    case request::kBlockKeeping: break;
    case request::kDisconnect: endSession(); break;
    case request::kConfirm: reply(request::kConfirm, {}, at); break;
    case request::kConfirmCan: reply(request::kConfirmCan, {}, at); break;
    default: break;
    }
}

bool SimulatedUnit::passwordMatches(const Bytes &data) const
{
    if (data.size() < 5 || data[0] != 4)
        return false;
    return std::equal(data.begin() + 1, data.begin() + 5, memory_.begin() + layout_.pcPassword);
}

std::uint8_t SimulatedUnit::accessFlags() const
{
    std::uint8_t flags = 0;
    if (inputs_[Input::Armed]) flags |= access::kArmed;
    if (inputs_[Input::AntiTheftActive]) flags |= access::kAntiTheftActive;
    if (inputs_[Input::AntiHijackActive]) flags |= access::kAntiHijackActive;
    return flags;
}

void SimulatedUnit::onLogin(const Bytes &data, Clock::time_point at)
{
    faults_.loginSeen();
    std::uint8_t flags = accessFlags();
    if (passwordMatches(data))
        flags |= access::kPasswordCorrect;
    if (flags == access::kPasswordCorrect) {
        session_ = true;
    } else {
        endSession();
    }
    const std::uint32_t counter = counter_.value(at);
    Bytes out = toBytes(identification_);
    out.push_back(flags);
    out.push_back(0);
    out.push_back(static_cast<std::uint8_t>(counter >> 16 & 0xFF));
    out.push_back(static_cast<std::uint8_t>(counter >> 8 & 0xFF));
    out.push_back(static_cast<std::uint8_t>(counter & 0xFF));
    reply(request::kLogin, std::move(out), at);
}

void SimulatedUnit::onRead(const Bytes &data, Clock::time_point at)
{
    if (!session_ || data.size() < 4 || data[0] != 0 || data[1] != 0)
        return;
    if (!faults_.answerRead(data[2]))
        return;
    refreshCounterBytes(at);
    const int address = data[2];
    const int count = std::min({int(data[3]), kImageSize - address, kMaxReadCount});
    Bytes out{static_cast<std::uint8_t>(address), 0, 0, static_cast<std::uint8_t>(count)};
    out.insert(out.end(), memory_.begin() + address, memory_.begin() + address + count);
    reply(request::kRead, std::move(out), at);
}

bool SimulatedUnit::writeRefusedByAddress(int address, int count) const
{
    return std::any_of(refusedRanges_.begin(), refusedRanges_.end(), [&](const std::pair<int, int> &range) {
        return overlaps(address, address + count - 1, range.first, range.second);
    });
}

bool SimulatedUnit::writeAccepted(const Bytes &data) const
{
    if (!session_ || data.size() < 4 || data[0] != 0 || data[1] != 0)
        return false;
    const int address = data[2];
    const int count = data[3];
    if (count == 0 || data.size() < 4u + count || address + count > kImageSize)
        return false;
    return !writeRefusedByAddress(address, count);
}

void SimulatedUnit::onWrite(const Bytes &data, Clock::time_point at)
{
    const bool injectedRefusal = faults_.refuseThisWrite();
    if (injectedRefusal || !writeAccepted(data)) {
        reply(request::kWrite, {kWriteRefused}, at);
        return;
    }
    const int address = data[2];
    const int count = data[3];
    refreshCounterBytes(at);
    std::copy(data.begin() + 4, data.begin() + 4 + count, memory_.begin() + address);
    if (overlaps(address, address + count - 1, layout_.timeCounter, layout_.timeCounter + 2))
        counter_.set(word24(memory_, layout_.timeCounter), at);
    if (faults_.loseThisWriteReply())
        return;
    reply(request::kWrite, {kWriteAccepted}, at);
}

void SimulatedUnit::onLearning(const Bytes &data, Clock::time_point at)
{
    if (!session_ || data.empty() || data[0] > 1)
        return;
    learning_.active = true;
    learning_.tokens = data[0] == 1;
    learning_.endsAt.reset();
    if (config_.learningTime.count() > 0)
        learning_.endsAt = at + config_.learningTime;
    reply(request::kLearning, {kLearningInProgress}, at);
}

void SimulatedUnit::refreshCounterBytes(Clock::time_point now)
{
    setWord24(memory_, layout_.timeCounter, counter_.value(now));
}

void SimulatedUnit::reply(std::uint8_t requestCode, Bytes data, Clock::time_point at)
{
    if (faults_.silentAt(at) || faults_.loseReply(requestCode))
        return;
    const Frame frame = makeFrame(kPcAddress, reply::to(requestCode), kUnitAddress,
                                        std::move(data));
    const QByteArray clean = encodeFrame(frame);
    const QByteArray text = faults_.damage(clean);
    const QByteArray wire = faults_.noise() + text;
    pacer_.send(wire, at + faults_.latency());
    logFrame({LoggedFrame::Direction::Sent, pacer_.sendingEndsAt(), frame, wire, text != clean});
}

void SimulatedUnit::setReplay(std::shared_ptr<SessionReplay> replay, std::function<void(const Frame &)> unheld)
{
    std::lock_guard lock(mutex_);
    replay_ = std::move(replay);
    unheld_ = std::move(unheld);
}

void SimulatedUnit::replayAnswer(const Frame &request, Clock::time_point at)
{
    const std::optional<std::vector<QByteArray>> replies = replay_->answer(request);
    if (!replies) {
        if (unheld_)
            unheld_(request);
        return;
    }
    for (const QByteArray &wire : *replies) {
        pacer_.send(wire, at);
        FrameParser parser;
        const FrameParser::Result parsed = parser.feed(wire);
        const bool whole = parsed.frames.size() == 1 && parsed.rejected == 0;
        logFrame({LoggedFrame::Direction::Sent, pacer_.sendingEndsAt(), whole ? parsed.frames.front() : Frame{}, wire,
                  !whole});
    }
}

// ---------------------------------------------------------------- what happened

std::vector<LoggedFrame> SimulatedUnit::frameLog() const
{
    std::lock_guard lock(mutex_);
    return log_.entries();
}

namespace {
std::vector<Frame> framesOf(const std::vector<LoggedFrame> &log, LoggedFrame::Direction direction,
                                  std::optional<std::uint8_t> code)
{
    std::vector<Frame> out;
    for (const LoggedFrame &entry : log)
        if (entry.direction == direction && (!code || entry.frame.code == *code))
            out.push_back(entry.frame);
    return out;
}
} // namespace

std::vector<Frame> SimulatedUnit::received(std::optional<std::uint8_t> code) const
{
    return framesOf(frameLog(), LoggedFrame::Direction::Received, code);
}

std::vector<Frame> SimulatedUnit::sent(std::optional<std::uint8_t> code) const
{
    return framesOf(frameLog(), LoggedFrame::Direction::Sent, code);
}

std::vector<std::pair<int, Bytes>> SimulatedUnit::writesReceived() const
{
    // A write request's data: 0, 0, address, count, then the bytes.
    std::vector<std::pair<int, Bytes>> writes;
    for (const Frame &f : received(request::kWrite)) {
        if (f.data.size() >= 4)
            writes.emplace_back(f.data[2], Bytes(f.data.begin() + 4, f.data.end()));
    }
    return writes;
}

void SimulatedUnit::clearFrameLog()
{
    std::lock_guard lock(mutex_);
    log_.clear();
}

void SimulatedUnit::setFrameObserver(std::function<void(const LoggedFrame &)> observer)
{
    std::lock_guard lock(mutex_);
    observer_ = std::move(observer);
}

void SimulatedUnit::logFrame(LoggedFrame entry)
{
    if (observer_)
        observer_(entry);
    log_.add(std::move(entry));
}

int SimulatedUnit::checksumErrors() const
{
    std::lock_guard lock(mutex_);
    return checksumErrors_;
}

} // namespace alvetra::sim
