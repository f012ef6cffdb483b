#pragma once
// Waiting in a test the way the window waits: events keep being processed until the condition
// holds, so replies from the reader thread and queued calls get through.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <functional>

namespace alvetra::test {

// Processes events until `done` or `limitMs` of real time; false when the time ran out.
inline bool waitFor(const std::function<bool()> &done, int limitMs = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

} // namespace alvetra::test
