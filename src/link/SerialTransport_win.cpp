// The serial port of Windows behind SerialTransport: "\\.\COMn" opened exclusively with
// overlapped I/O. The reader thread sleeps in a read that ends at the first byte to come, and in
// interrupt()'s event, together (WaitForMultipleObjects: no polling); the UI thread's write waits
// for its bytes to leave, processing events after a short quiet wait, and counts the port as gone
// past the stall limit, as on Linux.

#include "link/SerialTransport.h"


#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <windows.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <mutex>

namespace alvetra {

namespace {

// As on Linux: a frame at the unit's rate leaves within this, and no timer steps in meanwhile.
constexpr int kQuietWaitMs = 100;

Transport::OpenResult openResultForWindowsError(DWORD error)
{
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION: return Transport::OpenResult::InUse;   // another program holds it
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_UNIT:
    case ERROR_DEV_NOT_EXIST: return Transport::OpenResult::Missing;
    default: return Transport::OpenResult::Failed;
    }
}

// This program's claim on a port, held while it is open: a named object of the user's session.
// Windows' own serial drivers refuse a second open of a port; some others (Wine's, which hands
// a pseudo-terminal to every opener) do not, and two programs on one line garble each other's
// frames. A second instance of this program finds the claim and counts the port in use.
class PortClaim {
public:
    ~PortClaim() { release(); }
    bool take(const QString &devicePath)
    {
        const QString device = devicePath.section(QLatin1Char('\\'), -1).toUpper();
        const QString name = QStringLiteral("Local\\Alvetra.port.") + device;
        handle_ = CreateMutexW(nullptr, FALSE, reinterpret_cast<const wchar_t *>(name.utf16()));
        if (handle_ && GetLastError() == ERROR_ALREADY_EXISTS)
            release();
        return handle_ != nullptr;
    }
    void release()
    {
        if (handle_)
            CloseHandle(handle_);
        handle_ = nullptr;
    }

private:
    HANDLE handle_ = nullptr;
};

// An event for one overlapped operation, closed with it.
class OverlappedEvent {
public:
    OverlappedEvent() { overlapped_.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr); }
    ~OverlappedEvent()
    {
        if (overlapped_.hEvent)
            CloseHandle(overlapped_.hEvent);
    }
    OverlappedEvent(const OverlappedEvent &) = delete;
    OverlappedEvent &operator=(const OverlappedEvent &) = delete;

    bool valid() const { return overlapped_.hEvent != nullptr; }
    OVERLAPPED *get()
    {
        const HANDLE event = overlapped_.hEvent;
        overlapped_ = {};
        overlapped_.hEvent = event;
        ResetEvent(event);
        return &overlapped_;
    }
    HANDLE event() const { return overlapped_.hEvent; }

private:
    OVERLAPPED overlapped_{};
};

class WindowsSerialPort final : public Transport {
public:
    WindowsSerialPort(QString devicePath, QString portName, int lineRate)
        : devicePath_(std::move(devicePath)), portName_(std::move(portName)), lineRate_(lineRate),
          stop_(CreateEventW(nullptr, FALSE, FALSE, nullptr))
    {
    }
    ~WindowsSerialPort() override
    {
        close();
        if (stop_)
            CloseHandle(stop_);
    }

    OpenResult open() override;
    WaitResult waitForBytes() override;
    qint64 read(char *buffer, qint64 maxBytes) override;
    qint64 write(const QByteArray &bytes) override;
    void interrupt() override
    {
        if (stop_)
            SetEvent(stop_);
    }
    bool close() override;
    int lastError() const override { return lastError_.load(); }
    QString portName() const override { return portName_; }

private:
    OpenResult failOpen(DWORD error)
    {
        lastError_ = static_cast<int>(error);
        return openResultForWindowsError(error);
    }
    OpenResult configureLine();
    bool startRead();
    void cancelRead();
    int stallLimitMs(qint64 bytes) const;
    bool awaitWrite(OVERLAPPED *overlapped, int limitMs);

    const QString devicePath_;
    const QString portName_;
    const int lineRate_;
    const HANDLE stop_;   // auto-reset: interrupt() -> waitForBytes()
    std::mutex handleMutex_;   // the UI thread writes while the reader thread may close
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    PortClaim claim_;
    // Reader thread: the read of one byte it sleeps in, the byte it brought (handed out by
    // read()), and read()'s own reads of what the queue holds.
    OverlappedEvent readEvent_;
    OverlappedEvent drainEvent_;
    OVERLAPPED *pendingRead_ = nullptr;
    std::array<char, 1> inbox_{};
    DWORD inboxStart_ = 0;
    DWORD inboxEnd_ = 0;
    std::atomic<int> lastError_{0};
    std::atomic<bool> stalled_{false};
};

