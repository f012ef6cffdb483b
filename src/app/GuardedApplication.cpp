#include "GuardedApplication.h"

#include "AppTexts.h"
#include "Dialogs.h"
#include "FileError.h"
#include "UiTexts.h"

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

UserMessage handlerErrorMessage(std::exception_ptr error)
{
    UserMessage message{uitexts::kApplicationTitle, apptexts::kUnknownError, MessageIcon::Error};
    try {
        std::rethrow_exception(error);
    } catch (const FileError &e) {
        message.text = e.message();
    } catch (const std::exception &e) {
        message.text = QString::fromLocal8Bit(e.what());
    } catch (...) {
    }
    return message;
}

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
