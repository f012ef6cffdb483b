// The latency timer of an FTDI adapter as its driver keeps it, read under Wine from a device
// entry made where the driver's installation makes one.

#include "link/PortSearch.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

using namespace alvetra;

namespace {

const wchar_t *const kFtdiBus = L"SYSTEM\\CurrentControlSet\\Enum\\FTDIBUS";

// An FT232's entry in the system's device list: the class "Ports (COM & LPT)", and beside the
// port's name the driver's own settings.
class FtdiAdapter {
public:
    FtdiAdapter(const wchar_t *port, DWORD latencyMs)
    {
        HKEY device = nullptr;
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Enum\\FTDIBUS\\VID_0403+PID_6001+A10ALVETA\\0000",
                        0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &device, nullptr);
        setText(device, L"ClassGUID", L"{4d36e978-e325-11ce-bfc1-08002be10318}");
        setText(device, L"Class", L"Ports");
        setText(device, L"FriendlyName", L"USB Serial Port (COM57)");
        HKEY parameters = nullptr;
        RegCreateKeyExW(device, L"Device Parameters", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &parameters, nullptr);
        setText(parameters, L"PortName", port);
        RegSetValueExW(parameters, L"LatencyTimer", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&latencyMs), sizeof(latencyMs));
        RegCloseKey(parameters);
        RegCloseKey(device);
    }
    ~FtdiAdapter() { RegDeleteTreeW(HKEY_LOCAL_MACHINE, kFtdiBus); }

private:
    static void setText(HKEY key, const wchar_t *name, const wchar_t *text)
    {
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(text),
                       static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
    }
};

} // namespace

TEST(WindowsPortSearch, AnFtdiAdaptersLatencyTimerComesFromItsDriversSettings)
{
    const FtdiAdapter adapter(L"COM57", 16);
    const std::vector<PortInfo> ports = scanSerialPorts();
    const auto com57 = std::find_if(ports.begin(), ports.end(), [](const PortInfo &p) { return p.name == QStringLiteral("COM57"); });
    ASSERT_NE(com57, ports.end());
    EXPECT_EQ(com57->description, QStringLiteral("USB Serial Port"));
    EXPECT_EQ(com57->latencyTimerMs, 16);
    EXPECT_TRUE(latencyAdvice(*com57));
}
