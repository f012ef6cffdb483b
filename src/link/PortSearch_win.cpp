#include "link/PortSearch.h"

#include <windows.h>
#include <initguid.h>
#include <devguid.h>
#include <setupapi.h>
#include <cfgmgr32.h>

#include <QHash>
#include <algorithm>

namespace alvetra {

namespace {

constexpr int kHighestPort = 256;

// A COM port exists when its DOS device name resolves, whatever driver made it: a Plug and Play
// adapter, a driver of an old card, or a port a virtualiser (or Wine) maps. Nothing is opened.
bool dosDeviceExists(const QString &name)
{
    wchar_t target[MAX_PATH];
    return QueryDosDeviceW(reinterpret_cast<const wchar_t *>(name.utf16()), target, MAX_PATH) != 0;
}

QString registryString(HKEY key, const wchar_t *value)
{
    wchar_t text[256] = {};
    DWORD size = sizeof(text) - sizeof(wchar_t);
    DWORD type = 0;
    if (RegQueryValueExW(key, value, nullptr, &type, reinterpret_cast<BYTE *>(text), &size) != ERROR_SUCCESS
        || type != REG_SZ)
        return {};
    return QString::fromWCharArray(text).trimmed();
}

DWORD registryNumber(HKEY key, const wchar_t *value)
{
    DWORD number = 0;
    DWORD size = sizeof(number);
    DWORD type = 0;
    if (RegQueryValueExW(key, value, nullptr, &type, reinterpret_cast<BYTE *>(&number), &size) != ERROR_SUCCESS
        || type != REG_DWORD)
        return 0;
    return number;
}

QString deviceProperty(HDEVINFO devices, SP_DEVINFO_DATA &device, DWORD property)
{
    wchar_t text[256] = {};
    if (!SetupDiGetDeviceRegistryPropertyW(devices, &device, property, nullptr, reinterpret_cast<BYTE *>(text),
                                           sizeof(text) - sizeof(wchar_t), nullptr))
        return {};
    return QString::fromWCharArray(text).trimmed();
}

// "USB Serial Port (COM5)" says the port twice in the list: the name goes.
QString withoutPortName(QString description, const QString &port)
{
    const QString suffix = QStringLiteral(" (%1)").arg(port);
    if (description.endsWith(suffix, Qt::CaseInsensitive))
        description.chop(suffix.size());
    return description;
}

// The devices of the "Ports (COM & LPT)" class that are present, by the COM port each owns.
QHash<QString, PortInfo> describedPorts()
{
    QHash<QString, PortInfo> ports;
    HDEVINFO devices = SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE)
        return ports;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    for (DWORD i = 0; SetupDiEnumDeviceInfo(devices, i, &device); ++i) {
        HKEY key = SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
        if (key == INVALID_HANDLE_VALUE)
            continue;
        const QString port = registryString(key, L"PortName").toUpper();
        // FTDI's driver keeps the adapter's latency timer beside the port's name.
        const DWORD latencyMs = registryNumber(key, L"LatencyTimer");
        RegCloseKey(key);
        if (!port.startsWith(QLatin1String("COM")))
            continue;   // a printer port of the same class
        QString description = deviceProperty(devices, device, SPDRP_FRIENDLYNAME);
        if (description.isEmpty())
            description = deviceProperty(devices, device, SPDRP_DEVICEDESC);
        wchar_t instance[MAX_DEVICE_ID_LEN] = {};
        const bool identified = SetupDiGetDeviceInstanceIdW(devices, &device, instance, MAX_DEVICE_ID_LEN, nullptr);
        ports.insert(port, {port, withoutPortName(description, port),
                            identified ? QString::fromWCharArray(instance) : QString(), static_cast<int>(latencyMs)});
    }
    SetupDiDestroyDeviceInfoList(devices);
    return ports;
}

} // namespace

std::vector<PortInfo> scanSerialPorts()
{
    const QHash<QString, PortInfo> described = describedPorts();
    std::vector<PortInfo> ports;
    for (int number = 1; number <= kHighestPort; ++number) {
        const QString name = QStringLiteral("COM%1").arg(number);
        if (described.contains(name))
            ports.push_back(described.value(name));
        else if (dosDeviceExists(name))
            ports.push_back({name, QString(), QString()});
    }
    return ports;   // COM1 to COM256 in order: already the natural one
}

} // namespace alvetra
