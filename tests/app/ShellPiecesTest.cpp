// Port list, command line and the general error handler.

#include "../ui/RecordingDialogs.h"

#include "app/CommandLine.h"
#include "alarm/FileError.h"
#include "app/GuardedApplication.h"
#include "link/PortSearch.h"
#include "app/QtTranslations.h"

#include <QPushButton>
#include <QTranslator>
#include <QTest>
#include <gtest/gtest.h>
#include <algorithm>

using namespace alvetra;

TEST(PortList, NaturalOrderThenCommandLineDevices)
{
    QStringList found = {QStringLiteral("ttyS10"), QStringLiteral("ttyUSB0"), QStringLiteral("ttyS2"),
                         QStringLiteral("ttyACM0"), QStringLiteral("ttyS0")};
    const QStringList list = portList(found, {QStringLiteral("/dev/ttyS2"), QStringLiteral("/dev/pts/7"),
                                              QStringLiteral("/tmp/unit"), QStringLiteral("Symulator")});
    EXPECT_EQ(list, (QStringList{QStringLiteral("ttyACM0"), QStringLiteral("ttyS0"), QStringLiteral("ttyS2"),
                                 QStringLiteral("ttyS10"), QStringLiteral("ttyUSB0"), QStringLiteral("pts/7"),
                                 QStringLiteral("/tmp/unit"), QStringLiteral("Symulator")}));
}

TEST(PortList, NaturalLessIsAStrictOrder)
{
    EXPECT_TRUE(naturalLess(QStringLiteral("COM2"), QStringLiteral("COM10")));
    EXPECT_FALSE(naturalLess(QStringLiteral("COM10"), QStringLiteral("COM2")));
    EXPECT_FALSE(naturalLess(QStringLiteral("COM2"), QStringLiteral("COM2")));
    EXPECT_TRUE(naturalLess(QStringLiteral("COM"), QStringLiteral("COM1")));
    // Equal by value but different text: still ordered one way only.
    EXPECT_NE(naturalLess(QStringLiteral("COM01"), QStringLiteral("COM1")),
              naturalLess(QStringLiteral("COM1"), QStringLiteral("COM01")));
    EXPECT_TRUE(naturalLess(QStringLiteral("ttyS99999999999999999999"), QStringLiteral("ttyS100000000000000000000")));
}

TEST(PortList, DeviceNames)
{
    EXPECT_EQ(portNameForDevice(QStringLiteral("/dev/ttyUSB0")), QStringLiteral("ttyUSB0"));
    EXPECT_EQ(portNameForDevice(QStringLiteral("/dev//pts/3")), QStringLiteral("pts/3"));
    EXPECT_EQ(portNameForDevice(QStringLiteral("/home/x/ttyV0")), QStringLiteral("/home/x/ttyV0"));
    EXPECT_EQ(portNameForDevice(QStringLiteral("Symulator")), QStringLiteral("Symulator"));
}

TEST(CommandLine, PortAndSimulatorOptions)
{
    CommandLineOptions options;
    QString error;
    ASSERT_TRUE(parseArguments({QStringLiteral("alvetra")}, options, error));
    EXPECT_TRUE(options.extraPorts.isEmpty());
    EXPECT_TRUE(options.selectedPort.isEmpty());

    ASSERT_TRUE(parseArguments({QStringLiteral("alvetra"), QStringLiteral("--port"), QStringLiteral("/dev/pts/4")},
                               options, error));
    EXPECT_EQ(options.extraPorts, QStringList{QStringLiteral("/dev/pts/4")});
    EXPECT_EQ(options.selectedPort, QStringLiteral("pts/4"));

    ASSERT_TRUE(parseArguments({QStringLiteral("alvetra"), QStringLiteral("--port=/dev/ttyS1"),
                                QStringLiteral("--simulator")},
                               options, error));
    EXPECT_EQ(options.extraPorts, (QStringList{QStringLiteral("/dev/ttyS1"), QStringLiteral("Symulator")}));
    EXPECT_EQ(options.selectedPort, QStringLiteral("Symulator"));

    EXPECT_FALSE(parseArguments({QStringLiteral("alvetra"), QStringLiteral("--bogus")}, options, error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(parseArguments({QStringLiteral("alvetra"), QStringLiteral("--port")}, options, error));
    // One settings file is opened (how the system opens a double-clicked ".alm"); a second is refused.
    ASSERT_TRUE(parseArguments({QStringLiteral("alvetra"), QStringLiteral("C:\\Auta\\golf.alm")}, options, error));
    EXPECT_EQ(options.settingsFile, QStringLiteral("C:\\Auta\\golf.alm"));
    EXPECT_FALSE(parseArguments({QStringLiteral("alvetra"), QStringLiteral("a.alm"), QStringLiteral("b.alm")},
                                options, error));
}

TEST(ErrorHandler, HandlerErrorIsShownWithTheApplicationTitleAndTheProgramGoesOn)
{
    alvetra::test::RecordingDialogs dialogs;
    QPushButton button;
    QObject::connect(&button, &QPushButton::clicked,
                     [] { throw FileError(QStringLiteral("Brak pliku z bazą danych o samochodach!")); });
    button.resize(40, 20);
    const bool finished = runGuarded(dialogs, [&] { QTest::mouseClick(&button, Qt::LeftButton); });
    EXPECT_FALSE(finished);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0],
              (UserMessage{QStringLiteral("Alvetra 1.61"), QStringLiteral("Brak pliku z bazą danych o samochodach!"),
                           MessageIcon::Error}));
    // The button still works afterwards.
    int clicks = 0;
    QObject::connect(&button, &QPushButton::pressed, [&] { ++clicks; });
    runGuarded(dialogs, [&] { QTest::mouseClick(&button, Qt::LeftButton); });
    EXPECT_EQ(clicks, 1);

    EXPECT_TRUE(runGuarded(dialogs, [] {}));
    EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST(ErrorHandler, MessagesForOtherErrors)
{
    const UserMessage standard = handlerErrorMessage(std::make_exception_ptr(std::runtime_error("disk full")));
    EXPECT_EQ(standard.text, QStringLiteral("disk full"));
    EXPECT_EQ(standard.icon, MessageIcon::Error);
    EXPECT_EQ(handlerErrorMessage(std::make_exception_ptr(42)).text, QStringLiteral("Nieznany błąd."));
}

TEST(QtTranslations, QtsOwnButtonsSpeakPolishOnceTheTranslationIsInstalled)
{
    QTranslator *translator = installQtPolish(*QCoreApplication::instance());
    ASSERT_NE(translator, nullptr);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Anuluj");
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), "Szukaj w:");
    QCoreApplication::removeTranslator(translator);
    delete translator;
}
