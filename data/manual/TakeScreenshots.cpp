// Takes the pictures of the real main window that the user manual shows: the window on the
// simulated unit before and after connecting, every tab, the start-up reminder and the message
// boxes a fitter meets first. The window, its link and its operations are the program's own;
// only the message boxes are captured and answered here instead of waiting for a click.
//
//   alvetra-screenshots OUTPUT_FOLDER DATA_FOLDER
// DATA_FOLDER holds what the program reads beside itself (car databases, "Ikony/").

#include "ui/Dialogs.h"
#include "sim/PortTransports.h"
#include "sim/SimulatedTransport.h"
#include "sim/SimulatedUnit.h"
#include "ui/StatusLine.h"
#include "app/PortReminderDialog.h"
#include "ui/MainWindow.h"
#include "ui/TrafficConsole.h"
#include "alarm/UserMessage.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTabWidget>
#include <QThread>
#include <cstdio>
#include <functional>

namespace alvetra {
namespace {

void processEventsFor(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
}

bool waitUntil(const std::function<bool()> &done, int limitMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return true;
}

class Pictures {
public:
    explicit Pictures(QString folder) : folder_(std::move(folder)) {}

    void save(QWidget &widget, const QString &name)
    {
        processEventsFor(50);
        const QString path = QDir(folder_).filePath(name + QStringLiteral(".png"));
        if (!widget.grab().save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ok_ = false;
            return;
        }
        std::printf("%s\n", qPrintable(path));
    }
    bool ok() const { return ok_; }

private:
    QString folder_;
    bool ok_ = true;
};

// The program's message boxes, each pictured under the name asked for before it appears, then
// answered with OK. File dialogs are cancelled.
class PicturedDialogs : public Dialogs {
public:
    explicit PicturedDialogs(Pictures &pictures) : pictures_(pictures) {}

    void pictureNextBoxAs(const QString &name) { nextBox_ = name; }
    int boxesShown() const { return boxesShown_; }

    QMessageBox::StandardButton showMessage(QWidget *owner, const UserMessage &message,
                                            QMessageBox::StandardButtons buttons) override
    {
        ++boxesShown_;
        std::printf("box \"%s\": %s\n", qPrintable(message.caption), qPrintable(message.text));
        if (!nextBox_.isEmpty()) {
            // The box as WidgetDialogs builds it.
            QMessageBox box(message.icon == MessageIcon::Information ? QMessageBox::Information
                            : message.icon == MessageIcon::Error     ? QMessageBox::Critical
                                                                     : QMessageBox::Warning,
                            message.caption, message.text, buttons, owner);
            box.show();
            pictures_.save(box, nextBox_);
            nextBox_.clear();
        }
        return QMessageBox::Ok;
    }

    std::optional<QString> chooseFile(QWidget *, FileDialogSettings &) override { return std::nullopt; }

    int execDialog(QDialog &dialog) override
    {
        if (dialog.objectName() == QStringLiteral("InstallationSheetDialog"))
            return pictureSheetDialog(dialog);
        dialog.show();
        pictures_.save(dialog, QStringLiteral("przypomnienie-com"));
        dialog.hide();
        return QDialog::Accepted;
    }

