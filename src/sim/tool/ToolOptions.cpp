#include "sim/tool/ToolOptions.h"

#include "sim/UnitCommands.h"

#include <QCommandLineParser>
#include <QFile>
#include <algorithm>

namespace alvetra::sim {

namespace {

std::optional<ImageBytes> readMemoryImage(const QString &path, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (bytes.size() != kImageSize) {
        error = QStringLiteral("%1 holds %2 bytes; a memory image has exactly 256").arg(path).arg(bytes.size());
        return std::nullopt;
    }
    ImageBytes image{};
    std::copy(bytes.begin(), bytes.end(), image.begin());
    return image;
}

struct Numbers {
    QCommandLineParser &parser;
    QString &error;

    std::optional<long long> get(const QString &name, long long low, long long high)
    {
        if (!parser.isSet(name))
            return std::nullopt;
        bool ok = false;
        const long long v = parser.value(name).toLongLong(&ok);
        if (!ok || v < low || v > high) {
            error = QStringLiteral("--%1 wants a whole number from %2 to %3").arg(name).arg(low).arg(high);
            return std::nullopt;
        }
        return v;
    }

    std::optional<double> probability(const QString &name)
    {
        if (!parser.isSet(name))
            return std::nullopt;
        bool ok = false;
        const double p = parser.value(name).toDouble(&ok);
        if (!ok || p < 0.0 || p > 1.0) {
            error = QStringLiteral("--%1 wants a probability from 0 to 1").arg(name);
            return std::nullopt;
        }
        return p;
    }
};

void addOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Simulated alarm unit for Alvetra. Serves on a new pseudo-terminal (its path is printed)\n"
        "or on a serial device, and takes commands on standard input (type help)."));
    parser.addHelpOption();
    parser.addOptions({
        {"link", "Symlink PATH to the pseudo-terminal.", "path"},
        {"device", "Serve on a serial device (null-modem cable) instead of a pseudo-terminal.", "path"},
        {"baud", "Line speed in bit/s (default 19200; 0 = unpaced on a pseudo-terminal).", "bps"},
        {"id", "Identification string (default MZRv1.61).", "text"},
        {"family", "Firmware family 14..18 (picks a typical identification string).", "code"},
        {"password", "PC access password stored in the unit (default 1234).", "text"},
        {"memory", "256-byte memory image file.", "file"},
        {"first-text", "Text of reply 0x86.", "text"},
        {"second-text", "Text of reply 0x87.", "text"},
        {"counter", "Minute counter at start.", "minutes"},
        {"minute-ms", "Length of one counter minute in ms (default 60000).", "ms"},
        {"learn-after", "A learning ends by itself after MS (0 = only the learn command).", "ms"},
        {"learn-count", "What a learning that ends by itself reports (default 2).", "n"},
        {"seed", "Seed of the random faults and learnt records.", "n"},
        {"no-reply", "Request codes (hex, comma separated) never answered.", "codes"},
        {"latency", "Every reply late by MS.", "ms"},
        {"corrupt", "Probability that a reply is damaged.", "p"},
        {"noise", "Probability of noise bytes in front of a reply.", "p"},
        {"silence-after-reads", "After N answered reads, reads go unanswered until the next login.", "n"},
        {"refuse-write", "Refuse the K-th write request.", "k"},
        {"refuse-range", "Refuse writes to addresses FIRST-LAST (repeatable).", "first-last"},
        {"replay", "Answer from a recorded traffic log (alvetra --traffic-log) instead of the unit.", "file"},
        {"verbose", "Print every frame received and sent."},
        {"timestamps", "With --verbose: each frame's time first, in ms since the start (received: its last character; sent: gone out)."},
    });
}

