#pragma once
// Running a step of the reader thread on the UI thread and waiting until it has run (the
// reader's only way to touch the window).
//
//   UiBridge bridge(uiContext);             // uiContext: a QObject living in the UI thread
//   bridge.run([&] { events.portOpened(); });   // reader thread: blocks until done
//   bridge.cancel();                        // UI thread, before tearing down: the reader stops
//                                           // waiting and runs no further steps
//
// Unlike a plain blocking queued call, a waiting reader can be released: a UI thread that is
// shutting down cancels the bridge and then joins the reader without processing events, so
// neither waits for the other. A step still queued when the context object is destroyed is
// dropped by Qt.

#include <QObject>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

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
    explicit UiBridge(QObject *uiContext);
    bool run(std::function<void()> step) override;
    void cancel();
    bool cancelled() const;

private:
    struct Shared {
        std::mutex mutex;
        std::condition_variable changed;
        bool cancelled = false;
        unsigned long long finished = 0;   // steps that have run, in order
    };

    QObject *uiContext_;
    std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
    unsigned long long posted_ = 0;        // reader thread only
};

} // namespace alvetra
