// Program entry: the application object, the command line, the main window and its start-up.

#include "app/AppShell.h"
#include "app/CommandLine.h"
#include "ui/Dialogs.h"
#include "app/GuardedApplication.h"
#include "link/PortSearch.h"
#include "sim/PortTransports.h"
#include "link/PortWatcher.h"
#include "app/QtTranslations.h"
#include "app/Preferences.h"
#include "files/Backups.h"
#include "files/ProgramFolders.h"
#include "ui/MainWindow.h"
#include "app/TerminationSignals.h"
#include "ui/UiTexts.h"
#include "link/Wait.h"

#include <QDir>
#include <QFont>
#include <QIcon>

static void nameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("alvetra"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.61"));
}

int main(int argc, char **argv)
{
    // The command line is read before the window system is needed, so that --help and
    // --version work without a display.
    alvetra::CommandLineOptions options;
    {
        QCoreApplication commandLine(argc, argv);
        nameApplication();
        options = alvetra::parseCommandLine(commandLine);
    }
    alvetra::GuardedApplication app(argc, argv);
    nameApplication();
    alvetra::installQtPolish(app);
    // The window's texts are sized for Arial 8 pt (11 pixels); Liberation Sans takes its place.
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    QApplication::setFont(font);

    // Beside the executable in the build tree; <prefix>/share/alvetra when installed.
    const alvetra::ProgramFolders folders = alvetra::ProgramFolders::ofThisProgram();
    QGuiApplication::setDesktopFileName(QStringLiteral("alvetra"));
    QApplication::setWindowIcon(QIcon(QDir(folders.data).filePath(QStringLiteral("alvetra.png"))));

    alvetra::WidgetDialogs dialogs;
    app.setDialogs(&dialogs);
    alvetra::AppShell shell(alvetra::PreferencesFile(alvetra::PreferencesFile::locate(folders.preferences), folders.documents),
                            dialogs);

    // The simulated unit behind the port "Symulator" lives as long as the window.
    alvetra::PortTransports transports;

    alvetra::WindowSetup setup;
    setup.portNames = alvetra::portList(alvetra::systemSerialPorts(), options.extraPorts);
    setup.forcedPort = options.selectedPort;
    setup.trafficLogPath = options.trafficLogPath;
    setup.trafficLogSecrets = options.trafficLogSecrets;
    setup.programFolder = folders.data;
    setup.backupFolder = alvetra::defaultBackupFolder();
    setup.scanPorts = alvetra::scanSerialPorts;
    setup.dialogs = &dialogs;
    setup.shell = &shell;
    setup.transports = transports.factory();
    setup.reportError = [&app](std::exception_ptr error) { app.reportError(error); };

    // Once the window has closed, every wait still running (an operation interrupted by the
    // closing) ends at once.
    QObject::connect(&app, &QGuiApplication::lastWindowClosed, [] { alvetra::setApplicationTerminating(true); });

    alvetra::MainWindow window(setup);
    alvetra::PortWatcher portWatcher;
    QObject::connect(&portWatcher, &alvetra::PortWatcher::portsChanged, &window, &alvetra::MainWindow::refreshPorts);
    // Also closes a message box or the reminder still open during the start-up.
    alvetra::TerminationSignals termination([] { QApplication::closeAllWindows(); });
    window.startUp();
    if (window.hasClosed())
        return 0;
    window.show();
    if (!options.settingsFile.isEmpty())
        window.offerSettingsFile(options.settingsFile);
    return app.exec();
}