bool readIdentity(QCommandLineParser &parser, Numbers &numbers, ToolOptions &o, QString &error)
{
    if (const auto family = numbers.get("family", 0, 255)) {
        const auto id = UnitCommands::identificationOfFamily(int(*family));
        if (!id) {
            error = QStringLiteral("--family wants 14, 15, 16, 17 or 18");
            return false;
        }
        o.unit.identification = *id;
    }
    if (parser.isSet("id"))
        o.unit.identification = parser.value("id");
    if (parser.isSet("first-text"))
        o.unit.firstText = parser.value("first-text");
    if (parser.isSet("second-text"))
        o.unit.secondText = parser.value("second-text");
    if (parser.isSet("password")) {
        o.unit.password = parser.value("password");
        if (o.unit.password.size() != 4) {
            error = QStringLiteral("--password wants exactly 4 characters");
            return false;
        }
    }
    if (parser.isSet("memory")) {
        o.unit.memory = readMemoryImage(parser.value("memory"), error);
        if (!o.unit.memory)
            return false;
    }
    return error.isEmpty();
}

bool readTiming(Numbers &numbers, ToolOptions &o, QString &error)
{
    if (const auto v = numbers.get("baud", 0, 4000000)) o.unit.lineSpeed = int(*v);
    if (const auto v = numbers.get("counter", 0, 0xFFFFFF)) o.unit.minuteCounter = std::uint32_t(*v);
    if (const auto v = numbers.get("minute-ms", 1, 3600000)) o.unit.minuteLength = std::chrono::milliseconds(*v);
    if (const auto v = numbers.get("learn-after", 0, 3600000)) o.unit.learningTime = std::chrono::milliseconds(*v);
    if (const auto v = numbers.get("learn-count", 0, 4)) o.unit.learnedByItself = int(*v);
    if (const auto v = numbers.get("seed", 0, 0xFFFFFFFFLL)) o.unit.seed = std::uint32_t(*v);
    return error.isEmpty();
}

bool readFaults(QCommandLineParser &parser, Numbers &numbers, ToolOptions &o, QString &error)
{
    if (parser.isSet("no-reply")) {
        const auto codes = UnitCommands::parseRequestCodes(parser.value("no-reply"));
        if (!codes) {
            error = QStringLiteral("--no-reply wants request codes in hex, e.g. 08,0c");
            return false;
        }
        o.faults.unansweredCodes = *codes;
    }
    if (const auto v = numbers.get("latency", 0, 60000)) o.faults.latency = std::chrono::milliseconds(*v);
    if (const auto v = numbers.probability("corrupt")) o.faults.corruptProbability = *v;
    if (const auto v = numbers.probability("noise")) o.faults.noiseProbability = *v;
    if (const auto v = numbers.get("silence-after-reads", 0, 1000000)) o.faults.silenceAfterReads = int(*v);
    if (const auto v = numbers.get("refuse-write", 1, 1000000)) o.faults.refuseWrite = int(*v);
    for (const QString &range : parser.values("refuse-range")) {
        const QStringList ends = range.split('-');
        bool okFirst = false, okLast = false;
        const int first = ends.value(0).toInt(&okFirst);
        const int last = ends.value(ends.size() - 1).toInt(&okLast);
        if (!okFirst || !okLast || ends.size() > 2 || std::min(first, last) < 0 || std::max(first, last) > 255) {
            error = QStringLiteral("--refuse-range wants FIRST-LAST, addresses 0 to 255");
            return false;
        }
        o.refusedRanges.emplace_back(first, last);
    }
    return error.isEmpty();
}

} // namespace

ParsedOptions parseToolOptions(const QStringList &arguments)
{
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(arguments))
        return {std::nullopt, parser.errorText()};
    if (parser.isSet("help"))
        return {std::nullopt, parser.helpText(), true};
    if (!parser.positionalArguments().isEmpty())
        return {std::nullopt, QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first())};

    ToolOptions o;
    QString error;
    Numbers numbers{parser, error};
    if (!readIdentity(parser, numbers, o, error) || !readTiming(numbers, o, error) || !readFaults(parser, numbers, o, error))
        return {std::nullopt, error};
    o.linkPath = parser.value("link");
    o.devicePath = parser.value("device");
    o.verbose = parser.isSet("verbose");
    o.timestamps = parser.isSet("timestamps");
    o.replayPath = parser.value("replay");
    if (!o.devicePath.isEmpty() && !o.linkPath.isEmpty())
        return {std::nullopt, QStringLiteral("--link is for a pseudo-terminal; it cannot go with --device")};
    return {o, {}};
}

} // namespace alvetra::sim
