// The port list following the system's serial ports: adapters plugged in and pulled out while
// the program runs.

#include "ui/MainWindow.h"

#include "link/LineSpeed.h"
#include "ui/PortListDelegate.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>

#include <algorithm>

namespace alvetra {

namespace {

constexpr int kPortStableNameRole = kPortDescriptionRole + 1;
constexpr int kPortLatencyRole = kPortDescriptionRole + 2;

} // namespace

void MainWindow::refreshPorts()
{
    if (!setup_.scanPorts || closed_)
        return;
    // A port changed under an operation or a port change would take its transactions with it.
    if (portChanging_ || operationRunning_) {
        portRefreshPending_ = true;
        return;
    }
    portRefreshPending_ = false;

    const std::vector<PortInfo> found = setup_.scanPorts();
    QStringList names;
    for (const PortInfo &port : found)
        names << port.name;
    for (const QString &name : fixedPorts_) {
        if (!names.contains(name))
            names << name;
    }
    const int current = CMB_port->currentIndex();
    const QString selected = current >= 0 ? CMB_port->currentText() : QString();
    if (current >= 0 && !CMB_port->itemData(current, kPortStableNameRole).toString().isEmpty())
        selectedStableName_ = CMB_port->itemData(current, kPortStableNameRole).toString();
    // Pulled out but still open: it stays selected until it has closed (portClosed asks again).
    if (!selected.isEmpty() && !names.contains(selected) && portShownOpen_)
        names << selected;

    int index = selected.isEmpty() ? -1 : static_cast<int>(names.indexOf(selected));
    bool reopen = false;
    if (index < 0 && !selectedStableName_.isEmpty()) {
        // The adapter that was selected, plugged in again (perhaps under another device name).
        const auto again = std::find_if(found.begin(), found.end(),
                                        [&](const PortInfo &port) { return port.stableName == selectedStableName_; });
        if (again != found.end()) {
            index = static_cast<int>(names.indexOf(again->name));
            reopen = true;
        }
    }
    if (portNames_.isEmpty() && !names.isEmpty()) {
        // The first port of a run that started without any.
        enablePortControls();
        if (index < 0) {
            index = 0;
            reopen = true;
        }
    }
    rebuildPortList(names, found, index);
    if (reopen && !portShownOpen_)
        onPortChanged();
}

void MainWindow::rebuildPortList(const QStringList &names, const std::vector<PortInfo> &found, int selected)
{
    const QSignalBlocker quiet(CMB_port);
    CMB_port->clear();
    int widest = 0;
    for (int i = 0; i < names.size(); ++i) {
        CMB_port->addItem(names[i]);
        const auto port = std::find_if(found.begin(), found.end(), [&](const PortInfo &p) { return p.name == names[i]; });
        if (port != found.end()) {
            CMB_port->setItemData(i, port->description, kPortDescriptionRole);
            CMB_port->setItemData(i, port->description, Qt::ToolTipRole);
            CMB_port->setItemData(i, port->stableName, kPortStableNameRole);
            CMB_port->setItemData(i, port->latencyTimerMs, kPortLatencyRole);
        }
        const QString line = PortListDelegate::lineText(CMB_port->model()->index(i, 0));
        widest = std::max(widest, CMB_port->fontMetrics().horizontalAdvance(line));
    }
    CMB_port->setCurrentIndex(selected);
    CMB_port->view()->setMinimumWidth(widest + CMB_port->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 12);
    portNames_ = names;
}

void MainWindow::adviseOnLatency()
{
    const int index = CMB_port->currentIndex();
    if (index < 0)
        return;
    const PortInfo port{CMB_port->itemText(index), {}, {}, CMB_port->itemData(index, kPortLatencyRole).toInt()};
    const std::optional<QString> advice = latencyAdvice(port);
    if (!advice || latencyAdvised_.contains(port.name))
        return;
    latencyAdvised_.insert(port.name);
    // Shown after the reader thread's step, as every box about the port.
    QMetaObject::invokeMethod(
        this, [this, text = *advice] { showMessage({kCaptionInformation, text, MessageIcon::Information}); },
        Qt::QueuedConnection);
}

void MainWindow::enablePortControls()
{
    if (CMB_PortSpeed->count() == 0) {
        for (int rate : kLineRates)
            CMB_PortSpeed->addItem(QString::number(rate));
        CMB_PortSpeed->setCurrentIndex(kDefaultSpeedIndex);
    }
    for (QWidget *control : std::initializer_list<QWidget *>{CMB_port, CHB_PredkoscRS232, TOB_ResetRS232, ED_HasloInst, BITBTN_Polacz})
        control->setEnabled(true);
}

void MainWindow::refreshPortsWhenFree()
{
    if (portRefreshPending_ && !portChanging_ && !operationRunning_)
        QMetaObject::invokeMethod(this, &MainWindow::refreshPorts, Qt::QueuedConnection);
}

} // namespace alvetra
