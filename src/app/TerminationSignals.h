#pragma once
// SIGTERM, SIGINT and SIGHUP (a session ending, Ctrl+C in the terminal) close the main window the
// ordinary way, so that the shutdown still says goodbye to the unit and stores the preferences.

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace alvetra {

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // `onSignal` runs on the thread of the event loop, not in the signal handler. One instance
    // at a time.
    explicit TerminationSignals(std::function<void()> onSignal, QObject *parent = nullptr);
    ~TerminationSignals() override;

private:
    void readSignal();

    std::function<void()> onSignal_;
    QSocketNotifier *notifier_ = nullptr;
};

} // namespace alvetra
