// The window's start-up and shutdown with the real preferences file and COM information dialog.

#include "../ui/RecordingDialogs.h"

#include "app/AppShell.h"
#include "app/Preferences.h"
#include "app/PortReminderDialog.h"
#include "ui/MainWindow.h"

#include <QCheckBox>
#include <QDir>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace alvetra;
using alvetra::test::RecordingDialogs;

namespace {

// The listed ports are names only: opening one makes no transport, so no device is touched.
std::unique_ptr<Transport> noDevices(const QString &, int)
{
    return nullptr;
}

class StartupTest : public ::testing::Test {
protected:
    QString iniPath() const { return dir.filePath(QStringLiteral("Serkano.ini")); }

    // One run of the program: start, let `during` act, close.
    void run(const QStringList &ports, const std::function<void(MainWindow &)> &during = {})
    {
        AppShell shell(PreferencesFile(iniPath(), dir.path()), dialogs);
        WindowSetup setup;
        setup.portNames = ports;
        setup.programFolder = dir.path();
        setup.dialogs = &dialogs;
        setup.shell = &shell;
        setup.openUrl = [](const QUrl &) { return true; };
        setup.transports = [this](const QString &port, int speedIndex) {
            opened.emplace_back(port, speedIndex);
            return noDevices(port, speedIndex);
        };
        MainWindow window(setup);
        window.startUp();
        if (during)
            during(window);
        window.close();
    }

    int comDialogsShown() const
    {
        return static_cast<int>(std::count(dialogs.events.begin(), dialogs.events.end(),
                                           QStringLiteral("dialog:ComInformation")));
    }

    QString stored(const char *key) const
    {
        return QSettings(iniPath(), QSettings::IniFormat).value(QString::fromLatin1(key)).toString();
    }

    QTemporaryDir dir;
    RecordingDialogs dialogs;
    std::vector<std::pair<QString, int>> opened;   // port and speed index of every opening
};

void tickAndCloseByCloseBox(QDialog &dialog)
{
    dialog.show();
    dialog.findChild<QCheckBox *>(QStringLiteral("CheckBox1"))->setChecked(true);
    dialog.close();
}

} // namespace

TEST_F(StartupTest, ClosingWritesAllSevenKeys)
{
    run({QStringLiteral("ttyS0"), QStringLiteral("ttyS1")}, [](MainWindow &w) {
        w.findChild<QComboBox *>(QStringLiteral("CMB_port"))->setCurrentIndex(1);
        w.findChild<QComboBox *>(QStringLiteral("CMB_PortSpeed"))->setCurrentIndex(9);
    });
    EXPECT_EQ(stored("COMMSETTINGS/CMBPORTINDEX"), QStringLiteral("1"));
    EXPECT_EQ(stored("COMMSETTINGS/CMBPORTSPEEDINDEX"), QStringLiteral("9"));
    // The folders as the system writes them ("C:\\…\\" on Windows), read back by the program.
    const WindowPreferences back = PreferencesFile(iniPath(), dir.path()).read();
    EXPECT_EQ(back.saveDialogFolder, QDir::toNativeSeparators(dir.path() + QLatin1Char('/')));
    EXPECT_EQ(back.openDialogFolder, QDir::toNativeSeparators(dir.path() + QLatin1Char('/')));
    const QSettings settings(iniPath(), QSettings::IniFormat);
    EXPECT_TRUE(settings.contains(QStringLiteral("FORM1/TOP")));
    EXPECT_TRUE(settings.contains(QStringLiteral("FORM1/LEFT")));
    EXPECT_EQ(stored("COMINFORMATION/VALUE"), QStringLiteral("1"));

    // The next start takes the choices back.
    run({QStringLiteral("ttyS0"), QStringLiteral("ttyS1")}, [](MainWindow &w) {
        EXPECT_EQ(w.findChild<QComboBox *>(QStringLiteral("CMB_port"))->currentText(), QStringLiteral("ttyS1"));
        EXPECT_EQ(w.findChild<QComboBox *>(QStringLiteral("CMB_PortSpeed"))->currentText(), QStringLiteral("38400"));
    });
}

TEST_F(StartupTest, ComDialogClosedByItsCloseBoxWithTheBoxTickedStaysAwayNextStart)
{
    dialogs.onDialog = [](QDialog &dialog) {
        tickAndCloseByCloseBox(dialog);
        return dialog.result();
    };
    run({QStringLiteral("ttyS0")});
    EXPECT_EQ(comDialogsShown(), 1);
    EXPECT_EQ(stored("COMINFORMATION/VALUE"), QStringLiteral("0"));
    run({QStringLiteral("ttyS0")});
    EXPECT_EQ(comDialogsShown(), 1);

    // Without the key the reminder is back.
    QSettings(iniPath(), QSettings::IniFormat).remove(QStringLiteral("COMINFORMATION/VALUE"));
    run({QStringLiteral("ttyS0")});
    EXPECT_EQ(comDialogsShown(), 2);
}

