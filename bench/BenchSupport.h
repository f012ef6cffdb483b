#pragma once
// What every benchmark program shares: the line's timing, the goal, the machine it ran on and
// its numeric options.

#include <QFile>
#include <QString>
#include <QStringList>
#include <QSysInfo>

#include <unistd.h>

namespace alvetra::bench {

// The line of every benchmark: 19200 bit/s, 10 bits a character (8N1).
constexpr int kBitsPerSecond = 19200;
constexpr double kMsPerChar = 10.0 * 1000.0 / kBitsPerSecond;
// A time counts as good when it is at most this many times its physical limit.
constexpr double kGoalRatio = 1.10;

// Processor model, number of logical processors and kernel, for the heading of a result table.
inline QString machine()
{
    QString cpu;
    QFile info(QStringLiteral("/proc/cpuinfo"));
    if (info.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : info.readAll().split('\n')) {
            if (line.startsWith("model name")) {
                cpu = QString::fromLatin1(line.mid(line.indexOf(':') + 1).trimmed());
                break;
            }
        }
    }
    return QStringLiteral("%1, %2 logical CPUs, %3 %4")
        .arg(cpu)
        .arg(::sysconf(_SC_NPROCESSORS_ONLN))
        .arg(QSysInfo::kernelType(), QSysInfo::kernelVersion());
}

// The number after option `name` ("--runs 5"), or `fallback` when it is not given.
inline int argument(const QStringList &args, const QString &name, int fallback)
{
    const int at = args.indexOf(name);
    return at >= 0 && at + 1 < args.size() ? args[at + 1].toInt() : fallback;
}

} // namespace alvetra::bench
