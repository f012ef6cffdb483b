#include "link/PortSearch.h"

#include "link/LinkTexts.h"

#include <QDir>
#include <algorithm>

namespace alvetra {

namespace {

// Up to 2 ms the hold costs a full read a tenth of a second or less.
constexpr int kHighestHarmlessLatencyMs = 2;
// The replies a full read waits for: the login's three, 32 blocks, the counter written back.
constexpr int kRepliesOfAFullRead = 36;

// Splits off the leading run of digits or of non-digits.
QStringView nextChunk(QStringView text)
{
    const bool digits = text.front().isDigit();
    qsizetype n = 1;
    while (n < text.size() && text.at(n).isDigit() == digits)
        ++n;
    return text.left(n);
}

int compareNumbers(QStringView a, QStringView b)
{
    while (a.size() > 1 && a.front() == QLatin1Char('0'))
        a = a.mid(1);
    while (b.size() > 1 && b.front() == QLatin1Char('0'))
        b = b.mid(1);
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

} // namespace

bool naturalLess(const QString &left, const QString &right)
{
    QStringView a(left), b(right);
    while (!a.isEmpty() && !b.isEmpty()) {
        const QStringView ca = nextChunk(a), cb = nextChunk(b);
        const bool numbers = ca.front().isDigit() && cb.front().isDigit();
        const int order = numbers ? compareNumbers(ca, cb) : ca.compare(cb);
        if (order != 0)
            return order < 0;
        a = a.mid(ca.size());
        b = b.mid(cb.size());
    }
    if (a.isEmpty() != b.isEmpty())
        return a.isEmpty();
    return left < right;   // equal by value ("COM01" and "COM1"): keep a strict, stable order
}

QString portNameForDevice(const QString &device)
{
    const QString devFolder = QStringLiteral("/dev/");
    const QString path = QDir::cleanPath(device);
    if (path.startsWith(devFolder) && path.size() > devFolder.size())
        return path.mid(devFolder.size());
    return device;
}

QStringList systemSerialPorts()
{
    QStringList names;
    for (const PortInfo &port : scanSerialPorts())
        names << port.name;
    return names;
}

QStringList portList(QStringList found, const QStringList &extras)
{
    std::sort(found.begin(), found.end(), naturalLess);
    for (const QString &extra : extras) {
        const QString name = portNameForDevice(extra);
        if (!name.isEmpty() && !found.contains(name))
            found << name;
    }
    return found;
}

std::optional<QString> latencyAdvice(const PortInfo &port)
{
    if (port.latencyTimerMs <= kHighestHarmlessLatencyMs)
        return std::nullopt;
    // Each reply's tail may wait the whole time in the adapter.
    const double lateSeconds = kRepliesOfAFullRead * port.latencyTimerMs / 1000.0;
    const QString seconds = QString::number(lateSeconds, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(','));
    return linktexts::kLatencyAdvice.arg(port.name).arg(port.latencyTimerMs).arg(seconds);
}

} // namespace alvetra
