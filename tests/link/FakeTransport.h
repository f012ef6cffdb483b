#pragma once
// An in-memory line for the link's tests. The test keeps the FakeLine; the link gets
// FakeTransports made on it (one per reader thread) and may delete them whenever it likes.
//
//   auto line = std::make_shared<FakeLine>();
//   line->respond([](const QByteArray &request) { return FakeLine::Reply{":E0028CC554;\r\n", 0}; });
//   SerialLink link(image, events, line->factory());
//
// Bytes pushed with a delay become readable that many real milliseconds later; each read takes
// one pushed piece at most, so a frame pushed in pieces arrives in pieces.

#include "link/Frame.h"
#include "link/Transport.h"

#include <QByteArray>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace alvetra::test {

class FakeLine : public std::enable_shared_from_this<FakeLine> {
public:
    using Clock = std::chrono::steady_clock;

    struct Reply {
        QByteArray bytes;
        int delayMs = 0;
    };
    using Responder = std::function<std::optional<Reply>(const QByteArray &written)>;

    struct Written {
        QByteArray text;
        qint64 protocolMs;   // TimeBase::nowMs() when it was written
    };

    // ---- set-up
    void setOpenResult(Transport::OpenResult result);
    void respond(Responder responder);
    void failNextWrites(int count);
    // close() waits until releaseClose(); the reader thread cannot end meanwhile.
    void holdClose();
    void releaseClose();

    // ---- the other end
    void push(const QByteArray &bytes, int delayMs = 0);
    void loseDevice();   // waitForBytes() reports DeviceLost, reads fail

    // ---- what happened
    std::vector<Written> written() const;
    std::vector<QByteArray> writtenTexts() const;
    int opens() const;
    int reads() const;   // reads that took bytes
    int closes() const;
    bool isOpen() const;

    std::function<std::unique_ptr<Transport>(const QString &, int)> factory();

    // ---- used by FakeTransport
    Transport::OpenResult open();
    Transport::WaitResult waitForBytes();
    qint64 read(char *buffer, qint64 maxBytes);
    qint64 write(const QByteArray &bytes);
    void interrupt();
    bool close();

private:
    // Plain bytes, not a QByteArray: the reader thread must never drop the last reference to
    // data shared with the test's thread inside Qt's own (uninstrumented) code.
    struct Piece {
        Clock::time_point due;
        std::string bytes;
    };
    void pushLocked(const QByteArray &bytes, int delayMs);

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    Transport::OpenResult openResult_ = Transport::OpenResult::Opened;
    Responder responder_;
    std::deque<Piece> incoming_;
    std::vector<Written> written_;
    int failWrites_ = 0;
    int opens_ = 0;
    int reads_ = 0;
    int closes_ = 0;
    bool open_ = false;
    bool lost_ = false;
    bool interrupted_ = false;
    bool closeHeld_ = false;
};

class FakeTransport final : public Transport {
public:
    FakeTransport(std::shared_ptr<FakeLine> line, QString name) : line_(std::move(line)), name_(std::move(name)) {}
    OpenResult open() override { return line_->open(); }
    WaitResult waitForBytes() override { return line_->waitForBytes(); }
    qint64 read(char *buffer, qint64 maxBytes) override { return line_->read(buffer, maxBytes); }
    qint64 write(const QByteArray &bytes) override { return line_->write(bytes); }
    void interrupt() override { line_->interrupt(); }
    bool close() override { return line_->close(); }
    int lastError() const override { return 5; }
    QString portName() const override { return name_; }

private:
    std::shared_ptr<FakeLine> line_;
    QString name_;
};

// Wire text of a reply from the unit to this program.
QByteArray replyText(std::uint8_t code, const Bytes &data = {});

// The request code of a frame text the program wrote (0 when it is no frame).
std::uint8_t requestCode(const QByteArray &text);

} // namespace alvetra::test
