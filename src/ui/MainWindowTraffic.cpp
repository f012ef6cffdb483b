// The main window's part of the traffic console and the traffic log.

#include "ui/MainWindow.h"

#include "link/SerialLink.h"
#include "link/TrafficLog.h"
#include "link/UiWakeup.h"
#include "ui/ScreenPlacement.h"
#include "ui/TrafficConsole.h"

#include <QAction>

namespace alvetra {

void MainWindow::buildTraffic()
{
    console_ = new TrafficConsole(link_->traffic(), *setup_.dialogs, this);
    auto *show = new QAction(this);
    show->setObjectName(QStringLiteral("ActionRuchNaLaczu"));
    show->setShortcut(Qt::Key_F12);
    show->setShortcutContext(Qt::ApplicationShortcut);
    connect(show, &QAction::triggered, this, &MainWindow::showTrafficConsole);
    addAction(show);

    if (setup_.trafficLogPath.isEmpty())
        return;
    trafficLog_ = std::make_unique<TrafficLog>();
    // A failed write is told once, on the UI thread; the link goes on without the log.
    trafficLogFailed_ = std::make_unique<UiWakeup>([this] {
        if (trafficLog_ && !closed_)
            showMessage({kCaptionWarning, trafficLog_->error(), MessageIcon::Warning});
    });
    trafficLogOpenError_ = trafficLog_->open(
        setup_.trafficLogPath, [wakeup = trafficLogFailed_.get()](const QString &) { wakeup->wake(); },
        setup_.trafficLogSecrets);
    if (trafficLogOpenError_)
        trafficLog_.reset();
    else
        link_->traffic().attach(trafficLog_.get());
}

void MainWindow::tearDownTraffic()
{
    delete console_;   // detaches its buffer from the link
    console_ = nullptr;
    if (trafficLog_)
        link_->traffic().detach(trafficLog_.get());
    trafficLog_.reset();   // writes what is queued and ends its thread
    trafficLogFailed_.reset();
}

void MainWindow::showTrafficConsole()
{
    if (!console_->isVisible()) {
        // Beside the window, where its screen has room, else over its right part.
        const QRect main = frameGeometry();
        placement::moveFrameTo(*console_, placement::beside(main, placement::frameSize(*console_),
                                                            placement::availableAreaFor(main)));
    }
    console_->show();
    console_->raise();
    console_->activateWindow();
}

} // namespace alvetra