TEST_F(StartupTest, ComDialogConfirmedWithOkAndTheBoxClearKeepsShowing)
{
    dialogs.onDialog = [](QDialog &dialog) {
        dialog.show();
        dialog.findChild<QPushButton *>(QStringLiteral("OKBtn"))->click();
        return dialog.result();
    };
    run({QStringLiteral("ttyS0")});
    run({QStringLiteral("ttyS0")});
    EXPECT_EQ(comDialogsShown(), 2);
    EXPECT_EQ(stored("COMINFORMATION/VALUE"), QStringLiteral("1"));
}

TEST_F(StartupTest, ComDialogLayoutAndText)
{
    PortReminderDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("ff"));
    EXPECT_EQ(dialog.size(), QSize(313, 214));
    auto *label = dialog.findChild<QLabel *>(QStringLiteral("Label1"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("\nUstaw odpowiedni port COM\n\nPo zmianie prędkości (19200) wyłącz program "
                                            "\ni uruchom jeszcze raz.\n"));
    auto *box = dialog.findChild<QCheckBox *>(QStringLiteral("CheckBox1"));
    EXPECT_EQ(box->text(), QStringLiteral("Nie pokazuj tego okna więcej"));
    EXPECT_FALSE(box->isChecked());
    EXPECT_TRUE(dialog.findChild<QPushButton *>(QStringLiteral("OKBtn"))->isDefault());
}

TEST_F(StartupTest, ValueZeroSuppressesTheDialogAndNoPortShowsWarningFirst)
{
    QSettings(iniPath(), QSettings::IniFormat).setValue(QStringLiteral("COMINFORMATION/VALUE"), QStringLiteral("0"));
    run({QStringLiteral("ttyS0")});
    EXPECT_EQ(comDialogsShown(), 0);

    QSettings(iniPath(), QSettings::IniFormat).setValue(QStringLiteral("COMINFORMATION/VALUE"), QStringLiteral("1"));
    dialogs.events.clear();
    run({});
    ASSERT_EQ(dialogs.events.size(), 2u);
    EXPECT_EQ(dialogs.events[0], QStringLiteral("message"));
    EXPECT_EQ(dialogs.events[1], QStringLiteral("dialog:ComInformation"));
    EXPECT_EQ(stored("COMMSETTINGS/CMBPORTINDEX"), QStringLiteral("-1"));
}

TEST_F(StartupTest, AfterARunWithoutTheAdapterTheNextOpensTheFirstPortAt19200)
{
    run({});
    ASSERT_EQ(stored("COMMSETTINGS/CMBPORTINDEX"), QStringLiteral("-1"));
    ASSERT_EQ(stored("COMMSETTINGS/CMBPORTSPEEDINDEX"), QStringLiteral("-1"));
    run({QStringLiteral("ttyS0"), QStringLiteral("ttyUSB0")}, [](MainWindow &w) {
        EXPECT_EQ(w.findChild<QComboBox *>(QStringLiteral("CMB_PortSpeed"))->currentText(), QStringLiteral("19200"));
    });
    EXPECT_EQ(opened, (std::vector<std::pair<QString, int>>{{QStringLiteral("ttyS0"), 8}}));
    EXPECT_EQ(stored("COMMSETTINGS/CMBPORTINDEX"), QStringLiteral("0"));
}

TEST_F(StartupTest, TopZeroWithLeftSetCentresTheWindow)
{
    {
        QSettings settings(iniPath(), QSettings::IniFormat);
        settings.setValue(QStringLiteral("FORM1/TOP"), QStringLiteral("0"));
        settings.setValue(QStringLiteral("FORM1/LEFT"), QStringLiteral("77"));
        settings.setValue(QStringLiteral("COMINFORMATION/VALUE"), QStringLiteral("0"));
    }
    QPoint centre, desktopCentre;
    run({QStringLiteral("ttyS0")}, [&](MainWindow &w) {
        centre = w.frameGeometry().center();
        desktopCentre = w.screen()->availableGeometry().center();
    });
    EXPECT_LE(std::abs(centre.x() - desktopCentre.x()), 1);
    EXPECT_LE(std::abs(centre.y() - desktopCentre.y()), 1);
}

TEST_F(StartupTest, EmptyStoredFolderGivesTheDialogNoInitialFolder)
{
    {
        QSettings settings(iniPath(), QSettings::IniFormat);
        settings.setValue(QStringLiteral("OPENDIALOG1/PATH"), QString());
        settings.setValue(QStringLiteral("COMINFORMATION/VALUE"), QStringLiteral("0"));
    }
    run({QStringLiteral("ttyS0")}, [](MainWindow &w) {
        EXPECT_TRUE(w.openDialogSettings().initialFolder.isEmpty());
        EXPECT_FALSE(w.saveDialogSettings().initialFolder.isEmpty());
    });
}

TEST_F(StartupTest, UnwritablePreferencesNeverStopTheClosing)
{
    AppShell shell(PreferencesFile(QStringLiteral("/proc/alvetra-no-such/Serkano.ini"), dir.path()), dialogs);
    WindowSetup setup;
    setup.portNames = {QStringLiteral("ttyS0")};
    setup.programFolder = dir.path();
    setup.dialogs = &dialogs;
    setup.shell = &shell;
    setup.transports = noDevices;
    MainWindow window(setup);
    window.startUp();
    window.show();
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
}
