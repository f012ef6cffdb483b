#include "link/PortSearch.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSerialPortInfo>
#include <algorithm>

namespace alvetra {

std::vector<PortInfo> scanSerialPorts()
{
    // The stable names: /dev/serial/by-id holds one link per USB adapter, named after its maker,
    // model and serial number.
    QHash<QString, QString> stableNames;
    const QDir byId(QStringLiteral("/dev/serial/by-id"));
    for (const QFileInfo &link : byId.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot))
        stableNames.insert(link.canonicalFilePath(), link.fileName());

    std::vector<PortInfo> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        if (std::any_of(ports.begin(), ports.end(), [&](const PortInfo &p) { return p.name == info.portName(); }))
            continue;
        const QString device = QFileInfo(info.systemLocation()).canonicalFilePath();
        ports.push_back({info.portName(), info.description(), stableNames.value(device)});
    }
    std::sort(ports.begin(), ports.end(), [](const PortInfo &a, const PortInfo &b) { return naturalLess(a.name, b.name); });
    return ports;
}

} // namespace alvetra
