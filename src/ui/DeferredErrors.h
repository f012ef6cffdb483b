#pragma once
// Errors that must not interrupt what the fitter is doing. A lock diagram that cannot be read is
// met in the middle of a connect (the settings fill sets the pulse spin edits) or of a mouse move,
// focus change or value change, inside Qt's own frames. Such an error is not thrown: it waits
// here and goes to the general error handler once the operation, or the event handler, in which
// it arose has ended.

#include <QObject>
#include <deque>
#include <exception>
#include <functional>

namespace alvetra {

class DeferredErrors : public QObject {
public:
    using Report = std::function<void(std::exception_ptr)>;
    DeferredErrors(Report report, QObject *parent);

    // Reported when the running operation has ended; with none running, as soon as the event
    // loop is back.
    void add(std::exception_ptr error);

    // Marks an operation as running for its lifetime. Errors gathered meanwhile are reported when
    // the outermost one ends (after its own error, if it ended with one).
    class Operation {
    public:
        explicit Operation(DeferredErrors &errors) : errors_(errors) { ++errors_.operations_; }
        ~Operation();
        Operation(const Operation &) = delete;
        Operation &operator=(const Operation &) = delete;

    private:
        DeferredErrors &errors_;
    };

private:
    void reportPending();

    Report report_;
    std::deque<std::exception_ptr> pending_;
    int operations_ = 0;
    bool queued_ = false;
};

} // namespace alvetra
