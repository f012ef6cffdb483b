// The Windows port list and its watcher, under Wine: COM42 and COM200 are made by the test
// set-up (tests/CMakeLists.txt), as Windows makes the ports of USB adapters.

#include "link/PortSearch.h"
#include "link/PortWatcher.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

#include <windows.h>
#include <dbt.h>

using namespace alvetra;

TEST(WindowsPorts, EveryMappedComPortUpTo256IsListedInNumberOrder)
{
    const std::vector<PortInfo> ports = scanSerialPorts();
    QStringList names;
    for (const PortInfo &port : ports)
        names << port.name;
    const qsizetype com42 = names.indexOf(QStringLiteral("COM42"));
    const qsizetype com200 = names.indexOf(QStringLiteral("COM200"));
    ASSERT_GE(com42, 0) << names.join(QLatin1Char(' ')).toStdString();
    ASSERT_GT(com200, com42);
    EXPECT_FALSE(names.contains(QStringLiteral("COM43")));
    EXPECT_EQ(systemSerialPorts(), names);
}

TEST(WindowsPorts, AnArrivalOrRemovalOfAPortIsToldOnceAndOtherDevicesAreNot)
{
    PortWatcher watcher;
    EXPECT_EQ(watcher.source(), QStringLiteral("WM_DEVICECHANGE"));
    QSignalSpy changes(&watcher, &PortWatcher::portsChanged);
    const HWND window = FindWindowW(L"AlvetraPortWatcher", nullptr);
    ASSERT_NE(window, nullptr);

    struct {
        DEV_BROADCAST_PORT_W header;
        wchar_t nameRoom[8];   // the port's name runs on past the header's one character
    } port{};
    port.header.dbcp_size = sizeof(port);
    port.header.dbcp_devicetype = DBT_DEVTYP_PORT;
    wcscpy(port.header.dbcp_name, L"COM9");
    // A plug-in comes as the port and its interface, one after the other: told once.
    SendMessageW(window, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&port));
    SendMessageW(window, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&port));
    ASSERT_TRUE(changes.wait(3000));
    EXPECT_EQ(changes.count(), 1);

    DEV_BROADCAST_VOLUME volume{};
    volume.dbcv_size = sizeof(volume);
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    SendMessageW(window, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&volume));
    EXPECT_FALSE(changes.wait(800));

    SendMessageW(window, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, reinterpret_cast<LPARAM>(&port));
    EXPECT_TRUE(changes.wait(3000));
}
