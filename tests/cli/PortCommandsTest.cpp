// What alvetra-cli ports prints of a list of ports and of its changes.

#include "cli/PortCommands.h"

#include <gtest/gtest.h>

using namespace alvetra;
using namespace alvetra::cli;

TEST(PortCommands, AWatchTellsThePortsGoneThenThePortsComeWithTheirDescriptions)
{
    const PortInfo com1{QStringLiteral("ttyS0"), {}, {}};
    const PortInfo ftdi{QStringLiteral("ttyUSB0"), QStringLiteral("FT232R USB UART"),
                        QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1-if00-port0")};
    const PortInfo ch340{QStringLiteral("ttyUSB1"), QStringLiteral("USB Serial"), {}};

    EXPECT_EQ(portLine(com1), QStringLiteral("ttyS0"));
    EXPECT_EQ(portLine(ftdi),
              QStringLiteral("ttyUSB0  FT232R USB UART  /dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1-if00-port0"));

    EXPECT_TRUE(portChanges({com1, ftdi}, {com1, ftdi}).isEmpty());
    // The FTDI adapter pulled out and a CH340 plugged in between two looks.
    EXPECT_EQ(portChanges({com1, ftdi}, {com1, ch340}),
              (QStringList{QStringLiteral("- ttyUSB0"), QStringLiteral("+ ttyUSB1  USB Serial")}));
    // The same name back with another description is the same port: nothing to tell.
    EXPECT_TRUE(portChanges({ftdi}, {PortInfo{QStringLiteral("ttyUSB0"), QStringLiteral("other"), {}}}).isEmpty());
}
