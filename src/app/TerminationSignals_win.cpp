#include "app/TerminationSignals.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

#include <windows.h>

namespace alvetra {

// Windows ends a session by asking every top-level window (WM_QUERYENDSESSION) and then telling
// it (WM_ENDSESSION); the process may be ended as soon as that message has been handled, so the
// window is closed while it is handled.
struct TerminationSignals::Source : QAbstractNativeEventFilter {
    explicit Source(TerminationSignals *owner) : owner(owner)
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }

    ~Source() override
    {
        if (QCoreApplication::instance())
            QCoreApplication::instance()->removeNativeEventFilter(this);
    }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *result) override
    {
        if (type != "windows_generic_MSG")
            return false;
        const MSG *msg = static_cast<const MSG *>(message);
        if (msg->message == WM_QUERYENDSESSION) {
            *result = TRUE;
            return true;
        }
        if (msg->message == WM_ENDSESSION && msg->wParam && !ended) {
            ended = true;
            if (owner->onSignal_)
                owner->onSignal_();
            *result = 0;
            return true;
        }
        return false;
    }

    TerminationSignals *owner;
    bool ended = false;
};

TerminationSignals::TerminationSignals(std::function<void()> onSignal, QObject *parent)
    : QObject(parent), onSignal_(std::move(onSignal)), source_(std::make_unique<Source>(this))
{
}

TerminationSignals::~TerminationSignals() = default;

} // namespace alvetra
