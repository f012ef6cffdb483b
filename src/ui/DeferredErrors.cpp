#include "ui/DeferredErrors.h"

#include <utility>

namespace alvetra {

DeferredErrors::DeferredErrors(Report report, QObject *parent) : QObject(parent), report_(std::move(report)) {}

void DeferredErrors::add(std::exception_ptr error)
{
    pending_.push_back(std::move(error));
    if (operations_ > 0 || queued_)
        return;
    queued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            queued_ = false;
            // An operation started meanwhile reports them when it ends.
            if (operations_ == 0)
                reportPending();
        },
        Qt::QueuedConnection);
}

DeferredErrors::Operation::~Operation()
{
    if (--errors_.operations_ == 0)
        errors_.reportPending();
}

// One at a time from the front: a box shown here runs an event loop in which more may arrive.
void DeferredErrors::reportPending()
{
    while (!pending_.empty()) {
        std::exception_ptr error = std::move(pending_.front());
        pending_.pop_front();
        report_(error);
    }
}

} // namespace alvetra
