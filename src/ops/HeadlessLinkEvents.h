#pragma once
// The link's events for a front end without widgets (alvetra-cli, the benchmarks): what the
// operations depend on goes where the window puts it (the identification line, the minute
// counter, the withdrawal of programming access); what only lights the window's LEDs and panels
// is ignored. A front end overrides the port events it reports.

#include "link/LinkEvents.h"
#include "ops/OperationState.h"

#include <QString>

namespace alvetra {

class HeadlessLinkEvents : public LinkEvents {
public:
    // `identification` is the front end's copy of the window's identification panel, which its
    // OperationView gives back as identificationLine().
    HeadlessLinkEvents(QString &identification, OperationState &state) : identification_(identification), state_(state) {}

    void threadStarted() override {}
    void portOpened() override { opened = true; }
    void portClosed() override { opened = false; }
    void openFailed(Transport::OpenResult, const QString &, const UserMessage &) override {}
    void closeFailed(const QString &, int, const UserMessage &) override {}
    void deviceLost(const QString &, const UserMessage &) override { opened = false; }
    void checksumError(int, const QString &) override {}
    void rxActivity() override {}
    void txActivity() override {}
    void clearIdentification() override { identification_.clear(); }
    void setIdentification(const QString &line) override { identification_ = line; }
    void setTimeCounter(std::uint32_t value) override { state_.timeCounter = value; }
    void showArmed() override {}
    void showDisarmed() override {}
    void withdrawAccess() override { state_.connected = false; }
    void statusReport(std::uint8_t, std::uint8_t, std::uint8_t, std::uint8_t) override {}

    bool opened = false;

private:
    QString &identification_;
    OperationState &state_;
};

} // namespace alvetra
