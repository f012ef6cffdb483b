#pragma once
// The main window as the alarm operations see it: every OperationView call lands on the window's
// widgets, actions and timers.

#include "ops/OperationView.h"

namespace alvetra {

class MainWindow;

class WindowOperationView final : public OperationView {
public:
    explicit WindowOperationView(MainWindow &window) : w_(window) {}

    bool pauseSupervision() override;
    void restoreSupervision(bool running) override;
    void setBlockKeeping(bool running) override;

    void enableOperations(bool enabled) override;
    void enableFileActions() override;
    void setPageControlEnabled(bool enabled) override;
    void setProgrammingAccess(bool granted) override;
    void selectPage(int index) override;
    void showConnectedButtons(bool connected) override;
    void setConnectButtonEnabled(bool enabled) override;

    void showStatus(const QString &text, int width, StatusColour colour) override;
    void beginProgress(const QString &text, int steps) override;
    void stepProgress() override;
    void hideProgress() override;
    void showMessage(const UserMessage &message) override;

    QString identificationLine() const override;
    QString accessPassword() const override;
    void setAccessPassword(const QString &password) override;
    void reopenPort() override;

    TabValues gatherValues() const override;
    void applyFill(const FillResult &fill) override;
    void clearPcPasswordEdits() override;
    void showCanAnalysis(bool shown) override;
    bool canAnalysisShown() const override;
    int makeCount() const override;
    void setCarDatabase(const QStringList &makes, const CarTable &cars) override;

    void setDialogDefaults(const DialogDefaults &defaults) override;

    QString visibleTab() const override;
    bool confirmChanges(const std::vector<SettingDifference> &changes) override;

private:
    MainWindow &w_;
};

} // namespace alvetra