Transport::OpenResult WindowsSerialPort::open()
{
    std::lock_guard lock(handleMutex_);
    if (handle_ != INVALID_HANDLE_VALUE)
        return OpenResult::InUse;
    if (!stop_ || !readEvent_.valid() || !drainEvent_.valid())
        return failOpen(ERROR_NOT_ENOUGH_MEMORY);
    if (!claim_.take(devicePath_))
        return failOpen(ERROR_ACCESS_DENIED);
    // No sharing: a second open, by this program or another, fails with access denied.
    const HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t *>(devicePath_.utf16()),
                                      GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        claim_.release();
        return failOpen(error);
    }
    handle_ = handle;
    const OpenResult configured = configureLine();
    if (configured != OpenResult::Opened) {
        CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        claim_.release();
        return configured;
    }
    stalled_.store(false, std::memory_order_release);
    return OpenResult::Opened;
}

Transport::OpenResult WindowsSerialPort::configureLine()
{
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(handle_, &dcb))
        return failOpen(GetLastError());
    // 8N1, binary, no flow control of either kind, DTR and RTS on.
    dcb.BaudRate = static_cast<DWORD>(lineRate_);
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    if (!SetCommState(handle_, &dcb)) {
        lastError_ = static_cast<int>(GetLastError());
        return OpenResult::SpeedRefused;
    }
    DCB taken{};
    taken.DCBlength = sizeof taken;
    if (!GetCommState(handle_, &taken) || taken.BaudRate != dcb.BaudRate) {
        lastError_ = ERROR_INVALID_PARAMETER;
        return OpenResult::SpeedRefused;
    }
    // No time-outs: a read ends when its bytes have come. The reader waits in a read of one byte
    // and then takes what the queue holds. (The documented "end at the first byte" setting, and
    // comm event waits, fail on some drivers: Wine's ends every event wait on a pseudo-terminal
    // at once and keeps such a read waiting for its full length.)
    COMMTIMEOUTS timeouts{};
    if (!SetCommTimeouts(handle_, &timeouts))
        return failOpen(GetLastError());
    PurgeComm(handle_, PURGE_RXABORT | PURGE_RXCLEAR | PURGE_TXABORT | PURGE_TXCLEAR);
    return OpenResult::Opened;
}

// Starts the read of one byte the reader sleeps in; false when the port has gone.
bool WindowsSerialPort::startRead()
{
    pendingRead_ = readEvent_.get();
    if (ReadFile(handle_, inbox_.data(), 1, nullptr, pendingRead_) ||
        GetLastError() == ERROR_IO_PENDING)
        return true;   // done at once or under way: its event tells either way
    lastError_ = static_cast<int>(GetLastError());
    pendingRead_ = nullptr;
    return false;
}

// Ends a read under way before its buffer and OVERLAPPED go.
void WindowsSerialPort::cancelRead()
{
    if (!pendingRead_)
        return;
    CancelIoEx(handle_, pendingRead_);
    DWORD ignored = 0;
    GetOverlappedResult(handle_, pendingRead_, &ignored, TRUE);
    pendingRead_ = nullptr;
}

Transport::WaitResult WindowsSerialPort::waitForBytes()
{
    if (handle_ == INVALID_HANDLE_VALUE || stalled_.load(std::memory_order_acquire))
        return WaitResult::DeviceLost;
    while (inboxStart_ == inboxEnd_) {
        if (!pendingRead_ && !startRead())
            return WaitResult::DeviceLost;   // the adapter was pulled out
        const HANDLE events[2] = {pendingRead_->hEvent, stop_};
        if (WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
            // The read stays under way; the next wait goes on with it.
            return stalled_.load(std::memory_order_acquire) ? WaitResult::DeviceLost : WaitResult::Interrupted;
        }
        DWORD got = 0;
        const bool done = GetOverlappedResult(handle_, pendingRead_, &got, FALSE);
        pendingRead_ = nullptr;
        if (!done) {
            lastError_ = static_cast<int>(GetLastError());
            return WaitResult::DeviceLost;
        }
        inboxStart_ = 0;
        inboxEnd_ = got;
    }
    return WaitResult::BytesReady;
}

