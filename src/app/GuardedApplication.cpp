#include "app/GuardedApplication.h"

#include "ui/Dialogs.h"

#include <cstdio>

namespace alvetra {

namespace {

void report(Dialogs *dialogs, std::exception_ptr error)
{
    const UserMessage message = handlerErrorMessage(error);
    if (dialogs)
        dialogs->showMessage(QApplication::activeWindow(), message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(message.text));
}

} // namespace

bool runGuarded(Dialogs &dialogs, const std::function<void()> &handler)
{
    try {
        handler();
        return true;
    } catch (...) {
        report(&dialogs, std::current_exception());
        return false;
    }
}

GuardedApplication::GuardedApplication(int &argc, char **argv) : QApplication(argc, argv) {}

void GuardedApplication::reportError(std::exception_ptr error)
{
    report(dialogs_, error);
}

bool GuardedApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        report(dialogs_, std::current_exception());
        return false;
    }
}

} // namespace alvetra
