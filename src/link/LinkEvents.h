#pragma once
// What the serial link does to the window. The main window implements it; every call runs on
// the UI thread (the reader thread reaches it through a blocking queued call, so a call has
// completed before the reader goes on).
//
// Messages come ready-made (caption, text, icon): the window shows them as they are.

#include "link/Transport.h"
#include "alarm/UserMessage.h"

#include <cstdint>

namespace alvetra {

class LinkEvents {
public:
    virtual ~LinkEvents() = default;

    // ---- port and reader thread
    // A reader thread was created: panel 1 "CRC Error:0", LedPortRsCrc dark, panel 2 cleared.
    virtual void threadStarted() = 0;
    // Panel 0 "Port otwarty".
    virtual void portOpened() = 0;
    // Panel 0 "Port zamknięty" (only for a port that had been opened).
    virtual void portClosed() = 0;
    // The port could not be opened; the reader thread ends. Show `message` (caption "Błąd").
    virtual void openFailed(Transport::OpenResult result, const QString &portName, const UserMessage &message) = 0;
    // Closing the port failed. Show `message` (caption "Błąd").
    virtual void closeFailed(const QString &portName, int error, const UserMessage &message) = 0;
    // The device went away while open (adapter unplugged); reported once per reader thread.
    // The port has been closed and the reader thread ends. Show `message`.
    virtual void deviceLost(const QString &portName, const UserMessage &message) = 0;

    // ---- activity
    // A frame failed its check: panel 1 shows `text` ("CRC Error:<count>"), LedPortRsCrc lit.
    virtual void checksumError(int count, const QString &text) = 0;
    // Bytes were received: LedPortRs232Rx lit, TimerLedRs232 (re)started at 100 ms.
    virtual void rxActivity() = 0;
    // A frame was written completely: LedPortRs232Tx lit, TimerLedRs232 enabled.
    virtual void txActivity() = 0;

    // ---- replies
    // Panel 2: cleared, then the identification line of a login reply.
    virtual void clearIdentification() = 0;
    virtual void setIdentification(const QString &line) = 0;
    // The unit's minute counter from a login reply, copied into the window.
    virtual void setTimeCounter(std::uint32_t value) = 0;
    // The unit's arming state from a login reply.
    virtual void showArmed() = 0;
    virtual void showDisarmed() = 0;
    // The unit refuses programming: back to monitor-only access.
    virtual void withdrawAccess() = 0;
    // A status report: decode and show it on the monitor.
    virtual void statusReport(std::uint8_t s0, std::uint8_t s1, std::uint8_t s2, std::uint8_t s3) = 0;
};

} // namespace alvetra