    // The sheet's dialog as a fitter fills it in, then closed without saving.
    int pictureSheetDialog(QDialog &dialog)
    {
        const std::pair<const char *, const char *> fields[] = {
            {"ED_WarsztatNazwa", "Auto-Alarm Nowak"}, {"ED_WarsztatAdres", "ul. Polna 3, 90-001 Łódź"},
            {"ED_WarsztatTelefon", "42 600 00 00"},  {"ED_Marka", "Audi"},
            {"ED_Model", "A4 B6"},                   {"ED_NrRejestracyjny", "EL 12345"},
            {"ED_Vin", "WAUZZZ8E25A000123"}};
        for (const auto &[name, text] : fields) {
            if (auto *edit = dialog.findChild<QLineEdit *>(QString::fromLatin1(name)))
                edit->setText(QString::fromUtf8(text));
        }
        dialog.show();
        processEventsFor(200);
        pictures_.save(dialog, QStringLiteral("karta-montazu-okno"));
        dialog.hide();
        return QDialog::Rejected;
    }

private:
    Pictures &pictures_;
    QString nextBox_;
    int boxesShown_ = 0;
};

class ReminderShell : public ShellHooks {
public:
    explicit ReminderShell(Dialogs &dialogs) : dialogs_(dialogs) {}
    WindowPreferences readPreferences() override { return {}; }
    bool showComInformation(QWidget *) override { return PortReminderDialog::showComInformation(dialogs_); }
    void writePreferences(const WindowPreferences &) override {}

private:
    Dialogs &dialogs_;
};

template <typename T> T *child(MainWindow &window, const char *name)
{
    T *found = window.findChild<T *>(QString::fromLatin1(name));
    if (!found)
        std::fprintf(stderr, "the window has no %s\n", name);
    return found;
}

// The inputs a fitter typically sees on a car standing with the ignition on and the driver's
// door open, talking on the CAN bus.
void liveCar(sim::SimulatedUnit &unit)
{
    unit.setInput(sim::Input::Ignition, true);
    unit.setInput(sim::Input::DriverDoor, true);
    unit.setInput(sim::Input::CanIgnition, true);
    unit.setInput(sim::Input::CanActivity, true);
    unit.setInput(sim::Input::RadioActivity, true);
    unit.setInput(sim::Input::AntiTheftPresent, true);
    unit.setInput(sim::Input::AntiHijackPresent, true);
}

// Picks an item as the user does (the car selection follows the user's choice only).
void choose(QComboBox &box, const QString &item)
{
    const int index = box.findText(item);
    box.setCurrentIndex(index);
    emit box.activated(index);
}

const char *const kTabPictures[] = {"zakladka-hasla",    "zakladka-kierunki", "zakladka-zamki",
                                    "zakladka-przeciwkradziez", "zakladka-antynapad",
                                    "zakladka-ponowne-uzbrojenie", "zakladka-historia",
                                    "zakladka-can",      "zakladka-piloty",   "zakladka-monitor"};

int takePictures(const QString &outputFolder, const QString &dataFolder)
{
    Pictures pictures(outputFolder);
    PicturedDialogs dialogs(pictures);
    ReminderShell shell(dialogs);
    PortTransports transports;
    sim::SimulatedUnit &unit = transports.simulatedUnit();
    const QString simulator = QString::fromLatin1(sim::kSimulatorPortName);

    WindowSetup setup;
    setup.portNames = {QStringLiteral("ttyS0"), QStringLiteral("ttyUSB0"), simulator};
    setup.forcedPort = simulator;
    setup.programFolder = dataFolder;
    setup.dialogs = &dialogs;
    setup.shell = &shell;
    setup.transports = transports.factory();
    setup.openUrl = [](const QUrl &) { return true; };
    // A fixed moment, so that the history reads the same in every edition of the manual.
    setup.clock = [] { return QDateTime(QDate(2024, 5, 14), QTime(16, 20)); };

    MainWindow window(setup);
    window.startUp();
    window.show();
    if (!waitUntil([&] { return window.statusLine().panelText(0) == QStringLiteral("Port otwarty"); }, 5000)) {
        std::fprintf(stderr, "the simulated unit's port did not open\n");
        return 1;
    }
    liveCar(unit);
    processEventsFor(1500);
    pictures.save(window, QStringLiteral("okno-bez-dostepu"));
    if (QWidget *toolBar = child<QWidget>(window, "ToolBar1"))
        pictures.save(*toolBar, QStringLiteral("pasek-narzedzi"));

    child<QLineEdit>(window, "ED_HasloInst")->setText(QString::fromLatin1(sim::kDefaultPassword));
    pictures.save(*child<QWidget>(window, "GB_PolaczenieLogo"), QStringLiteral("panel-polaczenia"));
    dialogs.pictureNextBoxAs(QStringLiteral("komunikat-polaczono"));
    child<QAbstractButton>(window, "BITBTN_Polacz")->click();
    if (!window.isConnected()) {
        std::fprintf(stderr, "connecting to the simulated unit failed\n");
        return 1;
    }
    processEventsFor(300);
    pictures.save(window.statusLine(), QStringLiteral("pasek-stanu"));
    // The installation sheet's dialog, while the tabs show what the unit holds.
    if (auto *sheet = child<QAction>(window, "ActionKartaMontazu"))
        sheet->trigger();

    QTabWidget *pages = child<QTabWidget>(window, "PGC_Programator");
    for (int page = 0; page < pages->count(); ++page) {
        if (page == 7) {
            child<QCheckBox>(window, "CKB_AlarmCan")->setChecked(true);
            choose(*child<QComboBox>(window, "CMB_Marka"), QStringLiteral("Audi"));
            choose(*child<QComboBox>(window, "CMB_Model"), QStringLiteral("A4 B6"));
        }
        pages->setCurrentIndex(page);
        if (page == 9) {
            // Showing a tab slows the polling for one tick (3 s); then it is every 200 ms again.
            processEventsFor(3500);
            // A button of the alarm's own remote and the car's factory remote, pressed just now.
            unit.press(sim::Press::RemoteButton1);
            unit.press(sim::Press::CarRemoteUnlock);
        }
        processEventsFor(page == 9 ? 600 : 300);
        pictures.save(window, QString::fromLatin1(kTabPictures[page]));
    }

    // The traffic console after the connect: the login, the reads and the monitor's polls.
    window.showTrafficConsole();
    child<QCheckBox>(window, "CHB_UkryjStan")->setChecked(true);
    processEventsFor(300);
    pictures.save(window.trafficConsole(), QStringLiteral("ruch-na-laczu"));
    window.trafficConsole().hide();

    // What a fitter sees when the unit stops answering (the cable pulled, the unit without power).
    unit.setAnswering(false);
    pages->setCurrentIndex(0);
    dialogs.pictureNextBoxAs(QStringLiteral("komunikat-alarm-nie-odpowiada"));
    child<QAbstractButton>(window, "BITBTN_OdczytHasla")->click();
    unit.setAnswering(true);

    window.close();
    return pictures.ok() ? 0 : 1;
}

} // namespace
} // namespace alvetra

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER DATA_FOLDER\n", argv[0]);
        return 2;
    }
    // The program's own font (see src/app/main.cpp).
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    QApplication::setFont(font);
    const QString output = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(output)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    return alvetra::takePictures(output, QString::fromLocal8Bit(argv[2]));
}
