#include "sim/SimulatedTransport.h"

#include <cerrno>
#include <cstring>
#include <thread>

namespace alvetra::sim {

SimulatedTransport::SimulatedTransport(SimulatedUnit &unit) : unit_(unit) {}

SimulatedTransport::~SimulatedTransport()
{
    close();
}

Transport::OpenResult SimulatedTransport::open()
{
    if (token() != 0)
        return OpenResult::Opened;
    if (unit_.unplugged()) {
        lastError_ = ENOENT;
        return OpenResult::Missing;
    }
    const SimulatedUnit::LineToken token = unit_.attachLine();
    if (token == 0) {
        lastError_ = EBUSY;
        // Unplugged between the check and the claim, or another consumer holds the line.
        return unit_.unplugged() ? OpenResult::Missing : OpenResult::InUse;
    }
    interrupted_ = false;
    token_.store(token, std::memory_order_release);
    return OpenResult::Opened;
}

Transport::WaitResult SimulatedTransport::waitForBytes()
{
    {
        std::lock_guard lock(readMutex_);
        if (!readable_.isEmpty())
            return WaitResult::BytesReady;
    }
    const auto state = unit_.waitForLine(token(), [this] { return interrupted_.load(); });
    switch (state) {
    case SimulatedUnit::LineState::BytesDue:
        return WaitResult::BytesReady;
    case SimulatedUnit::LineState::Stopped:
        interrupted_ = false;
        return WaitResult::Interrupted;
    case SimulatedUnit::LineState::Lost:
    case SimulatedUnit::LineState::TimedOut:
        break;
    }
    lastError_ = EIO;
    return WaitResult::DeviceLost;
}

void SimulatedTransport::fillReadable()
{
    readable_.append(unit_.takeDue(token()));
}

qint64 SimulatedTransport::read(char *buffer, qint64 maxBytes)
{
    std::lock_guard lock(readMutex_);
    if (token() == 0) {
        lastError_ = EBADF;
        return -1;
    }
    fillReadable();
    if (readable_.isEmpty() && !unit_.holdsLine(token())) {
        lastError_ = EIO;   // like a read from an adapter that has been pulled out
        return -1;
    }
    const qint64 n = std::min<qint64>(maxBytes, readable_.size());
    if (n <= 0)
        return 0;
    std::memcpy(buffer, readable_.constData(), static_cast<std::size_t>(n));
    readable_.remove(0, n);
    return n;
}

qint64 SimulatedTransport::write(const QByteArray &bytes)
{
    const SimulatedUnit::LineToken t = token();
    const std::optional<Clock::time_point> drained = unit_.receive(t, bytes);
    if (!drained) {
        lastError_ = t == 0 ? EBADF : EIO;
        return -1;
    }
    // Like write() + tcdrain() on a real port: back when the last character has left.
    std::this_thread::sleep_until(*drained);
    return bytes.size();
}

void SimulatedTransport::interrupt()
{
    interrupted_ = true;
    unit_.wakeLine();
}

bool SimulatedTransport::close()
{
    const SimulatedUnit::LineToken t = token_.exchange(0, std::memory_order_acq_rel);
    unit_.detachLine(t);
    std::lock_guard lock(readMutex_);
    readable_.clear();
    return true;
}

} // namespace alvetra::sim
