#include "FakeTransport.h"

#include "link/Wait.h"

namespace alvetra::test {

void FakeLine::setOpenResult(Transport::OpenResult result)
{
    std::lock_guard lock(mutex_);
    openResult_ = result;
}

void FakeLine::respond(Responder responder)
{
    std::lock_guard lock(mutex_);
    responder_ = std::move(responder);
}

void FakeLine::failNextWrites(int count)
{
    std::lock_guard lock(mutex_);
    failWrites_ = count;
}

void FakeLine::holdClose()
{
    std::lock_guard lock(mutex_);
    closeHeld_ = true;
}

void FakeLine::releaseClose()
{
    std::lock_guard lock(mutex_);
    closeHeld_ = false;
    changed_.notify_all();
}

void FakeLine::push(const QByteArray &bytes, int delayMs)
{
    std::lock_guard lock(mutex_);
    pushLocked(bytes, delayMs);
}

void FakeLine::pushLocked(const QByteArray &bytes, int delayMs)
{
    const Clock::time_point due = Clock::now() + std::chrono::milliseconds(delayMs);
    // Pieces keep their order: a later piece never overtakes an earlier one.
    incoming_.push_back({incoming_.empty() ? due : std::max(due, incoming_.back().due),
                         std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()))});
    changed_.notify_all();
}

void FakeLine::loseDevice()
{
    std::lock_guard lock(mutex_);
    lost_ = true;
    changed_.notify_all();
}

std::vector<FakeLine::Written> FakeLine::written() const
{
    std::lock_guard lock(mutex_);
    return written_;
}

std::vector<QByteArray> FakeLine::writtenTexts() const
{
    std::vector<QByteArray> texts;
    for (const Written &w : written())
        texts.push_back(w.text);
    return texts;
}

int FakeLine::opens() const
{
    std::lock_guard lock(mutex_);
    return opens_;
}

int FakeLine::reads() const
{
    std::lock_guard lock(mutex_);
    return reads_;
}

int FakeLine::closes() const
{
    std::lock_guard lock(mutex_);
    return closes_;
}

bool FakeLine::isOpen() const
{
    std::lock_guard lock(mutex_);
    return open_;
}

std::function<std::unique_ptr<Transport>(const QString &, int)> FakeLine::factory()
{
    return [line = shared_from_this()](const QString &name, int) -> std::unique_ptr<Transport> {
        return std::make_unique<FakeTransport>(line, name);
    };
}

Transport::OpenResult FakeLine::open()
{
    std::lock_guard lock(mutex_);
    ++opens_;
    open_ = openResult_ == Transport::OpenResult::Opened;
    if (open_) {
        lost_ = false;
        interrupted_ = false;
    }
    return openResult_;
}

Transport::WaitResult FakeLine::waitForBytes()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        if (interrupted_) {
            interrupted_ = false;
            return Transport::WaitResult::Interrupted;
        }
        if (lost_)
            return Transport::WaitResult::DeviceLost;
        if (!incoming_.empty() && incoming_.front().due <= Clock::now())
            return Transport::WaitResult::BytesReady;
        if (incoming_.empty())
            changed_.wait(lock);
        else
            changed_.wait_until(lock, incoming_.front().due);
    }
}

qint64 FakeLine::read(char *buffer, qint64 maxBytes)
{
    std::lock_guard lock(mutex_);
    if (lost_ || !open_)
        return -1;
    if (incoming_.empty() || incoming_.front().due > Clock::now())
        return 0;
    Piece &piece = incoming_.front();
    const qint64 n = std::min<qint64>(maxBytes, static_cast<qint64>(piece.bytes.size()));
    std::copy_n(piece.bytes.data(), n, buffer);
    piece.bytes.erase(0, static_cast<std::size_t>(n));
    if (piece.bytes.empty())
        incoming_.pop_front();
    ++reads_;
    return n;
}

qint64 FakeLine::write(const QByteArray &bytes)
{
    std::lock_guard lock(mutex_);
    if (!open_ || lost_)
        return -1;
    if (failWrites_ > 0) {
        --failWrites_;
        return -1;
    }
    written_.push_back({bytes, TimeBase::nowMs()});
    if (responder_) {
        if (const std::optional<Reply> reply = responder_(bytes))
            pushLocked(reply->bytes, reply->delayMs);
    }
    return bytes.size();
}

void FakeLine::interrupt()
{
    std::lock_guard lock(mutex_);
    interrupted_ = true;
    changed_.notify_all();
}

bool FakeLine::close()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !closeHeld_; });
    ++closes_;
    const bool wasOpen = open_;
    open_ = false;
    return wasOpen;
}

QByteArray replyText(std::uint8_t code, const Bytes &data)
{
    return encodeFrame(makeFrame(kPcAddress, code, kUnitAddress, data));
}

std::uint8_t requestCode(const QByteArray &text)
{
    if (text.size() < 7 || text[0] != ':')
        return 0;
    return static_cast<std::uint8_t>(text.mid(5, 2).toInt(nullptr, 16));
}

} // namespace alvetra::test
