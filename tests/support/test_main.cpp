// The one main of every test executable: a headless application (with widgets where the build
// has them), then GoogleTest.

#include <gtest/gtest.h>

#ifdef ALVETRA_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

int main(int argc, char **argv)
{
    // Headless where Qt has a headless platform (offscreen); Qt for Windows is built without it,
    // and its suites run on the Windows platform, under Wine on a virtual display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", ALVETRA_TEST_PLATFORM);
    TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
