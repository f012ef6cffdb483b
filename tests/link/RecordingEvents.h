#pragma once
// A window for the link's tests: records what the link does to it, in order. Rx and Tx
// activity are counted apart so that they do not crowd the log.

#include "link/LinkEvents.h"
#include "WaitFor.h"

#include <QStringList>
#include <functional>

namespace alvetra::test {

class RecordingEvents : public LinkEvents {
public:
    void threadStarted() override { log << QStringLiteral("threadStarted"); }
    void portOpened() override { log << QStringLiteral("portOpened"); }
    void portClosed() override { log << QStringLiteral("portClosed"); }
    void openFailed(Transport::OpenResult, const QString &portName, const UserMessage &message) override
    {
        log << QStringLiteral("openFailed ") + portName;
        messages.push_back(message);
    }
    void closeFailed(const QString &portName, int, const UserMessage &message) override
    {
        log << QStringLiteral("closeFailed ") + portName;
        messages.push_back(message);
    }
    void deviceLost(const QString &portName, const UserMessage &message) override
    {
        log << QStringLiteral("deviceLost ") + portName;
        messages.push_back(message);
    }
    void checksumError(int count, const QString &text) override
    {
        log << QStringLiteral("checksumError %1").arg(count);
        panel1 = text;
    }
    void rxActivity() override { ++rx; }
    void txActivity() override { ++tx; }
    void clearIdentification() override { log << QStringLiteral("clearIdentification"); panel2.clear(); }
    void setIdentification(const QString &line) override { log << QStringLiteral("setIdentification"); panel2 = line; }
    void setTimeCounter(std::uint32_t value) override { log << QStringLiteral("timeCounter %1").arg(value); }
    void showArmed() override { log << QStringLiteral("showArmed"); }
    void showDisarmed() override { log << QStringLiteral("showDisarmed"); }
    void withdrawAccess() override { log << QStringLiteral("withdrawAccess"); }
    void statusReport(std::uint8_t s0, std::uint8_t s1, std::uint8_t s2, std::uint8_t s3) override
    {
        log << QStringLiteral("status %1 %2 %3 %4").arg(s0).arg(s1).arg(s2).arg(s3);
        if (onStatus)
            onStatus();
    }

    QStringList log;
    std::vector<UserMessage> messages;
    QString panel1;
    QString panel2;
    int rx = 0;
    int tx = 0;
    std::function<void()> onStatus;
};

} // namespace alvetra::test
