#pragma once
// The application object with the program's general error handler: an error thrown by an event
// handler (a file that cannot be read or written) ends that handler only; its message is shown
// in a box captioned with the application title and the program goes on.
//
// The main window's operation handlers catch their errors themselves and pass them to
// reportError() (see HandlerError.h); notify() catches whatever else escapes a handler.

#include "ui/HandlerError.h"
#include "alarm/UserMessage.h"

#include <QApplication>
#include <exception>
#include <functional>

namespace alvetra {

class Dialogs;

// Runs `handler`; an error it throws is shown through `dialogs` instead of going further.
// Returns false when the handler ended with an error.
bool runGuarded(Dialogs &dialogs, const std::function<void()> &handler);

class GuardedApplication : public QApplication {
    Q_OBJECT
public:
    GuardedApplication(int &argc, char **argv);
    // Where the error boxes go; until set, errors are written to the standard error.
    void setDialogs(Dialogs *dialogs) { dialogs_ = dialogs; }

    // Shows the error's message; the general error handler.
    void reportError(std::exception_ptr error);

    bool notify(QObject *receiver, QEvent *event) override;

private:
    Dialogs *dialogs_ = nullptr;
};

} // namespace alvetra
