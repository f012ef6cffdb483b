#pragma once
// The end of the program asked from outside closes the main window the ordinary way, so that the
// shutdown still says goodbye to the unit and stores the preferences: SIGTERM, SIGINT and SIGHUP
// on Linux (a session ending, Ctrl+C in the terminal; TerminationSignals_unix.cpp), the end of
// the Windows session (WM_ENDSESSION; TerminationSignals_win.cpp).

#include <QObject>
#include <functional>
#include <memory>

namespace alvetra {

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // `onSignal` runs on the thread of the event loop, not in the signal handler. One instance
    // at a time.
    explicit TerminationSignals(std::function<void()> onSignal, QObject *parent = nullptr);
    ~TerminationSignals() override;

private:
    std::function<void()> onSignal_;
    struct Source;   // the platform's announcement of the end
    std::unique_ptr<Source> source_;
};

} // namespace alvetra
