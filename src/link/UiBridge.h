#pragma once
// Running a step of the reader thread on the UI thread and waiting until it has run (the
// reader's only way to touch the window).
//
//   UiBridge bridge;                        // on the UI thread
//   bridge.run([&] { events.portOpened(); });   // reader thread: blocks until done
//   bridge.cancel();                        // UI thread, before tearing down: the reader stops
//                                           // waiting and runs no further steps
//
// Unlike a plain blocking queued call, a waiting reader can be released: a UI thread that is
// shutting down cancels the bridge and then joins the reader without processing events, so
// neither waits for the other. The steps travel in a queue of our own and the UI thread is
// woken through a descriptor (UiWakeup), so everything a step holds is handed over under our
// own lock.
//
// Created and destroyed on the UI thread; destroyed only after the reader has ended.

#include "link/UiWakeup.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace alvetra {

class UiSteps {
public:
    virtual ~UiSteps() = default;
    // Runs `step` on the UI thread and returns once it has run: true. False when the steps have
    // been cancelled (the step may then not run at all).
    virtual bool run(std::function<void()> step) = 0;
};

class UiBridge final : public UiSteps {
public:
    UiBridge();
    UiBridge(const UiBridge &) = delete;
    UiBridge &operator=(const UiBridge &) = delete;

    bool run(std::function<void()> step) override;
    void cancel();
    bool cancelled() const;

private:
    void runQueuedSteps();   // UI thread

    std::thread::id uiThread_;
    UiWakeup wakeup_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> queue_;
    bool cancelled_ = false;
    unsigned long long posted_ = 0;
    unsigned long long finished_ = 0;   // steps that have run or been dropped, in order
};

} // namespace alvetra
