#pragma once
// The frame every operation runs in. Scope guards, so that an error that leaves a handler (a
// file that cannot be read, a missing car database) still gives the user the window back.

#include "ops/OperationView.h"

namespace alvetra {

// Keeps the connection supervision (TimerTimeOutConnected) stopped, so that no status request
// interleaves with the operation's requests, and puts it back as it was (or running, when
// asked) on leaving. The window also holds one around a file dialog and the file operation
// that follows.
class SupervisionPause {
public:
    explicit SupervisionPause(OperationView &view) : view_(view), restoreRunning_(view.pauseSupervision()) {}
    ~SupervisionPause() { view_.restoreSupervision(restoreRunning_); }
    SupervisionPause(const SupervisionPause &) = delete;
    SupervisionPause &operator=(const SupervisionPause &) = delete;

    // A successful connect leaves the supervision running whatever it was before.
    void restoreRunning() { restoreRunning_ = true; }

private:
    OperationView &view_;
    bool restoreRunning_;
};

// The supervision paused and every action disabled, so the user can start no second operation
// while this one waits; on leaving the actions come back first, then the timer.
class OperationBracket {
public:
    explicit OperationBracket(OperationView &view) : view_(view), pause_(view) { view_.enableOperations(false); }
    ~OperationBracket() { view_.enableOperations(true); }
    OperationBracket(const OperationBracket &) = delete;
    OperationBracket &operator=(const OperationBracket &) = delete;

    void restoreSupervisionRunning() { pause_.restoreRunning(); }

private:
    OperationView &view_;
    SupervisionPause pause_;   // destroyed after the destructor's body: the timer comes back last
};

// The settings pages (PGC_Programator) disabled for the guard's lifetime (writing all groups).
class PageControlLock {
public:
    explicit PageControlLock(OperationView &view) : view_(view) { view_.setPageControlEnabled(false); }
    ~PageControlLock() { view_.setPageControlEnabled(true); }
    PageControlLock(const PageControlLock &) = delete;
    PageControlLock &operator=(const PageControlLock &) = delete;

private:
    OperationView &view_;
};

// The connect button (BITBTN_Polacz) disabled while connecting.
class ConnectButtonLock {
public:
    explicit ConnectButtonLock(OperationView &view) : view_(view) { view_.setConnectButtonEnabled(false); }
    ~ConnectButtonLock() { view_.setConnectButtonEnabled(true); }
    ConnectButtonLock(const ConnectButtonLock &) = delete;
    ConnectButtonLock &operator=(const ConnectButtonLock &) = delete;

private:
    OperationView &view_;
};

} // namespace alvetra
