// The whole link against the simulated unit on a pseudo-terminal, paced at 19200 bit/s: the
// same descriptor, reader thread, parser and transactions as with a real cable.

#include "sim/PtyServer.h"
#include "RecordingEvents.h"
#include "link/SerialLink.h"
#include "alarm/SettingsImage.h"
#include "sim/SimulatedUnit.h"
#include "link/Wait.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace alvetra;
using namespace alvetra::sim;
using namespace alvetra::test;

namespace {

constexpr int kSpeed19200 = 8;

class PtyEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(server.startPty(portPath)) << server.errorString().toStdString();
        ASSERT_TRUE(link.open(portPath, kSpeed19200));
        ASSERT_TRUE(waitFor([&] { return events.log.contains(QStringLiteral("portOpened")); }));
    }

    bool request(std::uint8_t code, const std::optional<QString> &hex = std::nullopt)
    {
        return link.sendRequest({.code = code, .hexText = hex, .repeatMs = 2600, .totalMs = 2500});
    }

    bool login()
    {
        return request(0x06) && request(0x07) && request(0x01, QStringLiteral("0431323334"));   // "1234"
    }

    QTemporaryDir dir;
    QString portPath = dir.filePath(QStringLiteral("unit"));
    SimulatedUnit unit;
    PtyServer server{unit};
    SettingsImage image;
    RecordingEvents events;
    SerialLink link{image, events, SerialLink::serialPorts()};
};

} // namespace

TEST_F(PtyEndToEnd, LoginReadAndWriteThroughAPseudoTerminal)
{
    ASSERT_TRUE(login());
    EXPECT_EQ(link.accessFlags() & 0x01, 0x01);
    EXPECT_EQ(events.panel2, QStringLiteral("Alvetra SIM  HW 3.2  MZRv1.61"));
    EXPECT_TRUE(events.log.contains(QStringLiteral("showDisarmed")));
    EXPECT_FALSE(events.log.contains(QStringLiteral("withdrawAccess")));

    for (int address = 0; address < kImageSize; address += 8)
        ASSERT_TRUE(link.readBlock(kUnitAddress, static_cast<std::uint8_t>(address), 8)) << address;
    EXPECT_EQ(image.bytes(), unit.memory());

    image.set(0x30, 0x5A);
    EXPECT_EQ(link.writeBlock(kUnitAddress, 0x30, 1, image), WriteResult::Written);
    EXPECT_EQ(unit.memoryAt(0x30), 0x5A);
    EXPECT_TRUE(request(0x0C));
    EXPECT_EQ(link.checksumErrors(), 0);
}

TEST_F(PtyEndToEnd, StatusReportsShowTheUnitsInputs)
{
    unit.setInput(Input::Ignition, true);
    ASSERT_TRUE(link.sendStatusRequest(2500, 1000));
    const StatusBytes s = unit.statusBytes();
    EXPECT_TRUE(events.log.contains(QStringLiteral("status %1 %2 %3 %4").arg(s[0]).arg(s[1]).arg(s[2]).arg(s[3])));
    EXPECT_EQ(s[2] & 0x01, 0x01);
}

TEST_F(PtyEndToEnd, PullingTheCableIsReportedOnceAndTheSamePortReopensAfterwards)
{
    unit.unplug();
    ASSERT_TRUE(waitFor([&] { return !link.hasReaderThread(); }));
    EXPECT_EQ(events.log.count(QStringLiteral("deviceLost ") + portPath), 1);
    EXPECT_FALSE(link.sendStatusRequest(1, 2));

    unit.replug();
    ASSERT_TRUE(waitFor([&] { return QFileInfo(portPath).exists(); }));
    ASSERT_EQ(link.reopen(portPath, kSpeed19200), SerialLink::StopResult::Stopped);
    ASSERT_TRUE(waitFor([&] { return events.log.count(QStringLiteral("portOpened")) == 2; }));
    EXPECT_TRUE(link.sendStatusRequest(2500, 1000));
    EXPECT_EQ(events.log.count(QStringLiteral("deviceLost ") + portPath), 1);
}

TEST_F(PtyEndToEnd, ASecondProgramOnTheSamePortIsToldItIsInUse)
{
    SettingsImage otherImage;
    RecordingEvents otherEvents;
    SerialLink other(otherImage, otherEvents, SerialLink::serialPorts());
    ASSERT_TRUE(other.open(portPath, kSpeed19200));
    ASSERT_TRUE(waitFor([&] { return !other.portOpen(); }));
    ASSERT_EQ(otherEvents.messages.size(), 1u);
    EXPECT_EQ(otherEvents.messages[0].text, QStringLiteral("Port %1 jest już używany przez inny program.").arg(portPath));
    // The first program still talks to the unit.
    EXPECT_TRUE(link.sendStatusRequest(2500, 1000));
}
