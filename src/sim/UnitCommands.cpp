#include "sim/UnitCommands.h"

#include <QRegularExpression>
#include <algorithm>
#include <QStringList>

namespace alvetra::sim {

namespace {

struct NamedInput {
    const char *name;
    Input input;
};

constexpr NamedInput kSwitches[] = {
    {"ignition", Input::Ignition},         {"door", Input::DoorSwitch},
    {"driver-door", Input::DriverDoor},    {"bonnet", Input::Bonnet},
    {"sensor", Input::UltrasonicSensor},   {"boot-wire", Input::BootBlockWire},
    {"button", Input::Button},             {"can-ignition", Input::CanIgnition},
    {"can-door", Input::CanDoor},          {"can-turn", Input::CanTurnSignals},
    {"radio", Input::RadioActivity},       {"can-activity", Input::CanActivity},
    {"siren-short", Input::SirenShort},    {"relay", Input::Relay},
    {"service", Input::Service},
};

struct NamedPress {
    const char *name;
    Press press;
};

constexpr NamedPress kPresses[] = {
    {"battery", Press::LowRemoteBattery},
    {"car-lock", Press::CarRemoteLock},
    {"car-unlock", Press::CarRemoteUnlock},
    {"car-boot", Press::CarRemoteBoot},
};

std::optional<bool> onOff(const QString &word)
{
    static const QStringList on{"on", "open", "1", "yes"};
    static const QStringList off{"off", "close", "closed", "0", "no"};
    if (on.contains(word))
        return true;
    if (off.contains(word))
        return false;
    return std::nullopt;
}

UnitCommands::Outcome refused(const QString &text)
{
    return {text, false, false};
}

QString hexBytes(const std::uint8_t *bytes, int count)
{
    QStringList parts;
    for (int i = 0; i < count; ++i)
        parts << QStringLiteral("%1").arg(bytes[i], 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(QLatin1Char(' '));
}

std::optional<int> number(const QString &text, int base = 10)
{
    bool ok = false;
    const int value = text.toInt(&ok, base);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

UnitCommands::Outcome UnitCommands::execute(const QString &line)
{
    const QRegularExpression blanks(QStringLiteral("\\s+"));
    QStringList words = line.trimmed().toLower().split(blanks, Qt::SkipEmptyParts);
    if (words.isEmpty())
        return {QString(), true, false};
    const QString command = words.takeFirst();
    if (command == "become")
        return become(line.trimmed().split(blanks, Qt::SkipEmptyParts).mid(1));

    if (command == "help" || command == "?")
        return {helpText()};
    if (command == "quit" || command == "exit")
        return {QStringLiteral("bye"), true, true};
    if (command == "dump")
        return {describe(unit_)};
    if (command == "arm" || command == "disarm") {
        unit_.setInput(Input::Armed, command == "arm");
        return withStatus(command == "arm" ? QStringLiteral("armed") : QStringLiteral("disarmed"));
    }
    for (const NamedInput &s : kSwitches)
        if (command == QLatin1String(s.name))
            return switchInput(s.input, words);
    for (const NamedPress &p : kPresses)
        if (command == QLatin1String(p.name)) {
            unit_.press(p.press);
            return withStatus(command + QStringLiteral(" pressed"));
        }
    if (command == "remote")
        return remote(words);
    if (command == "antitheft")
        return antiTheft(words);
    if (command == "hijack")
        return antiHijack(words);
    if (command == "status")
        return status(words);
    if (command == "learn")
        return learn(words);
    return fault(command, words);
}

UnitCommands::Outcome UnitCommands::withStatus(const QString &what) const
{
    const StatusBytes s = unit_.statusBytes();
    return {QStringLiteral("%1; status %2").arg(what, hexBytes(s.data(), 4))};
}

UnitCommands::Outcome UnitCommands::switchInput(Input input, const QStringList &args)
{
    bool on = !unit_.inputs()[input];   // no argument: toggle
    if (!args.isEmpty()) {
        const std::optional<bool> wanted = onOff(args.first());
        if (!wanted)
            return refused(QStringLiteral("expected on or off, not \"%1\"").arg(args.first()));
        on = *wanted;
    }
    unit_.setInput(input, on);
    return withStatus(on ? QStringLiteral("on") : QStringLiteral("off"));
}

UnitCommands::Outcome UnitCommands::antiTheft(const QStringList &args)
{
    const QString what = args.value(0);
    if (what != "present" && what != "active" && what != "off")
        return refused(QStringLiteral("antitheft present|active|off"));
    unit_.setInput(Input::AntiTheftPresent, what != "off");
    unit_.setInput(Input::AntiTheftActive, what == "active");
    return withStatus(QStringLiteral("anti-theft ") + what);
}

UnitCommands::Outcome UnitCommands::antiHijack(const QStringList &args)
{
    const QString what = args.value(0);
    if (what != "present" && what != "active" && what != "triggered" && what != "off")
        return refused(QStringLiteral("hijack present|active|triggered|off"));
    unit_.setInput(Input::AntiHijackPresent, what != "off");
    unit_.setInput(Input::AntiHijackActive, what == "active");
    unit_.setInput(Input::AntiHijackTriggered, what == "triggered");
    return withStatus(QStringLiteral("anti-hijack ") + what);
}

UnitCommands::Outcome UnitCommands::remote(const QStringList &args)
{
    const std::optional<int> button = number(args.value(0));
    if (!button || *button < 1 || *button > 4)
        return refused(QStringLiteral("remote 1|2|3|4"));
    unit_.press(static_cast<Press>(static_cast<int>(Press::RemoteButton1) + *button - 1));
    return withStatus(QStringLiteral("remote button %1 pressed").arg(*button));
}

UnitCommands::Outcome UnitCommands::status(const QStringList &args)
{
    StatusBytes bytes{};
    if (args.size() != 4)
        return refused(QStringLiteral("status S0 S1 S2 S3 (four bytes in hex)"));
    for (int i = 0; i < 4; ++i) {
        QString word = args[i];
        if (word.startsWith(QLatin1String("0x")))
            word = word.mid(2);
        const std::optional<int> value = number(word, 16);
        if (!value || *value < 0 || *value > 0xFF)
            return refused(QStringLiteral("\"%1\" is not a byte in hex").arg(args[i]));
        bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(*value);
    }
    unit_.setStatusBytes(bytes);
    return withStatus(QStringLiteral("status set"));
}

UnitCommands::Outcome UnitCommands::learn(const QStringList &args)
{
    const std::optional<int> count = number(args.value(0));
    if (!count || *count < 0 || *count > 4)
        return refused(QStringLiteral("learn N (0 to 4)"));
    if (!unit_.finishLearning(*count))
        return refused(QStringLiteral("the unit is not learning"));
    return {QStringLiteral("learning ended: %1 learnt").arg(*count)};
}

std::optional<QString> UnitCommands::identificationOfFamily(int family)
{
    switch (family) {
    case 14: return QStringLiteral("MZRAv1.4");
    case 15: return QStringLiteral("MZRAv1.5");
    case 16: return QStringLiteral("MZRAv1.6");
    case 17: return QStringLiteral("MZRv1.61");
    case 18: return QStringLiteral("MZRFv1.0");
    default: return std::nullopt;
    }
}

UnitCommands::Outcome UnitCommands::become(const QStringList &args)
{
    if (args.isEmpty())
        return refused(QStringLiteral("become FAMILY|IDENTIFICATION [TEXT OF REPLY 86]"));
    UnitConfig config;
    const std::optional<int> family = number(args.first());
    const std::optional<QString> identification = family ? identificationOfFamily(*family) : args.first();
    if (!identification)
        return refused(QStringLiteral("become wants a family from 14 to 18 or an identification string"));
    config.identification = *identification;
    if (args.size() > 1)
        config.firstText = args.mid(1).join(QLatin1Char(' '));
    unit_.becomeAnotherUnit(config);
    return {QStringLiteral("now unit %1 (layout %2), \"%3\", its own memory")
                .arg(config.identification, unit_.layout() == kLayoutA ? "A" : "B", config.firstText)};
}

UnitCommands::Outcome UnitCommands::fault(const QString &name, const QStringList &args)
{
    FaultPlan plan = unit_.faults();
    const QString arg = args.value(0);
    const bool off = arg == "off" || arg == "none";
    if (name == "stop") {
        unit_.setAnswering(false);
        return {QStringLiteral("the unit no longer answers")};
    }
    if (name == "resume") {
        unit_.setAnswering(true);
        return {QStringLiteral("the unit answers again")};
    }
    if (name == "unplug") {
        unit_.unplug();
        return {QStringLiteral("cable pulled")};
    }
    if (name == "replug") {
        unit_.replug();
        return {QStringLiteral("cable plugged in")};
    }
    if (name == "silence") {
        const std::optional<int> ms = number(arg);
        if (!ms || *ms < 0)
            return refused(QStringLiteral("silence MS"));
        unit_.silenceFor(std::chrono::milliseconds(*ms));
        return {QStringLiteral("silent for %1 ms").arg(*ms)};
    }
    if (name == "no-reply") {
        const auto codes = parseRequestCodes(args.join(QLatin1Char(' ')));
        if (!codes)
            return refused(QStringLiteral("no-reply CODES (hex, e.g. 08,0c) or none"));
        plan.unansweredCodes = *codes;
    } else if (name == "latency") {
        const std::optional<int> ms = number(arg);
        if (!ms || *ms < 0)
            return refused(QStringLiteral("latency MS"));
        plan.latency = std::chrono::milliseconds(*ms);
    } else if (name == "corrupt" || name == "noise") {
        bool ok = false;
        const double p = arg.toDouble(&ok);
        if (!ok || p < 0.0 || p > 1.0)
            return refused(name + QStringLiteral(" P (0 to 1)"));
        (name == "corrupt" ? plan.corruptProbability : plan.noiseProbability) = p;
    } else if (name == "refuse-write" || name == "silence-after-reads") {
        const std::optional<int> n = number(arg);
        if (!off && (!n || *n < (name == "refuse-write" ? 1 : 0)))
            return refused(name + QStringLiteral(" N|off"));
        (name == "refuse-write" ? plan.refuseWrite : plan.silenceAfterReads) = off ? std::nullopt : n;
    } else if (name == "refuse-range") {
        if (off) {
            unit_.clearWriteRefusals();
            return {QStringLiteral("all addresses writable")};
        }
        const std::optional<int> first = number(args.value(0));
        const std::optional<int> last = number(args.value(1, args.value(0)));
        if (!first || !last || std::min(*first, *last) < 0 || std::max(*first, *last) > 255)
            return refused(QStringLiteral("refuse-range FIRST LAST (decimal addresses) or off"));
        unit_.refuseWrites(*first, *last);
        return {QStringLiteral("writes to %1..%2 refused").arg(*first).arg(*last)};
    } else {
        return refused(QStringLiteral("unknown command \"%1\"; type help").arg(name));
    }
    unit_.setFaults(plan);
    return {QStringLiteral("fault set: %1 %2").arg(name, args.join(QLatin1Char(' '))).trimmed()};
}

std::optional<std::set<std::uint8_t>> UnitCommands::parseRequestCodes(const QString &text)
{
    std::set<std::uint8_t> codes;
    const QString trimmed = text.trimmed().toLower();
    if (trimmed == "none" || trimmed == "off")
        return codes;
    const QStringList parts = trimmed.split(QRegularExpression(QStringLiteral("[,\\s]+")), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return std::nullopt;
    for (QString part : parts) {
        if (part.startsWith(QLatin1String("0x")))
            part = part.mid(2);
        const std::optional<int> code = number(part, 16);
        if (!code || *code < 0 || *code > 0xFF)
            return std::nullopt;
        codes.insert(static_cast<std::uint8_t>(*code));
    }
    return codes;
}

QString UnitCommands::describe(const SimulatedUnit &unit)
{
    const ImageBytes memory = unit.memory();
    const StatusBytes s = unit.statusBytes();
    QStringList lines;
    lines << QStringLiteral("identification %1, layout %2, counter %3 min")
                 .arg(QString::fromLatin1(unit.identification()), unit.layout() == kLayoutA ? "A" : "B")
                 .arg(unit.minuteCounter());
    lines << QStringLiteral("session %1, learning %2, answering %3, cable %4")
                 .arg(unit.sessionOpen() ? "open" : "closed", unit.learning() ? "yes" : "no",
                      unit.answering() ? "yes" : "no", unit.unplugged() ? "pulled" : "in");
    lines << QStringLiteral("status %1").arg(hexBytes(s.data(), 4));
    for (int row = 0; row < kImageSize; row += 16)
        lines << QStringLiteral("%1: %2").arg(row, 3, 10, QLatin1Char(' ')).arg(hexBytes(memory.data() + row, 16));
    return lines.join(QLatin1Char('\n'));
}

QString UnitCommands::helpText()
{
    return QStringLiteral(
        "Inputs (no argument toggles):\n"
        "  arm | disarm\n"
        "  ignition on|off        door open|close       driver-door on|off    bonnet on|off\n"
        "  sensor on|off          boot-wire on|off      button on|off\n"
        "  can-ignition on|off    can-door on|off       can-turn on|off\n"
        "  radio on|off           can-activity on|off   siren-short on|off\n"
        "  relay on|off           service on|off\n"
        "  antitheft present|active|off                 hijack present|active|triggered|off\n"
        "Buttons (reported once by the next status reply):\n"
        "  remote 1|2|3|4         battery               car-lock | car-unlock | car-boot\n"
        "  status S0 S1 S2 S3     set the four status bytes (hex)\n"
        "Learning:\n"
        "  learn N                end a running learning with N (0-4) remotes or tokens learnt\n"
        "Another unit on the line:\n"
        "  become FAMILY|ID [TEXT] another unit (family 14-18 or an identification string, the\n"
        "                         text of reply 86) with the default memory of its layout\n"
        "Faults:\n"
        "  no-reply CODES|none    latency MS            corrupt P             noise P\n"
        "  silence-after-reads N|off                    refuse-write K|off\n"
        "  refuse-range FIRST LAST|off                  silence MS\n"
        "  stop | resume          unplug | replug\n"
        "Other:\n"
        "  dump                   help                  quit\n"
        "Wejścia, przyciski, nauka i usterki jak wyżej; \"help\" pokazuje tę listę, \"quit\" kończy.");
}

} // namespace alvetra::sim
