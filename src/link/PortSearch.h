#pragma once
// The serial ports to offer in CMB_port: the system's serial devices in a stable, natural order
// ("ttyS2" before "ttyS10"), then the devices named on the command line, then the simulated unit.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace alvetra {

// A serial port as the system lists it now.
struct PortInfo {
    QString name;           // as listed in CMB_port ("ttyUSB0")
    QString description;    // what the system calls the device ("FT232R USB UART"); may be empty
    QString stableName;     // the name that stays the same when the adapter is plugged in again
                            // (its /dev/serial/by-id link); empty when the system gives none
    int latencyTimerMs = 0; // how long the adapter holds received bytes as its driver keeps it
                            // (FTDI's "LatencyTimer" on Windows); 0 when unknown or the program
                            // sets it itself (Linux: low-latency mode while the port is open)
};

// What a fitter is told once when the adapter behind a port holds received bytes long enough to
// slow every exchange (more than 2 ms), with how to lower it; nothing otherwise.
std::optional<QString> latencyAdvice(const PortInfo &port);

// Natural order: runs of digits compare by their value.
bool naturalLess(const QString &a, const QString &b);

// The name a device is listed under: relative to /dev ("ttyUSB0", "pts/3"), or the full path
// of a device elsewhere. The serial link opens "/dev/" + name for a relative name.
QString portNameForDevice(const QString &device);

// The system's serial ports by name ("ttyS0", "ttyUSB0"), naturally ordered.
QStringList systemSerialPorts();

// The system's serial ports with their descriptions and stable names, naturally ordered, each
// name once. Linux: Qt's list of serial devices, the stable name the /dev/serial/by-id link
// (PortSearch_unix.cpp). Windows: COM1 to COM256, described by the device that owns each, the
// stable name that device's instance ID (PortSearch_win.cpp).
std::vector<PortInfo> scanSerialPorts();

// `found` naturally ordered, followed by each extra device (by its port name) not yet listed,
// in the given order.
QStringList portList(QStringList found, const QStringList &extras);

} // namespace alvetra
