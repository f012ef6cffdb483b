#pragma once
// The operations' view and the link's events for a front end without a window: what a box would
// show goes to the standard error, the progress bar becomes a progress line, the settings tabs
// are plain values. It remembers how the last operation ended, for the exit status.

#include "cli/Console.h"
#include "ops/HeadlessLinkEvents.h"
#include "ops/OperationState.h"
#include "ops/OperationView.h"

#include <functional>
#include <optional>
#include <vector>

namespace alvetra::cli {

class TerminalView : public OperationView {
public:
    TerminalView(Console &console, OperationState &state) : console_(console), state_(state) {}

    bool pauseSupervision() override { return false; }
    void restoreSupervision(bool) override {}
    void setBlockKeeping(bool) override {}
    void enableOperations(bool) override {}
    void enableFileActions() override {}
    void setPageControlEnabled(bool) override {}
    void setProgrammingAccess(bool granted) override;
    void selectPage(int) override {}
    void showConnectedButtons(bool) override {}
    void setConnectButtonEnabled(bool) override {}
    void showStatus(const QString &text, int width, StatusColour colour) override;
    void beginProgress(const QString &text, int steps) override { console_.beginProgress(text, steps); }
    void stepProgress() override { console_.stepProgress(); }
    void hideProgress() override { console_.endProgress(); }
    void showMessage(const UserMessage &message) override;
    QString identificationLine() const override { return identification; }
    QString accessPassword() const override { return password; }
    void setAccessPassword(const QString &p) override { password = p; }
    void reopenPort() override;
    TabValues gatherValues() const override { return values; }
    void applyFill(const FillResult &fill) override;
    void clearPcPasswordEdits() override;
    void showCanAnalysis(bool shown) override { canAnalysis_ = shown; }
    bool canAnalysisShown() const override { return canAnalysis_; }
    int makeCount() const override { return makeCount_; }
    void setCarDatabase(const QStringList &makes, const CarTable &) override { makeCount_ = makes.size(); }
    void setDialogDefaults(const DialogDefaults &) override {}

    struct Status {
        QString text;
        bool red = false;
    };
    // The final texts of the operations since the last clear, in order.
    const std::vector<Status> &statuses() const { return statuses_; }
    void clearStatuses() { statuses_.clear(); }
    // The red status text of the last failure, or the text of its box when it had no status.
    QString lastFailure() const { return lastFailure_; }

    QString identification;
    QString password;
    TabValues values;
    std::vector<HistoryRow> history;
    std::function<void()> reopen;

private:
    Console &console_;
    OperationState &state_;
    std::vector<Status> statuses_;
    QString lastMessage_;
    QString lastFailure_;
    bool canAnalysis_ = false;
    int makeCount_ = 0;
};

// Port problems are remembered for the exit status and told on the standard error.
class TerminalLinkEvents : public HeadlessLinkEvents {
public:
    TerminalLinkEvents(Console &console, TerminalView &view, OperationState &state)
        : HeadlessLinkEvents(view.identification, state), console_(console) {}

    void openFailed(Transport::OpenResult result, const QString &, const UserMessage &message) override;
    void deviceLost(const QString &, const UserMessage &message) override;

    std::optional<Transport::OpenResult> failure;
    bool lost = false;   // the port went away while open: whatever failed after, that is why

private:
    Console &console_;
};

} // namespace alvetra::cli
