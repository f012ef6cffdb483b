// The whole program over a real pseudo-terminal, as over a serial adapter on Linux.

#include "WindowHarness.h"

#include "link/PortSearch.h"
#include "sim/PtyServer.h"

#include <QComboBox>
#include <QSpinBox>

using namespace alvetra;
using namespace alvetra::test;

TEST_F(WindowTest, TheWholeProgramWorksOverAPseudoTerminal)
{
    sim::PtyServer server(*unit);
    ASSERT_TRUE(server.startPty()) << server.errorString().toStdString();
    const QString portName = portNameForDevice(server.devicePath());
    start({portName});
    EXPECT_EQ(find<QComboBox>("CMB_port")->currentText(), portName);
    EXPECT_TRUE(waitFor([&] { return unit->received(0x08).size() >= 3; }));

    connect();
    EXPECT_EQ(visibleTabs(), 10);
    EXPECT_EQ(find<QSpinBox>("SPE_CzasPoStacyjce")->value(), 10);
    find<QSpinBox>("SPE_CzasPoStacyjce")->setValue(12);
    trigger("ActionZapisZamki");
    EXPECT_EQ(statusText(), QStringLiteral("Zapisano zamki"));
    EXPECT_EQ(unit->memoryAt(76), 12);
    EXPECT_EQ(panel(1), QStringLiteral("CRC Error:0"));

    unit->clearFrameLog();
    window->close();
    EXPECT_EQ(codesReceived(), (std::vector<int>{0x0B, 0x0B, 0x0B, 0x0B}));
    EXPECT_EQ(panel(0), QStringLiteral("Port zamknięty"));
    EXPECT_TRUE(dialogs.messages.empty());
}