qint64 WindowsSerialPort::read(char *buffer, qint64 maxBytes)
{
    if (handle_ == INVALID_HANDLE_VALUE)
        return -1;
    qint64 count = std::min<qint64>(maxBytes, inboxEnd_ - inboxStart_);
    std::copy_n(inbox_.data() + inboxStart_, count, buffer);
    inboxStart_ += static_cast<DWORD>(count);
    // A failure after the inbox's byte still hands that byte over; the next wait finds the port gone.
    const auto failed = [&] {
        lastError_ = static_cast<int>(GetLastError());
        return count > 0 ? count : qint64(-1);
    };
    // Then what has come since, which the queue holds: a read of that many ends at once.
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(handle_, &errors, &status))
        return failed();
    const DWORD wanted = static_cast<DWORD>(std::min<qint64>(status.cbInQue, maxBytes - count));
    if (wanted == 0)
        return count;
    OVERLAPPED *overlapped = drainEvent_.get();
    DWORD got = 0;
    if (!ReadFile(handle_, buffer + count, wanted, nullptr, overlapped) && GetLastError() != ERROR_IO_PENDING)
        return failed();
    if (!GetOverlappedResult(handle_, overlapped, &got, TRUE))
        return failed();
    return count + static_cast<qint64>(got);
}

int WindowsSerialPort::stallLimitMs(qint64 bytes) const
{
    const double wireMs = double(bytes) * 10.0 * 1000.0 / std::max(lineRate_, 1);
    return SerialTransport::kStallMarginMs + static_cast<int>(std::min(2 * wireMs, 600000.0));
}

// Waits for a write to complete, at most `limitMs`; on the UI thread it processes events after
// a short quiet wait, as every wait of the link does.
bool WindowsSerialPort::awaitWrite(OVERLAPPED *overlapped, int limitMs)
{
    if (WaitForSingleObject(overlapped->hEvent, static_cast<DWORD>(std::min(limitMs, kQuietWaitMs))) == WAIT_OBJECT_0)
        return true;
    const QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread())
        return WaitForSingleObject(overlapped->hEvent, static_cast<DWORD>(limitMs)) == WAIT_OBJECT_0;
    QElapsedTimer clock;
    clock.start();
    QTimer tick;   // the loop looks at the write every few milliseconds
    tick.start(5);
    while (clock.elapsed() < limitMs) {
        if (WaitForSingleObject(overlapped->hEvent, 0) == WAIT_OBJECT_0)
            return true;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return WaitForSingleObject(overlapped->hEvent, 0) == WAIT_OBJECT_0;
}

qint64 WindowsSerialPort::write(const QByteArray &bytes)
{
    std::unique_lock lock(handleMutex_);
    if (handle_ == INVALID_HANDLE_VALUE || stalled_.load(std::memory_order_acquire)) {
        lastError_ = handle_ == INVALID_HANDLE_VALUE ? ERROR_INVALID_HANDLE : WAIT_TIMEOUT;
        return -1;
    }
    const HANDLE handle = handle_;
    lock.unlock();
    OverlappedEvent event;
    OVERLAPPED *overlapped = event.get();
    DWORD written = 0;
    if (!WriteFile(handle, bytes.constData(), static_cast<DWORD>(bytes.size()), &written, overlapped)) {
        if (GetLastError() != ERROR_IO_PENDING) {
            lastError_ = static_cast<int>(GetLastError());
            return -1;
        }
        if (!awaitWrite(overlapped, stallLimitMs(bytes.size()))) {
            // The adapter takes no more bytes: the port is gone, and the reader closes it.
            CancelIoEx(handle, overlapped);
            GetOverlappedResult(handle, overlapped, &written, TRUE);
            lastError_ = WAIT_TIMEOUT;
            stalled_.store(true, std::memory_order_release);
            interrupt();
            return -1;
        }
        if (!GetOverlappedResult(handle, overlapped, &written, FALSE)) {
            lastError_ = static_cast<int>(GetLastError());
            return -1;
        }
    }
    return static_cast<qint64>(written);
}

bool WindowsSerialPort::close()
{
    std::lock_guard lock(handleMutex_);
    if (handle_ == INVALID_HANDLE_VALUE)
        return true;
    cancelRead();
    inboxStart_ = inboxEnd_ = 0;
    EscapeCommFunction(handle_, CLRDTR);
    EscapeCommFunction(handle_, CLRRTS);
    const bool closed = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    claim_.release();
    return closed;
}

} // namespace

QString devicePathForPort(const QString &portName)
{
    // COM10 and above can only be opened as \\.\COMn; the prefix serves the lower ones too.
    return portName.startsWith(QLatin1String("\\\\.\\")) ? portName : QStringLiteral("\\\\.\\") + portName;
}

std::unique_ptr<Transport> makeSystemSerialPort(const QString &devicePath, const QString &portName, int lineRate)
{
    return std::make_unique<WindowsSerialPort>(devicePath, portName, lineRate);
}

} // namespace alvetra
